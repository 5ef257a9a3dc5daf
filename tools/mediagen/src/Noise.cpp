#include "Noise.h"
#include <cmath>

namespace {
uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h *= 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x165667B1u;
    h ^= h >> 13;
    return h;
}
double lattice(int32_t x, int32_t y, uint32_t seed) { return (hash(x, y, seed) & 0xFFFFFF) / 16777215.0; }
double smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
int wrap(int v, int p) { return p > 0 ? ((v % p) + p) % p : v; }
}  // namespace

namespace noise {
double value2(double x, double y, uint32_t seed, int periodX) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = smooth(x - fx), ty = smooth(y - fy);
    int ix0 = wrap(ix, periodX), ix1 = wrap(ix + 1, periodX);
    double a = lattice(ix0, iy, seed), b = lattice(ix1, iy, seed);
    double c = lattice(ix0, iy + 1, seed), d = lattice(ix1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fbm(double x, double y, uint32_t seed, int octaves, int periodX, double gain) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * value2(x, y, seed + 101u * o, periodX);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
        periodX *= 2;
    }
    return sum / norm;
}

double value1(double x, uint32_t seed) { return value2(x, 0.5, seed); }

double fbm1(double x, uint32_t seed, int octaves) { return fbm(x, 0.5, seed, octaves); }
}  // namespace noise
