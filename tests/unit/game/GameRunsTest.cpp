// Whole games through the game manager: a difficulty run from its first level
// to "all cleared", the lives a player carries into the next level, and the
// replay of a level's best run beside the player.
#include "GameTestWorld.h"

#include "records/Ghost.h"
#include "records/Position.h"
#include "services/ClavierManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <gtest/gtest.h>

using game_test::GameTestWorld;
using game_test::kFinishRows;
using game_test::kPlainRows;
using game_test::levelText;

namespace {

korvelin_test::OptionsText withGhost(bool on)
{
    korvelin_test::OptionsText options;
    options.ghost = on;
    return options;
}

using GameRuns = game_test::GameWorldTest;

TEST_F(GameRuns, DifficultyRunPlaysItsLevelsInOrderThenEndsAllCleared)
{
    world.writeOfficialLevel("Level_2-1", levelText(60, kFinishRows));
    // The second level's finish covers the four rows ahead of the start.
    world.writeOfficialLevel("Level_2-2", levelText(60, {"100 100 100", "100 100 100", "100 100 100",
                                                         "100 100 100", "1 1 1", "1 1 1"}));
    GameManager* gm = world.startDifficultyRun(2);
    NiveauManager* niveau = NiveauManager::niveauManager;
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ("Level_2-1", niveau->fileName);

    skipIntro();
    ASSERT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kIntro; }, 10, 1000));
    EXPECT_EQ(2, niveau->levelIndex);
    EXPECT_EQ("Level_2-2", niveau->fileName);
    const long timeOfFirst = gm->getTempsLong(0);
    EXPECT_GT(timeOfFirst, 0);

    // A restart inside the run keeps the time spent on the earlier level
    // and the digests of the run.
    skipIntro();
    world.step(10, 2);
    const long before = gm->getTempsLong(0);
    EXPECT_GT(before, timeOfFirst);
    world.setKey(ClavierManager::RESTART, 1, 1);
    gm->refresh(10);
    world.setKey(ClavierManager::RESTART, 1, 0);
    EXPECT_EQ(GameManager::kIntro, gm->state);
    EXPECT_EQ(before, gm->getTempsLong(0));
    EXPECT_EQ(2, niveau->levelIndex);
    EXPECT_EQ(2u, niveau->hashes.size());

    // Level_2-3 does not exist: the run is over, every level cleared.
    skipIntro();
    world.setKey(ClavierManager::UP, 1, 1);
    ASSERT_TRUE(world.stepUntil([&] { return gm->getFinJeu(); }, 10, 1000));
    EXPECT_EQ(GameManager::kAllCleared, gm->state);
    EXPECT_TRUE(gm->isAllLevelsCleared());
    EXPECT_FALSE(gm->jeuQuitte());
    EXPECT_EQ(2u, niveau->hashes.size());
}

struct LivesCase {
    int livesAtFinish;
    int livesAtNextLevel;
};

class LivesAtTheNextLevel : public GameRuns, public ::testing::WithParamInterface<LivesCase> {};

TEST_P(LivesAtTheNextLevel, AreToppedUpToThreeButNeverTakenAway)
{
    const LivesCase c = GetParam();
    world.writeLevel("First.Test", levelText(60, kFinishRows));
    world.writeLevel("Second.Test", levelText(60, kFinishRows));
    GameManager* gm = world.start({"First.Test", "Second.Test"}, 1);
    skipIntro();
    ASSERT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kLevelEnd; }, 10, 200));
    gm->getJoueur(1)->setVies(c.livesAtFinish);
    ASSERT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kIntro; }, 10, 400));
    EXPECT_EQ(c.livesAtNextLevel, gm->getJoueur(1)->getVies(false));
}

INSTANTIATE_TEST_SUITE_P(Lives, LivesAtTheNextLevel,
                         ::testing::Values(LivesCase{1, 3}, LivesCase{2, 3}, LivesCase{3, 3},
                                           LivesCase{5, 5}, LivesCase{6, 6}),
                         [](const ::testing::TestParamInfo<LivesCase>& info) {
                             return "From" + std::to_string(info.param.livesAtFinish);
                         });

// A recorded run for the level: poses 60 ms apart drifting forward.
Ghost recordedRun()
{
    Ghost run;
    for (int i = 0; i < 200; ++i)
        run.addPosition(Position(i * 60L, 2.0f + 0.01f * i, 0.5f, 9.0f - 0.04f * i, 1.0f * i,
                                 2.0f * i, 3.0f * i));
    run.reset();
    return run;
}

class GhostReplay : public GameRuns, public ::testing::WithParamInterface<bool> {
protected:
    GhostReplay() : GameRuns(withGhost(GetParam())) {}
};

TEST_P(GhostReplay, TheGhostBodyFollowsTheRunOnPlayerOnesClock)
{
    const bool ghostOn = GetParam();
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    NiveauManager* niveau = NiveauManager::niveauManager;
    // The level's best run, as the level manager holds it once loaded.
    niveau->ghost = recordedRun();
    niveau->ghostLoaded = true;
    skipIntro();

    Ghost expected = recordedRun();
    for (int frame = 0; frame < 40; ++frame) {
        gm->refresh(16);
        if (!ghostOn) {
            EXPECT_EQ(nullptr, gm->ghostBody);
            continue;
        }
        ASSERT_NE(nullptr, gm->ghostBody);
        const long clock = gm->getJoueur(1)->getTempsAbsolu();
        EXPECT_EQ(gm->getTempsLong(0), clock);
        const Position pose = expected.getPosition(clock);
        EXPECT_FLOAT_EQ(pose.getX(), gm->ghostBody->getX()) << clock;
        EXPECT_FLOAT_EQ(pose.getY(), gm->ghostBody->getY()) << clock;
        EXPECT_FLOAT_EQ(pose.getZ(), gm->ghostBody->getZ()) << clock;
        EXPECT_FLOAT_EQ(pose.getRX(), gm->ghostBody->getRX()) << clock;
        EXPECT_FLOAT_EQ(pose.getRY(), gm->ghostBody->getRY()) << clock;
        EXPECT_FLOAT_EQ(pose.getRZ(), gm->ghostBody->getRZ()) << clock;
        EXPECT_EQ(3, gm->ghostBody->getNumJoueur());
    }
    // The level's own run is only read, never advanced by the replay.
    EXPECT_EQ(200u, niveau->ghost.getPositions().size());
    EXPECT_EQ(-51, niveau->ghost.getLastRecordedTime());

    // A restart frees the body; the next replay frame makes a new one.
    gm->restartLevel();
    EXPECT_EQ(nullptr, gm->ghostBody);
}

INSTANTIATE_TEST_SUITE_P(GhostOption, GhostReplay, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("On") : std::string("Off");
                         });

} // namespace
