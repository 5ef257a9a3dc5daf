#pragma once

#include <functional>

namespace platform {

// The game's random numbers: 15-bit values from 0 to 32767, whatever the C
// library's RAND_MAX, so formulas written for that range stay in it.
int gameRandom();

// Largest value gameRandom() returns.
constexpr int kGameRandomMax = 32767;

// Restarts the sequence from a seed (start-up seeds it with the time).
void seedGameRandom(unsigned int seed);

// Lets tests script the values; an empty function restores the generator.
// Values outside 0..32767 are folded into the range.
void setGameRandomSource(std::function<int()> source);

} // namespace platform
