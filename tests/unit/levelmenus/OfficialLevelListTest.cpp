// The one-player official level list driven with scripted key states and
// fixed frame times over real level files.
#include "LevelMenuTestSupport.h"

#include "application/GameManager.h"
#include "levelmenus/MenuSingleOfficialLevels.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"

#include <GL/gl.h>

#include <filesystem>
#include <memory>

using namespace levelmenus_test;

namespace {

using Names = std::vector<std::string>;

class OfficialLevelListTest : public LevelMenuTest {
protected:
    void SetUp() override
    {
        LevelMenuTest::SetUp();
        MenuSingleOfficialLevels::choix = 0;
    }

    // A menu whose key repeat is ready, as after released keys.
    std::unique_ptr<MenuSingleOfficialLevels> open()
    {
        auto menu = std::make_unique<MenuSingleOfficialLevels>();
        menu->refresh(40);
        return menu;
    }
};

TEST_F(OfficialLevelListTest, OpensOnPlayLevelWithTheSortedOfficialLevels)
{
    installOfficialWorlds({12, 3});
    MenuSingleOfficialLevels menu;
    EXPECT_EQ(menu.getNom(), "MenuSingleOfficialLevels");
    EXPECT_EQ(menu.itemCount, 2);
    EXPECT_EQ(menu.selection, 1);
    EXPECT_EQ(menu.getCode(), 0);
    EXPECT_EQ(menu.repeatTimer, 0.0f);
    ASSERT_EQ(menu.levels.size(), 15u);
    EXPECT_EQ(menu.levels[1], "Level_1-10");
    EXPECT_EQ(menu.levels[4], "Level_1-2");
    EXPECT_EQ(menu.levels[14], "Level_2-3");
    // The game's texts: title and the two items.
    EXPECT_EQ(menu.labels, (Names{"Play", "Back"}));
    EXPECT_EQ(menu.title, " - Single level");
}

TEST_F(OfficialLevelListTest, UpAndDownWrapAroundTheList)
{
    installOfficialWorlds({4});
    auto menu = open();
    tap(*menu, ClavierManager::UP);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 3);
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 2);
    EXPECT_EQ(movePlays(), 4);
    // Player 2's keys move the list as well.
    press(ClavierManager::DOWN, 2);
    menu->refresh(40);
    releaseAll();
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 3);
}

TEST_F(OfficialLevelListTest, MovingBetweenItemsBringsTheListBackToItsFirstLevel)
{
    installOfficialWorlds({4});
    auto menu = open();
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(menu->selection, 2);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(menu->selection, 1);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    tap(*menu, ClavierManager::LEFT);
    EXPECT_EQ(menu->selection, 2);
}

TEST_F(OfficialLevelListTest, UpAndDownOnPreviousDoNothing)
{
    installOfficialWorlds({4});
    auto menu = open();
    tap(*menu, ClavierManager::LEFT);
    clearSounds();
    press(ClavierManager::DOWN);
    menu->refresh(40);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    EXPECT_EQ(movePlays(), 0);
    // No move, so the repeat stays ready for the next key.
    EXPECT_GE(menu->repeatTimer, 200.0f);
    releaseAll();
    press(ClavierManager::UP);
    menu->refresh(40);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    EXPECT_EQ(movePlays(), 0);
}

TEST_F(OfficialLevelListTest, HeldKeyRepeatsEvery200Milliseconds)
{
    installOfficialWorlds({20});
    auto menu = open();
    press(ClavierManager::DOWN);
    std::vector<int> moves;
    for (int frame = 0; frame < 13; ++frame) {
        const int before = MenuSingleOfficialLevels::choix;
        menu->refresh(40);
        if (MenuSingleOfficialLevels::choix != before)
            moves.push_back(frame);
    }
    EXPECT_EQ(moves, (std::vector<int>{0, 6, 12}));
}

TEST_F(OfficialLevelListTest, KeyHeldFromThePreviousScreenWaitsForTheRepeat)
{
    installOfficialWorlds({20});
    MenuSingleOfficialLevels menu;
    press(ClavierManager::DOWN);
    for (int frame = 0; frame < 5; ++frame)
        menu.refresh(40);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    menu.refresh(40);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 1);
    // A direction overridden by its opposite (state 2) neither moves nor
    // feeds the repeat.
    releaseAll();
    menu.refresh(40);
    ClavierManager::clavier->keyState[ClavierManager::DOWN][0] = 2;
    menu.refresh(40);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 1);
}

TEST_F(OfficialLevelListTest, ValidateOnPlayLevelHandsOverTheSelectedLevel)
{
    installOfficialWorlds({3});
    auto menu = open();
    tap(*menu, ClavierManager::DOWN);
    clearSounds();
    ClavierManager::clavier->lastKey = 42;
    press(ClavierManager::VALIDATE);
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_EQ(menu->getObject(), (Names{"Level_1-2"}));
    EXPECT_TRUE(allKeysCleared());
    EXPECT_EQ(validatePlays(), 1);
    // The copy handed out is the caller's.
    std::vector<std::string> copy = menu->getObject();
    copy.push_back("x");
    EXPECT_EQ(menu->getObject().size(), 1u);
}

