#include "levelmenus/LevelMenuKeys.h"

#include "menus/Menu.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"

namespace LevelMenuKeys {

bool pressed(const ClavierManager* keys, int action)
{
    return keys->keyState[action][0] == 1 || keys->keyState[action][1] == 1;
}

Move readMove(const ClavierManager* keys, float& repeatTimer, long dt, bool listActive)
{
    if (repeatTimer < Menu::kRepeatDelay) {
        const bool direction = pressed(keys, ClavierManager::UP) ||
                               pressed(keys, ClavierManager::DOWN) ||
                               pressed(keys, ClavierManager::LEFT) ||
                               pressed(keys, ClavierManager::RIGHT);
        if (direction)
            repeatTimer += static_cast<float>(dt);
        else
            repeatTimer = Menu::kRepeatDelay;
        return NONE;
    }
    Move move = NONE;
    if (pressed(keys, ClavierManager::LEFT))
        move = LEFT;
    else if (pressed(keys, ClavierManager::RIGHT))
        move = RIGHT;
    else if (listActive && pressed(keys, ClavierManager::UP))
        move = UP;
    else if (listActive && pressed(keys, ClavierManager::DOWN))
        move = DOWN;
    if (move != NONE)
        repeatTimer = 0;
    return move;
}

void saveSettings(ClavierManager* keys)
{
    OptionsManager::getInstance()->sauverOptions();
    keys->sauver();
}

} // namespace LevelMenuKeys
