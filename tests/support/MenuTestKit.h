#pragma once

#include "GameHarness.h"

#include <SDL/SDL_mixer.h>

class Menu;

namespace korvelin_test {

// The two screen shapes the menu tests draw on.
OptionsText wideOptions();   // 1280 x 800 (16:10)
OptionsText narrowOptions(); // 640 x 480 (4:3)

// A sound of silence, distinct per call and long enough to be still playing
// when a test counts it, so that a menu's sounds can be told apart.
Mix_Chunk* silentChunk();
// How many channels are playing the chunk now.
int playsOf(Mix_Chunk* chunk);

// Scripted key states of the game's key-binding service (made first).
void pressAction(int action, int player = 1, int state = 1);
void releaseAllActions();
// One frame of the menu with the action pressed, then one with every key
// released, so that the next press acts at once.
void tapAction(Menu& menu, int action, long dt);
// Every key state of both players, the last key, the joystick flags and
// axes are clear, as after a menu took a validate or back.
bool allKeysCleared();

} // namespace korvelin_test
