// The real game started with a custom level on the command line: it plays
// the level with held keys to the finish, then opens the custom level list.
#include "GameHarness.h"
#include "Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;

namespace {

// Eight rows of three columns; the two far rows are the finish. The player
// starts on row 7, in the middle column.
const char* const kRunLevel =
    "KZ2\n60 8 3\n1 1 1 blueSky\n"
    "100 100 100\n100 100 100\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n";

bool hasLineEnding(const std::vector<std::string>& lines, const std::string& end)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.size() >= end.size() && l.compare(l.size() - end.size(), end.size(), end) == 0;
    });
}

// True once the game has ended its game (the line of `gameEnd`) and then
// opened the custom level list (its background picture loaded after it).
bool levelListAfter(const std::vector<std::string>& lines, const std::string& gameEnd)
{
    auto end = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(gameEnd) != std::string::npos;
    });
    return end != lines.end() && std::any_of(end, lines.end(), [](const std::string& l) {
               return l.find("LoadPNG : Loading ...") != std::string::npos &&
                      l.find("/menuKZ.png") != std::string::npos;
           });
}

// Waits (bounded) for the game's end and the custom level list.
bool waitForLevelList(GameHarness& game, const std::string& gameEnd, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (levelListAfter(game.logLines(), gameEnd))
            return true;
        if (!game.running())
            return false;
        GameHarness::pause(100);
    }
    return levelListAfter(game.logLines(), gameEnd);
}

class PlayLevel : public ::testing::Test {
protected:
    void startGame(bool gameMessages, const std::string& levelText = kRunLevel)
    {
        OptionsText options;
        options.width = 640;
        options.height = 480;
        options.gameMessages = gameMessages;
        game.setOptions(options);
        game.writeUserFile("Levels/Custom/Run.Tester.kzl", levelText);
        ASSERT_TRUE(game.start({"Run.Tester"}));
        ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
        // The game reads keys once its loop runs: the player is made just
        // before it.
        for (int i = 0; i < 100 && !hasLineEnding(game.logLines(), "Model loaded"); ++i)
            GameHarness::pause(100);
        GameHarness::pause(300);
    }

    // Holds forward until the game ends by itself and opens the custom
    // level list (the press is repeated in case the first one is lost on a
    // busy machine; a repeated press changes nothing).
    bool playToTheFinish()
    {
        bool ended = false;
        for (int i = 0; i < 20 && !ended; ++i) {
            game.keyDown("w");
            ended = waitForLevelList(game, "The level is over", 2000);
        }
        game.keyUp("w");
        return ended;
    }

    // Validate skips the intro; pressed again until the game reports it.
    bool skipIntro()
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

    GameHarness game;
};

TEST_F(PlayLevel, PlaysACommandLineLevelToItsFinishThenOpensTheCustomLevelList)
{
    startGame(false);
    // With game messages off play starts as soon as the intro is skipped.
    ASSERT_TRUE(skipIntro()) << game.log();
    ASSERT_TRUE(playToTheFinish()) << "the game did not end by itself in the level list\n" << game.log();
    EXPECT_TRUE(game.running()) << game.stderrText();
    EXPECT_EQ(0, game.stop()) << game.stderrText();

    const std::vector<std::string> lines = game.logLines();
    EXPECT_TRUE(hasLineEnding(lines, "Introduction interupted")) << game.log();
    EXPECT_TRUE(hasLineEnding(lines, "Level Over")) << game.log();
    EXPECT_TRUE(hasLineEnding(lines, "The level is over")) << game.log();
    EXPECT_FALSE(hasLineEnding(lines, "The Introduction is Over")) << game.log();
}

TEST_F(PlayLevel, ALevelWhoseBackgroundWouldLeaveItsFolderIsPlayedToItsFinish)
{
    // The run level with a background name that leads out of the
    // backgrounds folder: only the background is missing.
    std::string level = kRunLevel;
    const std::string::size_type sky = level.find("blueSky");
    ASSERT_NE(sky, std::string::npos);
    level.replace(sky, 7, "../x");
    startGame(false, level);
    ASSERT_TRUE(skipIntro()) << game.log();
    ASSERT_TRUE(playToTheFinish()) << "the game did not end by itself in the level list\n" << game.log();
    EXPECT_EQ(0, game.stop()) << game.stderrText();

    const std::vector<std::string> lines = game.logLines();
    EXPECT_TRUE(hasLineEnding(lines, "[ERROR]\tNiveauManager @ chargerNiveau : Unusable background name : ../x"))
        << game.log();
    EXPECT_TRUE(hasLineEnding(lines, "The level is a KZ2 File")) << game.log();
    EXPECT_TRUE(hasLineEnding(lines, "The level is over")) << game.log();
    EXPECT_FALSE(hasLineEnding(lines, "The file does not exists")) << game.log();
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("x.png"), std::string::npos) << "a path was built from the name: " << line;
}

