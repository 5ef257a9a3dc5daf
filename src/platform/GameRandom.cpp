#include "platform/GameRandom.h"

#include <cstdint>

namespace platform {

namespace {

// A small linear congruential generator of its own, so the sequence of a
// seed is the same on every machine.
std::uint32_t state = 1;
std::function<int()> replacement;

} // namespace

void seedGameRandom(unsigned int seed)
{
    state = seed;
}

void setGameRandomSource(std::function<int()> source)
{
    replacement = std::move(source);
}

int gameRandom()
{
    if (replacement) {
        int value = replacement() % (kGameRandomMax + 1);
        return value < 0 ? value + kGameRandomMax + 1 : value;
    }
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
}

} // namespace platform
