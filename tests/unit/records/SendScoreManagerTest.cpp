// The score client against a real HTTP server on 127.0.0.1.

#include "LocalHttpServer.h"
#include "RecordsFixture.h"

#include "records/CryptageManager.h"
#include "records/SendScoreManager.h"

#include <fcntl.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class ScoreClient : public RecordsFolders {
protected:
    void SetUp() override
    {
        RecordsFolders::SetUp();
        unsetenv("KORVELIN_SCORE_SERVER");
    }

    void useServer(const std::string& address) { setenv("KORVELIN_SCORE_SERVER", address.c_str(), 1); }
    void writeAccount(const std::string& text) { writeFile(user + "Data/Account.dat", text); }

    static std::string decipher(std::string text, const char* key)
    {
        CryptageManager::getInstance()->deCrypt(text, key);
        return text;
    }

    static std::vector<std::string> names(const std::vector<std::pair<std::string, std::string>>& parts)
    {
        std::vector<std::string> result;
        for (const auto& part : parts)
            result.push_back(part.first);
        return result;
    }
};

TEST_F(ScoreClient, AnAccountSendsTheStartupRequestAndBothPosts)
{
    LocalHttpServer server;
    useServer(server.address());
    writeAccount("42 second-word thehash\n");

    SendScoreManager client;
    EXPECT_TRUE(client.isLogged());
    std::vector<HttpRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/Game/blank.php");

    client.sendScoreLevel("Canyon\tZed", 83.472, "0123456789abcdef0123456789abcdef");
    client.sendScoreDiff(3, 1234.567, "aaaabbbb");
    requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);

    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].path, "/Game/sendLevelScore.php");
    auto level = requests[1].formParts();
    ASSERT_EQ(names(level), (std::vector<std::string> { "id", "hash", "val", "md5" }));
    EXPECT_EQ(level[0].second, "42");
    EXPECT_EQ(level[1].second, "thehash"); // the second word is never sent
    EXPECT_EQ(level[2].second, "185198163172160166057203210220121175101154159110164");
    EXPECT_EQ(decipher(level[2].second, CryptageManager::levelUploadKey), "Canyon\tZed\t83.472");
    EXPECT_EQ(level[3].second, "0123456789abcdef0123456789abcdef");

    EXPECT_EQ(requests[2].method, "POST");
    EXPECT_EQ(requests[2].path, "/Game/sendDifficultyScore.php");
    auto run = requests[2].formParts();
    ASSERT_EQ(names(run), (std::vector<std::string> { "id", "hash", "val", "md5" }));
    EXPECT_EQ(run[0].second, "42");
    EXPECT_EQ(decipher(run[2].second, CryptageManager::difficultyUploadKey), "3\t1234.57");
    EXPECT_EQ(run[3].second, "aaaabbbb");
}