TEST_F(OfficialLevelListTest, PreviousAndBackGiveCodeTwoWithNothingHandedOver)
{
    installOfficialWorlds({3});
    {
        auto menu = open();
        tap(*menu, ClavierManager::RIGHT);
        tap(*menu, ClavierManager::VALIDATE);
        EXPECT_EQ(menu->getCode(), 2);
        EXPECT_TRUE(menu->getObject().empty());
    }
    {
        auto menu = open();
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::DOWN);
        clearSounds();
        press(ClavierManager::BACK);
        menu->refresh(40);
        EXPECT_EQ(menu->getCode(), 2);
        EXPECT_TRUE(menu->getObject().empty());
        EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
        EXPECT_TRUE(allKeysCleared());
        EXPECT_EQ(validatePlays(), 1);
    }
}

TEST_F(OfficialLevelListTest, ValidateAndBackInOneFrameIsAValidate)
{
    installOfficialWorlds({3});
    auto menu = open();
    tap(*menu, ClavierManager::DOWN);
    clearSounds();
    press(ClavierManager::VALIDATE);
    press(ClavierManager::BACK, 2);
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_EQ(menu->getObject(), (Names{"Level_1-2"}));
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 1);
    EXPECT_EQ(validatePlays(), 1);
    EXPECT_TRUE(allKeysCleared());
}

TEST_F(OfficialLevelListTest, ValidateAndBackSaveTheSettingsAndKeyBindings)
{
    installOfficialWorlds({3});
    for (int action : {ClavierManager::VALIDATE, ClavierManager::BACK}) {
        SCOPED_TRACE(action);
        std::filesystem::remove(folders.userDir() + "Data/Options.dat");
        std::filesystem::remove(folders.userDir() + "Data/Keyboard.dat");
        auto menu = open();
        tap(*menu, action);
        EXPECT_NE(menu->getCode(), 0);
        EXPECT_EQ(userFile("Data/Options.dat"), wideOptions().str());
        EXPECT_TRUE(userFileExists("Data/Keyboard.dat"));
    }
}

TEST_F(OfficialLevelListTest, NewListOpensOnTheLevelLastPlayed)
{
    installOfficialWorlds({6});
    {
        auto menu = open();
        for (int i = 0; i < 3; ++i)
            tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::VALIDATE);
        ASSERT_EQ(menu->getObject(), (Names{"Level_1-4"}));
    }
    auto again = open();
    EXPECT_EQ(again->selection, 1);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 3);
    tap(*again, ClavierManager::VALIDATE);
    EXPECT_EQ(again->getObject(), (Names{"Level_1-4"}));
}

