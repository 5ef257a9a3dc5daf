#include "levelmenus/LevelMenuKeys.h"

#include "levelmenus/LevelListWindow.h"
#include "menus/Menu.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"

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

void moveInList(Menu& menu, long dt, int& item, int& cursor, int count, bool listActive)
{
    const Move move = readMove(menu.clavier, menu.repeatTimer, dt, listActive);
    switch (move) {
    case LEFT:
        item = item - 1 < 1 ? menu.itemCount : item - 1;
        cursor = 0;
        break;
    case RIGHT:
        item = item + 1 > menu.itemCount ? 1 : item + 1;
        cursor = 0;
        break;
    case UP:
        cursor = LevelListWindow::step(cursor, -1, count);
        break;
    case DOWN:
        cursor = LevelListWindow::step(cursor, +1, count);
        break;
    case NONE:
        break;
    }
    if (move != NONE)
        menu.sons->jouerSon(menu.sons->beep);
}

bool take(Menu& menu, int action)
{
    if (!pressed(menu.clavier, action))
        return false;
    menu.clavier->initTocuhes();
    saveSettings(menu.clavier);
    menu.sons->jouerSon(menu.sons->beep2);
    return true;
}

} // namespace LevelMenuKeys
