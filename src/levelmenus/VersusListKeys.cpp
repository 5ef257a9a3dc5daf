#include "levelmenus/VersusListKeys.h"

#include "levelmenus/LevelMenuKeys.h"
#include "menus/Menu.h"
#include "services/ClavierManager.h"

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
    LevelMenuKeys::moveInList(menu, dt, menu.selection, cursor, static_cast<int>(levels.size()),
                              menu.selection == kChooseLevels);

    if (LevelMenuKeys::take(menu, ClavierManager::VALIDATE)) {
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
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (LevelMenuKeys::take(menu, ClavierManager::BACK))
        menu.code = backCode;
}

} // namespace VersusListKeys