TEST_F(OfficialLevelListTest, RememberedLevelBeyondAShorterListIsBroughtWithinIt)
{
    installOfficialWorlds({6});
    MenuSingleOfficialLevels::choix = 5;
    std::filesystem::remove(folders.installDir() + "/Levels/Official/Level_1-4.kzl");
    auto menu = open();
    ASSERT_EQ(menu->levels.size(), 3u);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 2);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getObject(), (Names{"Level_1-3"}));
    QuadCapture capture;
    menu->draw();
    capture.finish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OfficialLevelListTest, EmptyInstallationLeavesOnlyPreviousAndBack)
{
    auto menu = open();
    EXPECT_TRUE(menu->levels.empty());
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(MenuSingleOfficialLevels::choix, 0);
    clearSounds();
    std::filesystem::remove(folders.userDir() + "Data/Options.dat");
    press(ClavierManager::VALIDATE);
    menu->refresh(40);
    releaseAll();
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_TRUE(menu->getObject().empty());
    EXPECT_TRUE(allKeysCleared());
    EXPECT_EQ(validatePlays(), 1);
    EXPECT_TRUE(userFileExists("Data/Options.dat"));

    // Only the background, the title, the items and the shade are drawn.
    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    EXPECT_TRUE(quadsAt(quads, 0.915 - 0.35 / 1.6, 0.48, 0.35 / 1.6, 0.35).empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    tap(*menu, ClavierManager::BACK);
    EXPECT_EQ(menu->getCode(), 2);
}

TEST_F(OfficialLevelListTest, RowsFollowTheCursor)
{
    installOfficialWorlds({20});
    auto menu = open();
    for (int i = 0; i < 2; ++i)
        tap(*menu, ClavierManager::UP);
    ASSERT_EQ(MenuSingleOfficialLevels::choix, 18);
    std::vector<int> entries;
    for (const LevelListWindow::Row& row : menu->visibleRows())
        entries.push_back(row.entry);
    EXPECT_EQ(entries, (std::vector<int>{18, 19, 0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(menu->visibleRows()[0].highlighted);
}

TEST_F(OfficialLevelListTest, PreviewIsTheLevelsOwnPictureOrTheFallback)
{
    installOfficialWorlds({3});
    writeInstallPng("Images/Previews/Official/Level_1-2.png");
    writeInstallPng("Images/Previews/NoPreview.png");
    CTextureManager* textures = CTextureManager::GetInstance();
    auto menu = open();
    const unsigned int fallback = menu->previewTexture();
    EXPECT_EQ(fallback, textures->GetTexture("Images/Previews/NoPreview.png"));
    EXPECT_NE(fallback, textures->GetTexture("default"));
    tap(*menu, ClavierManager::DOWN);
    const unsigned int own = menu->previewTexture();
    EXPECT_EQ(own, textures->GetTexture("Images/Previews/Official/Level_1-2.png"));
    EXPECT_NE(own, fallback);
}

TEST_F(OfficialLevelListTest, MissingFallbackPictureLeavesTheTransparentDefault)
{
    installOfficialWorlds({2});
    auto menu = open();
    EXPECT_EQ(menu->previewTexture(), CTextureManager::GetInstance()->GetTexture("default"));
}

TEST_F(OfficialLevelListTest, BestTimeOfTheSelectedLevel)
{
    installOfficialWorlds({3});
    LevelScoresManager* scores = LevelScoresManager::getInstance();
    ASSERT_TRUE(scores->addScore("Level_1-2", 83.45));
    scores->saveScore("Level_1-2");
    // A fresh store reads the time back from the player's file.
    delete LevelScoresManager::scoreManagerInst;
    LevelScoresManager::scoreManagerInst = nullptr;

    // A best-time file that does not hold a time counts as none.
    folders.writeUserFile("Levels/Official/Level_1-3.kzs", "garbage\n");

    auto menu = open();
    EXPECT_EQ(menu->bestTimeText(), "----.- s");
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(menu->bestTimeText(), "83.4 s");
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(menu->bestTimeText(), "----.- s");
}

TEST_F(OfficialLevelListTest, PreviewShowsInItsOwnColoursFrameAfterFrame)
{
    installOfficialWorlds({3});
    writeInstallSolidPng("Images/Previews/Official/Level_1-1.png", 200, 120, 40);
    auto menu = open();
    // The screen of the test window: 320 x 240 pixels.
    glViewport(0, 0, 320, 240);
    const int x = static_cast<int>((0.915 - 0.35 / 1.6 / 2) * 320);
    const int y = static_cast<int>(0.655 * 240);
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        GameManager::begin2D();
        menu->draw();
        GameManager::end2D();
        const Pixel p = readPixel(x, y);
        EXPECT_NEAR(p.r, 200, 3);
        EXPECT_NEAR(p.g, 120, 3);
        EXPECT_NEAR(p.b, 40, 3);
    }
}

struct DrawCase {
    const char* name;
    bool wide;
    int levels;
    int ups;       // from the first level, so the cursor ends on levels - ups
    int selection; // 1 playLevel, 2 previous
    bool preview;
    bool thumb;
};

void PrintTo(const DrawCase& c, std::ostream* out) { *out << c.name; }

class OfficialLevelListDrawTest : public OfficialLevelListTest,
                                  public ::testing::WithParamInterface<DrawCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam().wide ? wideOptions() : narrowOptions();
    }
};

TEST_P(OfficialLevelListDrawTest, DrawsPreviewAndThumbOnlyWhereTheyBelong)
{
    const DrawCase& c = GetParam();
    installOfficialWorlds({c.levels});
    auto menu = open();
    for (int i = 0; i < c.ups; ++i)
        tap(*menu, ClavierManager::UP);
    if (c.selection == 2)
        tap(*menu, ClavierManager::RIGHT);

    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    const double ratio = c.wide ? 1.6 : 4.0 / 3.0;
    const auto previews = quadsAt(quads, 0.915 - 0.35 / ratio, 0.48, 0.35 / ratio, 0.35);
    EXPECT_EQ(previews.size(), c.preview ? 1u : 0u);
    if (!previews.empty()) {
        EXPECT_NEAR(previews[0].tAtTop, 0.0, 1e-6);
    }
    const double thumbX = c.wide ? 0.616 : 0.567;
    const double travel = c.wide ? 0.385 : 0.368;
    const double thumbY = 0.745 - MenuSingleOfficialLevels::choix / (c.levels - 1.0) * travel;
    EXPECT_EQ(quadsAt(quads, thumbX, thumbY, 1.0 / 24 / ratio, 0.1).size(), c.thumb ? 1u : 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OfficialLevelListDrawTest,
    ::testing::Values(DrawCase{"EightLevelsNoThumb", true, 8, 0, 1, true, false},
                      DrawCase{"NineLevelsThumb", true, 9, 1, 1, true, true},
                      DrawCase{"NarrowNineLevels", false, 9, 1, 1, true, true},
                      DrawCase{"PreviousShowsNoList", true, 9, 0, 2, false, false}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

} // namespace
