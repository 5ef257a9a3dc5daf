#pragma once
#include <cstdint>

// Deterministic value noise and fractal sums, optionally tiling with a
// period (in lattice cells) along x so that a picture can wrap.
namespace noise {
double value2(double x, double y, uint32_t seed, int periodX = 0);
// Fractal sum of octaves, result roughly in 0..1.
double fbm(double x, double y, uint32_t seed, int octaves, int periodX = 0, double gain = 0.5);
double value1(double x, uint32_t seed);
double fbm1(double x, uint32_t seed, int octaves);
}  // namespace noise
