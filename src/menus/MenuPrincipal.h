#pragma once

#include "menus/Menu.h"

class LangManager;

// The main menu: six items in a row (solo, single level, two players,
// scores, options, exit) over a background on which four pictures take
// turns, each shown 4 seconds and cross-faded into the next in 1 second.
// Codes are the item numbers; back gives 6, exit.
class MenuPrincipal : public Menu {
public:
    MenuPrincipal();

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    static const int kSlides = 4;
    // Length of one turn of the slideshow, in milliseconds.
    static const int kSlideCycle = 20000;

    // Opacities of the four pictures at c milliseconds into the cycle.
    static void slideOpacities(int c, double alpha[kSlides]);

    LangManager* lang;
    unsigned int slides[kSlides];
    double slideAlpha[kSlides];
    int slideClock;
};
