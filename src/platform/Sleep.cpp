#include "platform/Sleep.h"

#include <SDL/SDL.h>

namespace platform {

void sleepMs(unsigned int milliseconds)
{
    SDL_Delay(milliseconds);
}

} // namespace platform
