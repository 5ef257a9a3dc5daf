#pragma once

#include "menus/Menu.h"

class LangManager;

// One-frame notice shown on its own while a finished result is sent to the
// score server, a step that blocks the frame. No items, no background, no
// code.
class MenuSendScores : public Menu {
public:
    MenuSendScores();

    void draw() override;

    LangManager* lang;
};
