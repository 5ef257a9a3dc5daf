// Steering with keys and joystick, the speed limits, and the three gravities.
#include "PlayerFixture.h"

#include "application/KeyStateUpdater.h"

#include <SDL/SDL.h>

#include <cstdlib>
#include <ostream>
#include <string>

using playertest::touche;

namespace {
// A player high in the air over a plain level: no landing for a while.
const char* const kPlat = "60 6 3\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n";
} // namespace

TEST_F(JoueurTest, HoldingForwardKeepsTheStartingAccelerationFor300ms)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::UP, 1, 1);
    for (int i = 0; i < 30; ++i) {
        pas(10);
        ASSERT_FLOAT_EQ(j.getAccelZ(), -0.002f) << "frame " << i;
    }
    EXPECT_NEAR(j.getVZ(), -0.6, 1e-5);
    EXPECT_FLOAT_EQ(j.getTempsAccelZ(), 300);
    pas(10);
    EXPECT_NEAR(j.getAccelZ(), -0.002 - 10 * 0.00001 / 50, 1e-9);
    pas(10);
    EXPECT_LT(j.getAccelZ(), -0.002 - 10 * 0.00001 / 50);
}

TEST_F(JoueurTest, EachDirectionAcceleratesItsOwnWay)
{
    struct Cas {
        int action;
        float accelX, accelZ;
    };
    const Cas cas[] = {
        {ClavierManager::UP, 0, -0.002f},
        {ClavierManager::DOWN, 0, 0.002f},
        {ClavierManager::LEFT, -0.004f, 0},
        {ClavierManager::RIGHT, 0.004f, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.action);
        playertest::relacherTout();
        Joueur& j = commencer(kPlat);
        j.setXYZ(2, 50, 5);
        touche(c.action, 1, 1);
        pas(16);
        EXPECT_FLOAT_EQ(j.getAccelX(), c.accelX);
        EXPECT_FLOAT_EQ(j.getAccelZ(), c.accelZ);
        EXPECT_NEAR(j.getVX(), c.accelX * 16, 1e-6);
        EXPECT_NEAR(j.getVZ(), c.accelZ * 16, 1e-6);
    }
}

TEST_F(JoueurTest, SideAccelerationGrowsFasterAfter300ms)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::RIGHT, 1, 1);
    for (int i = 0; i < 31; ++i)
        pas(10);
    EXPECT_NEAR(j.getAccelX(), 0.004 + 10 * 0.0005 / 50, 1e-8);
}

TEST_F(JoueurTest, ReleasingClearsTheAccelerationButKeepsTheSpeed)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::LEFT, 1, 1);
    pas(16);
    const float vx = j.getVX();
    touche(ClavierManager::LEFT, 1, 0);
    pas(16);
    EXPECT_FLOAT_EQ(j.getAccelX(), 0);
    EXPECT_FLOAT_EQ(j.getTempsAccelX(), 0);
    EXPECT_FLOAT_EQ(j.getVX(), vx);
}

TEST_F(JoueurTest, ForwardWinsOverBackAndLeftOverRight)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::UP, 1, 1);
    touche(ClavierManager::DOWN, 1, 1);
    touche(ClavierManager::LEFT, 1, 1);
    touche(ClavierManager::RIGHT, 1, 1);
    pas(16);
    EXPECT_LT(j.getVZ(), 0);
    EXPECT_LT(j.getVX(), 0);
}

TEST_F(JoueurTest, OnlyState1CountsAsPressed)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::UP, 1, 2); // held but overridden
    touche(ClavierManager::DOWN, 1, 1);
    pas(16);
    EXPECT_GT(j.getVZ(), 0);
}

TEST_F(JoueurTest, SoloModeAnswersToTheSecondKeySetToo)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 50, 5);
    touche(ClavierManager::UP, 2, 1);
    pas(16);
    EXPECT_LT(j.getVZ(), 0);

    j.setModeSolo(false);
    j.setVXYZ(0, 0, 0);
    pas(16);
    EXPECT_FLOAT_EQ(j.getVZ(), 0);
    EXPECT_FLOAT_EQ(j.getAccelZ(), 0);
}

TEST_F(JoueurTest, SecondPlayerSteersWithItsOwnKeysOnly)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kPlat));
    Joueur p1(1), p2(2);
    p1.setTemps(60);
    p2.setTemps(60);
    p1.setModeSolo(false);
    p2.setModeSolo(false);
    p1.setXYZ(1, 50, 5);
    p2.setXYZ(3, 50, 5);
    touche(ClavierManager::RIGHT, 2, 1);
    long horloge = 0;
    playertest::pas(p1, &p2, 16, horloge);
    EXPECT_FLOAT_EQ(p1.getVX(), 0);
    EXPECT_GT(p2.getVX(), 0);
}

