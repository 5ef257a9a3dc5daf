#include "application/KeyStateUpdater.h"

#include "services/ClavierManager.h"

namespace {

int opposite(int direction)
{
    switch (direction) {
    case ClavierManager::UP: return ClavierManager::DOWN;
    case ClavierManager::DOWN: return ClavierManager::UP;
    case ClavierManager::LEFT: return ClavierManager::RIGHT;
    default: return ClavierManager::LEFT;
    }
}

bool isDirection(int action)
{
    return action <= ClavierManager::RIGHT;
}

// First binding that matches, player 1 before player 2, actions in order.
bool findBinding(const ClavierManager& clavier, int key, int& action, int& player)
{
    for (player = 0; player < 2; ++player)
        for (action = 0; action < ClavierManager::kNbActions; ++action)
            if (clavier.key[action][player] == key)
                return true;
    return false;
}

int playerOfJoystick(int joystick)
{
    return joystick == 1 ? 1 : 0;
}

} // namespace

void KeyStateUpdater::keyDown(ClavierManager& clavier, int key)
{
    clavier.lastKey = key;
    int action = 0, player = 0;
    if (!findBinding(clavier, key, action, player))
        return;
    if (isDirection(action)) {
        int& other = clavier.keyState[opposite(action)][player];
        if (other == 1)
            other = 2;
        clavier.keyState[action][player] = 1;
        clavier.joystickUsed[player] = false;
    } else {
        clavier.keyState[action][player] = 1;
    }
}

void KeyStateUpdater::keyUp(ClavierManager& clavier, int key)
{
    int action = 0, player = 0;
    if (!findBinding(clavier, key, action, player))
        return;
    if (isDirection(action)) {
        int& other = clavier.keyState[opposite(action)][player];
        if (other == 2)
            other = 1;
    }
    clavier.keyState[action][player] = 0;
}

void KeyStateUpdater::hat(ClavierManager& clavier, int joystick, int value)
{
    if (joystick < 0 || joystick > 1)
        return;
    int p = playerOfJoystick(joystick);
    for (int a = ClavierManager::UP; a <= ClavierManager::RIGHT; ++a)
        clavier.keyState[a][p] = 0;
    bool up = false, down = false, left = false, right = false;
    switch (value) {
    case SDL_HAT_UP: up = true; break;
    case SDL_HAT_RIGHT: right = true; break;
    case SDL_HAT_DOWN: down = true; break;
    case SDL_HAT_LEFT: left = true; break;
    case SDL_HAT_RIGHTUP: right = up = true; break;
    case SDL_HAT_RIGHTDOWN: right = down = true; break;
    case SDL_HAT_LEFTUP: left = up = true; break;
    case SDL_HAT_LEFTDOWN: left = down = true; break;
    default: break;
    }
    if (up)
        clavier.keyState[ClavierManager::UP][p] = 1;
    if (down)
        clavier.keyState[ClavierManager::DOWN][p] = 1;
    if (left)
        clavier.keyState[ClavierManager::LEFT][p] = 1;
    if (right)
        clavier.keyState[ClavierManager::RIGHT][p] = 1;
    clavier.joystickUsed[p] = false;
}

void KeyStateUpdater::button(ClavierManager& clavier, int joystick, int button, bool down)
{
    if (joystick < 0 || joystick > 1)
        return;
    int action;
    switch (button) {
    case 0: action = ClavierManager::VALIDATE; break;
    case 1: action = ClavierManager::BACK; break;
    case 2: action = ClavierManager::RESTART; break;
    default: return;
    }
    clavier.keyState[action][playerOfJoystick(joystick)] = down ? 1 : 0;
}

void KeyStateUpdater::axis(ClavierManager& clavier, int joystick, int axis, int value)
{
    if (joystick < 0 || joystick > 1 || axis < 0 || axis > 1)
        return;
    int p = playerOfJoystick(joystick);
    double& stored = clavier.joystickAxis[axis * 2 + joystick];
    if (value >= -kDeadZone && value <= kDeadZone) {
        if (stored != 0.0)
            clavier.joystickUsed[p] = true;
        stored = 0.0;
        return;
    }
    double v = value / 30000.0;
    if (v > 1.0)
        v = 1.0;
    if (v < -1.0)
        v = -1.0;
    stored = v;
    clavier.joystickUsed[p] = true;
}

void KeyStateUpdater::apply(ClavierManager& clavier, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        keyDown(clavier, event.key.keysym.sym);
        break;
    case SDL_KEYUP:
        keyUp(clavier, event.key.keysym.sym);
        break;
    case SDL_JOYHATMOTION:
        hat(clavier, event.jhat.which, event.jhat.value);
        break;
    case SDL_JOYBUTTONDOWN:
        button(clavier, event.jbutton.which, event.jbutton.button, true);
        break;
    case SDL_JOYBUTTONUP:
        button(clavier, event.jbutton.which, event.jbutton.button, false);
        break;
    case SDL_JOYAXISMOTION:
        axis(clavier, event.jaxis.which, event.jaxis.axis, event.jaxis.value);
        break;
    default:
        break;
    }
}
