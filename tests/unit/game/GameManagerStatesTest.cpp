// The game manager's state sequence, driven with fixed frame times and
// scripted key states over real custom levels.
#include "GameTestWorld.h"

#include "application/GamePause.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <gtest/gtest.h>

#include <ostream>

using game_test::GameTestWorld;
using game_test::kFinishRows;
using game_test::kPlainRows;
using game_test::levelText;

namespace {

using GameStates = game_test::GameWorldTest;

TEST_F(GameStates, IntroSweepEndsByItselfInPlayWithoutCountdown)
{
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    ASSERT_FALSE(NiveauManager::niveauManager->noMoreLevel);
    ASSERT_TRUE(OptionsManager::getInstance()->isGameMessages(0));
    ASSERT_EQ(GameManager::kIntro, gm->state);

    // 11 rows at 10 ms: 0.018333 per frame up to the camera at z 9.
    int frames = 0;
    float previous = gm->getCameraZ(1);
    while (gm->state == GameManager::kIntro && frames < 2000) {
        gm->refresh(10);
        ++frames;
        ASSERT_NE(GameManager::kCountdown, gm->state);
        if (gm->state == GameManager::kIntro) {
            EXPECT_GT(gm->getCameraZ(1), previous);
            previous = gm->getCameraZ(1);
        }
    }
    EXPECT_EQ(GameManager::kPlay, gm->state);
    EXPECT_NEAR(491, frames, 2);
    EXPECT_EQ(0.0f, gm->introCamera[0]);
    // In play the camera follows the player again.
    EXPECT_FLOAT_EQ(gm->getJoueur(1)->getCameraZ(), gm->getCameraZ(1));
}

TEST_F(GameStates, OneMillisecondFramesStillMoveTheIntroSweep)
{
    // 3 rows: dt x rows is below 6, which must not freeze the sweep.
    world.writeLevel("Tiny.Test", levelText(60, {"1 1 1", "1 1 1"}));
    GameManager* gm = world.start({"Tiny.Test"}, 1);
    gm->refresh(1);
    EXPECT_NEAR(3.0f / 6000.0f, gm->introCamera[0], 1e-6f);
    // The camera stands at z 1: about 2000 frames.
    EXPECT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kPlay; }, 1, 2100));
}

struct InterruptCase {
    bool gameMessages;
    int action;
    int expectedState;
};

korvelin_test::OptionsText withGameMessages(bool on)
{
    korvelin_test::OptionsText options;
    options.gameMessages = on;
    return options;
}

class IntroInterrupt : public GameStates, public ::testing::WithParamInterface<InterruptCase> {
protected:
    IntroInterrupt() : GameStates(withGameMessages(GetParam().gameMessages)) {}
};

TEST_P(IntroInterrupt, SkipsTheSweepToTheCountdownOnlyWithGameMessages)
{
    const InterruptCase c = GetParam();
    ASSERT_EQ(c.gameMessages, OptionsManager::getInstance()->isGameMessages(0));
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    world.step(10, 5);
    world.setKey(c.action, 1, 1);
    gm->refresh(10);
    EXPECT_EQ(c.expectedState, gm->state);
    EXPECT_EQ(0, ClavierManager::clavier->keyState[ClavierManager::VALIDATE][0]);
    EXPECT_EQ(0, ClavierManager::clavier->keyState[ClavierManager::BACK][0]);
    if (c.expectedState != GameManager::kCountdown)
        return;
    EXPECT_EQ(2000.0, gm->countdown);
    EXPECT_EQ(2, GameManager::countdownNumber(gm->countdown));
    world.step(10, 199);
    EXPECT_EQ(GameManager::kCountdown, gm->state);
    EXPECT_EQ(0, GameManager::countdownNumber(gm->countdown));
    gm->refresh(10);
    EXPECT_EQ(GameManager::kPlay, gm->state);
    EXPECT_EQ(0.0, gm->countdown);
}

INSTANTIATE_TEST_SUITE_P(Keys, IntroInterrupt,
                         ::testing::Values(InterruptCase{true, ClavierManager::VALIDATE, GameManager::kCountdown},
                                           InterruptCase{true, ClavierManager::BACK, GameManager::kCountdown},
                                           InterruptCase{false, ClavierManager::VALIDATE, GameManager::kPlay},
                                           InterruptCase{false, ClavierManager::BACK, GameManager::kPlay}),
                         [](const ::testing::TestParamInfo<InterruptCase>& info) {
                             return std::string(info.param.gameMessages ? "Messages" : "NoMessages")
                                 + (info.param.action == ClavierManager::VALIDATE ? "Validate" : "Back");
                         });

