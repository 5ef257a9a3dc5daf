// The options screen driven with scripted keys and fixed frame times: the
// item row, the pages, every setting stepped and saved, key capture.

#include "MenuTestFixture.h"

#include "menus/MenuOptions.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"

#include <SDL/SDL_keysym.h>

#include <sstream>

namespace {

using menu_test::MenuFixture;
using K = ClavierManager;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

class OptionsScreen : public MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        // Three languages, so that stepping left and stepping right end on
        // different ones.
        folders->writeInstallFile("Data/Lang/Langs.dat",
                                  "English\ten\nFran\xC3\xA7" "ais\tfr\nDeutsch\tde\n");
        openDevices();
        menu = std::make_unique<MenuOptions>();
        // A first frame without keys: the repeat gate is then ready.
        menu->refresh(40);
    }

    // From the item row: moves to a page and opens it (row 1).
    void openPage(int page)
    {
        while (menu->selection != page)
            tap(*menu, K::RIGHT);
        tap(*menu, K::VALIDATE);
        ASSERT_TRUE(menu->isPageOpen());
        ASSERT_EQ(menu->getRow(), 1);
    }

    void goToRow(int row)
    {
        while (menu->getRow() != row)
            tap(*menu, K::DOWN);
    }

    // Back out of the page, then back on the item row: leaves with code 5.
    void leave()
    {
        if (menu->isPageOpen())
            tap(*menu, K::BACK);
        ASSERT_FALSE(menu->isPageOpen());
        tap(*menu, K::BACK);
        ASSERT_EQ(menu->getCode(), 5);
    }

    std::vector<std::string> savedOptions() { return lines(userFile("Data/Options.dat")); }
    std::vector<std::string> savedKeys() { return lines(userFile("Data/Keyboard.dat")); }

    std::unique_ptr<MenuOptions> menu;
};

TEST_F(OptionsScreen, StartsOnTheGameItemWithNoPageOpen)
{
    EXPECT_EQ(menu->getNom(), "MenuOptions");
    EXPECT_EQ(menu->title, " - " + text("options"));
    ASSERT_EQ(menu->itemCount, 5);
    const std::vector<std::string> expected = { text("game"), text("video"), text("audio"),
                                                text("keyboard"), text("previous") };
    EXPECT_EQ(menu->labels, expected);
    EXPECT_EQ(menu->selection, 1);
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_FALSE(menu->isPageOpen());
    EXPECT_EQ(menu->getRow(), 0);
    EXPECT_FALSE(menu->isCapturing());
    EXPECT_TRUE(menu->getObject().empty());
}

TEST_F(OptionsScreen, ItemRowWrapsBothWaysWithOneMoveSoundEach)
{
    tap(*menu, K::LEFT);
    EXPECT_EQ(menu->selection, 5);
    EXPECT_EQ(moveSounds(), 1);
    tap(*menu, K::RIGHT, 1);
    EXPECT_EQ(menu->selection, 1);
    EXPECT_EQ(moveSounds(), 2);
    EXPECT_FALSE(menu->isPageOpen());
    EXPECT_EQ(menu->getCode(), 0);
}

TEST_F(OptionsScreen, DirectionHeldWhenTheScreenOpensWaitsForTheRepeatDelay)
{
    menu = std::make_unique<MenuOptions>();
    press(K::RIGHT);
    for (int frame = 0; frame < 5; ++frame) {
        menu->refresh(40);
        EXPECT_EQ(menu->selection, 1) << "frame " << frame;
    }
    menu->refresh(40);
    EXPECT_EQ(menu->selection, 2);
}

TEST_F(OptionsScreen, BackOnTheItemRowLeavesSavesAndClearsBothPlayers)
{
    press(K::BACK, 1);
    press(K::LEFT, 0);
    press(K::UP, 1);
    keys()->lastKey = SDLK_DELETE;
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 5);
    EXPECT_TRUE(allKeyStatesClear());
    EXPECT_EQ(keys()->lastKey, 0);
    EXPECT_EQ(validateSounds(), 1);
    EXPECT_EQ(savedOptions().size(), 16u);
    EXPECT_EQ(savedKeys().size(), 14u);
}

