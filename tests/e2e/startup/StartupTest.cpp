// The real game started under its own X server: window, user folder, log,
// clean end on SIGTERM, and start-ups that must survive bad files.
#include "GameHarness.h"
#include "WindowClose.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;

namespace {

bool hasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int indexOf(const std::vector<std::string>& lines, const std::string& line)
{
    auto it = std::find(lines.begin(), lines.end(), line);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

// Starts the game, waits for its window, lets it run, then ends it with
// SIGTERM; returns the exit status.
int runBriefly(GameHarness& game, int runMs = 1500)
{
    EXPECT_TRUE(game.start());
    EXPECT_TRUE(game.waitForWindow()) << game.stderrText();
    GameHarness::pause(runMs);
    EXPECT_TRUE(game.running()) << game.stderrText();
    return game.stop();
}

} // namespace

TEST(Startup, OpensTheWindowOfTheOptionsSizeAndEndsCleanlyOnSigterm)
{
    GameHarness game;
    OptionsText options;
    options.width = 800;
    options.height = 600;
    game.setOptions(options);

    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    int width = 0, height = 0;
    ASSERT_TRUE(game.windowSize(width, height));
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);

    // Keys reach the game and change nothing harmful on the empty screen.
    EXPECT_TRUE(game.pressKey("w"));
    EXPECT_TRUE(game.pressKey("Return"));
    GameHarness::pause(500);
    EXPECT_TRUE(game.running());
    EXPECT_EQ(0, game.stop());
}

TEST(Startup, ClosingTheWindowEndsTheGameWithStatusZero)
{
    GameHarness game;
    game.setOptions(OptionsText());
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    GameHarness::pause(500);
    ASSERT_TRUE(korvelin_test::requestWindowClose(game.display(), game.windowId()));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(10000, &status)) << "the game kept running after its window was closed";
    EXPECT_EQ(0, status) << game.stderrText();
}

TEST(Startup, NoVideoModeAtAllEndsWithStatusOneAndTheReason)
{
    // SDL's dummy video driver has no OpenGL: every mode, the fall-backs
    // included, is refused.
    korvelin_test::ScopedEnv noVideo("SDL_VIDEODRIVER", "dummy");
    GameHarness game;
    game.setOptions(OptionsText());
    ASSERT_TRUE(game.start());
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status));
    EXPECT_EQ(1, status);
    EXPECT_NE(std::string::npos, game.stderrText().find("cannot open a video mode")) << game.stderrText();
    bool logged = false;
    for (const std::string& line : game.logLines())
        logged = logged || line.rfind("[ERROR]\tJeu @ initSDL : Video mode refused : ", 0) == 0;
    EXPECT_TRUE(logged) << game.log();
}

// Video that SDL cannot start at all: a driver it does not know, or an X
// display that no server answers.
struct NoVideo {
    const char* name;
    const char* driver;
    bool displayWithoutServer;
};

void PrintTo(const NoVideo& c, std::ostream* os)
{
    *os << c.name;
}

// A display number that no X server of this machine uses.
std::string displayWithoutServer()
{
    for (int n = 999; n > 100; --n) {
        const std::string number = std::to_string(n);
        if (::access(("/tmp/.X11-unix/X" + number).c_str(), F_OK) != 0 &&
            ::access(("/tmp/.X" + number + "-lock").c_str(), F_OK) != 0)
            return ":" + number;
    }
    return ":999";
}

// What SDL itself says when it cannot start the video in these settings.
std::string sdlVideoError(const std::string& driver, const std::string& display)
{
    korvelin_test::ScopedEnv driverSetting("SDL_VIDEODRIVER", driver);
    std::unique_ptr<korvelin_test::ScopedEnv> displaySetting;
    if (!display.empty())
        displaySetting.reset(new korvelin_test::ScopedEnv("DISPLAY", display));
    const bool started = SDL_Init(SDL_INIT_VIDEO) == 0;
    const std::string error = started ? std::string() : SDL_GetError();
    SDL_Quit();
    return error;
}

class VideoThatCannotStart : public ::testing::TestWithParam<NoVideo> {};