TEST(Countdown, ShowsTwoOneThenZeroForTheLastFifthOfASecond)
{
    struct { double left; int shown; } cases[] = {
        {2000, 2}, {1200, 2}, {1199, 1}, {200, 1}, {199, 0}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, GameManager::countdownNumber(c.left)) << c.left;
}

TEST_F(GameStates, FinishedLevelRisesThenTheNextLoadsAndTheLastEndsTheGame)
{
    world.writeLevel("First.Test", levelText(60, kFinishRows));
    world.writeLevel("Second.Test", levelText(60, kFinishRows));
    GameManager* gm = world.start({"First.Test", "Second.Test"}, 1);
    NiveauManager* niveau = NiveauManager::niveauManager;
    skipIntro();

    ASSERT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kLevelEnd; }, 10, 200));
    Joueur* p1 = gm->getJoueur(1);
    EXPECT_TRUE(p1->niveauTermine());
    EXPECT_EQ(0, gm->wins[0]);  // one player: no winner is counted
    const long timeOfFirst = gm->getTempsLong(0);
    EXPECT_GT(timeOfFirst, 0);
    p1->setVies(1);

    // The camera rises 3 units a second to 5, the world standing still.
    gm->refresh(10);
    EXPECT_FLOAT_EQ(0.03f, gm->getCameraY(1));
    EXPECT_FLOAT_EQ(0.03f / 5.0f, gm->endProgress);
    int frames = 1;
    while (gm->state == GameManager::kLevelEnd && frames < 400) {
        gm->refresh(10);
        ++frames;
    }
    EXPECT_EQ(GameManager::kNextLevel, gm->state);
    EXPECT_NEAR(167, frames, 1);
    EXPECT_EQ(timeOfFirst, gm->getTempsLong(0));

    gm->refresh(10);
    EXPECT_EQ(GameManager::kIntro, gm->state);
    EXPECT_EQ(2, niveau->levelIndex);
    EXPECT_EQ("Second.Test", niveau->fileName);
    EXPECT_EQ(0.0f, gm->endProgress);
    EXPECT_EQ(3, p1->getVies(false));  // topped up to three
    EXPECT_EQ(60, p1->getTemps());
    EXPECT_EQ(Joueur::kJeu, p1->getEtat());

    skipIntro();
    ASSERT_TRUE(world.stepUntil([&] { return gm->getFinJeu(); }, 10, 600));
    EXPECT_EQ(GameManager::kQuit, gm->state);
    EXPECT_TRUE(gm->isAllLevelsCleared());
    EXPECT_TRUE(gm->jeuQuitte());
    // The play clock runs on across the levels of the list.
    EXPECT_GT(gm->getTempsLong(0), timeOfFirst);
    EXPECT_EQ("0.0 ", gm->getTempsJeu(1));
}

TEST_F(GameStates, APlayerOutOfTimeRestartsTheSameLevelWithThreeLives)
{
    world.writeLevel("Short.Test", levelText(1, kPlainRows));
    GameManager* gm = world.start({"Short.Test"}, 1);
    skipIntro();
    Joueur* p1 = gm->getJoueur(1);
    p1->setVies(2);

    bool sawTimeOut = false;
    ASSERT_TRUE(world.stepUntil(
        [&] {
            sawTimeOut = sawTimeOut || p1->getEtat() == Joueur::kFinTemps;
            return gm->state == GameManager::kIntro;
        },
        10, 600));
    EXPECT_TRUE(sawTimeOut);
    EXPECT_FALSE(gm->getFinJeu());
    EXPECT_EQ(3, p1->getVies(false));
    EXPECT_EQ(1, p1->getTemps());
    EXPECT_TRUE(p1->vivant());
    EXPECT_EQ(0, gm->getTempsLong(0));  // a single level starts its clock again
    EXPECT_EQ("Short.Test", NiveauManager::niveauManager->fileName);
    EXPECT_EQ(1, NiveauManager::niveauManager->levelIndex);
    EXPECT_NE(nullptr, NiveauManager::niveauManager->grid);
}