TEST_F(OptionsScreen, ValidateOnPreviousLeaves)
{
    tap(*menu, K::LEFT);
    press(K::VALIDATE);
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 5);
    EXPECT_FALSE(menu->isPageOpen());
    EXPECT_TRUE(allKeyStatesClear());
}

TEST_F(OptionsScreen, PageChangesAreSavedOnlyByTheItemRow)
{
    openPage(MenuOptions::AUDIO);
    ASSERT_EQ(savedOptions().at(14), "100");
    tap(*menu, K::RIGHT); // music 105 %
    tap(*menu, K::BACK);  // closes the page, saves nothing
    EXPECT_FALSE(menu->isPageOpen());
    EXPECT_EQ(menu->getRow(), 0);
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_EQ(savedOptions().at(14), "100");
    // Validate on the item saves before the page opens again.
    tap(*menu, K::VALIDATE);
    EXPECT_TRUE(menu->isPageOpen());
    EXPECT_EQ(savedOptions().at(14), "105");
}

TEST_F(OptionsScreen, GamePageRowsWrapAndPlayerTwoColourCanBeChanged)
{
    openPage(MenuOptions::GAME);
    tap(*menu, K::UP);
    EXPECT_EQ(menu->getRow(), 5);
    tap(*menu, K::DOWN);
    EXPECT_EQ(menu->getRow(), 1);
    tap(*menu, K::UP);
    ASSERT_EQ(menu->getRow(), 5);
    const int before = OptionsManager::getInstance()->getColor(1, 1);
    tap(*menu, K::RIGHT);
    EXPECT_NE(OptionsManager::getInstance()->getColor(1, 1), before);
    EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 5),
              ": " + text("color_" + std::to_string(OptionsManager::getInstance()->getColor(1, 1) + 1)));
}

TEST_F(OptionsScreen, UpOrDownHeldStepsTheRowEvery200Ms)
{
    openPage(MenuOptions::VIDEO);
    silence();
    press(K::DOWN);
    for (int frame = 0; frame < 13; ++frame) {
        menu->refresh(40);
        EXPECT_EQ(menu->getRow(), 2 + frame / 6) << "frame " << frame;
    }
    EXPECT_EQ(moveSounds(), 3);
}

TEST_F(OptionsScreen, LeftOrRightHeldStepsTheValueOncePerPress)
{
    openPage(MenuOptions::AUDIO);
    press(K::RIGHT);
    for (int frame = 0; frame < 20; ++frame)
        menu->refresh(40);
    EXPECT_EQ(OptionsManager::getInstance()->getMusiquesVolume(1), 105);
    EXPECT_TRUE(allKeyStatesClear());
}

TEST_F(OptionsScreen, VolumesStopAtZeroAndAt120)
{
    openPage(MenuOptions::AUDIO);
    for (int i = 0; i < 30; ++i)
        tap(*menu, K::LEFT);
    EXPECT_EQ(menu->rowValue(MenuOptions::AUDIO, 1), ": 0%");
    goToRow(2);
    for (int i = 0; i < 30; ++i)
        tap(*menu, K::RIGHT);
    EXPECT_EQ(menu->rowValue(MenuOptions::AUDIO, 2), ": 120%");
    leave();
    EXPECT_EQ(savedOptions().at(14), "0");
    EXPECT_EQ(savedOptions().at(15), "120");
}

// One step of one row from the installed defaults: the value shown after it
// and what the options file holds once the screen is left.
struct SettingStep {
    const char* name;
    int page;
    int row;
    int key;                    // LEFT, RIGHT or VALIDATE
    const char* valueKey;       // language key of the value shown, or null
    const char* valueLiteral;   // the value shown when it is no language text
    std::vector<std::pair<int, std::string>> fileLines; // line index, text
};

