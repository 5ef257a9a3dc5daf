#pragma once

#include "levelmenus/LevelListWindow.h"
#include "menus/Menu.h"
#include "menus/ScrollBar.h"

#include <string>
#include <vector>

class LangManager;
class LevelScoresManager;

// One player picks one official level: the list of every official level of
// the installation, the selected level's preview and best time, and two
// items, "playLevel" (code 1, the level's name handed over in objects) and
// "previous" (code 2, also given by back).
class MenuSingleOfficialLevels : public Menu {
public:
    MenuSingleOfficialLevels();
    ~MenuSingleOfficialLevels() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    // The rows of the list window, top first (8 rows).
    std::vector<LevelListWindow::Row> visibleRows() const;
    // The preview texture of the selected level (0 with an empty list).
    unsigned int previewTexture() const;
    // The best time shown for the selected level ("" with an empty list).
    std::string bestTimeText() const;

    static const int kWindowRows = 8;

    // The selected level, kept by the class so that the list opens again on
    // the level just played.
    static int choix;

    LangManager* lang;
    LevelScoresManager* scores;
    std::vector<std::string> levels;
    ScrollBar scrollBar;
};
