#pragma once

#include "menus/Menu.h"

// The title screen: the 512 x 512 title picture in the middle of the screen
// with the title music, for 4 seconds or until player 1 presses validate or
// back. Its only code is 1, after which the main menu opens.
class PreMenu : public Menu {
public:
    PreMenu();
    ~PreMenu() override;

    void refresh(long dt) override;
    int getCode() override;

    // How long the title shows when nobody presses a key, in milliseconds.
    static constexpr float kTitleTime = 4000.0f;
    static const char* const kImagePath;

    // Milliseconds the title has been shown.
    float titleTimer;
};
