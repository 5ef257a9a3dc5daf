#pragma once

class GameManager;
class NiveauManager;
class OptionsManager;

// The 3-D views of a game frame: one full-window view for one player, or two
// side-by-side views (each the middle half of a full-window picture) with
// the separator and the shared overlay between them.
class GameViews {
public:
    // Everything of a game frame between the clear and the swap.
    static void drawGame(GameManager* gm, NiveauManager* niveau, OptionsManager* options);
    // One view: 0 the single view, 1 left (player 1), 2 right (player 2).
    static void drawSub(int view, GameManager* gm, NiveauManager* niveau,
                        OptionsManager* options);
};
