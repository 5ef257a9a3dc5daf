#include "levelmenus/VersusLevelMenu.h"

#include "levelmenus/OfficialLevelScan.h"
#include "levelmenus/SelectedLevel.h"
#include "levelmenus/VersusListKeys.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/LangManager.h"

#include <utility>

VersusLevelMenu::VersusLevelMenu(const std::string& name, int windowRows, int backCode)
    : Menu(0, 0, 1, 1),
      lang(LangManager::getInstance()),
      scores(LevelScoresManager::getInstance()),
      cursor(0),
      windowRows(windowRows),
      backCode(backCode)
{
    background = CTextureManager::GetInstance()->LoadPNG(backgroundPath("menuKZ.png"), 0);
    title = " - " + lang->get("multi");
    nom = name;
    repeatTimer = 0;
    itemCount = 4;
    labels = {lang->get("chooseLevels"), lang->get("invertSelection"), lang->get("playLevels"),
              lang->get("previous")};
}

VersusLevelMenu::~VersusLevelMenu() {}

void VersusLevelMenu::showLevels(std::vector<std::string> names)
{
    levels = std::move(names);
    sortLevelNames(levels);
    // Every box starts unticked, so pairing box i with level i holds after the sort.
    checkBoxes.assign(levels.size(), CheckBox());
}

void VersusLevelMenu::reset()
{
    code = 0;
    selection = 1;
}

void VersusLevelMenu::refresh(long dt)
{
    VersusListKeys::refresh(*this, dt, levels, checkBoxes, cursor, backCode);
}

std::vector<LevelListWindow::Row> VersusLevelMenu::visibleRows() const
{
    std::vector<LevelListWindow::Row> rows =
        LevelListWindow::rows(static_cast<int>(levels.size()), windowRows, cursor);
    if (selection != 1)
        for (LevelListWindow::Row& row : rows)
            row.highlighted = false;
    return rows;
}

std::string VersusLevelMenu::bestTimeText() const
{
    return SelectedLevel::bestTime(scores, levels, cursor);
}
