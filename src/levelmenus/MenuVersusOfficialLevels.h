#pragma once

#include "levelmenus/VersusLevelMenu.h"

// Two players tick the official levels they want to play one after another;
// "previous" and back give code 2. The list window has 8 rows.
class MenuVersusOfficialLevels : public VersusLevelMenu {
public:
    MenuVersusOfficialLevels();
    ~MenuVersusOfficialLevels() override;

    void draw() override;

    // The preview texture of the level under the cursor (0 with an empty list).
    unsigned int previewTexture() const;

    static const int kWindowRows = 8;
};