TEST_F(ScoreClient, NoAccountSendsNothing)
{
    struct Case {
        const char* name;
        const char* account; // null: no account file anywhere
    };
    const Case cases[] = {
        { "no file", nullptr },
        { "the shipped form", "-1\n" },
        { "-1 followed by anything", "-1 7 somehash" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server;
        useServer(server.address());
        std::remove((user + "Data/Account.dat").c_str());
        if (c.account != nullptr)
            writeAccount(c.account);
        SendScoreManager client;
        EXPECT_FALSE(client.isLogged());
        client.sendScoreLevel("Level_1-1\tMarcopellan", 10.5, "x");
        client.sendScoreDiff(1, 100.0, "y");
        EXPECT_TRUE(server.requests().empty());
    }
}

TEST_F(ScoreClient, TheShippedAccountSeedMeansNoAccount)
{
    LocalHttpServer server;
    useServer(server.address());
    makeFolder(install + "/Data");
    writeFile(install + "/Data/Account.dat", readFile(std::string(KORVELIN_SOURCE_DIR) + "/data/Data/Account.dat"));
    SendScoreManager client;
    EXPECT_FALSE(client.isLogged());
    EXPECT_EQ(client.getId(), "-1");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(readFile(user + "Data/Account.dat"), "-1\n");
}

TEST_F(ScoreClient, AccountFileWords)
{
    struct Case {
        const char* text;
        const char* id;
        const char* hash;
    };
    const Case cases[] = {
        { "7", "7", "" },
        { "7 only-two", "7", "only-two" },
        { "7\r\nmiddle\r\nlast\r\n", "7", "last" },
        { "\xEF\xBB\xBF" "9 a b", "9", "b" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        writeAccount(c.text);
        useServer("http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()));
        SendScoreManager client;
        EXPECT_EQ(client.getId(), c.id);
        EXPECT_EQ(client.getHash(), c.hash);
    }
}

TEST_F(ScoreClient, TheReplyBodyNeverReachesStandardOutput)
{
    LocalHttpServer server;
    useServer(server.address());
    writeAccount("42 x h");

    const std::string captured = install + "/stdout.txt";
    fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    int file = open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    dup2(file, STDOUT_FILENO);
    {
        SendScoreManager client;
        client.sendScoreLevel("Canyon\tZed", 1.5, "m");
        client.sendScoreDiff(2, 3.5, "m");
    }
    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(file);
    EXPECT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(readFile(captured).find(LocalHttpServer::replyBody), std::string::npos);
}

TEST_F(ScoreClient, AnUnreachableServerChangesNothingButEachFailedPostIsLogged)
{
    enableDebugLog();
    useServer("http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()));
    writeAccount("42 x h");
    Clock::time_point start = Clock::now();
    SendScoreManager client;
    client.sendScoreLevel("Canyon\tZed", 1.5, "m");
    client.sendScoreDiff(2, 3.5, "m");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(client.isLogged());
    EXPECT_EQ(errorLines("SendScoreManager", "sendScoreLevel").size(), 1u) << readFile(install + "/Debug.txt");
    EXPECT_EQ(errorLines("SendScoreManager", "sendScoreDiff").size(), 1u);
}

TEST_F(ScoreClient, ASilentServerBlocksNoLongerThanTheTimeOuts)
{
    LocalHttpServer server(true);
    useServer(server.address());
    writeAccount("42 x h");

    // The client gives up after its own time-out: 2 s for the start-up
    // request, 5 s for each post (the waits can only run longer on a busy
    // machine, never shorter).
    Clock::time_point start = Clock::now();
    SendScoreManager client;
    Clock::duration startup = Clock::now() - start;
    EXPECT_GE(startup, std::chrono::milliseconds(1900));
    EXPECT_LT(startup, std::chrono::milliseconds(3500));

    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind == 0 ? "level post" : "difficulty post");
        start = Clock::now();
        if (kind == 0)
            client.sendScoreLevel("Canyon\tZed", 1.5, "m");
        else
            client.sendScoreDiff(2, 3.5, "m");
        Clock::duration post = Clock::now() - start;
        EXPECT_GE(post, std::chrono::milliseconds(4900));
        EXPECT_LT(post, std::chrono::milliseconds(6500));
    }
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST_F(ScoreClient, TheServerAddressComesFromTheBuildOrTheEnvironment)
{
    EXPECT_EQ(SendScoreManager::serverAddress(), KORVELIN_SCORE_SERVER_DEFAULT);
    useServer("http://127.0.0.1:9/");
    EXPECT_EQ(SendScoreManager::serverAddress(), "http://127.0.0.1:9");
    useServer("");
    EXPECT_EQ(SendScoreManager::serverAddress(), KORVELIN_SCORE_SERVER_DEFAULT);
}

TEST_F(ScoreClient, SecondsUseTheDefaultNotation)
{
    EXPECT_EQ(SendScoreManager::secondsText(83.472), "83.472");
    EXPECT_EQ(SendScoreManager::secondsText(1234.567), "1234.57");
    EXPECT_EQ(SendScoreManager::secondsText(45.0), "45");
    EXPECT_EQ(SendScoreManager::secondsText(83400 / 1000.0), "83.4");
}

} // namespace