void PrintTo(const SettingStep& step, std::ostream* os) { *os << step.name; }

class OptionsSettingStep : public OptionsScreen,
                           public ::testing::WithParamInterface<SettingStep> {
};

TEST_P(OptionsSettingStep, IsShownAndSaved)
{
    const SettingStep& step = GetParam();
    openPage(step.page);
    goToRow(step.row);
    silence();
    tap(*menu, step.key);
    EXPECT_EQ(moveSounds(), 1);
    const std::string shown = step.valueKey ? text(step.valueKey) : std::string(step.valueLiteral);
    EXPECT_EQ(menu->rowValue(step.page, step.row), ": " + shown);
    leave();
    const std::vector<std::string> saved = savedOptions();
    ASSERT_EQ(saved.size(), 16u);
    for (const auto& line : step.fileLines)
        EXPECT_EQ(saved.at(line.first), line.second) << "line " << line.first;
}

// Options file lines: 1 width, 2 height, 3 full screen, 4 anti-aliasing,
// 5 anisotropy, 6 view distance, 7 textures, 8 language, 9 game messages,
// 10 ghost, 12 and 13 colours, 14 music, 15 sound effects.
INSTANTIATE_TEST_SUITE_P(
    EveryRow, OptionsSettingStep,
    ::testing::Values(
        SettingStep{ "languageRight", 1, 1, K::RIGHT, nullptr, "Français", { { 8, "1" } } },
        SettingStep{ "languageLeftWraps", 1, 1, K::LEFT, nullptr, "Deutsch", { { 8, "2" } } },
        SettingStep{ "gameMessages", 1, 2, K::RIGHT, "off", nullptr, { { 9, "0" } } },
        SettingStep{ "ghostByValidate", 1, 3, K::VALIDATE, "off", nullptr, { { 10, "0" } } },
        SettingStep{ "colourOneRight", 1, 4, K::RIGHT, "color_2", nullptr, { { 12, "1" } } },
        SettingStep{ "colourOneLeftWraps", 1, 4, K::LEFT, "color_5", nullptr, { { 12, "4" } } },
        SettingStep{ "colourTwoRight", 1, 5, K::RIGHT, "color_5", nullptr, { { 13, "4" } } },
        SettingStep{ "colourTwoLeft", 1, 5, K::LEFT, "color_3", nullptr, { { 13, "2" } } },
        SettingStep{ "resolutionRight", 2, 1, K::RIGHT, nullptr, "1280 x 720",
                     { { 1, "1280" }, { 2, "720" } } },
        SettingStep{ "resolutionLeft", 2, 1, K::LEFT, nullptr, "800 x 600", { { 1, "800" }, { 2, "600" } } },
        SettingStep{ "fullScreen", 2, 2, K::VALIDATE, "on", nullptr, { { 3, "1" } } },
        SettingStep{ "antiAliasingRight", 2, 3, K::RIGHT, nullptr, "2 x", { { 4, "2" } } },
        SettingStep{ "antiAliasingLeftWraps", 2, 3, K::LEFT, nullptr, "16 x", { { 4, "16" } } },
        SettingStep{ "anisotropyRight", 2, 4, K::RIGHT, "medium", nullptr, { { 5, "8" } } },
        SettingStep{ "anisotropyLeftWraps", 2, 4, K::LEFT, "high", nullptr, { { 5, "16" } } },
        SettingStep{ "clippingRightWraps", 2, 5, K::RIGHT, "closest", nullptr, { { 6, "10" } } },
        SettingStep{ "clippingLeft", 2, 5, K::LEFT, "far", nullptr, { { 6, "40" } } },
        SettingStep{ "textures", 2, 6, K::RIGHT, "textureLow", nullptr, { { 7, "0" } } },
        SettingStep{ "musicRight", 3, 1, K::RIGHT, nullptr, "105%", { { 14, "105" } } },
        SettingStep{ "musicLeft", 3, 1, K::LEFT, nullptr, "95%", { { 14, "95" } } },
        SettingStep{ "soundRight", 3, 2, K::VALIDATE, nullptr, "105%", { { 15, "105" } } },
        SettingStep{ "soundLeft", 3, 2, K::LEFT, nullptr, "95%", { { 15, "95" } } }),
    [](const ::testing::TestParamInfo<SettingStep>& info) { return std::string(info.param.name); });