TEST_F(JoueurTest, SpeedsAreHeldWithinTheSteeringLimits)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 1000, 5);
    touche(ClavierManager::UP, 1, 1);
    touche(ClavierManager::LEFT, 1, 1);
    for (int i = 0; i < 200; ++i) {
        pas(16);
        ASSERT_GE(j.getVZ(), -4);
        ASSERT_GE(j.getVX(), -6);
    }
    EXPECT_FLOAT_EQ(j.getVZ(), -4);
    EXPECT_FLOAT_EQ(j.getVX(), -6);

    // Whatever a landing set, the next frame's steering brings it back.
    playertest::relacherTout();
    j.setXYZ(2, 1000, 5);
    j.setVXYZ(9, 0, 7);
    pas(16);
    EXPECT_FLOAT_EQ(j.getVX(), 6);
    EXPECT_FLOAT_EQ(j.getVZ(), 4);
}

TEST_F(JoueurTest, JoystickAcceleratesTowardFourTimesItsAxis)
{
    struct Cas {
        float vz;
        int sens; // sign of the acceleration chosen, 0 none
    };
    const Cas cas[] = {{-1, -1}, {-3, 1}, {-2, 0}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.vz);
        Joueur& j = commencer(kPlat);
        ClavierManager::clavier->joystickUsed[0] = true;
        ClavierManager::clavier->joystickAxis[2] = -0.5; // z axis of joystick 0
        j.setXYZ(2, 50, 5);
        j.setVXYZ(0, 0, c.vz);
        pas(16);
        if (c.sens == 0)
            EXPECT_FLOAT_EQ(j.getAccelZ(), 0);
        else
            EXPECT_FLOAT_EQ(j.getAccelZ(), c.sens * 0.002f);
    }
    // The axes count only while the joystick steers.
    Joueur& j = commencer(kPlat);
    ClavierManager::clavier->joystickUsed[0] = false;
    ClavierManager::clavier->joystickAxis[0] = 1;
    j.setXYZ(2, 50, 5);
    pas(16);
    EXPECT_FLOAT_EQ(j.getVX(), 0);
}

TEST_F(JoueurTest, JoystickXAxisComparesWithASixthOfTheSpeed)
{
    Joueur& j = commencer(kPlat);
    ClavierManager::clavier->joystickUsed[0] = true;
    ClavierManager::clavier->joystickAxis[0] = 0.5;
    j.setXYZ(2, 50, 5);
    j.setVXYZ(2, 0, 0); // 0.5 > 2 / 6: right
    pas(16);
    EXPECT_FLOAT_EQ(j.getAccelX(), 0.004f);
    j.setVXYZ(4, 0, 0); // 0.5 < 4 / 6: left
    pas(16);
    EXPECT_FLOAT_EQ(j.getAccelX(), -0.004f);
}

// A stick pushed on one joystick, as the main loop receives it, and what
// each of two players does with it in the next frame (accelerations; 0 for
// a player who does not move).
struct StickCase {
    int joystick;
    int axis; // 0 left-right, 1 forward-back
    int raw;
    float accelX1, accelZ1; // player 1
    float accelX2, accelZ2; // player 2
};

void PrintTo(const StickCase& c, std::ostream* os)
{
    *os << "joystick " << c.joystick << " axis " << c.axis << " at " << c.raw;
}

class StickSteering : public JoueurTest, public ::testing::WithParamInterface<StickCase> {};

TEST_P(StickSteering, MovesOnlyThePlayerOfThatJoystickThatWay)
{
    const StickCase& c = GetParam();
    ASSERT_TRUE(playertest::chargerNiveau("Test", kPlat));
    Joueur p1(1), p2(2);
    for (Joueur* j : {&p1, &p2}) {
        j->setTemps(60);
        j->setModeSolo(false);
    }
    p1.setXYZ(1, 50, 5);
    p2.setXYZ(3, 50, 5);

    SDL_Event e = {};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.which = static_cast<Uint8>(c.joystick);
    e.jaxis.axis = static_cast<Uint8>(c.axis);
    e.jaxis.value = static_cast<Sint16>(c.raw);
    KeyStateUpdater::apply(*ClavierManager::clavier, e);
    long horloge = 0;
    playertest::pas(p1, &p2, 16, horloge);

    EXPECT_FLOAT_EQ(c.accelX1, p1.getAccelX());
    EXPECT_FLOAT_EQ(c.accelZ1, p1.getAccelZ());
    EXPECT_FLOAT_EQ(c.accelX2, p2.getAccelX());
    EXPECT_FLOAT_EQ(c.accelZ2, p2.getAccelZ());
}

