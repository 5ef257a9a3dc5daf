// The real game started without a level, driven by real key events from the
// title screen through the main menu into a difficulty run and back, and
// out through the main menu's exit.
#include "GameHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;

namespace {

int linesContaining(const std::vector<std::string>& lines, const std::string& part)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
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

    // Waits (bounded) until the log holds `count` lines containing `part`.
    bool waitForLog(const std::string& part, int timeoutMs, int count = 1)
    {
        for (int waited = 0; waited <= timeoutMs; waited += 100) {
            if (linesContaining(game.logLines(), part) >= count)
                return true;
            if (!game.running())
                return false;
            GameHarness::pause(100);
        }
        return false;
    }

    // The main menu has been built once it has loaded its last slide.
    bool waitForMainMenu(int timeoutMs)
    {
        return waitForLog("/Ratio-4-3/menu4.png", timeoutMs);
    }

    // Presses a key until the log shows `part` (a lost press is pressed
    // again; these presses act once at most).
    bool pressUntilLog(const std::string& key, const std::string& part, int count = 1)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (!game.pressKey(key, 150))
                return false;
            if (waitForLog(part, 1500, count))
                return true;
        }
        return false;
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
    GameHarness::pause(500);
    const std::string title = game.installDir() + "/title.png";
    ASSERT_TRUE(game.screenshot(title));
    EXPECT_TRUE(isBlack(title, 20, 240));
    EXPECT_TRUE(isBlack(title, 620, 240));
    EXPECT_FALSE(isBlack(title, 320, 120));
    EXPECT_FALSE(isBlack(title, 100, 240));

    // Validate goes on to the main menu, whose pictures fill the window.
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
    EXPECT_FALSE(waitForLog("Game initialized", 0));
    GameHarness::pause(300);
    const std::string menu = game.installDir() + "/menu.png";
    ASSERT_TRUE(game.screenshot(menu));
    EXPECT_FALSE(isBlack(menu, 20, 240));
    EXPECT_FALSE(isBlack(menu, 620, 240));

    // Main menu on "solo": validate opens the difficulty choice, whose
    // first difficulty starts a run through the first world.
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("space", 150));
    GameHarness::pause(500);
    ASSERT_TRUE(pressUntilLog("space", "Game initialized")) << game.log();
    ASSERT_TRUE(waitForLog("Level_1-1", 5000)) << game.log();

    // Skip the intro; the back key of player 1 pauses the game.
    ASSERT_TRUE(pressUntilLog("space", "Introduction interupted")) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(pressUntilLog("Escape", "@ refresh : Pause")) << game.log();

    // In the pause menu, up from "continue" wraps to "abandon" (the next
    // level is not offered to one player); validate gives up the run.
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("w", 150));
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("space", 150));
    GameHarness::pause(1000);
    EXPECT_TRUE(game.running());
    const std::vector<std::string> lines = game.logLines();
    EXPECT_EQ(1, linesContaining(lines, "Game initialized")) << game.log();
    EXPECT_EQ(1, linesContaining(lines, "@ refresh : Pause")) << game.log();
    EXPECT_EQ(0, linesContaining(lines, "The level is over"));
    EXPECT_EQ(0, linesContaining(lines, "All level is cleared"));

    // Back in the main menu: left from "solo" wraps to "exit", and validate
    // ends the program. Only the main menu has an exit, so the program
    // ending shows that the run returned there.
    ASSERT_TRUE(game.pressKey("a", 150));
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("space", 150));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << "the game did not end from the main menu\n"
                                                  << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
    // Nothing was recorded for the abandoned run.
    EXPECT_FALSE(game.userFileExists("Levels/Official/Level_1-1.kzs"));
}

TEST_F(MenusPlay, AnOfficialLevelChosenInTheListIsPlayedAndAbandonedBackToTheList)
{
    startGame();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
    GameHarness::pause(300);
    // Main menu: right to "single level", then the official levels.
    ASSERT_TRUE(game.pressKey("d", 150));
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("space", 150));
    GameHarness::pause(500);
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menuKZ.png")) << game.log();
    GameHarness::pause(500);
    // The list's first level is played at once: validate skips its intro.
    ASSERT_TRUE(game.pressKey("space", 150));
    GameHarness::pause(1500);
    ASSERT_TRUE(pressUntilLog("space", "Introduction interupted")) << game.log();
    EXPECT_EQ(0, linesContaining(game.logLines(), "Game initialized")) << "not a difficulty run";
    GameHarness::pause(300);
    ASSERT_TRUE(pressUntilLog("Escape", "@ refresh : Pause")) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("w", 150));
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("space", 150));
    GameHarness::pause(1000);

    // Back from the list to the level-set choice, back again to the main
    // menu, and back there ends the program: three backs in a row show that
    // the abandoned game returned to the list.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(game.pressKey("Escape", 150));
        GameHarness::pause(600);
        ASSERT_TRUE(game.running()) << game.log();
    }
    ASSERT_TRUE(game.pressKey("Escape", 150));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
    EXPECT_EQ(1, linesContaining(game.logLines(), "@ refresh : Pause")) << game.log();
    EXPECT_FALSE(game.userFileExists("Levels/Official/Level_1-1.kzs"));
}

TEST_F(MenusPlay, TheTitleGivesWayByItselfAndBackInTheMainMenuExits)
{
    startGame();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    // No key: the title shows for four seconds of frames, then the main menu.
    ASSERT_TRUE(waitForMainMenu(20000)) << game.log();
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("Escape", 150));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
    EXPECT_EQ(0, linesContaining(game.logLines(), "Game initialized"));
}

TEST_F(MenusPlay, PlayerTwoCanChooseInTheMainMenu)
{
    startGame();
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(waitForLog("Images/Menus/premenu.png", 15000)) << game.log();
    ASSERT_TRUE(pressUntilLog("space", "/Ratio-4-3/menu4.png")) << game.log();
    GameHarness::pause(300);
    // Player 2's left and validate keys: exit.
    ASSERT_TRUE(game.pressKey("Left", 150));
    GameHarness::pause(300);
    ASSERT_TRUE(game.pressKey("Return", 150));
    int status = -1;
    ASSERT_TRUE(game.waitForExit(15000, &status)) << game.log();
    EXPECT_EQ(0, status) << game.stderrText();
}

} // namespace
