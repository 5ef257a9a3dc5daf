#pragma once

#include "GameHarness.h"

#include <SDL/SDL_mixer.h>

namespace korvelin_test {

// The two screen shapes the menu tests draw on.
OptionsText wideOptions();   // 1280 x 800 (16:10)
OptionsText narrowOptions(); // 640 x 480 (4:3)

// A sound of silence, distinct per call and long enough to be still playing
// when a test counts it, so that a menu's sounds can be told apart.
Mix_Chunk* silentChunk();
// How many channels are playing the chunk now.
int playsOf(Mix_Chunk* chunk);

} // namespace korvelin_test
