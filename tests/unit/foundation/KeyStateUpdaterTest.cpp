// Keyboard and joystick events turned into key states, as the main loop does.
#include "TestFiles.h"
#include "application/KeyStateUpdater.h"
#include "services/ClavierManager.h"

#include <gtest/gtest.h>

namespace {

class KeyStates : public ::testing::Test {
protected:
    static SDL_Event keyEvent(Uint8 type, int sym)
    {
        SDL_Event e = {};
        e.type = type;
        e.key.keysym.sym = static_cast<SDLKey>(sym);
        return e;
    }
    void down(int sym) { KeyStateUpdater::apply(c, keyEvent(SDL_KEYDOWN, sym)); }
    void up(int sym) { KeyStateUpdater::apply(c, keyEvent(SDL_KEYUP, sym)); }
    int state(int action, int player) const { return c.keyState[action][player - 1]; }

    korvelin_test::SandboxedGameFolders folders;
    ClavierManager c;
};

} // namespace

TEST_F(KeyStates, OppositeDirectionPressedLaterHoldsTheFirstAtTwo)
{
    down(SDLK_w);
    EXPECT_EQ(1, state(ClavierManager::UP, 1));
    down(SDLK_s);
    EXPECT_EQ(2, state(ClavierManager::UP, 1));
    EXPECT_EQ(1, state(ClavierManager::DOWN, 1));
    up(SDLK_s);
    EXPECT_EQ(1, state(ClavierManager::UP, 1));
    EXPECT_EQ(0, state(ClavierManager::DOWN, 1));
}

TEST_F(KeyStates, ReleasingTheHeldDirectionLeavesTheOtherPressed)
{
    down(SDLK_w);
    down(SDLK_s);
    up(SDLK_w);
    EXPECT_EQ(0, state(ClavierManager::UP, 1));
    EXPECT_EQ(1, state(ClavierManager::DOWN, 1));
}

TEST_F(KeyStates, LeftAndRightOfPlayerTwoWorkTheSameWay)
{
    down(SDLK_RIGHT);
    down(SDLK_LEFT);
    EXPECT_EQ(2, state(ClavierManager::RIGHT, 2));
    EXPECT_EQ(1, state(ClavierManager::LEFT, 2));
    EXPECT_EQ(0, state(ClavierManager::RIGHT, 1));
    up(SDLK_LEFT);
    EXPECT_EQ(1, state(ClavierManager::RIGHT, 2));
}

TEST_F(KeyStates, ActionKeysPressAndReleaseAndSetTheLastKey)
{
    down(SDLK_SPACE);
    down(SDLK_BACKSPACE);
    EXPECT_EQ(1, state(ClavierManager::VALIDATE, 1));
    EXPECT_EQ(1, state(ClavierManager::RESTART, 2));
    EXPECT_EQ(SDLK_BACKSPACE, c.lastKey);
    up(SDLK_SPACE);
    EXPECT_EQ(0, state(ClavierManager::VALIDATE, 1));
    EXPECT_EQ(SDLK_BACKSPACE, c.lastKey); // releases do not change it
    down(SDLK_F5); // bound to nothing
    EXPECT_EQ(SDLK_F5, c.lastKey);
}

TEST_F(KeyStates, PlayerOneBindingWinsOverPlayerTwo)
{
    c.key[ClavierManager::VALIDATE][0] = SDLK_UP; // player 1 validate = player 2 up
    down(SDLK_UP);
    EXPECT_EQ(1, state(ClavierManager::VALIDATE, 1));
    EXPECT_EQ(0, state(ClavierManager::UP, 2));
}

TEST_F(KeyStates, DirectionKeysGiveTheSteeringBackToTheKeyboard)
{
    c.joystickUsed[0] = true;
    down(SDLK_d);
    EXPECT_FALSE(c.joystickUsed[0]);
    c.joystickUsed[0] = true;
    down(SDLK_SPACE);
    EXPECT_TRUE(c.joystickUsed[0]); // action keys leave the flag
}

