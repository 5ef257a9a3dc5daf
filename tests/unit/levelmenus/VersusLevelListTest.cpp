// The two versus lists: ticking levels, inverting, handing the ticked names
// over in list order, the back codes and the drawing of the boxes.
#include "LevelMenuTestSupport.h"

#include "application/GameManager.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"

#include <GL/gl.h>

#include <cmath>
#include <filesystem>
#include <memory>

using namespace levelmenus_test;

namespace {

using Names = std::vector<std::string>;

class VersusLevelListTest : public LevelMenuTest {
protected:
    template <typename M> std::unique_ptr<M> open()
    {
        auto menu = std::make_unique<M>();
        menu->refresh(40);
        return menu;
    }

    std::vector<bool> ticks(const std::vector<CheckBox>& boxes)
    {
        std::vector<bool> states;
        for (const CheckBox& box : boxes)
            states.push_back(box.isChecked());
        return states;
    }

    void toItem(Menu& menu, int item)
    {
        while (menu.selection != item)
            tap(menu, ClavierManager::RIGHT);
    }
};

const Names kFive = {"Level_1-1", "Level_1-2", "Level_1-3", "Level_1-4", "Level_1-5"};

TEST_F(VersusLevelListTest, OfficialScreenOpensWithEveryBoxUnticked)
{
    installOfficialWorlds({11});
    MenuVersusOfficialLevels menu;
    EXPECT_EQ(menu.getNom(), "MenuVersusOfficialLevels");
    EXPECT_EQ(menu.itemCount, 4);
    EXPECT_EQ(menu.labels, (Names{"Choose", "Invert", "Play", "Back"}));
    EXPECT_EQ(menu.cursor, 0);
    ASSERT_EQ(menu.levels.size(), 11u);
    EXPECT_EQ(menu.levels[1], "Level_1-10");
    EXPECT_EQ(ticks(menu.checkBoxes), std::vector<bool>(11, false));
}

TEST_F(VersusLevelListTest, TickedLevelsAreHandedOverInListOrder)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::VALIDATE); // the third
    EXPECT_EQ(menu->getCode(), 0);
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::VALIDATE); // the first
    EXPECT_EQ(ticks(menu->checkBoxes), (std::vector<bool>{true, false, true, false, false}));
    toItem(*menu, 3);
    clearSounds();
    press(ClavierManager::VALIDATE);
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_EQ(menu->getObject(), (Names{"Level_1-1", "Level_1-3"}));
    EXPECT_TRUE(allKeysCleared());
    EXPECT_EQ(validatePlays(), 1);
}

TEST_F(VersusLevelListTest, ChoosingALevelTwiceUnticksIt)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    tap(*menu, ClavierManager::VALIDATE);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(ticks(menu->checkBoxes), std::vector<bool>(5, false));
}

TEST_F(VersusLevelListTest, InvertSelectionTogglesEveryBox)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    tap(*menu, ClavierManager::VALIDATE);
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::VALIDATE);
    const std::vector<bool> first = {true, false, false, false, true};
    ASSERT_EQ(ticks(menu->checkBoxes), first);
    toItem(*menu, 2);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(ticks(menu->checkBoxes), (std::vector<bool>{false, true, true, true, false}));
    EXPECT_EQ(menu->getCode(), 0);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(ticks(menu->checkBoxes), first);
}

TEST_F(VersusLevelListTest, PlayWithNothingTickedStaysOnTheScreen)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    toItem(*menu, 3);
    std::filesystem::remove(folders.userDir() + "Data/Options.dat");
    clearSounds();
    press(ClavierManager::VALIDATE);
    menu->refresh(40);
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_TRUE(menu->getObject().empty());
    EXPECT_EQ(validatePlays(), 1);
    EXPECT_TRUE(allKeysCleared());
    EXPECT_TRUE(userFileExists("Data/Options.dat"));
}

TEST_F(VersusLevelListTest, ItemChangesResetTheCursorAndOnlyChooseLevelsMovesIt)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(menu->selection, 2);
    EXPECT_EQ(menu->cursor, 0);
    for (int item : {2, 3, 4}) {
        SCOPED_TRACE(item);
        toItem(*menu, item);
        clearSounds();
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::UP);
        EXPECT_EQ(menu->cursor, 0);
        EXPECT_EQ(movePlays(), 0);
    }
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(menu->selection, 1);
    tap(*menu, ClavierManager::UP);
    EXPECT_EQ(menu->cursor, 4);
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(menu->cursor, 0);
    tap(*menu, ClavierManager::LEFT);
    EXPECT_EQ(menu->selection, 4);
}

