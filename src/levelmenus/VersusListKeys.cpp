#include "levelmenus/VersusListKeys.h"

#include "levelmenus/LevelListWindow.h"
#include "levelmenus/LevelMenuKeys.h"
#include "menus/Menu.h"
#include "services/ClavierManager.h"
#include "services/SonsManager.h"

namespace VersusListKeys {

namespace {

const int kChooseLevels = 1;
const int kInvertSelection = 2;
const int kPlayLevels = 3;
const int kPrevious = 4;

void toggle(CheckBox& box)
{
    box.setChecked(!box.isChecked());
}

} // namespace

std::vector<std::string> tickedNames(const std::vector<std::string>& levels,
                                     const std::vector<CheckBox>& boxes)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < levels.size() && i < boxes.size(); ++i)
        if (boxes[i].isChecked())
            names.push_back(levels[i]);
    return names;
}

void invert(std::vector<CheckBox>& boxes)
{
    for (CheckBox& box : boxes)
        toggle(box);
}

void refresh(Menu& menu, long dt, const std::vector<std::string>& levels,
             std::vector<CheckBox>& boxes, int& cursor, int backCode)
{
    const int count = static_cast<int>(levels.size());
    SonsManager* sons = menu.sons;
    const LevelMenuKeys::Move move = LevelMenuKeys::readMove(
        menu.clavier, menu.repeatTimer, dt, menu.selection == kChooseLevels);
    switch (move) {
    case LevelMenuKeys::LEFT:
        menu.selection = menu.selection - 1 < 1 ? menu.itemCount : menu.selection - 1;
        cursor = 0;
        break;
    case LevelMenuKeys::RIGHT:
        menu.selection = menu.selection + 1 > menu.itemCount ? 1 : menu.selection + 1;
        cursor = 0;
        break;
    case LevelMenuKeys::UP:
        cursor = LevelListWindow::step(cursor, -1, count);
        break;
    case LevelMenuKeys::DOWN:
        cursor = LevelListWindow::step(cursor, +1, count);
        break;
    case LevelMenuKeys::NONE:
        break;
    }
    if (move != LevelMenuKeys::NONE)
        sons->jouerSon(sons->beep);

    if (LevelMenuKeys::pressed(menu.clavier, ClavierManager::VALIDATE)) {
        menu.clavier->initTocuhes();
        switch (menu.selection) {
        case kPrevious:
            menu.code = backCode;
            break;
        case kInvertSelection:
            invert(boxes);
            break;
        case kPlayLevels:
            for (const std::string& name : tickedNames(levels, boxes))
                menu.objects.push_back(name);
            if (!menu.objects.empty())
                menu.code = 1;
            break;
        case kChooseLevels:
            if (cursor >= 0 && cursor < static_cast<int>(boxes.size()))
                toggle(boxes[cursor]);
            break;
        default:
            break;
        }
        LevelMenuKeys::saveSettings(menu.clavier);
        sons->jouerSon(sons->beep2);
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (LevelMenuKeys::pressed(menu.clavier, ClavierManager::BACK)) {
        menu.clavier->initTocuhes();
        menu.code = backCode;
        LevelMenuKeys::saveSettings(menu.clavier);
        sons->jouerSon(sons->beep2);
    }
}

} // namespace VersusListKeys
