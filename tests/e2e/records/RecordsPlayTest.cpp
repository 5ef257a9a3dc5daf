// The real game, started with a custom level on the command line and played
// to its finish with held keys: what it leaves in the player's folder, what
// a slower run leaves, the replay of the ghost, and the score posts.

#include "../../unit/records/LocalHttpServer.h"
#include "GameHarness.h"
#include "TestFiles.h"

#include "records/CryptageManager.h"
#include "records/DifficultyScoresManager.h"
#include "records/GhostManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;
using korvelin_test::ScopedEnv;

namespace {

// Eight rows of three columns; the two far rows are the finish. The player
// starts on row 7, in the middle column.
const char* const kLevel =
    "KZ2\n60 8 3\n1 1 1 blueSky\n"
    "100 100 100\n100 100 100\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n";
const char* const kLevelName = "Run.Tester";
const char* const kBestTimeFile = "Levels/Custom/Run.Tester.kzs";
const char* const kGhostFile = "Levels/Custom/Run.Tester.kzg";

bool endsWith(const std::string& line, const std::string& end)
{
    return line.size() >= end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0;
}

bool hasLineEnding(const std::vector<std::string>& lines, const std::string& end)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return endsWith(l, end); });
}

bool hasLineContaining(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// True once the game is over ("The level is over") and the custom level
// list that follows a command-line level has loaded its background.
bool levelListOpened(const std::vector<std::string>& lines)
{
    auto end = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("The level is over") != std::string::npos;
    });
    return end != lines.end() && std::any_of(end, lines.end(), [](const std::string& l) {
               return l.find("LoadPNG : Loading ...") != std::string::npos &&
                      l.find("/menuKZ.png") != std::string::npos;
           });
}

// The text after `marker` on the first log line holding it, or "".
std::string afterMarker(const std::vector<std::string>& lines, const std::string& marker)
{
    for (const std::string& l : lines) {
        std::string::size_type at = l.find(marker);
        if (at != std::string::npos)
            return l.substr(at + marker.size());
    }
    return std::string();
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

// "12.345" as the game stores it: cut (not rounded) to tenths, "12.3";
// "12" gives "12.0".
std::string tenthsOf(const std::string& seconds)
{
    std::string::size_type dot = seconds.find('.');
    if (dot == std::string::npos)
        return seconds + ".0";
    return seconds.substr(0, dot + 1) + (dot + 1 < seconds.size() ? seconds.substr(dot + 1, 1) : "0");
}

bool isInteger(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A float field as the game writes it: the default notation of the value.
bool isGameFloat(const std::string& text)
{
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
        return false;
    std::ostringstream again;
    again.imbue(std::locale::classic());
    again << static_cast<double>(value);
    return again.str() == text;
}

// Checks the ghost file's form line by line: POS lines (time, six floats)
// in time order, then INS lines (time, "Sound", a sound word).
void expectGhostFileForm(const std::string& text, size_t* poses, size_t* events)
{
    *poses = 0;
    *events = 0;
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.back(), '\n');
    ASSERT_EQ(text.find('\r'), std::string::npos);
    std::vector<std::string> lines = split(text.substr(0, text.size() - 1), '\n');
    long lastTime = -1;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        std::vector<std::string> fields = split(line, '\t');
        if (fields[0] == "POS") {
            ASSERT_EQ(*events, 0u) << "a pose after the events";
            ASSERT_EQ(fields.size(), 8u);
            ASSERT_TRUE(isInteger(fields[1]));
            long time = std::atol(fields[1].c_str());
            EXPECT_GE(time, lastTime);
            lastTime = time;
            for (int i = 2; i < 8; ++i)
                EXPECT_TRUE(isGameFloat(fields[i])) << fields[i];
            ++*poses;
        } else {
            ASSERT_EQ(fields[0], "INS");
            ASSERT_EQ(fields.size(), 4u);
            EXPECT_TRUE(isInteger(fields[1]));
            EXPECT_EQ(fields[2], "Sound");
            const std::vector<std::string> words = { "rebond", "rebond2", "bonus", "malus", "open" };
            EXPECT_NE(std::find(words.begin(), words.end(), fields[3]), words.end());
            ++*events;
        }
    }
}

