// The difficulty score screen over real table files in a temporary player's
// folder: what each row shows, the item row, and where the table is drawn.

#include "../optionsmenu/MenuTestFixture.h"
#include "ScoreTables.h"

#include "levelmenus/MenuScores.h"
#include "records/DifficultyScoresManager.h"

namespace {

using menu_test::MenuFixture;
using K = ClavierManager;

class ScoreScreen : public MenuFixture {
protected:
    void open()
    {
        openDevices();
        menu = std::make_unique<MenuScores>();
        menu->refresh(40);
    }

    void expectEmptyRows(int d, int first)
    {
        for (int i = first; i < 10; ++i) {
            EXPECT_EQ(menu->nameText(d, i), " - K.Z - ") << "difficulty " << d << " row " << i;
            EXPECT_EQ(menu->timeText(d, i), "9999.9s") << "difficulty " << d << " row " << i;
        }
    }

    std::unique_ptr<MenuScores> menu;
};

TEST_F(ScoreScreen, ItemRowIsTheSixDifficultiesAndPrevious)
{
    open();
    EXPECT_EQ(menu->getNom(), "MenuScores");
    EXPECT_EQ(menu->title, " - " + text("scores"));
    ASSERT_EQ(menu->itemCount, 7);
    std::vector<std::string> expected;
    for (int d = 1; d <= 6; ++d)
        expected.push_back(text("difficulty_" + std::to_string(d)));
    expected.push_back(text("previous"));
    EXPECT_EQ(menu->labels, expected);
    EXPECT_EQ(menu->selection, 1);
    EXPECT_EQ(menu->getCode(), 0);
}

TEST_F(ScoreScreen, WithoutTableFilesEveryDifficultyShowsTenEmptyRows)
{
    open();
    for (int d = 1; d <= 6; ++d)
        expectEmptyRows(d, 0);
    EXPECT_EQ(menu->rankText(0), " 1.");
    EXPECT_EQ(menu->rankText(8), " 9.");
    EXPECT_EQ(menu->rankText(9), "10.");
}

TEST_F(ScoreScreen, ShowsRealTablesAsTheStoreReadsThem)
{
    folders->writeUserFile(score_test::tablePath(2),
                           score_test::table({ { "ABC", "83.4 " }, { "XYZ", "95.0 " }, { "QQQ", "101.2 " } }));
    // A garbled time field is an empty slot; the rest of the file still counts.
    folders->writeUserFile(score_test::tablePath(5), "ABC\tgarbage\nDEF\t" + score_test::field("7.5 ") +
                                                         "\nGHI\t9999.9\n");
    folders->writeUserFile(score_test::tablePath(6), "");
    open();
    EXPECT_EQ(menu->nameText(2, 0), " - ABC - ");
    EXPECT_EQ(menu->timeText(2, 0), "83.4 s");
    EXPECT_EQ(menu->nameText(2, 2), " - QQQ - ");
    EXPECT_EQ(menu->timeText(2, 2), "101.2 s");
    expectEmptyRows(2, 3);
    EXPECT_EQ(menu->nameText(5, 0), " - K.Z - ");
    EXPECT_EQ(menu->timeText(5, 0), "9999.9s");
    EXPECT_EQ(menu->nameText(5, 1), " - DEF - ");
    EXPECT_EQ(menu->timeText(5, 1), "7.5 s");
    EXPECT_EQ(menu->nameText(5, 2), " - GHI - ");
    EXPECT_EQ(menu->timeText(5, 2), "9999.9s");
    expectEmptyRows(6, 0);
    expectEmptyRows(1, 0);
}

TEST_F(ScoreScreen, AnExistingStoreIsUsedWithoutReloading)
{
    openDevices();
    DifficultyScoresManager::scoreManagerInst = new DifficultyScoresManager();
    folders->writeUserFile(score_test::tablePath(1), score_test::table({ { "NEW", "10.0 " } }));
    menu = std::make_unique<MenuScores>();
    EXPECT_EQ(menu->nameText(1, 0), " - K.Z - ");
    // Once the store has read the tables again, charger takes them afresh.
    DifficultyScoresManager::scoreManagerInst->loadScores();
    menu->charger();
    EXPECT_EQ(menu->nameText(1, 0), " - NEW - ");
    EXPECT_EQ(menu->timeText(1, 0), "10.0 s");
}

TEST_F(ScoreScreen, ItemRowWrapsAndOnlyPreviousOrBackLeave)
{
    open();
    tap(*menu, K::LEFT);
    EXPECT_EQ(menu->selection, 7);
    tap(*menu, K::RIGHT);
    EXPECT_EQ(menu->selection, 1);
    tap(*menu, K::RIGHT);
    tap(*menu, K::VALIDATE);
    // The application leaves on 7 only: a difficulty keeps the screen open.
    EXPECT_EQ(menu->getCode(), 2);
    menu->reset();
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_EQ(menu->selection, 1);
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT);
    tap(*menu, K::BACK, 1);
    EXPECT_EQ(menu->getCode(), 7);
    EXPECT_TRUE(allKeyStatesClear());
}