TEST_F(VersusLevelListTest, PreviousAndBackLeaveWithTheCodeOfTheirList)
{
    installOfficialLevels(kFive);
    installCustomLevels({"a.x", "b.y"});
    struct Case {
        const char* name;
        bool custom;
        bool useBack;
        int code;
    };
    for (const Case& c : {Case{"official previous", false, false, 2},
                          Case{"official back", false, true, 2},
                          Case{"custom previous", true, false, 3},
                          Case{"custom back", true, true, 3}}) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Menu> menu;
        if (c.custom)
            menu = open<MenuVersusUnofficialLevels>();
        else
            menu = open<MenuVersusOfficialLevels>();
        tap(*menu, ClavierManager::VALIDATE); // a ticked box does not matter
        if (c.useBack) {
            clearSounds();
            press(ClavierManager::BACK, 2);
            menu->refresh(40);
            releaseAll();
            EXPECT_EQ(validatePlays(), 1);
            EXPECT_TRUE(allKeysCleared());
        } else {
            toItem(*menu, 4);
            tap(*menu, ClavierManager::VALIDATE);
        }
        EXPECT_EQ(menu->getCode(), c.code);
        EXPECT_TRUE(menu->getObject().empty());
    }
}

TEST_F(VersusLevelListTest, CustomScreenListsThePlayersLevelsByWholeName)
{
    installCustomLevels({"zeta.amy", "alpha.zed", "my.map.bob", "x", "../bad.x"});
    auto menu = open<MenuVersusUnofficialLevels>();
    EXPECT_EQ(menu->getNom(), "MenuVersusUnofficialLevels");
    EXPECT_EQ(menu->levels, (Names{"alpha.zed", "my.map.bob", "zeta.amy"}));
    EXPECT_EQ(menu->checkBoxes.size(), 3u);
    EXPECT_NEAR(menu->authorColumnOffset, -0.05, 1e-6);
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::VALIDATE);
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::VALIDATE);
    toItem(*menu, 3);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_EQ(menu->getObject(), (Names{"my.map.bob", "zeta.amy"}));
}

TEST_F(VersusLevelListTest, CustomScreenReadsTheFirstNameBehindAByteOrderMark)
{
    installCustomLevels({"beta.amy", "alpha.zed"});
    writeUserList("\xEF\xBB\xBF" "beta.amy\nalpha.zed\n");
    auto menu = open<MenuVersusUnofficialLevels>();
    EXPECT_EQ(menu->levels, (Names{"alpha.zed", "beta.amy"}));
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::VALIDATE);
    toItem(*menu, 3);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getObject(), (Names{"beta.amy"}));
}

