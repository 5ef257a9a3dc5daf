// The six difficulty score tables, read from real files.

#include "RecordsFixture.h"

#include "records/DifficultyScoresManager.h"

namespace {

// Difficulty-table crypt texts of run time texts (trailing blank included).
const char* const crypt83_4 = "172158098164089";
const char* const crypt101_2 = "165155101158107151";
const char* const crypt95_0 = "173160098160089";

class DifficultyTables : public RecordsFolders {
protected:
    std::string tableFile(int difficulty)
    {
        return user + "Levels/Official/Scores_" + std::to_string(difficulty) + ".kzs";
    }

    static void expectEmptyFrom(DifficultyScoresManager& tables, int d, int first)
    {
        for (int i = first; i < 10; ++i) {
            EXPECT_EQ(tables.getName(d, i), "K.Z") << "d " << d << " rank " << i;
            EXPECT_EQ(tables.getScore(d, i), "9999.9") << "d " << d << " rank " << i;
        }
    }
};

TEST_F(DifficultyTables, WithoutFilesEveryTableIsTenEmptySlots)
{
    DifficultyScoresManager tables;
    for (int d = 0; d < 6; ++d)
        expectEmptyFrom(tables, d, 0);
    EXPECT_FALSE(exists(tableFile(1)));
}

TEST_F(DifficultyTables, ReadsNamesAndDeciphersTimes)
{
    writeFile(tableFile(2), std::string("ABC\t") + crypt83_4 + "\nXYZ\t" + crypt95_0 + "\nQQQ\t"
                                + crypt101_2 + "\n");
    DifficultyScoresManager tables;
    EXPECT_EQ(tables.getName(1, 0), "ABC");
    EXPECT_EQ(tables.getScore(1, 0), "83.4 ");
    EXPECT_EQ(tables.getName(1, 1), "XYZ");
    EXPECT_EQ(tables.getScore(1, 1), "95.0 ");
    EXPECT_EQ(tables.getName(1, 2), "QQQ");
    EXPECT_EQ(tables.getScore(1, 2), "101.2 ");
    expectEmptyFrom(tables, 1, 3);
    expectEmptyFrom(tables, 0, 0);
    ASSERT_NE(tables.getScores(1), nullptr);
    EXPECT_EQ(tables.getScores(1)[1], "95.0 ");
    EXPECT_EQ(tables.getNames(1)[2], "QQQ");
}

TEST_F(DifficultyTables, OddFilesGiveEmptySlotsWhereTheyCannotBeRead)
{
    struct Case {
        const char* name;
        std::string text;
        const char* firstName;
        const char* firstScore;
        const char* secondName;
        const char* secondScore;
    };
    const Case cases[] = {
        { "plain empty mark kept", "ABC\t9999.9\nDEF\t" + std::string(crypt83_4) + "\n", "ABC", "9999.9",
          "DEF", "83.4 " },
        { "Windows line ends", "ABC\t" + std::string(crypt83_4) + "\r\nDEF\t9999.9\r\n", "ABC", "83.4 ",
          "DEF", "9999.9" },
        { "any white space", "  ABC   " + std::string(crypt83_4) + "\n\n\nDEF 9999.9", "ABC", "83.4 ",
          "DEF", "9999.9" },
        { "name without time at the end", "ABC\t" + std::string(crypt83_4) + "\nDEF", "ABC", "83.4 ", "DEF",
          "9999.9" },
        { "garbled time", "ABC\tgarbage\nDEF\t" + std::string(crypt83_4) + "\n", "K.Z", "9999.9", "DEF",
          "83.4 " },
        { "time cut short", "ABC\t17215809\nDEF\t9999.9\n", "K.Z", "9999.9", "DEF", "9999.9" },
        { "binary junk", std::string("\x01\x02 \xff\xfe\n", 6), "K.Z", "9999.9", "K.Z", "9999.9" },
        { "empty file", "", "K.Z", "9999.9", "K.Z", "9999.9" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(tableFile(6), c.text);
        DifficultyScoresManager tables;
        EXPECT_EQ(tables.getName(5, 0), c.firstName);
        EXPECT_EQ(tables.getScore(5, 0), c.firstScore);
        EXPECT_EQ(tables.getName(5, 1), c.secondName);
        EXPECT_EQ(tables.getScore(5, 1), c.secondScore);
        expectEmptyFrom(tables, 5, 2);
    }
}

TEST_F(DifficultyTables, MoreThanTenLinesReadOnlyTheFirstTen)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "N" + std::to_string(i) + "\t" + crypt83_4 + "\n";
    writeFile(tableFile(3), text);
    DifficultyScoresManager tables;
    EXPECT_EQ(tables.getName(2, 9), "N9");
    EXPECT_EQ(tables.getScore(2, 9), "83.4 ");
}

TEST_F(DifficultyTables, AnEmptyUserFileIsSeededFromTheInstallation)
{
    makeFolder(install + "/Levels/Official");
    const std::string installed = std::string("ZED\t") + crypt95_0 + "\n";
    writeFile(install + "/Levels/Official/Scores_4.kzs", installed);
    writeFile(tableFile(4), "");
    DifficultyScoresManager tables;
    EXPECT_EQ(tables.getName(3, 0), "ZED");
    EXPECT_EQ(tables.getScore(3, 0), "95.0 ");
    EXPECT_EQ(readFile(tableFile(4)), installed);
}

TEST_F(DifficultyTables, LoadScoresSeesANewlyWrittenTable)
{
    DifficultyScoresManager tables;
    expectEmptyFrom(tables, 0, 0);
    writeFile(tableFile(1), std::string("AAA\t") + crypt83_4 + "\n");
    tables.loadScores();
    EXPECT_EQ(tables.getName(0, 0), "AAA");
    EXPECT_EQ(tables.getScore(0, 0), "83.4 ");
}

TEST_F(DifficultyTables, SetScoreChangesMemoryOnlyAndIgnoresOtherIndices)
{
    DifficultyScoresManager tables;
    tables.setScore("BOB", "12.3 ", 2, 4);
    EXPECT_EQ(tables.getName(2, 4), "BOB");
    EXPECT_EQ(tables.getScore(2, 4), "12.3 ");
    tables.saveScores();
    EXPECT_FALSE(exists(tableFile(3)));
    tables.setScore("BAD", "1.0 ", 6, 0);
    tables.setScore("BAD", "1.0 ", 0, 10);
    tables.setScore("BAD", "1.0 ", -1, -1);
    EXPECT_EQ(tables.getName(6, 0), "");
    EXPECT_EQ(tables.getScores(-1), nullptr);
    EXPECT_EQ(tables.getNames(6), nullptr);
}

TEST_F(DifficultyTables, ShippedSeedsAreWhatTheGameWritesForEmptyTables)
{
    std::string tenEmptyLines;
    for (int i = 0; i < 10; ++i)
        tenEmptyLines += "K.Z\t9999.9\n";
    makeFolder(install + "/Levels/Official");
    for (int d = 1; d <= 6; ++d) {
        const std::string seed = std::string(KORVELIN_SOURCE_DIR) + "/data/Levels/Official/Scores_"
            + std::to_string(d) + ".kzs";
        EXPECT_EQ(readFile(seed), tenEmptyLines) << seed;
        writeFile(install + "/Levels/Official/Scores_" + std::to_string(d) + ".kzs", readFile(seed));
    }
    DifficultyScoresManager tables;
    for (int d = 0; d < 6; ++d) {
        expectEmptyFrom(tables, d, 0);
        EXPECT_EQ(readFile(tableFile(d + 1)), tenEmptyLines);
    }
}

} // namespace
