// The end-of-game recording: best time, ghost and score posts, on real
// files and against a real HTTP server on 127.0.0.1.

#include "LocalHttpServer.h"
#include "RecordsFixture.h"

#include "application/Jeu.h"
#include "records/CryptageManager.h"
#include "records/GhostManager.h"
#include "records/LevelScoresManager.h"
#include "records/SendScoreManager.h"

namespace {

const char* const digests = "0123456789abcdef0123456789abcdef";

class GameResults : public RecordsFolders {
protected:
    void SetUp() override
    {
        RecordsFolders::SetUp();
        // Fresh services for this game's folders.
        LevelScoresManager::scoreManagerInst = nullptr;
        GhostManager::ghostManagerInst = nullptr;
        SendScoreManager::inst = nullptr;
        unsetenv("KORVELIN_SCORE_SERVER");
    }

    void logIn(LocalHttpServer& server)
    {
        setenv("KORVELIN_SCORE_SERVER", server.address().c_str(), 1);
        writeFile(user + "Data/Account.dat", "42 x thehash\n");
    }

    static Ghost run(float height)
    {
        Ghost ghost;
        ghost.addPosition(Position(0, 5.0f, height, 10.0f, 0.0f, 90.0f, 0.0f));
        ghost.addPosition(Position(80, 5.0f, 0.05f, 9.0f, 0.0f, 90.0f, 0.0f));
        ghost.addInstruction(Instruction(80, "Sound", "rebond"));
        return ghost;
    }

    static std::string cipher(std::string text, const char* key)
    {
        CryptageManager::getInstance()->crypt(text, key);
        return text;
    }

    static std::string decipher(std::string text, const char* key)
    {
        CryptageManager::getInstance()->deCrypt(text, key);
        return text;
    }
};

TEST_F(GameResults, LevelScoreTitles)
{
    EXPECT_EQ(Jeu::levelScoreTitle("Canyon.Zed"), "Canyon\tZed");
    EXPECT_EQ(Jeu::levelScoreTitle("Level_1-2"), "Level_1-2\tMarcopellan");
    EXPECT_EQ(Jeu::levelScoreTitle("My.Dotted.Title.Zed"), "My.Dotted.Title\tZed");
}

TEST_F(GameResults, ASingleLevelStoresItsBestTimeAndGhostAndPostsTheScore)
{
    LocalHttpServer server;
    logIn(server);
    Jeu::recordResults(true, true, -1, "Canyon.Zed", digests, 83456, run(1.0f));

    EXPECT_EQ(readFile(user + "Levels/Custom/Canyon.Zed.kzs"), cipher("83.4", CryptageManager::levelScoreKey));
    EXPECT_EQ(readFile(user + "Levels/Custom/Canyon.Zed.kzg"), GhostManager::ghostText(run(1.0f)));
    EXPECT_EQ(readFile(user + "Levels/Custom/Canyon.Zed.kzg"),
              "POS\t0\t5\t1\t10\t0\t90\t0\nPOS\t80\t5\t0.05\t9\t0\t90\t0\nINS\t80\tSound\trebond\n");

    std::vector<HttpRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u); // start-up request, then the level post
    EXPECT_EQ(requests[1].path, "/Game/sendLevelScore.php");
    auto parts = requests[1].formParts();
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0], (std::pair<std::string, std::string>("id", "42")));
    EXPECT_EQ(parts[1], (std::pair<std::string, std::string>("hash", "thehash")));
    EXPECT_EQ(parts[2].first, "val");
    EXPECT_EQ(decipher(parts[2].second, CryptageManager::levelUploadKey), "Canyon\tZed\t83.456");
    EXPECT_EQ(parts[3], (std::pair<std::string, std::string>("md5", digests)));
}

TEST_F(GameResults, ASlowerOrEqualRunLeavesTheRecordFilesUnchanged)
{
    LocalHttpServer server;
    logIn(server);
    Jeu::recordResults(true, true, -1, "Level_1-1", digests, 60000, run(1.0f));
    const std::string best = readFile(user + "Levels/Official/Level_1-1.kzs");
    const std::string ghost = readFile(user + "Levels/Official/Level_1-1.kzg");
    ASSERT_FALSE(best.empty());
    ASSERT_FALSE(ghost.empty());

    // A later start of the game: the stored time is read from the file.
    LevelScoresManager::scoreManagerInst = nullptr;
    GhostManager::ghostManagerInst = nullptr;
    for (long slower : { 60000L, 60050L, 75000L }) {
        Jeu::recordResults(true, true, -1, "Level_1-1", digests, slower, run(2.0f));
        EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzs"), best) << slower;
        EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzg"), ghost) << slower;
    }
    // Every finished level is posted, record or not.
    EXPECT_EQ(server.requests().size(), 5u);

    // A faster one replaces both.
    Jeu::recordResults(true, true, -1, "Level_1-1", digests, 59900, run(3.0f));
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzs"), cipher("59.9", CryptageManager::levelScoreKey));
    EXPECT_EQ(readFile(user + "Levels/Official/Level_1-1.kzg"), GhostManager::ghostText(run(3.0f)));
}

TEST_F(GameResults, AClearedDifficultyRunPostsItsTimeOnly)
{
    LocalHttpServer server;
    logIn(server);
    Jeu::recordResults(true, true, 3, "Level_3-6", "aaaabbbb", 1234567, run(1.0f));
    EXPECT_TRUE(filesIn(user + "Levels/Official").empty());
    std::vector<HttpRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].path, "/Game/sendDifficultyScore.php");
    auto parts = requests[1].formParts();
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(decipher(parts[2].second, CryptageManager::difficultyUploadKey), "3\t1234.57");
    EXPECT_EQ(parts[3].second, "aaaabbbb");
}

TEST_F(GameResults, UnclearedOrTwoPlayerGamesRecordNothing)
{
    LocalHttpServer server;
    logIn(server);
    Jeu::recordResults(false, true, -1, "Level_1-1", digests, 30000, run(1.0f));
    Jeu::recordResults(true, false, -1, "Level_1-1", digests, 30000, run(1.0f));
    Jeu::recordResults(false, true, 2, "Level_2-3", digests, 30000, run(1.0f));
    EXPECT_TRUE(filesIn(user + "Levels/Official").empty());
    for (const HttpRequest& request : server.requests())
        EXPECT_EQ(request.path, "/Game/blank.php");
}

TEST_F(GameResults, WithoutAnAccountTheRecordsAreKeptAndNothingIsSent)
{
    LocalHttpServer server;
    setenv("KORVELIN_SCORE_SERVER", server.address().c_str(), 1);
    writeFile(user + "Data/Account.dat", "-1\n");
    Jeu::recordResults(true, true, -1, "Canyon.Zed", digests, 12000, run(1.0f));
    Jeu::recordResults(true, true, 1, "Level_1-6", digests, 99000, run(1.0f));
    EXPECT_EQ(readFile(user + "Levels/Custom/Canyon.Zed.kzs"), cipher("12.0", CryptageManager::levelScoreKey));
    EXPECT_TRUE(exists(user + "Levels/Custom/Canyon.Zed.kzg"));
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
