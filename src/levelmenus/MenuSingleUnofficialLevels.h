#pragma once

#include "levelmenus/LevelListWindow.h"
#include "menus/Menu.h"
#include "menus/ScrollBar.h"

#include <string>
#include <vector>

class LangManager;
class DataFileManager;
class LevelScoresManager;

// One player picks one of the players' own levels, listed in
// "Levels/Custom/list.kzo" of the user folder, in one of two orders: by level
// title ("sortByLevels") or by author ("sortByAuthors"). Validating either
// gives code 1 with the level's name in objects; "previous" and back give 3.
// The current item is kept by the class (etatStatic) instead of selection,
// so the chosen order survives the menu.
class MenuSingleUnofficialLevels : public Menu {
public:
    MenuSingleUnofficialLevels();
    ~MenuSingleUnofficialLevels() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;
    // The list window of each order, the selected level's best time included.
    virtual void drawByTitle();
    virtual void drawByPseudo();

    // The list of the current order (byTitle on "previous").
    const std::vector<std::string>& currentList() const;
    // The rows of the list window, top first (10 rows).
    std::vector<LevelListWindow::Row> visibleRows() const;
    // The preview texture of the selected level (0 on "previous" or with an
    // empty list).
    unsigned int previewTexture() const;
    // The best time shown for the selected level ("" with an empty list).
    std::string bestTimeText() const;

    static const int kWindowRows = 10;

    // The current item: 1 "sortByLevels", 2 "sortByAuthors", 3 "previous".
    static int etatStatic;
    // The selected level in the list of the current order.
    static int choix;

    LangManager* lang;
    DataFileManager* files;
    LevelScoresManager* scores;
    std::vector<std::string> byTitle;
    std::vector<std::string> byAuthor;
    ScrollBar scrollBar;
    // x offset of the author column and of the best time.
    float authorColumnOffset;

private:
    void drawList(const std::vector<std::string>& list);
};