class RecordsPlay : public ::testing::Test {
protected:
    // Starts a game of the test level; files of an earlier run are put back
    // into the new player's folder first.
    void startGame(GameHarness& game, const std::vector<std::pair<std::string, std::string>>& userFiles = {})
    {
        OptionsText options;
        options.gameMessages = false; // play starts as soon as the intro is skipped
        game.setOptions(options);
        game.writeUserFile(std::string("Levels/Custom/") + kLevelName + ".kzl", kLevel);
        for (const auto& file : userFiles)
            game.writeUserFile(file.first, file.second);
        ASSERT_TRUE(game.start({ kLevelName }));
        ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
        for (int i = 0; i < 100 && !hasLineEnding(game.logLines(), "Model loaded"); ++i)
            GameHarness::pause(100);
        GameHarness::pause(300);
    }

    bool skipIntro(GameHarness& game)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (!game.pressKey("space", 150))
                return false;
            for (int i = 0; i < 10; ++i) {
                if (hasLineEnding(game.logLines(), "Introduction interupted"))
                    return true;
                GameHarness::pause(100);
            }
        }
        return false;
    }

    // The latest level time, in ms, at which the game looked up the ghost's
    // pose (it does so every frame of a replay); -1 before the first one.
    static long replayClock(const std::vector<std::string>& lines)
    {
        const std::string marker = "Loading value ";
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            std::string::size_type at = line->find(marker);
            if (at != std::string::npos)
                return static_cast<long>(std::atof(line->c_str() + at + marker.size()));
        }
        return -1;
    }

    // Skips the intro, then, when `idleUntilMs` is positive, waits for the
    // game's own level clock (seen through the ghost replay) to pass it, so
    // that the run is slower whatever the machine's load; then holds forward
    // until the game ends by itself and opens the custom level list, where
    // the game is stopped.
    void playToTheFinish(GameHarness& game, long idleUntilMs = 0)
    {
        ASSERT_TRUE(skipIntro(game)) << game.log();
        if (idleUntilMs > 0) {
            bool passed = false;
            for (int i = 0; i < 1200 && !passed && game.running(); ++i) {
                passed = replayClock(game.logLines()) > idleUntilMs;
                if (!passed)
                    GameHarness::pause(100);
            }
            ASSERT_TRUE(passed) << "the level clock did not reach " << idleUntilMs << " ms\n" << game.log();
        }
        bool ended = false;
        for (int i = 0; i < 45 && !ended && game.running(); ++i) {
            game.keyDown("w");
            for (int waited = 0; waited < 2000 && !ended; waited += 100) {
                ended = levelListOpened(game.logLines());
                if (!ended)
                    GameHarness::pause(100);
            }
        }
        game.keyUp("w");
        ASSERT_TRUE(ended) << "the game did not end by itself in the level list\n" << game.log();
        EXPECT_EQ(game.stop(), 0) << game.stderrText();
        ASSERT_TRUE(hasLineEnding(game.logLines(), "The level is over")) << game.log();
    }

    static std::string cipher(std::string text)
    {
        CryptageManager::getInstance()->crypt(text, CryptageManager::levelScoreKey);
        return text;
    }

    static std::string decipher(std::string text, const char* key)
    {
        CryptageManager::getInstance()->deCrypt(text, key);
        return text;
    }
};

