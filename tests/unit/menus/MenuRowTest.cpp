// The common key handling of the row menus: moves with wrap-around, the
// 200 ms key repeat, validate and back, and the result codes.
#include "MenuTestSupport.h"

#include "menus/MenuDifficulte.h"
#include "menus/MenuPrincipal.h"
#include "menus/MenuSingleMap.h"
#include "services/ClavierManager.h"

#include <memory>

using menus_test::DrawnQuad;
using menus_test::MenuTest;
using menus_test::QuadCapture;

namespace {

using Keys = ClavierManager;

struct WrapCase {
    const char* name;
    bool mainMenu; // the six items of the main menu, else the three of the level-set choice
    int start;
    int action;
    int expected;
};

class RowWrap : public MenuTest, public ::testing::WithParamInterface<WrapCase> {};

std::unique_ptr<Menu> makeRowMenu(bool mainMenu)
{
    if (mainMenu)
        return std::unique_ptr<Menu>(new MenuPrincipal());
    return std::unique_ptr<Menu>(new MenuSingleMap());
}

TEST_P(RowWrap, MovesOnceWithOneMoveSound)
{
    const WrapCase c = GetParam();
    std::unique_ptr<Menu> menu = makeRowMenu(c.mainMenu);
    menu->selection = c.start;
    menu->repeatTimer = Menu::kRepeatDelay;
    press(c.action);
    menu->refresh(40);
    EXPECT_EQ(c.expected, menu->selection);
    EXPECT_EQ(1, movePlays());
    EXPECT_EQ(0, menu->getCode());
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RowWrap,
    ::testing::Values(WrapCase{"MainLeftOnFirst", true, 1, Keys::LEFT, 6},
                      WrapCase{"MainRightOnLast", true, 6, Keys::RIGHT, 1},
                      WrapCase{"MainRight", true, 3, Keys::RIGHT, 4},
                      WrapCase{"MainLeftPlayerTwo", true, 3, Keys::LEFT, 2},
                      WrapCase{"LevelSetLeftOnFirst", false, 1, Keys::LEFT, 3},
                      WrapCase{"LevelSetRightOnLast", false, 3, Keys::RIGHT, 1}),
    [](const ::testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

TEST_F(MenuTest, UpAndDownMoveNothingInARow)
{
    MenuPrincipal menu;
    for (int action : {Keys::UP, Keys::DOWN}) {
        releaseAll();
        menu.repeatTimer = Menu::kRepeatDelay;
        press(action);
        menu.refresh(40);
        EXPECT_EQ(1, menu.selection);
    }
    EXPECT_EQ(0, movePlays());
}

// Frames of 40 ms with right held: the frames in which the selection moved.
std::vector<int> movingFrames(Menu& menu, int frames)
{
    std::vector<int> moved;
    for (int f = 0; f < frames; ++f) {
        const int before = menu.selection;
        menu.refresh(40);
        if (menu.selection != before)
            moved.push_back(f);
    }
    return moved;
}

TEST_F(MenuTest, AHeldDirectionRepeatsEveryTwoHundredMilliseconds)
{
    MenuPrincipal menu;
    menu.repeatTimer = Menu::kRepeatDelay;
    press(Keys::RIGHT);
    EXPECT_EQ((std::vector<int>{0, 6, 12}), movingFrames(menu, 13));
    EXPECT_EQ(4, menu.selection);
}

TEST_F(MenuTest, ADirectionHeldFromThePreviousScreenWaitsForTheRepeat)
{
    // A fresh menu starts with its timer at 0.
    MenuPrincipal menu;
    press(Keys::RIGHT);
    EXPECT_EQ((std::vector<int>{5, 11}), movingFrames(menu, 12));
}

TEST_F(MenuTest, ReleasingEveryDirectionMakesTheNextPressActAtOnce)
{
    MenuPrincipal menu;
    menu.refresh(40); // nothing held: ready
    press(Keys::RIGHT);
    menu.refresh(40);
    EXPECT_EQ(2, menu.selection);
    releaseAll();
    menu.refresh(40);
    press(Keys::RIGHT);
    menu.refresh(40);
    EXPECT_EQ(3, menu.selection);
    EXPECT_EQ(2, movePlays());
}

TEST_F(MenuTest, AnOverriddenDirectionNeitherMovesNorFeedsTheTimer)
{
    MenuPrincipal menu;
    press(Keys::LEFT, 1, 2);
    for (int f = 0; f < 10; ++f)
        menu.refresh(40);
    EXPECT_EQ(1, menu.selection);
    // Nothing counted as pressed: the timer was made ready, not fed.
    EXPECT_EQ(Menu::kRepeatDelay, menu.repeatTimer);
    EXPECT_EQ(0, movePlays());
}

TEST_F(MenuTest, ValidateGivesTheSelectedItemAndClearsEveryKey)
{
    MenuPrincipal menu;
    menu.selection = 4;
    ClavierManager* keys = ClavierManager::clavier;
    keys->lastKey = 97;
    keys->joystickUsed[1] = true;
    keys->joystickAxis[3] = 0.5;
    press(Keys::UP, 2);
    press(Keys::VALIDATE, 2);
    menu.refresh(40);
    EXPECT_EQ(4, menu.getCode());
    EXPECT_EQ(1, validatePlays());
    EXPECT_TRUE(allKeysCleared());
    // The code stays until the menu is reset.
    menu.refresh(40);
    EXPECT_EQ(4, menu.getCode());
    menu.reset();
    EXPECT_EQ(0, menu.getCode());
    EXPECT_EQ(1, menu.selection);
}

TEST_F(MenuTest, ValidateAndBackInOneFrameGiveTheSelectionWithOneSound)
{
    MenuSingleMap menu;
    menu.selection = 2;
    press(Keys::VALIDATE, 1);
    press(Keys::BACK, 2);
    menu.refresh(40);
    EXPECT_EQ(2, menu.getCode());
    EXPECT_EQ(1, validatePlays());
    EXPECT_TRUE(allKeysCleared());
}

TEST_F(MenuTest, BackGivesTheLastItemWhateverTheSelection)
{
    for (int selection = 1; selection <= 6; ++selection) {
        MenuPrincipal menu;
        menu.selection = selection;
        press(Keys::BACK);
        menu.refresh(40);
        EXPECT_EQ(6, menu.getCode()) << "selection " << selection;
    }
    MenuSingleMap levelSet;
    levelSet.selection = 2;
    press(Keys::BACK, 2);
    levelSet.refresh(40);
    EXPECT_EQ(3, levelSet.getCode());
}

TEST_F(MenuTest, TheChosenLevelsListIsAnEmptyCopy)
{
    MenuSingleMap menu;
    std::vector<std::string> objects = menu.getObject();
    EXPECT_TRUE(objects.empty());
    objects.push_back("Level_1-1");
    EXPECT_TRUE(menu.getObject().empty());
}

struct LabelCase {
    const char* name;
    bool mainMenu;
    std::vector<std::string> labels;
};

class RowLabels : public MenuTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(RowLabels, AreTheLanguageTextsInItemOrder)
{
    std::unique_ptr<Menu> menu = makeRowMenu(GetParam().mainMenu);
    EXPECT_EQ(GetParam().labels, menu->labels);
    EXPECT_EQ(static_cast<int>(GetParam().labels.size()), menu->itemCount);
    EXPECT_EQ(0.0f, menu->repeatTimer);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RowLabels,
    ::testing::Values(LabelCase{"Main", true,
                                {"Solo", "Single level", "Versus", "Scores", "Options", "Quit"}},
                      LabelCase{"LevelSet", false, {"Official levels", "Players' levels", "Back"}}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

struct ShadeCase {
    const char* name;
    bool difficulty; // the difficulty choice, else the level-set choice
    bool wide;
    int selection;
};

class RowDrawing : public MenuTest, public ::testing::WithParamInterface<ShadeCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam().wide ? menus_test::wideOptions() : menus_test::narrowOptions();
    }
};

TEST_P(RowDrawing, ShowsTheBackgroundTheLabelsAndShadesAllButTheSelectedColumn)
{
    const ShadeCase c = GetParam();
    std::unique_ptr<Menu> menu;
    if (c.difficulty)
        menu.reset(new MenuDifficulte());
    else
        menu.reset(new MenuSingleMap());
    menu->selection = c.selection;
    // The second of two frames, under the game's culling.
    QuadCapture capture;
    menus_test::useGameCulling();
    menu->draw();
    capture.finish();
    QuadCapture second;
    menus_test::useGameCulling();
    menu->draw();
    const std::vector<DrawnQuad> quads = second.finish();
    const auto background = menus_test::quadsAt(quads, 0, 0, 1, 1);
    ASSERT_EQ(1u, background.size());
    EXPECT_EQ(0.0, background[0].tAtTop);

    const double n = menu->itemCount;
    const double bottom = c.wide ? 0.14 : 0.195;
    const double top = c.wide ? 0.29 : 0.323;
    const auto left = menus_test::quadsAt(quads, 0, bottom, (c.selection - 1) / n, top);
    const auto right = menus_test::quadsAt(quads, c.selection / n, bottom, 1, top);
    ASSERT_EQ(1u, left.size());
    ASSERT_EQ(1u, right.size());
    for (const DrawnQuad& shade : {left[0], right[0]}) {
        EXPECT_NEAR(0.0, shade.r, 1e-3);
        EXPECT_NEAR(0.3, shade.a, 1e-3);
    }
    // The labels' characters stand in the row band, before the shade.
    const double rowY = c.wide ? 0.216 : 0.26;
    int inRow = 0;
    for (std::size_t i = 1; i + 2 < quads.size(); ++i)
        if (quads[i].bottom < rowY + 0.05 && quads[i].top > rowY - 0.05)
            ++inRow;
    EXPECT_GT(inRow, 2 * static_cast<int>(n));
    // Every text is drawn opaque: the shade of the frame before fades none.
    for (std::size_t i = 1; i + 2 < quads.size(); ++i)
        EXPECT_NEAR(1.0, quads[i].a, 1e-3) << "quad " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RowDrawing,
    ::testing::Values(ShadeCase{"LevelSetNarrow", false, false, 2},
                      ShadeCase{"LevelSetWide", false, true, 2},
                      ShadeCase{"DifficultyNarrow", true, false, 5},
                      ShadeCase{"DifficultyWide", true, true, 3}),
    [](const ::testing::TestParamInfo<ShadeCase>& info) { return std::string(info.param.name); });

} // namespace
