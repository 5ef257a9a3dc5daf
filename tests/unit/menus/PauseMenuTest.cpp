// The pause menu: moves over the enabled items only, its codes, the keys it
// consumes, where its rows stand and how its picture is turned.
#include "MenuTestSupport.h"

#include "menus/MenuPause.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"

using menus_test::DrawnQuad;
using menus_test::MenuTest;
using menus_test::QuadCapture;

namespace {

using Keys = ClavierManager;

struct MoveCase {
    const char* name;
    bool restart;
    bool next;
    int start;
    std::vector<int> actions; // pressed one after another
    std::vector<int> selections; // after each
};

class PauseMoves : public MenuTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(PauseMoves, SkipDisabledItemsAndWrap)
{
    const MoveCase c = GetParam();
    MenuPause menu;
    menu.enableRestartLevel(c.restart);
    menu.enableNextLevel(c.next);
    menu.selection = c.start;
    menu.refresh(40); // nothing held: the repeat is ready
    for (std::size_t i = 0; i < c.actions.size(); ++i) {
        tap(menu, c.actions[i]);
        EXPECT_EQ(c.selections[i], menu.selection) << "after move " << i;
        EXPECT_FALSE(menu.isInIncorrectState());
    }
    EXPECT_EQ(static_cast<int>(c.actions.size()), movePlays());
    EXPECT_EQ(0, menu.getCode());
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PauseMoves,
    ::testing::Values(
        MoveCase{"NoneDownDown", false, false, 1, {Keys::DOWN, Keys::DOWN}, {4, 1}},
        MoveCase{"NoneUp", false, false, 1, {Keys::UP}, {4}},
        MoveCase{"NoneRightLeft", false, false, 1, {Keys::RIGHT, Keys::LEFT}, {4, 1}},
        MoveCase{"RestartOnlyUpFromAbandon", true, false, 4, {Keys::UP, Keys::UP}, {2, 1}},
        MoveCase{"RestartOnlyDown", true, false, 1, {Keys::DOWN, Keys::DOWN, Keys::DOWN}, {2, 4, 1}},
        MoveCase{"NextOnlyDown", false, true, 1, {Keys::DOWN, Keys::DOWN}, {3, 4}},
        MoveCase{"NextOnlyLeft", false, true, 3, {Keys::LEFT, Keys::LEFT}, {1, 4}},
        MoveCase{"AllDown", true, true, 1, {Keys::DOWN, Keys::DOWN, Keys::DOWN, Keys::DOWN},
                 {2, 3, 4, 1}},
        MoveCase{"AllUp", true, true, 1, {Keys::UP, Keys::UP}, {4, 3}}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(MenuTest, PauseMovesWithTheKeyRepeat)
{
    MenuPause menu;
    menu.enableRestartLevel(true);
    menu.enableNextLevel(true);
    // Opened with down still held: nothing moves before 200 ms.
    press(Keys::DOWN);
    std::vector<int> moved;
    for (int f = 0; f < 12; ++f) {
        const int before = menu.selection;
        menu.refresh(40);
        if (menu.selection != before)
            moved.push_back(f);
    }
    EXPECT_EQ((std::vector<int>{5, 11}), moved);
}

TEST_F(MenuTest, PauseDirectionsActInTheOrderUpDownLeftRight)
{
    struct Pair {
        int first, second, expected;
    };
    // From "restartLevel" with every item enabled.
    for (Pair p : {Pair{Keys::UP, Keys::DOWN, 1}, Pair{Keys::DOWN, Keys::LEFT, 3},
                   Pair{Keys::LEFT, Keys::RIGHT, 1}, Pair{Keys::RIGHT, Keys::UP, 1}}) {
        MenuPause menu;
        menu.enableRestartLevel(true);
        menu.enableNextLevel(true);
        menu.selection = 2;
        menu.repeatTimer = Menu::kRepeatDelay;
        releaseAll();
        press(p.first);
        press(p.second);
        menu.refresh(40);
        EXPECT_EQ(p.expected, menu.selection) << "keys " << p.first << " and " << p.second;
    }
}

TEST_F(MenuTest, PauseBackAlwaysContinues)
{
    for (int selection : {1, 2, 3, 4}) {
        MenuPause menu;
        menu.enableRestartLevel(true);
        menu.enableNextLevel(true);
        menu.selection = selection;
        press(Keys::BACK, 2);
        menu.refresh(40);
        EXPECT_EQ(1, menu.getCode()) << "selection " << selection;
        EXPECT_EQ(0, ClavierManager::clavier->keyState[Keys::BACK][1]);
    }
}

TEST_F(MenuTest, PauseValidateGivesTheItemAndConsumesOnlyValidate)
{
    MenuPause menu;
    menu.selection = 4;
    press(Keys::VALIDATE, 1);
    press(Keys::VALIDATE, 2);
    press(Keys::UP, 1);
    press(Keys::RESTART, 2);
    menu.refresh(40);
    EXPECT_EQ(4, menu.getCode());
    EXPECT_EQ(1, validatePlays());
    EXPECT_EQ(0, ClavierManager::clavier->keyState[Keys::VALIDATE][0]);
    EXPECT_EQ(0, ClavierManager::clavier->keyState[Keys::VALIDATE][1]);
    // A direction held through the choice still steers the game.
    EXPECT_EQ(1, ClavierManager::clavier->keyState[Keys::UP][0]);
    EXPECT_EQ(1, ClavierManager::clavier->keyState[Keys::RESTART][1]);
}

TEST_F(MenuTest, PauseValidateAndBackInOneFrameContinue)
{
    MenuPause menu;
    menu.selection = 4;
    press(Keys::VALIDATE);
    press(Keys::BACK);
    menu.refresh(40);
    EXPECT_EQ(1, menu.getCode());
}

TEST_F(MenuTest, PauseResetReturnsToContinueWhateverTheFlags)
{
    MenuPause menu;
    menu.enableRestartLevel(true);
    menu.selection = 2;
    menu.code = 2;
    menu.enableRestartLevel(false);
    EXPECT_TRUE(menu.isInIncorrectState());
    menu.reset();
    EXPECT_EQ(1, menu.selection);
    EXPECT_EQ(0, menu.getCode());
    EXPECT_FALSE(menu.isInIncorrectState());
    EXPECT_EQ("MenuPause", menu.getNom());
}

struct RowCase {
    const char* name;
    bool restart;
    bool next;
    std::vector<double> heights;
};

class PauseRows : public MenuTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(PauseRows, CloseUpAroundDisabledItems)
{
    MenuPause menu;
    menu.enableRestartLevel(GetParam().restart);
    menu.enableNextLevel(GetParam().next);
    const std::vector<double> heights = menu.rowHeights();
    ASSERT_EQ(GetParam().heights.size(), heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i)
        EXPECT_NEAR(GetParam().heights[i], heights[i], 1e-9) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PauseRows,
    ::testing::Values(RowCase{"Two", false, false, {0.452, 0.352}},
                      RowCase{"ThreeWithRestart", true, false, {0.497, 0.397, 0.297}},
                      RowCase{"ThreeWithNext", false, true, {0.497, 0.397, 0.297}},
                      RowCase{"Four", true, true, {0.505, 0.435, 0.365, 0.295}}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST_F(MenuTest, PausePictureIsTurnedAndTheColourEndsOpaque)
{
    MenuPause menu;
    EXPECT_EQ("Images/Menus/High/Ratio-4-3/menuPause.tga",
              CTextureManager::GetInstance()->GetTextureName(menu.background));
    QuadCapture capture;
    menu.draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    const auto picture = menus_test::quadsAt(quads, 0, 0, 1, 1);
    ASSERT_EQ(1u, picture.size());
    // The picture file is stored bottom row first.
    EXPECT_EQ(1.0, picture[0].tAtTop);
    // Title and two rows of text follow the picture.
    EXPECT_GT(quads.size(), 10u);
    EXPECT_EQ(1.0, menu.colors->getAlpha());
}

} // namespace
