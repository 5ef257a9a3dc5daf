#pragma once
#include <string>
#include <utility>
#include <vector>
#include "ArtContext.h"
#include "Image.h"

// Painted skies with clouds, a sun or moon and distant hills: the level
// backgrounds, and the scenery behind the menus.
namespace skies {
struct Hill {
    double base;       // height of the ridge's mean line, 0 top .. 1 bottom
    double amplitude;  // ridge swing
    double frequency;  // ridges per screen height
    Color colour;
};

struct Style {
    std::vector<std::pair<double, Color>> gradient;  // top (0) to bottom (1)
    Color sun = Color(1, 1, 0.9, 0);                  // alpha 0: no sun
    double sunX = 0.7, sunY = 0.3, sunRadius = 0.06;   // x as a share of the width
    double glow = 0.3;
    bool moon = false;
    double cloudCover = 0.5;  // 0 none .. 1 overcast
    Color cloudLit = Color(1, 1, 1), cloudShade = Color(0.75, 0.8, 0.9);
    double cloudTop = 0.05, cloudBottom = 0.6;
    double stars = 0;  // density of stars
    bool aurora = false;
    Color haze = Color(1, 1, 1);
    std::vector<Hill> hills;
    uint32_t seed = 1;
};

std::vector<std::string> names();
Style named(const std::string& name);
// Paints the style into w x h pixels meant to fill a screen of the given aspect.
Image paint(const Style& style, int w, int h, double aspect);
// Images/Backgrounds/<quality>/<ratio>/<name>.png for every name.
void writeAll(ArtContext& ctx);
void writeOne(ArtContext& ctx, const std::string& name);
}  // namespace skies