class RestartKey : public GameStates, public ::testing::WithParamInterface<int> {};

TEST_P(RestartKey, RestartsOnlyAOnePlayerGame)
{
    const int players = GetParam();
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, players);
    skipIntro();
    world.step(10, 20);
    world.setKey(ClavierManager::RESTART, 1, 1);
    gm->refresh(10);
    EXPECT_EQ(players == 1 ? GameManager::kIntro : GameManager::kPlay, gm->state);
    // The key is left as it is: the player lets go of it.
    EXPECT_EQ(1, ClavierManager::clavier->keyState[ClavierManager::RESTART][0]);
}

INSTANTIATE_TEST_SUITE_P(Players, RestartKey, ::testing::Values(1, 2));

struct WinnerCase {
    const char* startRow;  // columns 1 (player 1), 2, 3 (player 2)
    int winner;
    int wins1;
    int wins2;
};

class Winner : public GameStates, public ::testing::WithParamInterface<WinnerCase> {};

TEST_P(Winner, TheFirstToEnterTheFinishingAnimationWinsTheLevel)
{
    const WinnerCase c = GetParam();
    world.writeLevel("Versus.Test", levelText(2, {"1 1 1", "1 1 1", c.startRow, "1 1 1"}));
    GameManager* gm = world.start({"Versus.Test"}, 2);
    EXPECT_FLOAT_EQ(1.0f, gm->getJoueur(1)->getX());
    EXPECT_FLOAT_EQ(3.0f, gm->getJoueur(2)->getX());
    skipIntro();

    int decided = 0;
    ASSERT_TRUE(world.stepUntil(
        [&] {
            if (decided == 0)
                decided = gm->winner;
            EXPECT_EQ(decided, gm->winner == 0 ? decided : gm->winner);
            return gm->state == GameManager::kLevelEnd;
        },
        10, 1000));
    EXPECT_EQ(c.winner, gm->winner);
    EXPECT_EQ(c.winner, decided);
    EXPECT_EQ(c.wins1, gm->wins[0]);
    EXPECT_EQ(c.wins2, gm->wins[1]);
    EXPECT_EQ(0, gm->getJoueur(1)->getAnimation());
    EXPECT_EQ(0, gm->getJoueur(2)->getAnimation());
}

INSTANTIATE_TEST_SUITE_P(Finishes, Winner,
                         ::testing::Values(WinnerCase{"100 1 100", 3, 1, 1},
                                           WinnerCase{"100 1 1", 1, 1, 0},
                                           WinnerCase{"1 1 100", 2, 0, 1}),
                         [](const ::testing::TestParamInfo<WinnerCase>& info) {
                             return "Winner" + std::to_string(info.param.winner);
                         });

TEST_F(GameStates, WinsAddUpOverTheLevelsOfAVersusGame)
{
    world.writeLevel("One.Test", levelText(2, {"1 1 1", "1 1 1", "100 1 1", "1 1 1"}));
    world.writeLevel("Two.Test", levelText(2, {"1 1 1", "1 1 1", "100 1 100", "1 1 1"}));
    GameManager* gm = world.start({"One.Test", "Two.Test"}, 2);
    skipIntro();
    ASSERT_TRUE(world.stepUntil([&] { return gm->state == GameManager::kIntro; }, 10, 2000));
    EXPECT_EQ(0, gm->winner);
    skipIntro();
    ASSERT_TRUE(world.stepUntil([&] { return gm->getFinJeu(); }, 10, 2000));
    EXPECT_EQ(2, gm->wins[0]);
    EXPECT_EQ(1, gm->wins[1]);
}

TEST_F(GameStates, AFirstLevelThatCannotBeLoadedEndsTheGameAtOnce)
{
    GameManager* gm = world.start({"Missing.Level"}, 1);
    ASSERT_TRUE(NiveauManager::niveauManager->noMoreLevel);
    gm->refresh(10);
    EXPECT_TRUE(gm->getFinJeu());
    EXPECT_TRUE(gm->jeuQuitte());
    EXPECT_FALSE(gm->isAllLevelsCleared());
    EXPECT_EQ(0, gm->getTempsLong(0));
}

