// The real game started without a level, driven by real key events from the
// title screen through the main menu into games and back, and out through
// the main menu's exit.
#include "GameHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;

namespace {

// Every move and every choice in a menu plays a sound, and the log has a
// line for each; nothing else plays sounds while a menu or the pause runs.
const char* const kSoundLine = "jouerSon : A Sound is played";
// A new music is made current when the menus take over from a game.
const char* const kMusicLine = "chargerMusique : Ask for loading a music";
const char* const kPauseLine = "@ refresh : Pause";

int linesContaining(const std::vector<std::string>& lines, const std::string& part,
                    std::size_t from = 0)
{
    if (from > lines.size())
        return 0;
    return static_cast<int>(std::count_if(lines.begin() + static_cast<long>(from), lines.end(),
                                          [&](const std::string& l) {
                                              return l.find(part) != std::string::npos;
                                          }));
}

bool isBlack(const std::string& png, int x, int y)
{
    int r = 0, g = 0, b = 0;
    EXPECT_TRUE(GameHarness::pixelAt(png, x, y, r, g, b)) << png;
    return r < 16 && g < 16 && b < 16;
}

class MenusPlay : public ::testing::Test {
protected:
    void startGame()
    {
        OptionsText options;
        options.width = 640;
        options.height = 480;
        options.gameMessages = false; // play starts as soon as the intro is skipped
        game.setOptions(options);
        ASSERT_TRUE(game.start());
        ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    }

    int count(const std::string& part) { return linesContaining(game.logLines(), part); }

    // Saves the window as png until the picture shows what `shown` looks for
    // (a busy machine draws a new screen late); false when it never did.
    bool screenshotShowing(const std::string& png, const std::function<bool(const std::string&)>& shown)
    {
        for (int attempt = 0; attempt < 30; ++attempt) {
            if (game.screenshot(png) && shown(png))
                return true;
            if (!game.running())
                return false;
            GameHarness::pause(300);
        }
        return false;
    }

    // Waits (bounded) until the log holds `wanted` lines containing `part`.
    bool waitForLog(const std::string& part, int timeoutMs, int wanted = 1)
    {
        for (int waited = 0; waited <= timeoutMs; waited += 100) {
            if (count(part) >= wanted)
                return true;
            if (!game.running())
                return false;
            GameHarness::pause(100);
        }
        return false;
    }

    // Presses a key until the log holds `wanted` lines showing `part` (a
    // lost press is pressed again; these presses act once at most).
    bool pressUntilLog(const std::string& key, const std::string& part, int wanted = 1)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (!game.pressKey(key, 120))
                return false;
            if (waitForLog(part, 1500, wanted))
                return true;
        }
        return false;
    }

    // Presses a key until one more line showing `part` is logged.
    bool pressUntilMore(const std::string& key, const std::string& part)
    {
        return pressUntilLog(key, part, count(part) + 1);
    }

    // Moves the selection of the menu on screen with a direction key until
    // the number of moves made since the log had `from` lines, counted
    // around the menu's cycle of `cycle` moves, is `wanted`. A press that
    // is lost, or held long enough to repeat, is made up by the next ones.
    bool moveUntil(const std::string& key, std::size_t from, int cycle, int wanted)
    {
        for (int attempt = 0; attempt < 15; ++attempt) {
            GameHarness::pause(400);
            if (linesContaining(game.logLines(), kSoundLine, from) % cycle == wanted)
                return true;
            if (!game.pressKey(key, 100))
                return false;
        }
        return false;
    }

    // Starts the game and goes from the title screen through the main menu
    // (right to "single level", 1 move in every 6) into the level-set choice.
    void startInTheSingleLevelChoice()
    {
        startGame();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
        ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
        ASSERT_TRUE(moveUntil("d", game.logLines().size(), 6, 1)) << game.log();
        ASSERT_TRUE(pressUntilMore("space", kSoundLine)) << game.log();
        GameHarness::pause(300);
    }

    // Chooses the main menu's exit (left from "solo", around the six items)
    // and waits for the program to end.
    void exitFromTheMainMenu(const std::string& left, const std::string& validate)
    {
        ASSERT_TRUE(moveUntil(left, game.logLines().size(), 6, 1)) << game.log();
        ASSERT_TRUE(game.pressKey(validate, 120));
        int status = -1;
        ASSERT_TRUE(game.waitForExit(15000, &status)) << "the game did not end from the main menu\n"
                                                      << game.log();
        EXPECT_EQ(0, status) << game.stderrText();
    }

    // In the pause menu of a one-player game (continue, restart, abandon),
    // up from "continue" reaches "abandon" after 1 move in every 3; validate
    // gives the game up and the menu music starts.
    void abandonFromThePause()
    {
        ASSERT_TRUE(moveUntil("w", game.logLines().size(), 3, 1)) << game.log();
        ASSERT_TRUE(pressUntilMore("space", kMusicLine)) << game.log();
    }

    GameHarness game;
};