TEST_F(OptionsScreen, LanguageRowStepsBothWaysAndWrapsAtBothEnds)
{
    openPage(MenuOptions::GAME);
    const std::pair<int, const char*> steps[] = {
        { K::RIGHT, "Français" }, { K::RIGHT, "Deutsch" }, { K::RIGHT, "English" },
        { K::LEFT, "Deutsch" },   { K::LEFT, "Français" }, { K::VALIDATE, "Deutsch" },
    };
    for (const auto& step : steps) {
        tap(*menu, step.first);
        EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 1), std::string(": ") + step.second)
            << "after stepping to " << step.second;
    }
    leave();
    EXPECT_EQ(savedOptions().at(8), "2");
}

TEST_F(OptionsScreen, DefaultValuesShown)
{
    EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 1), ": English");
    EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 2), ": " + text("on"));
    EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 4), ": " + text("color_1"));
    EXPECT_EQ(menu->rowValue(MenuOptions::GAME, 5), ": " + text("color_4"));
    EXPECT_EQ(menu->rowValue(MenuOptions::VIDEO, 1), ": 1024 x 768");
    EXPECT_EQ(menu->rowValue(MenuOptions::VIDEO, 3), ": 0 x");
    EXPECT_EQ(menu->rowValue(MenuOptions::VIDEO, 4), ": " + text("none"));
    EXPECT_EQ(menu->rowValue(MenuOptions::VIDEO, 5), ": " + text("farthest"));
    EXPECT_EQ(menu->rowValue(MenuOptions::VIDEO, 6), ": " + text("textureHigh"));
    EXPECT_EQ(menu->rowValue(MenuOptions::AUDIO, 1), ": 100%");
    EXPECT_EQ(menu->rowValue(MenuOptions::KEYBOARD, 1), ": w");
    EXPECT_EQ(menu->rowValue(MenuOptions::KEYBOARD, 5), ": r");
    EXPECT_EQ(menu->rowValue(MenuOptions::KEYBOARD, 6), ": up");
    EXPECT_EQ(menu->rowValue(MenuOptions::KEYBOARD, 9), ": right");
    EXPECT_EQ(menu->rowLabel(MenuOptions::KEYBOARD, 5), text("restart"));
    EXPECT_EQ(menu->rowLabel(MenuOptions::KEYBOARD, 9), text("right"));
}

// Keyboard rows: which binding each edits and where the key-binding file
// (player 1's seven actions, then player 2's) keeps it.
struct BindingRow {
    int row;
    int player;
    int action;
};

class KeyCapture : public OptionsScreen, public ::testing::WithParamInterface<BindingRow> {
};

TEST_P(KeyCapture, NewKeyBecomesThePendingBindingAndIsSaved)
{
    const BindingRow b = GetParam();
    openPage(MenuOptions::KEYBOARD);
    goToRow(b.row);
    // The validate that starts capturing is never taken as the new key.
    keys()->lastKey = SDLK_SPACE;
    press(K::VALIDATE);
    menu->refresh(40);
    releaseAll();
    EXPECT_TRUE(menu->isCapturing());
    EXPECT_EQ(keys()->lastKey, 0);
    menu->refresh(40);
    EXPECT_TRUE(menu->isCapturing());
    silence();
    keys()->lastKey = SDLK_i;
    menu->refresh(40);
    EXPECT_FALSE(menu->isCapturing());
    EXPECT_EQ(keys()->pendingKey[b.action][b.player], SDLK_i);
    EXPECT_EQ(validateSounds(), 1);
    EXPECT_EQ(refusedSounds(), 0);
    EXPECT_EQ(keys()->lastKey, 0);
    EXPECT_EQ(menu->getRow(), b.row);
    EXPECT_EQ(menu->rowValue(MenuOptions::KEYBOARD, b.row), std::string(": ") + SDL_GetKeyName(SDLK_i));
    leave();
    const std::vector<std::string> saved = savedKeys();
    ASSERT_EQ(saved.size(), 14u);
    for (int p = 0; p < 2; ++p)
        for (int a = 0; a < K::kNbActions; ++a) {
            const int expected = (p == b.player && a == b.action) ? SDLK_i : K::defaultKey(p, a);
            EXPECT_EQ(saved[p * 7 + a], std::to_string(expected)) << "player " << p << " action " << a;
        }
    EXPECT_EQ(keys()->key[b.action][b.player], SDLK_i);
}

