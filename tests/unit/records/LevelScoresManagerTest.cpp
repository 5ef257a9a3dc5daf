// Best times per level and their scrambled ".kzs" files, on real files.

#include "RecordsFixture.h"

#include "records/LevelScoresManager.h"

namespace {

// The level-score key's crypt texts of some time texts.
const char* const crypt83_4 = "169170158161";
const char* const crypt83_3 = "169170158160";

class BestTimes : public RecordsFolders {
protected:
    std::string officialFile(const std::string& level) { return user + "Levels/Official/" + level + ".kzs"; }
    std::string customFile(const std::string& level) { return user + "Levels/Custom/" + level + ".kzs"; }
};

TEST_F(BestTimes, AFirstFinishIsARecordStoredTruncatedToTenths)
{
    LevelScoresManager scores;
    EXPECT_EQ(scores.getScoreAsString("Level_1-1"), "----.- s");
    EXPECT_TRUE(scores.addScore("Level_1-1", 83.47));
    EXPECT_EQ(readFile(officialFile("Level_1-1")), crypt83_4);
    EXPECT_EQ(scores.getScoreAsString("Level_1-1"), "83.4 s");

    // Another run of the game reads it back.
    LevelScoresManager later;
    EXPECT_EQ(later.getScoreAsString("Level_1-1"), "83.4 s");
}

TEST_F(BestTimes, OnlyAStrictlyShorterTimeBeatsTheStoredOne)
{
    struct Case {
        double seconds;
        bool record;
        const char* stored;
    };
    const Case cases[] = {
        { 83.4, false, crypt83_4 },   // equal
        { 83.45, false, crypt83_4 },  // the stored time is the truncated one
        { 90.0, false, crypt83_4 },
        { 83.39, true, crypt83_3 },
        { 83300 / 1000.0, true, crypt83_3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        writeFile(officialFile("Level_2-1"), crypt83_4);
        // A level no menu has shown yet, as when started from the command line.
        LevelScoresManager scores;
        EXPECT_EQ(scores.addScore("Level_2-1", c.seconds), c.record);
        EXPECT_EQ(readFile(officialFile("Level_2-1")), c.stored);
    }
}

TEST_F(BestTimes, ABestTimeBehindAByteOrderMarkIsRead)
{
    const std::string marked = std::string("\xEF\xBB\xBF") + crypt83_4;
    writeFile(customFile("Canyon.Zed"), marked);
    LevelScoresManager shown;
    EXPECT_EQ(shown.getScoreAsString("Canyon.Zed"), "83.4 s");

    // A slower finish leaves the file as it was; a faster one replaces it.
    LevelScoresManager slower;
    EXPECT_FALSE(slower.addScore("Canyon.Zed", 90.0));
    EXPECT_EQ(readFile(customFile("Canyon.Zed")), marked);
    LevelScoresManager faster;
    EXPECT_TRUE(faster.addScore("Canyon.Zed", 83.39));
    EXPECT_EQ(readFile(customFile("Canyon.Zed")), crypt83_3);
}

TEST_F(BestTimes, AnUnreadableOrEmptyFileHoldsNoBestTime)
{
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        { "empty file", "" },
        { "only blanks", " \n\t" },
        { "not a crypt text", "garbage" },
        { "scrambled non-number", "216216226207219217217" },  // "garbage"
        { "scrambled blank number", "089" },
        { "scrambled letters", "210217211" },
        { "cut short", "16917" },
        { "binary", std::string("\x00\xff\x10", 3) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(customFile("Canyon.Zed"), c.content);
        LevelScoresManager shown;
        EXPECT_EQ(shown.getScoreAsString("Canyon.Zed"), "----.- s");
        EXPECT_THROW(shown.loadScore("Canyon.Zed"), LevelScoresManagerNoScoreForThisLevelException);
        LevelScoresManager finished;
        EXPECT_TRUE(finished.addScore("Canyon.Zed", 9000.0));
        EXPECT_EQ(finished.getScoreAsString("Canyon.Zed"), "9000.0 s");
    }
}

TEST_F(BestTimes, TimeTextsKeepOneDecimal)
{
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        { 12.3456, "12.3" }, { 12.04, "12.0" }, { 40.0, "40.0" }, { 0.25, "0.2" },
        { 83400 / 1000.0, "83.4" }, { 700 / 1000.0, "0.7" }, { 125.59, "125.5" },
        { 9999.99, "9999.9" }, { 0.0, "0.0" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(LevelScoresManager::timeText(c.seconds), c.text) << c.seconds;
}

TEST_F(BestTimes, CustomAndOfficialFilesLieInTheirFolders)
{
    LevelScoresManager scores;
    EXPECT_TRUE(scores.isOfficial("Level_1-1"));
    EXPECT_FALSE(scores.isOfficial("Canyon.Zed"));
    EXPECT_TRUE(scores.addScore("My.Title.Zed", 83.4));
    EXPECT_EQ(readFile(customFile("My.Title.Zed")), crypt83_4);
    EXPECT_FALSE(exists(officialFile("My.Title.Zed")));
}

TEST_F(BestTimes, TheTextOverloadStoresTheTextUnchanged)
{
    LevelScoresManager scores;
    scores.addScore("Level_1-3", std::string("83.4"));
    EXPECT_EQ(readFile(officialFile("Level_1-3")), crypt83_4);
    EXPECT_EQ(scores.getScoreAsString("Level_1-3"), "83.4 s");
    EXPECT_EQ(scores.addSeconds("12.3"), "12.3 s");
}

TEST_F(BestTimes, NamesThatWouldLeaveTheFolderWriteNothing)
{
    const char* names[] = { "../../escaped.Zed", "../escaped", "sub/dir.Zed", "back\\slash.Zed",
                            "dots..Zed", ".hidden", "", "/absolute.Zed" };
    LevelScoresManager scores;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(scores.addScore(name, 10.0));
        scores.addScore(name, std::string("10.0"));
        EXPECT_THROW(scores.loadScore(name), LevelScoresManagerNoScoreForThisLevelException);
    }
    EXPECT_TRUE(filesIn(user + "Levels/Official").empty());
    EXPECT_TRUE(filesIn(user + "Levels/Custom").empty());
    EXPECT_EQ(filesIn(user + "Levels").size(), 2u);
    EXPECT_FALSE(exists(user + "escaped.Zed.kzs"));
    EXPECT_FALSE(exists(appData + "/escaped.Zed.kzs"));
    EXPECT_FALSE(exists("/absolute.Zed.kzs"));
}

TEST_F(BestTimes, AFailedWriteLeavesTheOldFileIntact)
{
    writeFile(officialFile("Level_1-1"), crypt83_4);
    limitFileSize(4);
    LevelScoresManager scores;
    // Still a record for this run; the file keeps the old best time.
    EXPECT_TRUE(scores.addScore("Level_1-1", 50.0));
    EXPECT_EQ(readFile(officialFile("Level_1-1")), crypt83_4);
    EXPECT_EQ(filesIn(user + "Levels/Official"), std::vector<std::string> { "Level_1-1.kzs" });
    EXPECT_EQ(scores.getScoreAsString("Level_1-1"), "50.0 s");
}

TEST_F(BestTimes, AWriteThatCannotBeMadeIsLoggedAsAnError)
{
    // A plain file where the folder should be: no temporary file can be made.
    enableDebugLog();
    ASSERT_EQ(std::system(("rm -rf '" + user + "Levels/Custom'").c_str()), 0);
    writeFile(user + "Levels/Custom", "not a folder");
    LevelScoresManager scores;
    EXPECT_TRUE(scores.addScore("Canyon.Zed", 50.0));
    EXPECT_EQ(errorLines("LevelScoresManager", "saveScore").size(), 1u) << readFile(install + "/Debug.txt");
    EXPECT_EQ(readFile(user + "Levels/Custom"), "not a folder");
}

} // namespace
