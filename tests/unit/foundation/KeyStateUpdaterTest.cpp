// Keyboard and joystick events turned into key states, as the main loop does.
#include "TestFiles.h"
#include "application/KeyStateUpdater.h"
#include "services/ClavierManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

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

// One axis move of one joystick from rest: the slot it lands in (x of
// joystick 0, x of joystick 1, z of joystick 0, z of joystick 1), its value,
// and whether that joystick's player now steers with it.
struct AxisCase {
    int joystick;
    int axis;
    int raw;
    int slot;
    double value;
    bool steers;
};

void PrintTo(const AxisCase& c, std::ostream* os)
{
    *os << "joystick " << c.joystick << " axis " << c.axis << " at " << c.raw;
}

class AxisMoves : public KeyStates, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(AxisMoves, LandInTheirOwnSlotAndSteerOnlyTheirPlayer)
{
    const AxisCase& a = GetParam();
    KeyStateUpdater::axis(c, a.joystick, a.axis, a.raw);
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_NEAR(slot == a.slot ? a.value : 0.0, c.joystickAxis[slot], 1e-12) << "slot " << slot;
    EXPECT_EQ(a.steers, c.joystickUsed[a.joystick]);
    EXPECT_FALSE(c.joystickUsed[1 - a.joystick]);
}

INSTANTIATE_TEST_SUITE_P(
    BothJoysticksBothAxes, AxisMoves,
    ::testing::Values(AxisCase{0, 0, 5001, 0, 5001 / 30000.0, true},
                      AxisCase{0, 0, -5001, 0, -5001 / 30000.0, true},
                      AxisCase{0, 1, 5001, 2, 5001 / 30000.0, true},
                      AxisCase{0, 1, -5001, 2, -5001 / 30000.0, true},
                      AxisCase{1, 0, 5001, 1, 5001 / 30000.0, true},
                      AxisCase{1, 0, -5001, 1, -5001 / 30000.0, true},
                      AxisCase{1, 1, 5001, 3, 5001 / 30000.0, true},
                      AxisCase{1, 1, -5001, 3, -5001 / 30000.0, true},
                      // The dead zone's edges count as centred.
                      AxisCase{0, 0, 5000, 0, 0.0, false},
                      AxisCase{0, 1, -5000, 2, 0.0, false},
                      AxisCase{1, 0, -5000, 1, 0.0, false},
                      AxisCase{1, 1, 5000, 3, 0.0, false},
                      AxisCase{0, 0, 20000, 0, 20000 / 30000.0, true},
                      // Full deflection is clamped to 1.
                      AxisCase{0, 1, 32767, 2, 1.0, true},
                      AxisCase{1, 0, 32767, 1, 1.0, true},
                      AxisCase{1, 1, -32768, 3, -1.0, true},
                      // Other axes are ignored.
                      AxisCase{0, 2, 30000, 0, 0.0, false},
                      AxisCase{1, 3, -30000, 0, 0.0, false}),
    [](const ::testing::TestParamInfo<AxisCase>& info) {
        const AxisCase& c = info.param;
        return "Joystick" + std::to_string(c.joystick) + "Axis" + std::to_string(c.axis)
            + (c.raw < 0 ? "Minus" : "Plus") + std::to_string(std::abs(c.raw));
    });

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
