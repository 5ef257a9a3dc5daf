#pragma once
#include <cmath>

// Where each part of the hero lies on its 256 x 256 skin (pixels, row 0 at
// the top). The model maps every part as a globe: longitude across, from the
// hero's left side round through the back, the right side and the front;
// latitude down from the top pole.
namespace skinlayout {
constexpr int size = 256;
struct Rect {
    int x, y, w, h;
};
constexpr Rect body = {0, 0, 256, 160};
constexpr Rect feet = {0, 160, 128, 64};
constexpr Rect hands = {128, 160, 128, 64};

// Longitude share (0..1) of a direction in the model's horizontal plane;
// the model's front is towards -x (the game's forward), its back +x.
inline double longitudeShare(double fx, double fy) {
    double phi = std::atan2(fy, fx) + M_PI / 2;
    while (phi < 0) phi += 2 * M_PI;
    while (phi >= 2 * M_PI) phi -= 2 * M_PI;
    return phi / (2 * M_PI);
}
constexpr double frontShare = 0.75;  // longitudeShare(-1, 0)
constexpr double backShare = 0.25;   // longitudeShare(1, 0)
}  // namespace skinlayout