TEST_F(RecordsPlay, AFinishLeavesTheBestTimeAndGhostAndASlowerRunLeavesThemUnchanged)
{
    std::string bestTime, ghost;
    {
        GameHarness first;
        startGame(first);
        if (HasFatalFailure())
            return;
        playToTheFinish(first);
        if (HasFatalFailure())
            return;
        const std::vector<std::string> lines = first.logLines();
        EXPECT_TRUE(hasLineContaining(lines, "chargerNiveau - No Ghost for")) << first.log();

        // The best time: the scrambled text of the time the game stored,
        // one token and nothing else.
        ASSERT_TRUE(first.userFileExists(kBestTimeFile)) << first.log();
        bestTime = first.readUserFile(kBestTimeFile);
        const std::string stored = afterMarker(lines, "Time overwrited :  ");
        ASSERT_FALSE(stored.empty()) << first.log();
        EXPECT_EQ(bestTime, cipher(stored));
        const std::string plain = decipher(bestTime, CryptageManager::levelScoreKey);
        EXPECT_EQ(plain, stored);
        EXPECT_TRUE(DifficultyScoresManager::isTimeText(plain)) << plain;
        EXPECT_EQ(plain.find(' '), std::string::npos);
        // ... which is the finishing time the game offered, cut to tenths.
        EXPECT_EQ(plain, tenthsOf(afterMarker(lines, "Trying to add the score :  "))) << first.log();

        // The ghost: the run as POS and INS lines.
        ASSERT_TRUE(first.userFileExists(kGhostFile)) << first.log();
        ghost = first.readUserFile(kGhostFile);
        size_t poses = 0, events = 0;
        expectGhostFileForm(ghost, &poses, &events);
        EXPECT_GT(poses, 5u);
        EXPECT_GT(events, 0u) << "the bounces' sounds are recorded";
        // Read back through the game's reader (and its recording filter),
        // the run is written out again byte for byte.
        std::istringstream file(ghost);
        Ghost back;
        GhostManager::readGhost(file, back);
        EXPECT_EQ(GhostManager::ghostText(back), ghost);
        EXPECT_FALSE(hasLineContaining(lines, "Loading value")) << "no ghost to replay yet";
    }

    // A slower run of the same level: nothing changes, byte for byte, and
    // the stored ghost is replayed beside the player. The player waits until
    // the level clock is a second past the stored time (which is the first
    // run's time cut to tenths) before moving.
    const double firstSeconds = std::atof(decipher(bestTime, CryptageManager::levelScoreKey).c_str());
    GameHarness second;
    startGame(second, { { kBestTimeFile, bestTime }, { kGhostFile, ghost } });
    if (HasFatalFailure())
        return;
    playToTheFinish(second, static_cast<long>(firstSeconds * 1000) + 1000);
    if (HasFatalFailure())
        return;
    const std::vector<std::string> lines = second.logLines();
    EXPECT_TRUE(hasLineContaining(lines, "chargerNiveau - Ghost loaded for")) << second.log();
    EXPECT_TRUE(hasLineContaining(lines, "Ghost Found")) << second.log();
    EXPECT_TRUE(hasLineContaining(lines, "Loading value")) << "the ghost was not replayed";
    EXPECT_FALSE(hasLineContaining(lines, "Time overwrited")) << second.log();
    EXPECT_GT(std::atof(afterMarker(lines, "Trying to add the score :  ").c_str()), firstSeconds + 0.5)
        << second.log();
    EXPECT_EQ(second.readUserFile(kBestTimeFile), bestTime);
    EXPECT_EQ(second.readUserFile(kGhostFile), ghost);
}

TEST_F(RecordsPlay, ABestTimeBehindAByteOrderMarkIsKeptByASlowerRun)
{
    // A best time no run can beat, saved by an editor that marks its UTF-8
    // files, and the ghost that goes with it.
    const std::string bestTime = "\xEF\xBB\xBF" + cipher("0.1");
    const std::string ghost = "POS\t0\t2\t0.1\t7\t0\t0\t0\n";
    GameHarness game;
    startGame(game, { { kBestTimeFile, bestTime }, { kGhostFile, ghost } });
    if (HasFatalFailure())
        return;
    playToTheFinish(game);
    if (HasFatalFailure())
        return;
    const std::vector<std::string> lines = game.logLines();
    EXPECT_TRUE(hasLineContaining(lines, "Trying to add the score")) << game.log();
    EXPECT_FALSE(hasLineContaining(lines, "Time overwrited")) << game.log();
    EXPECT_EQ(game.readUserFile(kBestTimeFile), bestTime);
    EXPECT_EQ(game.readUserFile(kGhostFile), ghost);
}