TEST_F(VersusLevelListTest, EmptyListsLeaveOnlyPreviousAndBack)
{
    for (bool custom : {false, true}) {
        SCOPED_TRACE(custom);
        std::unique_ptr<Menu> menu;
        if (custom)
            menu = open<MenuVersusUnofficialLevels>();
        else
            menu = open<MenuVersusOfficialLevels>();
        for (int item : {1, 2, 3}) {
            toItem(*menu, item);
            tap(*menu, ClavierManager::DOWN);
            tap(*menu, ClavierManager::VALIDATE);
            EXPECT_EQ(menu->getCode(), 0);
            EXPECT_TRUE(menu->getObject().empty());
        }
        for (int item : {1, 2, 3, 4}) {
            toItem(*menu, item);
            QuadCapture capture;
            menu->draw();
            capture.finish();
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
        toItem(*menu, 4);
        tap(*menu, ClavierManager::VALIDATE);
        EXPECT_EQ(menu->getCode(), custom ? 3 : 2);
    }
}

TEST_F(VersusLevelListTest, PreviewAndBestTimeFollowTheCursor)
{
    installOfficialLevels({"Level_1-1", "Level_1-2"});
    installCustomLevels({"a.x", "b.y"});
    writeInstallPng("Images/Previews/Official/Level_1-2.png");
    writeUserPng("Images/Previews/Custom/b.y.png");
    writeInstallPng("Images/Previews/NoPreview.png");
    LevelScoresManager* scores = LevelScoresManager::getInstance();
    ASSERT_TRUE(scores->addScore("Level_1-2", 40.0));
    ASSERT_TRUE(scores->addScore("b.y", 7.25));
    scores->saveScores();
    delete LevelScoresManager::scoreManagerInst;
    LevelScoresManager::scoreManagerInst = nullptr;
    CTextureManager* textures = CTextureManager::GetInstance();

    auto official = open<MenuVersusOfficialLevels>();
    const unsigned int fallback = official->previewTexture();
    EXPECT_EQ(fallback, textures->GetTexture("Images/Previews/NoPreview.png"));
    EXPECT_EQ(official->bestTimeText(), "----.- s");
    tap(*official, ClavierManager::DOWN);
    const unsigned int officialOwn = official->previewTexture();
    EXPECT_EQ(officialOwn, textures->GetTexture("Images/Previews/Official/Level_1-2.png"));
    EXPECT_NE(officialOwn, fallback);
    EXPECT_EQ(official->bestTimeText(), "40.0 s");

    auto custom = open<MenuVersusUnofficialLevels>();
    EXPECT_EQ(custom->previewTexture(), fallback);
    tap(*custom, ClavierManager::DOWN);
    const unsigned int customOwn = custom->previewTexture();
    EXPECT_EQ(customOwn, textures->GetTexture(folders.userDir() + "Images/Previews/Custom/b.y.png"));
    EXPECT_NE(customOwn, fallback);
    EXPECT_EQ(custom->bestTimeText(), "7.2 s");
}

TEST_F(VersusLevelListTest, NewScreenForgetsTheTicksAndTheCursor)
{
    installOfficialLevels(kFive);
    {
        auto menu = open<MenuVersusOfficialLevels>();
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::VALIDATE);
        toItem(*menu, 3);
        tap(*menu, ClavierManager::VALIDATE);
        ASSERT_EQ(menu->getCode(), 1);
    }
    auto menu = open<MenuVersusOfficialLevels>();
    EXPECT_EQ(menu->cursor, 0);
    EXPECT_EQ(menu->selection, 1);
    EXPECT_EQ(ticks(menu->checkBoxes), std::vector<bool>(5, false));
}

TEST_F(VersusLevelListTest, BoxesAndThumbShowInTheirOwnColoursFrameAfterFrame)
{
    installOfficialWorlds({9});
    writeInstallSolidPng("Images/Interface/High/checkBox.png", 30, 200, 90);
    writeInstallSolidPng("Images/Interface/High/ScrollBar.png", 220, 60, 160);
    auto menu = open<MenuVersusOfficialLevels>();
    // The screen of the test window: 320 x 240 pixels.
    glViewport(0, 0, 320, 240);
    const int boxX = static_cast<int>((0.045 + 0.05 / 1.6 / 2) * 320);
    const int boxY = static_cast<int>((0.786 + 0.025) * 240);
    const int thumbX = static_cast<int>((0.616 + 1.0 / 24 / 1.6 / 2) * 320);
    const int thumbY = static_cast<int>((0.745 + 0.05) * 240);
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        GameManager::begin2D();
        menu->draw();
        GameManager::end2D();
        const Pixel box = readPixel(boxX, boxY);
        EXPECT_NEAR(box.r, 30, 3);
        EXPECT_NEAR(box.g, 200, 3);
        EXPECT_NEAR(box.b, 90, 3);
        const Pixel thumb = readPixel(thumbX, thumbY);
        EXPECT_NEAR(thumb.r, 220, 3);
        EXPECT_NEAR(thumb.g, 60, 3);
        EXPECT_NEAR(thumb.b, 160, 3);
    }
}

// Drawing: which boxes stand where, and when the thumb and the preview show.
struct DrawCase {
    const char* name;
    bool custom;
    bool wide;
    int levels;
    int item;
    int rowsShown; // boxes drawn
    bool thumb;
    bool preview;
};

void PrintTo(const DrawCase& c, std::ostream* out) { *out << c.name; }

class VersusDrawTest : public VersusLevelListTest, public ::testing::WithParamInterface<DrawCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam().wide ? wideOptions() : narrowOptions();
    }
};

