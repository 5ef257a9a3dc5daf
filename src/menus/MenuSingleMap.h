#pragma once

#include "menus/Menu.h"

class LangManager;

// Level-set choice: the official levels, the players' own levels, or back
// to the main menu (codes 1, 2 and 3). The main menu has set the number of
// players already.
class MenuSingleMap : public Menu {
public:
    MenuSingleMap();

    void draw() override;
    void reset() override;

    LangManager* lang;
};
