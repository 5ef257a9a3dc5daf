#pragma once

// What the game manager needs from the menu shown while a game is paused:
// it sets the two optional items when the game pauses, refreshes the menu
// every frame of the pause, acts on its code and then resets it.
// Codes: 0 nothing chosen yet, 1 continue, 2 restart the level, 3 next
// level, 4 abandon the game.
class GamePause {
public:
    virtual ~GamePause() {}

    virtual void enableNextLevel(bool enabled) = 0;
    virtual void enableRestartLevel(bool enabled) = 0;
    virtual void refresh(long dt) = 0;
    virtual int getCode() = 0;
    virtual void reset() = 0;
    // Draws inside the 2-D overlay of the heads-up display.
    virtual void draw() = 0;
};
