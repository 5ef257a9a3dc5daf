#pragma once

#include "menus/Menu.h"

#include <vector>

class LangManager;
class DifficultyScoresManager;

// Difficulty choice of a one-player run through the official levels: six
// difficulties and "previous" (code 7). Difficulty k (2 to 6) stays locked,
// shown as "?", until difficulty k - 1 has a time in its score table;
// choosing a locked one is refused with a sound.
class MenuDifficulte : public Menu {
public:
    MenuDifficulte();

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    static const int kDifficulties = 6;

    LangManager* lang;
    DifficultyScoresManager* scores;
    // Whether each item may be chosen, in item order.
    std::vector<bool> unlocked;
};
