#pragma once

#include "levelmenus/LevelListWindow.h"
#include "menus/CheckBox.h"
#include "menus/Menu.h"
#include "menus/ScrollBar.h"

#include <string>
#include <vector>

class LangManager;
class DataFileManager;
class LevelScoresManager;

// Two players tick the players' own levels (those of "Levels/Custom/list.kzo")
// they want to play one after another; the items are those of the official
// versus list, and "previous" and back give code 3.
class MenuVersusUnofficialLevels : public Menu {
public:
    MenuVersusUnofficialLevels();
    ~MenuVersusUnofficialLevels() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    // The rows of the list window, top first (10 rows); no row is
    // highlighted unless "chooseLevels" is selected.
    std::vector<LevelListWindow::Row> visibleRows() const;
    // The preview texture of the level under the cursor (0 with an empty list).
    unsigned int previewTexture() const;
    // The best time shown for the selected level ("" with an empty list).
    std::string bestTimeText() const;

    static const int kWindowRows = 10;

    LangManager* lang;
    DataFileManager* files;
    LevelScoresManager* scores;
    std::vector<std::string> levels;
    std::vector<CheckBox> checkBoxes;
    ScrollBar scrollBar;
    int cursor;
    float authorColumnOffset;
};
