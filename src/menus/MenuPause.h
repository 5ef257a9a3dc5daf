#pragma once

#include "application/GamePause.h"
#include "menus/Menu.h"

class LangManager;

// The pause menu over a game in progress: a vertical list of continue,
// restart the level, next level and abandon (codes 1 to 4). The game
// manager switches the two middle items on or off at each pause; a disabled
// item is neither shown nor reachable. Back gives 1, continue.
class MenuPause : public Menu, public GamePause {
public:
    MenuPause();

    void enableNextLevel(bool enabled) override;
    void enableRestartLevel(bool enabled) override;
    // True when the selection rests on a disabled item.
    bool isInIncorrectState() const;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;
    int getCode() override;

    static const int kItems = 4;

    // Where the rows stand: the first row's height and the step down per
    // row, for the number of enabled items (2, 3 or 4).
    static void rowLayout(int enabledItems, double& firstY, double& step);
    // Heights of the drawn rows, in item order of the enabled items.
    std::vector<double> rowHeights() const;

    LangManager* lang;
    bool nextLevelEnabled;
    bool restartLevelEnabled;

private:
    bool isEnabled(int item) const;
    void move(int direction);
};
