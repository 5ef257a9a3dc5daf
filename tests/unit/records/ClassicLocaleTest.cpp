// Record files and score posts keep their number format whatever locale the
// process's streams would use by default (decimal comma, digit grouping).

#include "RecordsFixture.h"

#include "records/GhostManager.h"
#include "records/LevelScoresManager.h"
#include "records/SendScoreManager.h"

#include <locale>

namespace {

// Numbers as "1.234,5": grouping by three with "." and a decimal comma.
class CommaNumbers : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class ForeignLocale : public RecordsFolders {
protected:
    void SetUp() override
    {
        RecordsFolders::SetUp();
        previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    }

    void TearDown() override
    {
        std::locale::global(previous);
        RecordsFolders::TearDown();
    }

    std::locale previous;
};

TEST_F(ForeignLocale, GhostFilesAreWrittenAndReadInTheClassicForm)
{
    Ghost run;
    run.addPosition(Position(12345, 1234.5f, 0.1f, 2.25f, -1500.0f, 0.0f, 0.00001f));
    run.addInstruction(Instruction(23456, "Sound", "bonus"));
    GhostManager store;
    store.addGhost("Level_1-1", run);
    const char* const expected = "POS\t12345\t1234.5\t0.1\t2.25\t-1500\t0\t1e-05\nINS\t23456\tSound\tbonus\n";
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzg"), expected);

    GhostManager fresh;
    const Ghost back = fresh.getGhost("Level_1-1");
    ASSERT_EQ(back.getPositions().size(), 1u);
    EXPECT_EQ(back.getPositions()[0].getTime(), 12345);
    EXPECT_FLOAT_EQ(back.getPositions()[0].getX(), 1234.5f);
    EXPECT_FLOAT_EQ(back.getPositions()[0].getRX(), -1500.0f);
    ASSERT_EQ(back.getInstructions().size(), 1u);
    EXPECT_EQ(back.getInstructions()[0].getTime(), 23456);
}

TEST_F(ForeignLocale, TimeTextsKeepTheirPoint)
{
    EXPECT_EQ(SendScoreManager::secondsText(1234.567), "1234.57");
    EXPECT_EQ(LevelScoresManager::timeText(1234.56), "1234.5");
    LevelScoresManager scores;
    EXPECT_TRUE(scores.addScore("Level_1-1", 1234.56));
    LevelScoresManager later;
    EXPECT_EQ(later.getScoreAsString("Level_1-1"), "1234.5 s");
    EXPECT_FALSE(later.addScore("Level_1-1", 1234.5));
}

} // namespace
