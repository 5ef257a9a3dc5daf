#pragma once

#include "application/GamePause.h"

// Stand-in for the pause menu until the menus exist: it offers only
// "continue". Validate or back of either player resumes the game.
class PauseStandIn : public GamePause {
public:
    PauseStandIn();

    void enableNextLevel(bool enabled) override;
    void enableRestartLevel(bool enabled) override;
    void refresh(long dt) override;
    int getCode() override;
    void reset() override;
    void draw() override;

private:
    int code;
};
