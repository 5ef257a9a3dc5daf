#pragma once

#include <SDL/SDL.h>

class ClavierManager;

// Turns keyboard and joystick events into the key states, the joystick flags
// and axes and the last key of the key-binding service.
class KeyStateUpdater {
public:
    // Raw axis values from -kDeadZone to kDeadZone count as centred.
    static const int kDeadZone = 5000;

    // Handles one event; events of other types change nothing.
    static void apply(ClavierManager& clavier, const SDL_Event& event);

    static void keyDown(ClavierManager& clavier, int key);
    static void keyUp(ClavierManager& clavier, int key);
    static void hat(ClavierManager& clavier, int joystick, int value);
    static void button(ClavierManager& clavier, int joystick, int button, bool down);
    static void axis(ClavierManager& clavier, int joystick, int axis, int value);
};
