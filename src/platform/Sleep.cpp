#include "platform/Sleep.h"

#include <SDL/SDL.h>

#include <utility>

namespace platform {

namespace {

std::function<unsigned int()> ticksReplacement;
std::function<void(unsigned int)> sleepReplacement;

} // namespace

unsigned int ticksMs()
{
    return ticksReplacement ? ticksReplacement() : SDL_GetTicks();
}

void sleepMs(unsigned int milliseconds)
{
    if (sleepReplacement)
        sleepReplacement(milliseconds);
    else
        SDL_Delay(milliseconds);
}

void setTicksSource(std::function<unsigned int()> source)
{
    ticksReplacement = std::move(source);
}

void setSleepHandler(std::function<void(unsigned int)> handler)
{
    sleepReplacement = std::move(handler);
}

} // namespace platform
