#pragma once

class ClavierManager;
class Menu;

// Key handling the level lists share.
namespace LevelMenuKeys {

enum Move { NONE, LEFT, RIGHT, UP, DOWN };

// True when player 1's or player 2's state for the action is exactly 1.
bool pressed(const ClavierManager* keys, int action);

// The key repeat and the move of this frame. While the timer is below 200 ms
// it counts up by dt as long as a direction is held (and jumps to 200 when
// none is), and nothing moves. Once ready, left and right always move, up
// and down only when listActive; a move sets the timer back to 0.
Move readMove(const ClavierManager* keys, float& repeatTimer, long dt, bool listActive);

// Every validate and back of a level list writes the options file and the
// key-binding file.
void saveSettings(ClavierManager* keys);

// One frame of moves in a level list: left and right step item through
// 1..menu.itemCount (wrapping) and put the cursor back on the first level, up
// and down step the cursor through count levels (wrapping) when listActive;
// every move plays the move sound.
void moveInList(Menu& menu, long dt, int& item, int& cursor, int count, bool listActive);

// True when the action (validate or back) is pressed this frame; it then
// clears every key state, saves the settings and plays the validate sound, so
// the caller only sets what the key decides.
bool take(Menu& menu, int action);

} // namespace LevelMenuKeys