TEST_F(GameStates, OnePlayerHandsItsPositionToTheBlocksTwice)
{
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    skipIntro();
    world.step(10, 3);
    EXPECT_EQ(gm->getJoueur(1), gm->getJoueur(2));
    const double* p = NiveauManager::niveauManager->playerPositions;
    EXPECT_EQ(p[0], p[3]);
    EXPECT_EQ(p[1], p[4]);
    EXPECT_EQ(p[2], p[5]);
    EXPECT_FLOAT_EQ(2.0f, static_cast<float>(p[0]));
}

// A pause menu whose choice the test sets.
class ScriptedPause : public GamePause {
public:
    explicit ScriptedPause(int code, int* resets) : code(code), resets(resets) {}
    void enableNextLevel(bool e) override { nextLevel = e; }
    void enableRestartLevel(bool e) override { restart = e; }
    void refresh(long) override {}
    int getCode() override { return code; }
    void reset() override { ++*resets; code = 0; }
    void draw() override {}
    int code;
    int* resets;
    bool nextLevel = true;
    bool restart = false;
};

// Puts a scripted pause menu in the place of the game's own.
ScriptedPause* installScriptedPause(GameManager* gm, int* resets)
{
    auto* pause = new ScriptedPause(0, resets);
    delete gm->pauseMenu;
    gm->pauseMenu = pause;
    return pause;
}

struct PauseCase {
    int code;
    int expectedState;
    int expectedResets;
};

class PauseChoice : public GameStates, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PauseChoice, ActsOnTheMenusCode)
{
    const PauseCase c = GetParam();
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    skipIntro();
    world.step(10, 10);
    int resets = 0;
    ScriptedPause* pause = installScriptedPause(gm, &resets);

    world.setKey(ClavierManager::BACK, 1, 1);
    gm->refresh(10);
    ASSERT_EQ(GameManager::kPause, gm->state);
    EXPECT_EQ(0, ClavierManager::clavier->keyState[ClavierManager::BACK][0]);
    EXPECT_FALSE(pause->nextLevel);  // one player: never offered
    EXPECT_TRUE(pause->restart);

    // The world stands still while nothing is chosen.
    const long clock = gm->getTempsLong(0);
    world.step(10, 5);
    EXPECT_EQ(GameManager::kPause, gm->state);
    EXPECT_EQ(clock, gm->getTempsLong(0));

    pause->code = c.code;
    gm->refresh(10);
    EXPECT_EQ(c.expectedState, gm->state);
    EXPECT_EQ(c.expectedResets, resets);
    if (c.code == 4) {
        EXPECT_TRUE(gm->getFinJeu());
        EXPECT_TRUE(gm->jeuQuitte());
        EXPECT_FALSE(gm->isAllLevelsCleared());
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, PauseChoice,
                         ::testing::Values(PauseCase{1, GameManager::kPlay, 1},
                                           PauseCase{2, GameManager::kIntro, 1},
                                           PauseCase{3, GameManager::kNextLevel, 1},
                                           PauseCase{4, GameManager::kQuit, 0}),
                         [](const ::testing::TestParamInfo<PauseCase>& info) {
                             return "Code" + std::to_string(info.param.code);
                         });

TEST_F(GameStates, ThePauseMenuResumesOnValidate)
{
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 1);
    skipIntro();
    world.setKey(ClavierManager::BACK, 1, 1);
    gm->refresh(10);
    ASSERT_EQ(GameManager::kPause, gm->state);
    world.step(10, 3);
    EXPECT_EQ(GameManager::kPause, gm->state);
    world.setKey(ClavierManager::VALIDATE, 2, 1);
    gm->refresh(10);
    gm->refresh(10);
    EXPECT_EQ(GameManager::kPlay, gm->state);
    EXPECT_EQ(0, ClavierManager::clavier->keyState[ClavierManager::VALIDATE][1]);
}

TEST_F(GameStates, TwoPlayersArePlacedApartAndOfferedTheNextLevel)
{
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 2);
    skipIntro();
    int resets = 0;
    ScriptedPause* pause = installScriptedPause(gm, &resets);
    pause->nextLevel = false;
    world.setKey(ClavierManager::BACK, 1, 1);
    gm->refresh(10);
    ASSERT_EQ(GameManager::kPause, gm->state);
    EXPECT_TRUE(pause->nextLevel);
    EXPECT_TRUE(pause->restart);
    EXPECT_FALSE(gm->getJoueur(1)->isModeSolo());
    EXPECT_FALSE(gm->getJoueur(2)->isModeSolo());
}