TEST_F(ScoreScreen, ValidateOnPreviousLeaves)
{
    open();
    tap(*menu, K::LEFT);
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCode(), 7);
}

struct ColumnCase {
    int aspectClass;
    double rank;
    double name;
    double time;
};

class ScoreColumns : public ::testing::TestWithParam<ColumnCase> {
};

TEST_P(ScoreColumns, FollowTheAspectClass)
{
    const ColumnCase c = GetParam();
    const MenuScores::Columns got = MenuScores::columns(c.aspectClass);
    EXPECT_DOUBLE_EQ(got.rank, c.rank);
    EXPECT_DOUBLE_EQ(got.name, c.name);
    EXPECT_DOUBLE_EQ(got.time, c.time);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, ScoreColumns,
                         ::testing::Values(ColumnCase{ 0, 0.1, 0.35, 0.75 }, ColumnCase{ 1, 0.1, 0.29, 0.585 },
                                           ColumnCase{ 2, 0.1, 0.3, 0.6 }, ColumnCase{ 3, 0.07, 0.3, 0.725 },
                                           ColumnCase{ 7, 0.1, 0.29, 0.585 }));

TEST(ScoreRows, StepDownFrom081To0405)
{
    EXPECT_DOUBLE_EQ(MenuScores::rowY(0), 0.81);
    EXPECT_NEAR(MenuScores::rowY(9), 0.405, 1e-12);
}

// Horizontal extent of what is drawn in a band, as fractions of the width.
std::pair<double, double> litExtent(const std::vector<unsigned char>& pixels, double yLow, double yHigh)
{
    using namespace menu_test;
    int left = kWindowWidth, right = -1;
    for (int y = static_cast<int>(yLow * kWindowHeight); y < static_cast<int>(yHigh * kWindowHeight); ++y)
        for (int x = 0; x < kWindowWidth; ++x) {
            const unsigned char* p = &pixels[(y * kWindowWidth + x) * 4];
            if (p[0] > 30 || p[1] > 30 || p[2] > 30) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    return { static_cast<double>(left) / kWindowWidth, static_cast<double>(right + 1) / kWindowWidth };
}

struct DrawnLayout {
    int width;
    int height;
    double rankLeft;
    double timeRight;
};

class ScoreScreenDrawing : public ScoreScreen, public ::testing::WithParamInterface<DrawnLayout> {
};

TEST_P(ScoreScreenDrawing, TableStandsInItsColumnsAndNotOnPrevious)
{
    const DrawnLayout layout = GetParam();
    korvelin_test::OptionsText options;
    options.width = layout.width;
    options.height = layout.height;
    options.debug = false;
    folders->writeUserFile("Data/Options.dat", options.str());
    open();
    const std::vector<unsigned char> table = render(*menu);
    // The ten rows, from just above the first to just below the tenth.
    EXPECT_GT(litPixels(table, 0.39, 0.86), 0);
    const std::pair<double, double> extent = litExtent(table, 0.39, 0.86);
    EXPECT_NEAR(extent.first, layout.rankLeft, 0.01);
    EXPECT_NEAR(extent.second, layout.timeRight, 0.02) << extent.second;

    tap(*menu, K::LEFT);
    ASSERT_EQ(menu->selection, 7);
    EXPECT_EQ(litPixels(render(*menu), 0.39, 0.86), 0);
}

INSTANTIATE_TEST_SUITE_P(NarrowAndFiveByFour, ScoreScreenDrawing,
                         ::testing::Values(DrawnLayout{ 1024, 768, 0.1, 0.75 },
                                           DrawnLayout{ 1280, 1024, 0.07, 0.725 }),
                         [](const ::testing::TestParamInfo<DrawnLayout>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST_F(ScoreScreen, TableStaysDarkAndTheOtherItemsDimmedFrameAfterFrame)
{
    useWhiteBackground();
    open();
    const std::vector<unsigned char> shown = render(*menu);
    EXPECT_GT(darkPixels(shown, 0.39, 0.86), 200);
    // Narrow screen: the item row spans 0.195 to 0.323; item 1 of 7 is lit.
    const double selected = brightness(shown, 0.01, 0.13, 0.2, 0.32);
    const double other = brightness(shown, 0.44, 0.56, 0.2, 0.32);
    EXPECT_GT(selected, other + 40) << selected << " " << other;
}

} // namespace