INSTANTIATE_TEST_SUITE_P(
    BothJoysticksBothAxes, StickSteering,
    ::testing::Values(StickCase{0, 0, 5001, 0.004f, 0, 0, 0},   // player 1 right
                      StickCase{0, 0, -5001, -0.004f, 0, 0, 0}, // player 1 left
                      StickCase{0, 1, 5001, 0, 0.002f, 0, 0},   // player 1 back
                      StickCase{0, 1, -5001, 0, -0.002f, 0, 0}, // player 1 forward
                      StickCase{1, 0, 5001, 0, 0, 0.004f, 0},   // player 2 right
                      StickCase{1, 0, -5001, 0, 0, -0.004f, 0}, // player 2 left
                      StickCase{1, 1, 5001, 0, 0, 0, 0.002f},   // player 2 back
                      StickCase{1, 1, -5001, 0, 0, 0, -0.002f}, // player 2 forward
                      // On the dead zone's edges nobody moves.
                      StickCase{0, 0, 5000, 0, 0, 0, 0},
                      StickCase{0, 0, -5000, 0, 0, 0, 0},
                      StickCase{0, 1, 5000, 0, 0, 0, 0},
                      StickCase{0, 1, -5000, 0, 0, 0, 0},
                      StickCase{1, 0, 5000, 0, 0, 0, 0},
                      StickCase{1, 0, -5000, 0, 0, 0, 0},
                      StickCase{1, 1, 5000, 0, 0, 0, 0},
                      StickCase{1, 1, -5000, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<StickCase>& info) {
        const StickCase& c = info.param;
        return "Joystick" + std::to_string(c.joystick) + "Axis" + std::to_string(c.axis)
            + (c.raw < 0 ? "Minus" : "Plus") + std::to_string(std::abs(c.raw));
    });

TEST_F(JoueurTest, GravityOfEachKindSlowsTheRiseByItsFactor)
{
    for (float g : {0.17f, 0.12f, 0.2f}) {
        SCOPED_TRACE(g);
        Joueur& j = commencer(kPlat);
        j.setPeusenteur(g);
        j.setXYZ(2, 50, 5);
        j.setVY(3);
        pas(16);
        EXPECT_NEAR(j.getVY(), 3 - 16 * g / 20, 1e-5);
        EXPECT_NEAR(j.getY(), 50 + (3 - 16 * g / 20) * 0.016, 1e-4);
    }
}

TEST_F(JoueurTest, GravityBlocksStepBetweenTheThreeKinds)
{
    struct Cas {
        int type;
        float avant, apres;
    };
    const Cas cas[] = {
        {32, 0.17f, 0.12f}, {32, 0.12f, 0.12f}, {32, 0.2f, 0.17f},
        {33, 0.17f, 0.2f}, {33, 0.2f, 0.2f}, {33, 0.12f, 0.17f},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.type);
        Joueur& j = commencer(playertest::niveauAvec(c.type));
        j.setPeusenteur(c.avant);
        pas(16);
        EXPECT_FLOAT_EQ(j.getPeusenteur(), c.apres);
    }
}

TEST_F(JoueurTest, BounceHeightFollowsTheBlockAndTheGravity)
{
    struct Cas {
        int type;
        float gravite;
        float vy;
    };
    const Cas cas[] = {
        {1, 0.17f, 5}, {1, 0.12f, 5}, {1, 0.2f, 5}, {2, 0.17f, 5.5f}, {3, 0.17f, 2.5f},
        {4, 0.17f, 6}, {9, 0.17f, 9}, {10, 0.17f, 7}, {12, 0.17f, 5}, {20, 0.17f, 5},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.type);
        Joueur& j = commencer(playertest::niveauAvec(c.type));
        j.setPeusenteur(c.gravite);
        pas(4);
        ASSERT_FLOAT_EQ(j.getVY(), c.vy);
        float sommet = 0;
        for (int i = 0; i < 2000 && j.getVY() > -0.5f; ++i) {
            pas(4);
            sommet = std::max(sommet, j.getY());
        }
        // v^2 / 2a, with a = 50 g units/s^2 (g / 20 per ms).
        const float attendu = c.vy * c.vy / (2 * 50 * c.gravite);
        EXPECT_NEAR(sommet, attendu, 0.02f * attendu);
    }
}

TEST_F(JoueurTest, SlowingBlockKeepsTheBounceAndHalvesTheSpeed)
{
    Joueur& j = commencer(playertest::niveauAvec(11));
    j.setVXYZ(2, 0, -3);
    pas(16);
    EXPECT_FLOAT_EQ(j.getVX(), 1);
    EXPECT_FLOAT_EQ(j.getVZ(), -1.5f);
}