TEST_F(RecordsPlay, WithAnAccountTheGameGreetsTheServerAndPostsTheLevel)
{
    LocalHttpServer server;
    ScopedEnv address("KORVELIN_SCORE_SERVER", server.address());
    GameHarness game;
    game.writeUserFile("Data/Account.dat", "77\tsecond\tsecrethash\n");
    startGame(game);
    if (HasFatalFailure())
        return;
    // The start-up request comes before the window opens.
    std::vector<HttpRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/Game/blank.php");

    playToTheFinish(game);
    if (HasFatalFailure())
        return;
    requests = server.requests();
    ASSERT_EQ(requests.size(), 2u) << game.log();
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].path, "/Game/sendLevelScore.php");
    auto parts = requests[1].formParts();
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0], (std::pair<std::string, std::string>("id", "77")));
    EXPECT_EQ(parts[1], (std::pair<std::string, std::string>("hash", "secrethash")));
    EXPECT_EQ(parts[2].first, "val");
    const std::vector<std::string> value = split(decipher(parts[2].second, CryptageManager::levelUploadKey), '\t');
    ASSERT_EQ(value.size(), 3u) << parts[2].second;
    EXPECT_EQ(value[0], "Run");
    EXPECT_EQ(value[1], "Tester");
    // The seconds of the post truncate to the stored best time.
    const std::string stored = afterMarker(game.logLines(), "Time overwrited :  ");
    double seconds = std::atof(value[2].c_str());
    EXPECT_GT(seconds, 0.0);
    EXPECT_EQ(std::to_string(static_cast<long>(seconds * 10 + 1e-7) / 10) + "."
                  + std::to_string(static_cast<long>(seconds * 10 + 1e-7) % 10),
              stored);
    EXPECT_EQ(parts[3].first, "md5");
    EXPECT_EQ(parts[3].second.size(), 32u);
    EXPECT_EQ(parts[3].second.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(game.stdoutText().find(LocalHttpServer::replyBody), std::string::npos);
}

TEST_F(RecordsPlay, WithoutAnAccountNothingIsSent)
{
    LocalHttpServer server;
    ScopedEnv address("KORVELIN_SCORE_SERVER", server.address());
    GameHarness game;
    startGame(game);
    if (HasFatalFailure())
        return;
    playToTheFinish(game);
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(game.readUserFile("Data/Account.dat"), "-1\n");
    EXPECT_TRUE(game.userFileExists(kBestTimeFile));
}

TEST_F(RecordsPlay, ABestTimeThatCannotBeSavedIsReportedOnStderrWithDebugOffAndTheGameGoesOn)
{
    GameHarness game;
    OptionsText options;
    options.gameMessages = false;
    options.debug = false; // as a player has it: no log at all
    game.setOptions(options);
    game.writeUserFile(std::string("Levels/Custom/") + kLevelName + ".kzl", kLevel);
    // A folder where the best time should go: its save must fail.
    const std::string bestTimePath = game.userDir() + kBestTimeFile;
    ASSERT_TRUE(std::filesystem::create_directories(bestTimePath));
    ASSERT_TRUE(game.start({ kLevelName }));
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();

    // Skip the intro (it also ends by itself), then hold forward until the
    // finished run's best time is reported as not saved.
    GameHarness::pause(500);
    game.pressKey("space", 150);
    bool reported = false;
    for (int i = 0; i < 45 && !reported && game.running(); ++i) {
        game.keyDown("w");
        for (int waited = 0; waited < 2000 && !reported; waited += 100) {
            reported = game.stderrText().find(bestTimePath) != std::string::npos;
            if (!reported)
                GameHarness::pause(100);
        }
    }
    game.keyUp("w");
    ASSERT_TRUE(reported) << "no report of the failed save\n" << game.stderrText();

    // The game goes on: the run's ghost is still stored and the level list
    // follows, until the game is ended.
    for (int i = 0; i < 50 && !game.userFileExists(kGhostFile); ++i)
        GameHarness::pause(100);
    EXPECT_TRUE(game.userFileExists(kGhostFile));
    GameHarness::pause(1000);
    EXPECT_TRUE(game.running());
    EXPECT_EQ(game.stop(), 0) << game.stderrText();

    const std::vector<std::string> lines = split(game.stderrText(), '\n');
    const auto aboutTheBestTime = [&](const std::string& l) { return l.find(bestTimePath) != std::string::npos; };
    EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), aboutTheBestTime)) << game.stderrText();
    const auto line = std::find_if(lines.begin(), lines.end(), aboutTheBestTime);
    ASSERT_NE(line, lines.end());
    EXPECT_NE(line->find(std::strerror(EISDIR)), std::string::npos) << *line;
    EXPECT_TRUE(korvelin_test::isDirectory(bestTimePath));
    EXPECT_FALSE(korvelin_test::fileExists(game.installDir() + "/Debug.txt"));
}

} // namespace
