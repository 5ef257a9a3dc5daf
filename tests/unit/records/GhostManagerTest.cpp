// The ghost store and the ".kzg" ghost files, on real files.

#include "RecordsFixture.h"

#include "records/GhostManager.h"

#include <limits>

namespace {

class GhostStore : public RecordsFolders {
protected:
    static Ghost sampleRun()
    {
        Ghost run;
        run.addPosition(Position(0, 0.15f, 1.0f, 12.5f, 0.00001f, -3.75f, 0.0f));
        run.addPosition(Position(60, 1.0f, 1.0f, 11.25f, 90.0f, 180.0f, -45.5f));
        run.addInstruction(Instruction(20, "Sound", "rebond"));
        run.addInstruction(Instruction(70, "Sound", "bonus"));
        return run;
    }

    static const char* sampleText()
    {
        return "POS\t0\t0.15\t1\t12.5\t1e-05\t-3.75\t0\n"
               "POS\t60\t1\t1\t11.25\t90\t180\t-45.5\n"
               "INS\t20\tSound\trebond\n"
               "INS\t70\tSound\tbonus\n";
    }

    // A store of its own, so that nothing is cached from an earlier case.
    Ghost loadFromFile(const std::string& level)
    {
        GhostManager store;
        return store.loadGhost(level);
    }
};

void expectPose(const Position& p, long time, float x, float y, float z, float rx, float ry, float rz)
{
    EXPECT_EQ(p.getTime(), time);
    EXPECT_FLOAT_EQ(p.getX(), x);
    EXPECT_FLOAT_EQ(p.getY(), y);
    EXPECT_FLOAT_EQ(p.getZ(), z);
    EXPECT_FLOAT_EQ(p.getRX(), rx);
    EXPECT_FLOAT_EQ(p.getRY(), ry);
    EXPECT_FLOAT_EQ(p.getRZ(), rz);
}

TEST_F(GhostStore, WritesTheExactFileAndReadsItBack)
{
    GhostManager store;
    store.addGhost("Level_1-1", 12.5, sampleRun());
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzg"), sampleText());

    Ghost back = loadFromFile("Level_1-1");
    ASSERT_EQ(back.getPositions().size(), 2u);
    expectPose(back.getPositions()[0], 0, 0.15f, 1.0f, 12.5f, 0.00001f, -3.75f, 0.0f);
    expectPose(back.getPositions()[1], 60, 1.0f, 1.0f, 11.25f, 90.0f, 180.0f, -45.5f);
    ASSERT_EQ(back.getInstructions().size(), 2u);
    EXPECT_EQ(back.getInstructions()[0].getTime(), 20);
    EXPECT_EQ(back.getInstructions()[0].getInstruction(), "Sound");
    EXPECT_EQ(back.getInstructions()[0].getParameter(), "rebond");
    EXPECT_FALSE(back.getInstructions()[0].isDone());
    EXPECT_EQ(back.getInstructions()[1].getTime(), 70);
    EXPECT_EQ(back.getInstructions()[1].getParameter(), "bonus");
    // Rewound for replay: the next pose recorded at 0 would be kept again.
    EXPECT_EQ(back.getLastRecordedTime(), -51);
}

TEST_F(GhostStore, CustomLevelsLieUnderCustomAndOfficialOnesUnderOfficial)
{
    GhostManager store;
    EXPECT_TRUE(store.isOfficial("Level_2-3"));
    EXPECT_FALSE(store.isOfficial("Canyon.Zed"));
    store.addGhost("Canyon.Zed", sampleRun());
    store.addGhost("My.Dotted.Title.Zed", sampleRun());
    store.addGhost("Level_2-3", sampleRun());
    EXPECT_EQ(readFile(user + "Levels/Custom/Canyon.Zed.kzg"), sampleText());
    EXPECT_EQ(readFile(user + "Levels/Custom/My.Dotted.Title.Zed.kzg"), sampleText());
    EXPECT_EQ(readFile(user + "Levels/Official/Level_2-3.kzg"), sampleText());
    EXPECT_FALSE(exists(user + "Levels/Official/Canyon.Zed.kzg"));
}

TEST_F(GhostStore, ReadingAppliesTheRecordingFilter)
{
    struct Case {
        const char* height;
        size_t poses;
    };
    const Case cases[] = { { "1.0", 1 }, { "0.1", 2 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        writeFile(user + "Levels/Official/Level_1-1.kzg",
                  std::string("POS\t0\t1\t1.0\t1\t0\t0\t0\nPOS\t30\t1\t") + c.height + "\t1\t0\t0\t0\n");
        EXPECT_EQ(loadFromFile("Level_1-1").getPositions().size(), c.poses);
    }
}

TEST_F(GhostStore, OddFilesNeverCrashAndKeepWhatWasReadBeforeTheFault)
{
    struct Case {
        const char* name;
        std::string text;
        size_t poses;
        size_t events;
    };
    const Case cases[] = {
        { "unknown words between records",
          "junk POS 0 1 1 1 0 0 0 ?? 12 INS 5 Sound open more words POS 100 2 2 2 0 0 0\n", 2, 1 },
        { "Windows line ends", "POS\t0\t1\t1\t1\t0\t0\t0\r\nPOS\t60\t2\t2\t2\t0\t0\t0\r\nINS\t20\tSound\trebond\r\n",
          2, 1 },
        { "byte-order mark", "\xEF\xBB\xBFPOS\t0\t1\t1\t1\t0\t0\t0\n", 1, 0 },
        { "pose cut short by the end", "POS\t0\t1\t1\t1\t0\t0\t0\nPOS\t60\t1\t2", 1, 0 },
        { "event cut short by the end", "POS\t0\t1\t1\t1\t0\t0\t0\nINS\t20\tSound", 1, 0 },
        { "malformed value ends the reading",
          "POS\t0\t1\t1\t1\t0\t0\t0\nPOS\tabc\t1\t1\t1\t0\t0\t0\nPOS\t200\t1\t1\t1\t0\t0\t0\n", 1, 0 },
        { "malformed float ends the reading", "POS\t0\t1\t1\t1\t0\t0\t0\nPOS\t100\t1\tx\t1\t0\t0\t0\n", 1, 0 },
        { "binary junk", std::string("\x00\x01\xff\xfePOS\x00", 9), 0, 0 },
        { "only words", "hello ghost file", 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(user + "Levels/Official/Level_1-1.kzg", c.text);
        Ghost ghost = loadFromFile("Level_1-1");
        EXPECT_EQ(ghost.getPositions().size(), c.poses);
        EXPECT_EQ(ghost.getInstructions().size(), c.events);
    }
}

TEST_F(GhostStore, ExtremeTimesAreReadAndReplayedWithoutOverflow)
{
    // The least and the greatest time a long holds, then one beyond it.
    writeFile(user + "Levels/Official/Level_1-1.kzg",
              "POS\t-9223372036854775808\t1\t1\t1\t0\t0\t0\n"  // in the air: nothing before it
              "POS\t-9223372036854775808\t2\t0.1\t1\t0\t0\t0\n" // on the surface: kept
              "POS\t9223372036854775807\t4\t1\t1\t0\t0\t0\n"
              "POS\t-9223372036854775809\t8\t1\t1\t0\t0\t0\n"   // not a long: the reading ends
              "POS\t100\t8\t1\t1\t0\t0\t0\n");
    Ghost ghost = loadFromFile("Level_1-1");
    ASSERT_EQ(ghost.getPositions().size(), 2u);
    EXPECT_EQ(ghost.getPositions()[0].getTime(), std::numeric_limits<long>::min());
    EXPECT_EQ(ghost.getPositions()[1].getTime(), std::numeric_limits<long>::max());
    // Level time 0 lies halfway between two poses 2^64 - 1 ms apart.
    EXPECT_NEAR(ghost.getPosition(0).getX(), 3.0f, 1e-3f);
    EXPECT_FLOAT_EQ(ghost.getPosition(std::numeric_limits<long>::min()).getX(), 2.0f);
    EXPECT_FLOAT_EQ(ghost.getPosition(std::numeric_limits<long>::max()).getX(), 4.0f);
}

TEST_F(GhostStore, ALevelWithoutFileThrowsAndIsNotLookedForAgain)
{
    GhostManager store;
    EXPECT_THROW(store.loadGhost("Level_3-1"), GhostManagerNoGhostForThisLevelException);
    EXPECT_THROW(store.getGhost("Level_3-1"), GhostManagerNoGhostForThisLevelException);
    // Reading does not create the file.
    EXPECT_FALSE(exists(user + "Levels/Official/Level_3-1.kzg"));

    // A file appearing later is not read in this run: the miss is cached.
    writeFile(user + "Levels/Official/Level_3-1.kzg", sampleText());
    EXPECT_THROW(store.getGhost("Level_3-1"), GhostManagerNoGhostForThisLevelException);

    store.addGhost("Level_3-1", sampleRun());
    EXPECT_EQ(store.getGhost("Level_3-1").getPositions().size(), 2u);
}

TEST_F(GhostStore, AFileIsReadOnceThenServedFromMemory)
{
    writeFile(user + "Levels/Custom/Canyon.Zed.kzg", sampleText());
    GhostManager store;
    EXPECT_EQ(store.getGhost("Canyon.Zed").getInstructions().size(), 2u);
    writeFile(user + "Levels/Custom/Canyon.Zed.kzg", "POS\t0\t1\t1\t1\t0\t0\t0\n");
    EXPECT_EQ(store.getGhost("Canyon.Zed").getInstructions().size(), 2u);
}

TEST_F(GhostStore, AnEmptyRunWritesAnEmptyFileAndCountsAsNoGhost)
{
    GhostManager store;
    store.addGhost("Level_1-2", Ghost());
    EXPECT_TRUE(exists(user + "Levels/Official/Level_1-2.kzg"));
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-2.kzg"), "");
    EXPECT_THROW(store.getGhost("Level_1-2"), GhostManagerNoGhostForThisLevelException);
    GhostManager fresh;
    EXPECT_THROW(fresh.getGhost("Level_1-2"), GhostManagerNoGhostForThisLevelException);
}

TEST_F(GhostStore, TheInstallationCopySeedsAMissingUserFile)
{
    makeFolder(install + "/Levels/Official");
    writeFile(install + "/Levels/Official/Level_1-1.kzg", sampleText());
    GhostManager store;
    EXPECT_EQ(store.getGhost("Level_1-1").getPositions().size(), 2u);
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzg"), sampleText());
}

TEST_F(GhostStore, NamesThatWouldLeaveTheFolderWriteNothing)
{
    const char* names[] = {
        "../../escaped.Zed", "../escaped", "sub/dir.Zed", "back\\slash.Zed", "dots..Zed",
        ".hidden", "trailing.", "", "ctrl\x01name.Zed", "/absolute.Zed",
    };
    GhostManager store;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        store.addGhost(name, 3.0, sampleRun());
        EXPECT_THROW(loadFromFile(name), GhostManagerNoGhostForThisLevelException);
    }
    EXPECT_TRUE(filesIn(user + "Levels/Official").empty());
    EXPECT_TRUE(filesIn(user + "Levels/Custom").empty());
    EXPECT_TRUE(filesIn(user + "Levels").size() == 2u);
    EXPECT_FALSE(exists(user + "escaped.Zed.kzg"));
    EXPECT_FALSE(exists(appData + "/escaped.Zed.kzg"));
    EXPECT_FALSE(exists(user + "Levels/escaped.kzg"));
    EXPECT_FALSE(exists("/absolute.Zed.kzg"));
}

TEST_F(GhostStore, AFailedWriteLeavesTheOldFileIntact)
{
    const std::string path = user + "Levels/Official/Level_1-1.kzg";
    const std::string old = "POS\t0\t1\t1\t1\t0\t0\t0\nINS\t0\tSound\topen\n";
    writeFile(path, old);
    limitFileSize(16);
    GhostManager store;
    store.addGhost("Level_1-1", 40.0, sampleRun());
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(filesIn(user + "Levels/Official"), std::vector<std::string> { "Level_1-1.kzg" });
    // The run still serves this process.
    EXPECT_EQ(store.getGhost("Level_1-1").getPositions().size(), 2u);
}

TEST_F(GhostStore, AWriteThatCannotBeMadeIsLoggedAsAnError)
{
    // A plain file where the folder should be: no temporary file can be made.
    enableDebugLog();
    ASSERT_EQ(std::system(("rm -rf '" + user + "Levels/Official'").c_str()), 0);
    writeFile(user + "Levels/Official", "not a folder");
    GhostManager store;
    store.addGhost("Level_1-1", 40.0, sampleRun());
    EXPECT_EQ(errorLines("GhostManager", "saveGhost").size(), 1u) << readFile(install + "/Debug.txt");
    EXPECT_EQ(readFile(user + "Levels/Official"), "not a folder");
}

} // namespace
