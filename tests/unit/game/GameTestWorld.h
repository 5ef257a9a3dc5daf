#pragma once

// A small world for driving the game manager from a test: a GL context, the
// services with sound off, custom levels written into the player's folder,
// and frames stepped with a fixed dt.
#include "GLWindow.h"
#include "GameHarness.h"
#include "TestFiles.h"

#include "application/GameManager.h"
#include "services/ClavierManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class Joueur;

namespace game_test {

// A custom level file: time limit, then rows of block numbers.
std::string levelText(int seconds, const std::vector<std::string>& rows);

class GameTestWorld {
public:
    // The settings in force come from an options file written first.
    explicit GameTestWorld(const korvelin_test::OptionsText& options = korvelin_test::OptionsText());
    ~GameTestWorld();

    // Writes "Levels/Custom/<name>.kzl" into the player's folder.
    void writeLevel(const std::string& name, const std::string& text);

    // Starts a game of these custom levels (mode 2 for one player, 4 for
    // two) the way the application does.
    GameManager* start(const std::vector<std::string>& levels, int players);

    // Writes "Levels/Official/<name>.kzl" into the installation.
    void writeOfficialLevel(const std::string& name, const std::string& text);

    // Starts a one-player difficulty run (mode 0) the way the application does.
    GameManager* startDifficultyRun(int difficulty);

    // Runs frames of dt ms until the condition holds (true) or maxFrames.
    bool stepUntil(const std::function<bool()>& condition, long dt, int maxFrames);
    void step(long dt, int frames);

    // Key state of an action (ClavierManager::Action) of player 1 or 2.
    void setKey(int action, int player, int state);

    const ::testing::AssertionResult& contextReady() const { return context; }
    const korvelin_test::SandboxedGameFolders& folders() const { return sandbox; }

    GameManager* gm = nullptr;

private:
    korvelin_test::SandboxedGameFolders sandbox;
    ::testing::AssertionResult context = ::testing::AssertionFailure();
};

// Ten rows of plain blocks: the player never finishes.
extern const std::vector<std::string> kPlainRows;
// The player's start cell (row 3, column 2) is the finish.
extern const std::vector<std::string> kFinishRows;

// A test over one game world, which needs a GL context.
class GameWorldTest : public ::testing::Test {
protected:
    explicit GameWorldTest(const korvelin_test::OptionsText& options = korvelin_test::OptionsText())
        : world(options) {}

    void SetUp() override { ASSERT_TRUE(world.contextReady()) << "no GL context (run under Xvfb)"; }

    // Interrupts the intro and waits out the countdown.
    void skipIntro()
    {
        world.setKey(ClavierManager::VALIDATE, 1, 1);
        world.gm->refresh(10);
        ASSERT_TRUE(world.stepUntil([&] { return world.gm->state == GameManager::kPlay; }, 10, 300));
    }

    GameTestWorld world;
};

} // namespace game_test
