#pragma once

#include <functional>

namespace platform {

// Milliseconds since SDL started (SDL_GetTicks): the main loop's clock.
unsigned int ticksMs();

// Sleeps the calling thread for the given milliseconds (SDL_Delay).
void sleepMs(unsigned int milliseconds);

// Let tests stand in for the clock and the sleeps of the main loop, so that
// its pacing can be followed without waiting; an empty function restores
// SDL's.
void setTicksSource(std::function<unsigned int()> source);
void setSleepHandler(std::function<void(unsigned int)> handler);

} // namespace platform