TEST_F(MenusPlay, FromTheTitleIntoADifficultyRunAndBackToTheMainMenuThenOut)
{
    startGame();
    if (HasFatalFailure())
        return;
    // Title screen: the 512-pixel picture in the middle of the 640 x 480
    // window, black beside it.
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    const std::string title = game.installDir() + "/title.png";
    ASSERT_TRUE(screenshotShowing(title, [](const std::string& png) { return !isBlack(png, 320, 120); }))
        << "the title picture was never drawn";
    EXPECT_TRUE(isBlack(title, 20, 240));
    EXPECT_TRUE(isBlack(title, 620, 240));
    EXPECT_FALSE(isBlack(title, 320, 120));
    EXPECT_FALSE(isBlack(title, 100, 240));

    // Validate goes on to the main menu, whose pictures fill the window.
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
    EXPECT_EQ(0, count("Game initialized"));
    const std::string menu = game.installDir() + "/menu.png";
    EXPECT_TRUE(screenshotShowing(menu, [](const std::string& png) {
        return !isBlack(png, 20, 240) && !isBlack(png, 620, 240);
    })) << "the main menu's pictures never filled the window";

    // Main menu on "solo": validate opens the difficulty choice, whose
    // first difficulty starts a run through the first world.
    ASSERT_TRUE(pressUntilMore("space", kSoundLine)) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(pressUntilLog("space", "Game initialized")) << game.log();
    ASSERT_TRUE(waitForLog("Loading the official level : Level_1-1", 5000)) << game.log();

    // Skip the intro; the back key of player 1 pauses the game.
    ASSERT_TRUE(pressUntilLog("space", "Introduction interupted")) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(pressUntilLog("Escape", kPauseLine)) << game.log();
    abandonFromThePause();
    if (HasFatalFailure())
        return;
    GameHarness::pause(500);
    EXPECT_TRUE(game.running());
    EXPECT_EQ(1, count("Game initialized")) << game.log();
    EXPECT_EQ(1, count(kPauseLine)) << game.log();
    EXPECT_EQ(0, count("Restart the level")) << game.log();
    EXPECT_EQ(0, count("The level is over"));
    EXPECT_EQ(0, count("All level is cleared"));

    // Back in the main menu: only the main menu has an exit, so the program
    // ending shows that the run returned there.
    exitFromTheMainMenu("a", "space");
    // Nothing was recorded for the abandoned run.
    EXPECT_FALSE(game.userFileExists("Levels/Official/Level_1-1.kzs"));
}

TEST_F(MenusPlay, AnOfficialLevelChosenInTheListIsPlayedAndAbandonedBackToTheList)
{
    startInTheSingleLevelChoice();
    if (HasFatalFailure())
        return;
    // The official levels are the choice's first item.
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menuKZ.png")) << game.log();
    GameHarness::pause(300);
    // The list's first level is played at once; validate skips its intro.
    ASSERT_TRUE(pressUntilLog("space", "Loading the custom level : Level_1-1")) << game.log();
    GameHarness::pause(500);
    ASSERT_TRUE(pressUntilLog("space", "Introduction interupted")) << game.log();
    EXPECT_EQ(0, count("Game initialized")) << "not a difficulty run";
    GameHarness::pause(300);
    ASSERT_TRUE(pressUntilLog("Escape", kPauseLine)) << game.log();
    abandonFromThePause();
    if (HasFatalFailure())
        return;
    GameHarness::pause(500);

    // Back from the list to the level-set choice and back again to the main
    // menu, where back ends the program: three backs in a row show that the
    // abandoned game returned to the list.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(pressUntilMore("Escape", kSoundLine)) << game.log();
        GameHarness::pause(300);
        ASSERT_TRUE(game.running()) << game.log();
    }
    ASSERT_TRUE(game.pressKey("Escape", 120));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
    EXPECT_EQ(1, count(kPauseLine)) << game.log();
    EXPECT_EQ(0, count("Restart the level")) << game.log();
    EXPECT_FALSE(game.userFileExists("Levels/Official/Level_1-1.kzs"));
}

TEST_F(MenusPlay, TheFirstLevelOfACustomListBehindAByteOrderMarkIsPlayedFromTheList)
{
    // A list saved by an editor that marks its UTF-8 files: the mark is not
    // part of the first name, which sorts first by title as it should.
    const char* const level = "KZ2\n60 3 3\n1 1 1 blueSky\n1 1 1\n1 1 1\n1 1 1\n";
    game.writeUserFile("Levels/Custom/Alpha.Tester.kzl", level);
    game.writeUserFile("Levels/Custom/Beta.Tester.kzl", level);
    game.writeUserFile("Levels/Custom/list.kzo", "\xEF\xBB\xBF" "Alpha.Tester\r\nBeta.Tester\r\n");
    startInTheSingleLevelChoice();
    if (HasFatalFailure())
        return;
    // Right to the players' levels.
    ASSERT_TRUE(moveUntil("d", game.logLines().size(), 3, 1)) << game.log();
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menuKZ.png")) << game.log();
    GameHarness::pause(300);
    // The list opens by title on its first level.
    ASSERT_TRUE(pressUntilLog("space", "Loading the custom level : ")) << game.log();
    ASSERT_TRUE(waitForLog("The level is a KZ2 File", 5000)) << game.log();
    EXPECT_EQ(1, count("Loading the custom level : Alpha.Tester")) << game.log();
    EXPECT_EQ(0, count("The file does not exists")) << game.log();
    EXPECT_TRUE(game.running());
    EXPECT_EQ(0, game.stop()) << game.stderrText();
}

TEST_F(MenusPlay, TheTitleGivesWayByItselfAndBackInTheMainMenuExits)
{
    startGame();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    // No key: the title shows for four seconds of frames, then the main menu.
    ASSERT_TRUE(waitForLog("/Ratio-4-3/menu4.png", 20000)) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("Escape", 120));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
    EXPECT_EQ(0, count("Game initialized"));
}

TEST_F(MenusPlay, PlayerTwoCanChooseTheExitInTheMainMenu)
{
    startGame();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
    // Player 2's left and validate keys.
    exitFromTheMainMenu("Left", "Return");
}

} // namespace