TEST_F(KeyStates, AxisOutsideTheDeadZoneSteersAndIsClamped)
{
    KeyStateUpdater::axis(c, 0, 0, 20000);
    EXPECT_NEAR(0.66667, c.joystickAxis[0], 1e-5);
    EXPECT_TRUE(c.joystickUsed[0]);
    KeyStateUpdater::axis(c, 0, 0, 32767);
    EXPECT_DOUBLE_EQ(1.0, c.joystickAxis[0]);
    KeyStateUpdater::axis(c, 1, 1, -32768);
    EXPECT_DOUBLE_EQ(-1.0, c.joystickAxis[3]); // z of joystick 1
    EXPECT_TRUE(c.joystickUsed[1]);
    KeyStateUpdater::axis(c, 0, 2, 30000); // other axes are ignored
    EXPECT_DOUBLE_EQ(0.0, c.joystickAxis[2]);
}

TEST_F(KeyStates, DeadZoneCentresTheAxisAndKeepsTheJoystickSteering)
{
    KeyStateUpdater::axis(c, 0, 0, 20000);
    c.joystickUsed[0] = false;
    KeyStateUpdater::axis(c, 0, 0, 3000);
    EXPECT_EQ(0.0, c.joystickAxis[0]);
    EXPECT_TRUE(c.joystickUsed[0]);
    // Inside the dead zone with the axis already centred changes nothing.
    c.joystickUsed[0] = false;
    KeyStateUpdater::axis(c, 0, 0, -5000);
    EXPECT_FALSE(c.joystickUsed[0]);
    KeyStateUpdater::axis(c, 0, 0, 5001);
    EXPECT_TRUE(c.joystickUsed[0]);
    EXPECT_NEAR(5001 / 30000.0, c.joystickAxis[0], 1e-12);
}

struct HatCase {
    Uint8 value;
    bool up, down, left, right;
};

class HatDirections : public KeyStates, public ::testing::WithParamInterface<HatCase> {};

TEST_P(HatDirections, SetExactlyTheHatDirectionsOfThatPlayer)
{
    const HatCase& h = GetParam();
    c.keyState[ClavierManager::UP][1] = 1; // cleared by any hat move
    c.joystickUsed[1] = true;
    SDL_Event e = {};
    e.type = SDL_JOYHATMOTION;
    e.jhat.which = 1;
    e.jhat.value = h.value;
    KeyStateUpdater::apply(c, e);
    EXPECT_EQ(h.up ? 1 : 0, state(ClavierManager::UP, 2));
    EXPECT_EQ(h.down ? 1 : 0, state(ClavierManager::DOWN, 2));
    EXPECT_EQ(h.left ? 1 : 0, state(ClavierManager::LEFT, 2));
    EXPECT_EQ(h.right ? 1 : 0, state(ClavierManager::RIGHT, 2));
    EXPECT_FALSE(c.joystickUsed[1]);
    EXPECT_EQ(0, state(ClavierManager::UP, 1));
}

INSTANTIATE_TEST_SUITE_P(Values, HatDirections,
                         ::testing::Values(HatCase{SDL_HAT_CENTERED, false, false, false, false},
                                           HatCase{SDL_HAT_UP, true, false, false, false},
                                           HatCase{SDL_HAT_RIGHT, false, false, false, true},
                                           HatCase{SDL_HAT_DOWN, false, true, false, false},
                                           HatCase{SDL_HAT_LEFT, false, false, true, false},
                                           HatCase{SDL_HAT_RIGHTUP, true, false, false, true},
                                           HatCase{SDL_HAT_RIGHTDOWN, false, true, false, true},
                                           HatCase{SDL_HAT_LEFTUP, true, false, true, false},
                                           HatCase{SDL_HAT_LEFTDOWN, false, true, true, false},
                                           HatCase{5, false, false, false, false}));

TEST_F(KeyStates, JoystickButtonsDriveValidateBackAndRestart)
{
    SDL_Event e = {};
    e.type = SDL_JOYBUTTONDOWN;
    e.jbutton.which = 0;
    for (Uint8 b : {0, 1, 2, 3}) {
        e.jbutton.button = b;
        KeyStateUpdater::apply(c, e);
    }
    EXPECT_EQ(1, state(ClavierManager::VALIDATE, 1));
    EXPECT_EQ(1, state(ClavierManager::BACK, 1));
    EXPECT_EQ(1, state(ClavierManager::RESTART, 1));
    EXPECT_EQ(0, state(ClavierManager::UP, 1));
    e.type = SDL_JOYBUTTONUP;
    e.jbutton.button = 1;
    KeyStateUpdater::apply(c, e);
    EXPECT_EQ(0, state(ClavierManager::BACK, 1));
    EXPECT_EQ(1, state(ClavierManager::VALIDATE, 1));
}