TEST_P(VideoThatCannotStart, EndsWithStatusOneAndSdlsReasonInsteadOfACrash)
{
    const NoVideo& c = GetParam();
    const std::string display = c.displayWithoutServer ? displayWithoutServer() : std::string();
    const std::string reason = sdlVideoError(c.driver, display);
    ASSERT_FALSE(reason.empty()) << "SDL started the video here";

    GameHarness game;
    game.setOptions(OptionsText());
    game.setGameEnvironment("SDL_VIDEODRIVER", c.driver);
    if (!display.empty())
        game.setGameEnvironment("DISPLAY", display);
    ASSERT_TRUE(game.start());
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status));
    EXPECT_EQ(1, status) << "a status of 128 + n is the signal n\n" << game.stderrText();
    EXPECT_NE(std::string::npos, game.stderrText().find(reason)) << game.stderrText();
    EXPECT_TRUE(hasLine(game.logLines(), "[ERROR]\tJeu @ initSDL : SDL cannot start :  " + reason)) << game.log();
}

INSTANTIATE_TEST_SUITE_P(
    Causes, VideoThatCannotStart,
    ::testing::Values(NoVideo{"UnknownDriver", "nosuchdriver", false}, NoVideo{"NoXServer", "x11", true}),
    [](const ::testing::TestParamInfo<NoVideo>& info) { return std::string(info.param.name); });

TEST(Startup, MakesTheUserFoldersAndSeedsTheSettingsFiles)
{
    GameHarness game;
    // No options file of our own: the seeds must come from the installation.
    EXPECT_EQ(0, runBriefly(game));

    for (const char* folder : {"", "Data", "Levels", "Levels/Custom", "Levels/Official", "Images",
                               "Images/Previews", "Images/Previews/Custom"})
        EXPECT_TRUE(korvelin_test::isDirectory(game.userDir() + folder)) << folder;
    EXPECT_EQ(korvelin_test::readFile(game.installDir() + "/Data/Options.dat"),
              game.readUserFile("Data/Options.dat"));
    EXPECT_EQ(korvelin_test::readFile(game.installDir() + "/Data/Keyboard.dat"),
              game.readUserFile("Data/Keyboard.dat"));
    EXPECT_FALSE(game.readUserFile("Data/Keyboard.dat").empty());
    // Debug is off in the seed: no log.
    EXPECT_FALSE(korvelin_test::fileExists(game.installDir() + "/Debug.txt"));
}

TEST(Startup, WithDebugOnWritesTheStartupLinesInOrder)
{
    GameHarness game;
    game.setOptions(OptionsText());
    EXPECT_EQ(0, runBriefly(game));

    // The sound service reserves its channels before the audio device is
    // open, so the mixer has none to give yet.
    const std::vector<std::string> expected = {
        "[OK]   \tSonsManager @ SonsManager : R\xC3\xA9servation de channels :  0",
        "[OK]   \tLangManager @ charger : The lang file is loaded",
        "[OK]   \tJeu @ initSDL : Nombre de joysticks :  0",
        "[OK]   \tJeu @ initSDL : SDL initialized",
        "[OK]   \tJeu @ initSons : Sounds initialized",
        "[OK]   \tJeu @ initGL : OpenGL initialized",
        "[OK]   \tJeu @ initTexture : Textures initialized",
    };
    const std::vector<std::string> lines = game.logLines();
    int previous = -1;
    for (const std::string& line : expected) {
        const int at = indexOf(lines, line);
        EXPECT_GT(at, previous) << line << "\n" << game.log();
        previous = std::max(previous, at);
    }
    for (const std::string& line : lines)
        EXPECT_TRUE(line.rfind("[OK]   \t", 0) == 0 || line.rfind("[ERROR]\t", 0) == 0) << line;
}

TEST(Startup, SecondRunTruncatesTheLog)
{
    GameHarness game;
    game.setOptions(OptionsText());
    game.writeInstallFile("Debug.txt", "left over from an earlier run\n");
    EXPECT_EQ(0, runBriefly(game, 800));
    EXPECT_EQ(std::string::npos, game.log().find("left over")) << game.log();
    EXPECT_TRUE(hasLine(game.logLines(), "[OK]   \tJeu @ initGL : OpenGL initialized"));
}

struct DamagedStart {
    const char* name;
    const char* optionsFile; // null: write the default debug options
    const char* keyboardFile; // null: none
};

void PrintTo(const DamagedStart& c, std::ostream* os)
{
    *os << c.name;
}

class StartupSurvives : public ::testing::TestWithParam<DamagedStart> {};