INSTANTIATE_TEST_SUITE_P(EveryKeyboardRow, KeyCapture,
                         ::testing::Values(BindingRow{ 1, 0, K::UP }, BindingRow{ 2, 0, K::DOWN },
                                           BindingRow{ 3, 0, K::LEFT }, BindingRow{ 4, 0, K::RIGHT },
                                           BindingRow{ 5, 0, K::RESTART }, BindingRow{ 6, 1, K::UP },
                                           BindingRow{ 7, 1, K::DOWN }, BindingRow{ 8, 1, K::LEFT },
                                           BindingRow{ 9, 1, K::RIGHT }),
                         [](const ::testing::TestParamInfo<BindingRow>& info) {
                             return "row" + std::to_string(info.param.row);
                         });

class RefusedKey : public OptionsScreen, public ::testing::WithParamInterface<int> {
};

TEST_P(RefusedKey, KeyAlreadyBoundAnywhereIsRefused)
{
    openPage(MenuOptions::KEYBOARD);
    goToRow(3);
    tap(*menu, K::RIGHT);
    ASSERT_TRUE(menu->isCapturing());
    silence();
    keys()->lastKey = GetParam();
    menu->refresh(40);
    EXPECT_FALSE(menu->isCapturing());
    EXPECT_EQ(keys()->pendingKey[K::LEFT][0], SDLK_a);
    EXPECT_EQ(refusedSounds(), 1);
    EXPECT_EQ(validateSounds(), 0);
    EXPECT_TRUE(menu->isPageOpen());
}

// Player 1's own key, player 2's up, both validates, both backs, player 2's
// restart: every pending binding counts.
INSTANTIATE_TEST_SUITE_P(AnyPendingBinding, RefusedKey,
                         ::testing::Values(SDLK_a, SDLK_w, SDLK_UP, SDLK_SPACE, SDLK_RETURN, SDLK_ESCAPE,
                                           SDLK_DELETE, SDLK_BACKSPACE));

TEST_F(OptionsScreen, KeyChosenEarlierOnTheScreenIsRefusedToo)
{
    openPage(MenuOptions::KEYBOARD);
    tap(*menu, K::VALIDATE);
    keys()->lastKey = SDLK_i;
    menu->refresh(40);
    ASSERT_EQ(keys()->pendingKey[K::UP][0], SDLK_i);
    goToRow(7);
    tap(*menu, K::VALIDATE);
    silence();
    keys()->lastKey = SDLK_i;
    menu->refresh(40);
    EXPECT_EQ(keys()->pendingKey[K::DOWN][1], SDLK_DOWN);
    EXPECT_EQ(refusedSounds(), 1);
}

