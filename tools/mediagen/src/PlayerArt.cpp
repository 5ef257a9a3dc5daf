#include "PlayerArt.h"
#include <cmath>
#include <string>
#include "Icons.h"
#include "Palette.h"
#include "Scenery.h"
#include "Shapes.h"
#include "SkinLayout.h"

namespace playerart {
namespace {
using skinlayout::Rect;

double smoothstep(double a, double b, double x) {
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Paints a globe region: colour from (longitude share, latitude share).
template <typename F>
void paintGlobe(Image& img, const Rect& r, F colourAt) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            double lon = (x + 0.5 - r.x) / r.w, lat = (y + 0.5 - r.y) / r.h;
            img.set(x, y, colourAt(lon, lat));
        }
}

// Distance on the globe in "texture" terms, with longitude wrapping.
double lonDelta(double a, double b) {
    double d = std::fabs(a - b);
    return std::min(d, 1 - d);
}

Image heroSkin(const Color& body, double alpha) {
    Image img(skinlayout::size, skinlayout::size, body.darker(0.3).withAlpha(alpha));
    const double front = skinlayout::frontShare, back = skinlayout::backShare;
    paintGlobe(img, skinlayout::body, [&](double lon, double lat) {
        // Baked light: bright crown, darker underside (the body is drawn unlit).
        double shade = 1.18 - 0.6 * lat * lat;
        Color c = body.scaled(shade);
        if (lat < 0.22) c = c.lighter(0.22 * (1 - lat / 0.22));
        // Light belly at the front.
        double bx = lonDelta(lon, front) / 0.14, by = (lat - 0.68) / 0.2;
        double belly = 1 - smoothstep(0.8, 1.0, std::hypot(bx, by));
        c = c.mix(Color(1, 0.96, 0.86).scaled(shade), 0.8 * belly);
        // Eyes: white ovals with dark pupils, looking ahead.
        for (double side : {-1.0, 1.0}) {
            double ex = (lon - (front + side * 0.055)) / 0.04, ey = (lat - 0.38) / 0.1;
            double e = std::hypot(ex, ey);
            if (e < 1) c = Color(1, 1, 1).mix(Color(0.08, 0.08, 0.12), e < 0.5 ? 1 : 0);
            else if (e < 1.15) c = c.darker(0.5);
            double gx = (lon - (front + side * 0.055) + 0.008) / 0.012, gy = (lat - 0.33) / 0.03;
            if (std::hypot(gx, gy) < 1) c = Color(1, 1, 1);
        }
        // A star on the back, the side the camera sees most.
        double sx = lonDelta(lon, back) * 2 * M_PI * 0.8, sy = (lat - 0.45) * M_PI;
        double ang = std::atan2(sy, sx), rad = std::hypot(sx, sy);
        double starR = 0.28 * (0.55 + 0.45 * std::cos(5 * (ang + M_PI / 2)));
        if (rad < starR) c = Color(1, 0.92, 0.45).scaled(shade);
        // A band round the waist.
        if (std::fabs(lat - 0.56) < 0.02) c = c.darker(0.25);
        c.a = alpha;
        return c;
    });
    paintGlobe(img, skinlayout::feet, [&](double, double lat) {
        Color shoe = Color(0.95, 0.95, 0.97).scaled(1.1 - 0.5 * lat);
        if (lat > 0.7) shoe = body.darker(0.4);
        shoe.a = alpha;
        return shoe;
    });
    paintGlobe(img, skinlayout::hands, [&](double, double lat) {
        Color h = body.lighter(0.15).scaled(1.15 - 0.5 * lat);
        h.a = alpha;
        return h;
    });
    return img;
}
}  // namespace

void writeSkins(ArtContext& ctx) {
    // Skins are read with their rows flipped: store the picture bottom row first.
    for (int c = 0; c < 5; ++c)
        ctx.tga("Images/Player/player_" + std::to_string(c) + ".tga", heroSkin(palette::player(c), 1.0), false);
    ctx.tga("Images/Player/player_ghost.tga", heroSkin(Color(0.8, 0.9, 1.0), 0.45), false);
    // The silhouette shows through the scenery as a dark outline.
    ctx.tga("Images/Player/player_shadow.tga", Image(64, 64, Color(0.06, 0.07, 0.16, 1)), false);
}

void writeMarkers(ArtContext& ctx) {
    {
        Image img(128, 128, Color(0, 0, 0, 0));
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                double r = std::hypot((x + 0.5) / 64 - 1, (y + 0.5) / 64 - 1);
                img.set(x, y, Color(0, 0, 0.05, 0.62 * (1 - smoothstep(0.25, 0.98, r))));
            }
        ctx.tga("Images/Player/shadow.tga", img, false);
    }
    {
        Image img(128, 128, Color(0, 0, 0, 0));
        Frame f = Frame::square(0, 0, 128);
        Color red = Color::rgb8(240, 70, 60, 0.95), white = Color(1, 1, 1, 0.9);
        fillRing(img, f, 0.5, 0.5, 0.42, 0.045, white);
        fillRing(img, f, 0.5, 0.5, 0.42, 0.025, red);
        fillRing(img, f, 0.5, 0.5, 0.22, 0.03, red);
        fillCircle(img, f, 0.5, 0.5, 0.06, red);
        for (int i = 0; i < 4; ++i) {
            double a = i * M_PI / 2 + M_PI / 4;
            fillSegment(img, f, {0.5 + std::cos(a) * 0.27, 0.5 + std::sin(a) * 0.27},
                        {0.5 + std::cos(a) * 0.37, 0.5 + std::sin(a) * 0.37}, 0.03, white);
        }
        ctx.tga("Images/Player/target.tga", img, false);
    }
}

void writeLogo(ArtContext& ctx) {
    Image big(128, 128);
    verticalGradient(big, {{0, Color::rgb8(60, 130, 220)}, {1, Color::rgb8(170, 215, 250)}});
    Frame f = Frame::unit(big);
    fillBox(big, f, 0.5, 0.86, 0.36, 0.08, 0.03, Color::rgb8(255, 160, 40));
    scenery::hero(big, f, 0.5, 0.47, 0.34, 0);
    ctx.bmp("Images/Logo/logo.bmp", big.downscaled(4));
}
}  // namespace playerart