TEST_P(StartupSurvives, BadSettingsFiles)
{
    const DamagedStart& c = GetParam();
    GameHarness game;
    if (c.optionsFile != nullptr)
        game.writeUserFile("Data/Options.dat", c.optionsFile);
    else
        game.setOptions(OptionsText());
    if (c.keyboardFile != nullptr)
        game.writeUserFile("Data/Keyboard.dat", c.keyboardFile);
    EXPECT_EQ(0, runBriefly(game, 800)) << game.stderrText();
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartupSurvives,
    ::testing::Values(
        DamagedStart{"GarbledOptions", "2\n640\nabc\n\xff\xfe\n", nullptr},
        DamagedStart{"OutOfRangeOptions", "2\n640\n480\n0\n3\n7\n55\n9\n99\n1\n1\n1\n-4\n17\n900\n-1\n",
                     nullptr},
        DamagedStart{"BinaryOptions", "\x01\x02\x03\x04\x05", nullptr},
        DamagedStart{"CrlfWithMarkOptions",
                     "\xEF\xBB\xBF" "2\r\n640\r\n480\r\n0\r\n0\r\n0\r\n100\r\n1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n3\r\n100\r\n100\r\n",
                     nullptr},
        DamagedStart{"GarbledKeys", nullptr, "119\n-5\n99999999999\nzz\n"},
        DamagedStart{"CrlfKeys", nullptr, "119\r\n115\r\n97\r\n100\r\n32\r\n27\r\n114\r\n273\r\n"},
        DamagedStart{"EmptyFiles", "", ""}),
    [](const ::testing::TestParamInfo<DamagedStart>& info) { return std::string(info.param.name); });

TEST(Startup, RefusedAntiAliasingStillOpensTheWindow)
{
    GameHarness game;
    OptionsText options;
    options.antiAliasing = 16;
    game.setOptions(options);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    int width = 0, height = 0;
    ASSERT_TRUE(game.windowSize(width, height));
    EXPECT_EQ(640, width);
    EXPECT_EQ(480, height);
    GameHarness::pause(500);
    EXPECT_EQ(0, game.stop());
    EXPECT_TRUE(hasLine(game.logLines(), "[OK]   \tJeu @ initSDL : SDL initialized")) << game.log();
}

TEST(Startup, CrlfOptionsAreReadLikePlainOnes)
{
    GameHarness game;
    game.writeUserFile("Data/Options.dat",
                       "\xEF\xBB\xBF" "2\r\n800\r\n600\r\n0\r\n0\r\n0\r\n100\r\n1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n3\r\n100\r\n100\r\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    int width = 0, height = 0;
    ASSERT_TRUE(game.windowSize(width, height));
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    // Line 12 (debug) was read too.
    GameHarness::pause(300);
    EXPECT_TRUE(hasLine(game.logLines(), "[OK]   \tJeu @ initGL : OpenGL initialized"));
    EXPECT_EQ(0, game.stop());
}

struct BadName {
    const char* name;
    const char* level;
};

void PrintTo(const BadName& c, std::ostream* os)
{
    *os << c.name;
}

class BadLevelName : public ::testing::TestWithParam<BadName> {};

TEST_P(BadLevelName, ExitsWithStatusTwoAndAMessage)
{
    GameHarness game;
    ASSERT_TRUE(game.start({GetParam().level}));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status));
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, game.stderrText().find("level name")) << game.stderrText();
    // Refused before anything else: no user folder was touched.
    EXPECT_FALSE(korvelin_test::isDirectory(game.userDir()));
}

INSTANTIATE_TEST_SUITE_P(
    Names, BadLevelName,
    ::testing::Values(BadName{"Empty", ""}, BadName{"NoDot", "Canyon"},
                      BadName{"ParentFolder", "../../etc.passwd"}, BadName{"Slash", "a/b.c"},
                      BadName{"Backslash", "a\\b.c"}, BadName{"LeadingDot", ".hidden"},
                      BadName{"TrailingDot", "Canyon."}, BadName{"Control", "Can\tyon.Zed"},
                      BadName{"TooLong", "Canyon.Zeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee"
                                         "eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee"
                                         "eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee"
                                         "eeeeeeeeeeeee"}),
    [](const ::testing::TestParamInfo<BadName>& info) { return std::string(info.param.name); });