TEST_P(VersusDrawTest, BoxesThumbAndPreview)
{
    const DrawCase& c = GetParam();
    std::unique_ptr<Menu> menu;
    Names names;
    for (int i = 0; i < c.levels; ++i)
        names.push_back(c.custom ? "title" + std::to_string(10 + i) + ".author"
                                 : "Level_1-" + std::to_string(i + 1));
    if (c.custom) {
        installCustomLevels(names);
        menu = open<MenuVersusUnofficialLevels>();
    } else {
        installOfficialLevels(names);
        menu = open<MenuVersusOfficialLevels>();
    }
    // The cursor on the last level, its box ticked.
    tap(*menu, ClavierManager::UP);
    tap(*menu, ClavierManager::VALIDATE);
    toItem(*menu, c.item);

    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    const double ratio = c.wide ? 1.6 : 4.0 / 3.0;

    // Boxes: 0.05 high on the official screen, 0.8 of that on the custom one.
    const double scale = c.custom ? 0.8 : 1.0;
    const double e = c.custom ? (c.wide ? 0.0 : 0.01) : (c.wide ? 0.0 : 0.005);
    const double boxX = c.custom ? 0.055 : 0.045;
    const double top = c.custom ? 0.993 : 0.786;
    const double step = c.custom ? 0.0585 : 0.058;
    int boxes = 0;
    for (int row = 0; row < 10; ++row) {
        const auto found = quadsAt(quads, scale * boxX, scale * (top + e - step * row),
                                   scale * 0.05 / ratio, scale * 0.05);
        if (found.empty())
            continue;
        ++boxes;
        // Only the last level is ticked. On "chooseLevels" the cursor is on
        // it; any other item has brought the cursor back to the first level.
        const int windowRows = c.custom ? 10 : 8;
        const int cursor = c.item == 1 ? c.levels - 1 : 0;
        const int tickedRow =
            c.levels > windowRows ? (c.levels - 1 - cursor + c.levels) % c.levels : c.levels - 1;
        EXPECT_NEAR(found[0].tAtTop, row == tickedRow ? 0.0 : 0.5, 1e-6) << row;
    }
    EXPECT_EQ(boxes, c.rowsShown);

    const double thumbX = c.wide ? 0.616 : 0.567;
    const double travel = c.wide ? 0.385 : 0.368;
    const double thumbY = 0.745 - (c.item == 1 ? travel : 0.0);
    EXPECT_EQ(quadsAt(quads, thumbX, thumbY, 1.0 / 24 / ratio, 0.1).size(), c.thumb ? 1u : 0u);
    EXPECT_EQ(quadsAt(quads, 0.915 - 0.35 / ratio, 0.48, 0.35 / ratio, 0.35).size(),
              c.preview ? 1u : 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VersusDrawTest,
    ::testing::Values(
        DrawCase{"OfficialNineLevels", false, true, 9, 1, 8, true, true},
        DrawCase{"OfficialEightLevels", false, true, 8, 1, 8, false, true},
        DrawCase{"OfficialNarrow", false, false, 9, 1, 8, true, true},
        DrawCase{"OfficialOnInvert", false, true, 9, 2, 8, true, false},
        DrawCase{"OfficialOnPrevious", false, true, 9, 4, 0, false, false},
        DrawCase{"CustomTenLevels", true, true, 10, 1, 10, false, true},
        DrawCase{"CustomElevenLevels", true, true, 11, 1, 10, true, true},
        DrawCase{"CustomNarrow", true, false, 11, 1, 10, true, true},
        DrawCase{"CustomOnPlay", true, true, 4, 3, 4, false, false},
        DrawCase{"CustomOnPrevious", true, true, 4, 4, 0, false, false}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

TEST_F(VersusLevelListTest, HighlightOnlyWhileChoosingLevels)
{
    installOfficialLevels(kFive);
    auto menu = open<MenuVersusOfficialLevels>();
    tap(*menu, ClavierManager::DOWN);
    auto highlighted = [&menu]() {
        int row = -1;
        const std::vector<LevelListWindow::Row> rows = menu->visibleRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].highlighted)
                row = static_cast<int>(i);
        return row;
    };
    auto litQuads = [&menu]() {
        QuadCapture capture;
        menu->draw();
        int lit = 0;
        for (const DrawnQuad& q : capture.finish())
            if (std::fabs(q.colour[0] - ColorManager::lightBlue[0]) < 0.01 &&
                std::fabs(q.colour[1] - ColorManager::lightBlue[1]) < 0.01 &&
                std::fabs(q.colour[2] - ColorManager::lightBlue[2]) < 0.01)
                ++lit;
        return lit;
    };
    EXPECT_EQ(highlighted(), 1);
    EXPECT_GT(litQuads(), 0);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(highlighted(), -1);
    EXPECT_EQ(litQuads(), 0);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(highlighted(), -1);
    EXPECT_EQ(litQuads(), 0);
}

} // namespace
