#pragma once

#include "levelmenus/LevelListWindow.h"
#include "menus/CheckBox.h"
#include "menus/Menu.h"
#include "menus/ScrollBar.h"

#include <string>
#include <vector>

class LangManager;
class LevelScoresManager;

// Two players tick the official levels they want to play one after another:
// a check box per level, items "chooseLevels", "invertSelection",
// "playLevels" (code 1, the ticked names in list order in objects) and
// "previous" (code 2, also given by back). Nothing is kept between screens.
class MenuVersusOfficialLevels : public Menu {
public:
    MenuVersusOfficialLevels();
    ~MenuVersusOfficialLevels() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    // The rows of the list window, top first (8 rows); no row is highlighted
    // unless "chooseLevels" is selected.
    std::vector<LevelListWindow::Row> visibleRows() const;
    // The preview texture of the level under the cursor (0 with an empty list).
    unsigned int previewTexture() const;
    // The best time shown for the selected level ("" with an empty list).
    std::string bestTimeText() const;

    static const int kWindowRows = 8;

    LangManager* lang;
    LevelScoresManager* scores;
    std::vector<std::string> levels;
    std::vector<CheckBox> checkBoxes;
    ScrollBar scrollBar;
    int cursor;
};