// A player who has finished the level, or is in its finishing animation,
// when player 1 pauses: neither the next level nor a restart is offered.
struct FinishedCase {
    const char* name;
    int players;
    int finishedPlayer;
    int state;     // Joueur state
    int animation; // animation mode the finish left
};

void PrintTo(const FinishedCase& c, std::ostream* os)
{
    *os << c.name;
}

class PauseAfterAFinish : public GameStates, public ::testing::WithParamInterface<FinishedCase> {};

TEST_P(PauseAfterAFinish, OffersNeitherTheNextLevelNorARestart)
{
    const FinishedCase c = GetParam();
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, c.players);
    skipIntro();
    world.step(10, 5);
    int resets = 0;
    ScriptedPause* pause = installScriptedPause(gm, &resets);
    pause->nextLevel = true;
    pause->restart = true;

    Joueur* finished = gm->getJoueur(c.finishedPlayer);
    finished->setEtat(c.state);
    finished->setAnimation(c.animation);
    world.setKey(ClavierManager::BACK, 1, 1);
    gm->refresh(10);
    ASSERT_EQ(GameManager::kPause, gm->state);
    EXPECT_FALSE(pause->nextLevel);
    EXPECT_FALSE(pause->restart);
}

INSTANTIATE_TEST_SUITE_P(
    Finishes, PauseAfterAFinish,
    ::testing::Values(FinishedCase{"OnePlayerFinished", 1, 1, Joueur::kTermine, 0},
                      FinishedCase{"PlayerOneFinished", 2, 1, Joueur::kTermine, 0},
                      FinishedCase{"PlayerTwoFinished", 2, 2, Joueur::kTermine, 0},
                      FinishedCase{"PlayerOneFinishing", 2, 1, Joueur::kFinArrivee, Joueur::kFinArrivee},
                      FinishedCase{"PlayerTwoFinishing", 2, 2, Joueur::kFinArrivee, Joueur::kFinArrivee}),
    [](const ::testing::TestParamInfo<FinishedCase>& info) { return std::string(info.param.name); });

TEST_F(GameStates, TwoPlayersBothOutOfTimeRestartTheLevelTogether)
{
    world.writeLevel("Short.Test", levelText(1, kPlainRows));
    GameManager* gm = world.start({"Short.Test"}, 2);
    skipIntro();
    Joueur* p1 = gm->getJoueur(1);
    Joueur* p2 = gm->getJoueur(2);

    bool sawBothTimedOut = false;
    ASSERT_TRUE(world.stepUntil(
        [&] {
            sawBothTimedOut = sawBothTimedOut
                || (p1->getEtat() == Joueur::kFinTemps && p2->getEtat() == Joueur::kFinTemps);
            return gm->state == GameManager::kIntro;
        },
        10, 600));
    EXPECT_TRUE(sawBothTimedOut);
    EXPECT_FALSE(gm->getFinJeu());
    for (Joueur* p : {p1, p2}) {
        EXPECT_EQ(Joueur::kJeu, p->getEtat()) << p->getNumJoueur();
        EXPECT_EQ(3, p->getVies(false)) << p->getNumJoueur();
        EXPECT_EQ(1, p->getTemps()) << p->getNumJoueur();
    }
    EXPECT_FLOAT_EQ(1.0f, p1->getX());
    EXPECT_FLOAT_EQ(3.0f, p2->getX());
    EXPECT_EQ(0, gm->getTempsLong(0));
    EXPECT_EQ("Short.Test", NiveauManager::niveauManager->fileName);
}

TEST_F(GameStates, TwoPlayersGoOnWhileOneOfThemIsStillIn)
{
    world.writeLevel("Plain.Test", levelText(60, kPlainRows));
    GameManager* gm = world.start({"Plain.Test"}, 2);
    skipIntro();
    for (int out : {1, 2}) {
        SCOPED_TRACE(out);
        gm->getJoueur(out)->setEtat(Joueur::kHorsJeu);
        world.step(10, 5);
        EXPECT_EQ(GameManager::kPlay, gm->state);
        EXPECT_EQ(Joueur::kHorsJeu, gm->getJoueur(out)->getEtat());
        gm->getJoueur(out)->setEtat(Joueur::kJeu);
    }
}

} // namespace
