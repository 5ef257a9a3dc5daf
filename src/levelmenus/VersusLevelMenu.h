#pragma once

#include "levelmenus/LevelListWindow.h"
#include "menus/CheckBox.h"
#include "menus/Menu.h"
#include "menus/ScrollBar.h"

#include <string>
#include <vector>

class LangManager;
class LevelScoresManager;

// What both versus level lists share: items "chooseLevels", "invertSelection",
// "playLevels" (code 1, the ticked names in list order in objects) and
// "previous" (also given by back), a check box per level and the cursor.
// Nothing is kept between screens.
class VersusLevelMenu : public Menu {
public:
    ~VersusLevelMenu() override;

    void refresh(long dt) override;
    void reset() override;

    // The rows of the list window, top first; no row is highlighted unless
    // "chooseLevels" is selected.
    std::vector<LevelListWindow::Row> visibleRows() const;
    // The best time shown for the level under the cursor ("" with an empty
    // list).
    std::string bestTimeText() const;

    LangManager* lang;
    LevelScoresManager* scores;
    std::vector<std::string> levels;
    std::vector<CheckBox> checkBoxes;
    ScrollBar scrollBar;
    int cursor;

protected:
    // name is the screen's name, windowRows the rows of its list window and
    // backCode the code of "previous" and back.
    VersusLevelMenu(const std::string& name, int windowRows, int backCode);

    // Lists the levels by name, every box unticked.
    void showLevels(std::vector<std::string> names);

private:
    int windowRows;
    int backCode;
};
