#pragma once

namespace platform {

// Sleeps the calling thread for the given milliseconds (SDL_Delay).
void sleepMs(unsigned int milliseconds);

} // namespace platform