TEST_F(PlayLevel, ScreenshotShowsTheLevelThePlayerAndTheHeadsUpDisplay)
{
    startGame(true);
    ASSERT_TRUE(skipIntro()) << game.log();
    // Through the countdown into play.
    GameHarness::pause(2600);
    const std::string shot = game.installDir() + "/play.png";
    ASSERT_TRUE(game.screenshot(shot));
    EXPECT_TRUE(game.running());

    play_test::Picture picture;
    ASSERT_TRUE(picture.load(shot));
    ASSERT_EQ(640, picture.width());
    // The time left, bottom left, the play time, top middle, and the level's
    // title, top right, are black texts over the background.
    EXPECT_GT(picture.darkPixels(4, 455, 200, 478), 40);
    EXPECT_GT(picture.darkPixels(280, 4, 360, 30), 20);
    EXPECT_GT(picture.darkPixels(440, 4, 636, 30), 40);
    // Sky at the top, blocks in the middle of the picture.
    int r, g, b;
    picture.at(320, 60, r, g, b);
    EXPECT_GT(b, r);
    EXPECT_GT(picture.darkPixels(120, 180, 520, 370), 500);
    // The tops of the row nearest the camera show their grey, not the sky
    // or the hills seen through missing faces.
    int grey = 0;
    for (int y = 290; y < 320; ++y)
        for (int x = 200; x < 440; ++x) {
            picture.at(x, y, r, g, b);
            if (r > 100 && std::abs(r - g) < 25 && std::abs(g - b) < 25 && std::abs(r - b) < 35)
                ++grey;
        }
    EXPECT_GT(grey, 240 * 30 / 2) << "block tops missing from the view";
    EXPECT_EQ(0, game.stop());
}

struct UnplayableLevel {
    const char* name;
    const char* text;  // nullptr: no file at all
};

void PrintTo(const UnplayableLevel& level, std::ostream* out)
{
    *out << level.name;
}

class UnplayableCommandLineLevel : public ::testing::TestWithParam<UnplayableLevel> {
protected:
    GameHarness game;
};

// A level that cannot be loaded ends the command-line game at once, with
// nothing recorded for it, and the custom level list opens.
TEST_P(UnplayableCommandLineLevel, EndsTheGameAtOnceWithNothingRecorded)
{
    const UnplayableLevel level = GetParam();
    OptionsText options;
    game.setOptions(options);
    const std::string name = std::string(level.name) + ".Tester";
    if (level.text != nullptr)
        game.writeUserFile("Levels/Custom/" + name + ".kzl", level.text);
    ASSERT_TRUE(game.start({name}));
    ASSERT_TRUE(waitForLevelList(game, "The file does not exists", 30000))
        << "the game did not end by itself in the level list\n" << game.log();
    EXPECT_EQ(0, game.stop()) << game.stderrText();
    const std::vector<std::string> lines = game.logLines();
    EXPECT_TRUE(hasLineEnding(lines, "The file does not exists")) << game.log();
    EXPECT_FALSE(hasLineEnding(lines, "Introduction interupted"));
    EXPECT_FALSE(game.userFileExists("Levels/Custom/" + name + ".kzs"));
    EXPECT_FALSE(game.userFileExists("Levels/Custom/" + name + ".kzg"));
}

INSTANTIATE_TEST_SUITE_P(Levels, UnplayableCommandLineLevel,
                         ::testing::Values(UnplayableLevel{"Missing", nullptr},
                                           UnplayableLevel{"BadHeader", "KZ2\nabc 8 3\n1 1 1 blueSky\n1 1 1\n"},
                                           UnplayableLevel{"TooLong", "10000 2 3\n1 1 1\n1 1 1\n"}),
                         [](const ::testing::TestParamInfo<UnplayableLevel>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