TEST_F(OptionsScreen, BackWhileCapturingKeepsTheBindingAndThePage)
{
    openPage(MenuOptions::KEYBOARD);
    goToRow(2);
    tap(*menu, K::LEFT);
    ASSERT_TRUE(menu->isCapturing());
    // A back that sends no key (a joystick button).
    press(K::BACK, 1);
    menu->refresh(40);
    EXPECT_FALSE(menu->isCapturing());
    EXPECT_TRUE(menu->isPageOpen());
    EXPECT_EQ(menu->getRow(), 2);
    EXPECT_EQ(keys()->pendingKey[K::DOWN][0], SDLK_s);
    EXPECT_TRUE(allKeyStatesClear());

    // The back key itself: it is a binding, so it is refused.
    menu->refresh(40);
    tap(*menu, K::VALIDATE);
    ASSERT_TRUE(menu->isCapturing());
    press(K::BACK);
    keys()->lastKey = SDLK_ESCAPE;
    menu->refresh(40);
    EXPECT_FALSE(menu->isCapturing());
    EXPECT_TRUE(menu->isPageOpen());
    EXPECT_EQ(keys()->pendingKey[K::DOWN][0], SDLK_s);
    EXPECT_EQ(menu->getCode(), 0);
}

TEST_F(OptionsScreen, DrawsTheSelectedPageAndHighlightsOnlyTheOpenRow)
{
    tap(*menu, K::RIGHT); // video, not opened
    std::vector<unsigned char> closed = render(*menu);
    EXPECT_EQ(bluePixels(closed), 0);
    // The six rows and the two notes.
    EXPECT_GT(litPixels(closed, 0.55, 0.83), 0);
    EXPECT_GT(litPixels(closed, 0.41, 0.5), 0);

    tap(*menu, K::VALIDATE);
    goToRow(3);
    std::vector<unsigned char> open = render(*menu);
    // Row 3 stands at 0.72; its text reaches a little above and below.
    EXPECT_GT(bluePixels(open, 0.69, 0.78), 0);
    EXPECT_EQ(bluePixels(open, 0.0, 0.68), 0);
    EXPECT_EQ(bluePixels(open, 0.79, 1.0), 0);

    tap(*menu, K::BACK);
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT); // previous: no page
    std::vector<unsigned char> previous = render(*menu);
    EXPECT_EQ(litPixels(previous, 0.4, 0.85), 0);
}

class OptionsOnAPicture : public MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        useWhiteBackground();
        openDevices();
    }
};

TEST_F(OptionsOnAPicture, TextsStayDarkAndTheOtherItemsDimmedFrameAfterFrame)
{
    MenuOptions menu;
    menu.refresh(40);
    const std::vector<unsigned char> shown = render(menu);
    // The game page's rows in black.
    EXPECT_GT(darkPixels(shown, 0.6, 0.85), 200);
    // Narrow screen: the item row spans 0.195 to 0.323; item 1 of 5 is lit.
    const double selected = brightness(shown, 0.01, 0.19, 0.2, 0.32);
    const double other = brightness(shown, 0.41, 0.59, 0.2, 0.32);
    EXPECT_GT(selected, other + 40) << selected << " " << other;
}

struct KeyboardHighlight {
    int row;
    double y; // where the row's text stands
};

class KeyboardPageDrawing : public OptionsScreen, public ::testing::WithParamInterface<KeyboardHighlight> {
};

TEST_P(KeyboardPageDrawing, HighlightsTheRowOfItsPlayer)
{
    openPage(MenuOptions::KEYBOARD);
    goToRow(GetParam().row);
    const std::vector<unsigned char> shown = render(*menu);
    const double y = GetParam().y;
    EXPECT_GT(bluePixels(shown, y - 0.01, y + 0.03), 0);
    // Descenders reach a little below the row's height.
    EXPECT_EQ(bluePixels(shown, 0.0, y - 0.025), 0);
    EXPECT_EQ(bluePixels(shown, y + 0.04, 1.0), 0);
}

// Player 1's rows from 0.76 down by 0.03, player 2's from 0.52.
INSTANTIATE_TEST_SUITE_P(BothPlayers, KeyboardPageDrawing,
                         ::testing::Values(KeyboardHighlight{ 1, 0.76 }, KeyboardHighlight{ 5, 0.64 },
                                           KeyboardHighlight{ 6, 0.52 }, KeyboardHighlight{ 9, 0.43 }),
                         [](const ::testing::TestParamInfo<KeyboardHighlight>& info) {
                             return "row" + std::to_string(info.param.row);
                         });

} // namespace
