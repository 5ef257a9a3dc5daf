#pragma once

#include "levelmenus/VersusLevelMenu.h"

class DataFileManager;

// Two players tick the players' own levels (those of "Levels/Custom/list.kzo")
// they want to play one after another; "previous" and back give code 3. The
// list window has 10 rows.
class MenuVersusUnofficialLevels : public VersusLevelMenu {
public:
    MenuVersusUnofficialLevels();
    ~MenuVersusUnofficialLevels() override;

    void draw() override;

    // The preview texture of the level under the cursor (0 with an empty list).
    unsigned int previewTexture() const;

    static const int kWindowRows = 10;

    DataFileManager* files;
    // x offset of the author column.
    float authorColumnOffset;
};
