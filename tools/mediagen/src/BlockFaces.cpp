#include "BlockFaces.h"
#include <cmath>
#include <string>
#include "Icons.h"
#include "Noise.h"
#include "Shapes.h"

namespace blockfaces {
namespace {
using icons::Dir;

constexpr int face = 128;  // top face side in the High image

enum class Material { Stone, Wood, Metal, Glass, Ice, Cloth };

struct Look {
    Color base;
    Material material = Material::Stone;
    bool slab = false;     // breakable and disposable blocks: the side uses the whole right half
    double alpha = 1.0;    // only the disposable blocks are drawn blended
};

double grain(Material m, double x, double y, uint32_t seed) {
    switch (m) {
        case Material::Stone: return noise::fbm(x * 6, y * 6, seed, 4) - 0.5;
        case Material::Wood: {
            double ring = std::sin((y * 5.0 + noise::fbm(x * 2, y * 5, seed, 3) * 1.2) * 2 * M_PI);
            return 0.25 * ring + 0.5 * (noise::fbm(x * 12, y * 1.5, seed + 7, 3) - 0.5);
        }
        case Material::Metal: return 0.6 * (noise::fbm(x * 1.2, y * 40, seed, 3) - 0.5);
        case Material::Glass: return 0.15 * (noise::fbm(x * 3, y * 3, seed, 2) - 0.5);
        case Material::Ice: return 0.5 * (noise::fbm(x * 3 + y * 2, y * 9, seed, 3) - 0.5);
        case Material::Cloth: return 0.3 * (noise::fbm(x * 20, y * 20, seed, 2) - 0.5);
    }
    return 0;
}

// The plate: textured top with a bevelled rim, and the side strip.
Image plate(const Look& look, uint32_t seed) {
    Image img(face * 2, face, Color(0, 0, 0, 0));
    const double bevel = 0.055;
    for (int py = 0; py < face; ++py)
        for (int px = 0; px < face; ++px) {
            double x = (px + 0.5) / face, y = (py + 0.5) / face;
            double light = 1.06 - 0.12 * (x + y) / 2;
            Color c = look.base.scaled(light * (1 + 0.22 * grain(look.material, x, y, seed)));
            if (look.material == Material::Wood) {
                // Three planks with dark joints.
                double j = std::fmod(y * 3, 1.0);
                if (j < 0.035 || j > 0.965) c = c.darker(0.45);
            }
            if (look.material == Material::Glass || look.material == Material::Ice) {
                double streak = std::fabs(std::fmod(x + y + 10, 0.5) - 0.25);
                if (streak < 0.03) c = c.lighter(0.35 * (1 - streak / 0.03));
            }
            double dl = x, dt = y, dr = 1 - x, db = 1 - y;
            double m = std::min(std::min(dl, dt), std::min(dr, db));
            if (m < bevel) {
                bool lit = (dl == m || dt == m) && !(dr == m || db == m);
                if (dl == m && db == m) lit = x < 1 - y;
                if (dt == m && dr == m) lit = y < 1 - x;
                c = lit ? c.lighter(0.38) : c.darker(0.38);
            } else if (m < bevel + 0.012) {
                c = c.darker(0.25);
            }
            c.a = look.alpha;
            img.set(px, py, c);
        }
    // Sides: from the bottom edge (left of the strip) up to the top edge.
    int sideEnd = look.slab ? face * 2 : static_cast<int>(face * 2 * 0.6640625);
    for (int py = 0; py < face; ++py)
        for (int px = face; px < face * 2; ++px) {
            double t = std::min(1.0, (px + 0.5 - face) / (sideEnd - face));
            double along = (py + 0.5) / face;
            Color c = look.base.scaled((0.45 + 0.38 * t) * (1 + 0.2 * grain(look.material, along, t * 0.3, seed + 3)));
            if (t > 0.9) c = c.lighter(0.25);
            if (t < 0.06) c = c.darker(0.3);
            c.a = look.alpha;
            img.set(px, py, c);
        }
    return img;
}

const Color white(1, 1, 1, 1);
const Color ink(0.08, 0.08, 0.12, 1);
const Color shade(0, 0, 0, 0.28);

Look lookOf(int type) {
    if (type >= 200 && type <= 299) return {Color(0.70, 0.76, 0.80), Material::Stone};
    if (type >= 300 && type <= 399) return {Color(0.78, 0.74, 0.64), Material::Stone};
    if (type >= 50 && type <= 61) return {Color(0.55, 0.62, 0.72), Material::Metal};
    switch (type) {
        case 1: return {Color(0.72, 0.76, 0.82), Material::Stone};
        case 101: return {Color(0.56, 0.58, 0.62), Material::Stone};
        case 2: return {Color(0.30, 0.70, 0.36), Material::Stone};
        case 3: return {Color(0.80, 0.24, 0.22), Material::Stone};
        case 4: case 5: case 6: case 7: case 8: return {Color(0.96, 0.62, 0.16), Material::Stone};
        case 9: return {Color(0.62, 0.32, 0.82), Material::Stone};
        case 10: case 13: case 14: case 15: return {Color(0.16, 0.64, 0.70), Material::Stone};
        case 11: return {Color(0.46, 0.66, 0.92), Material::Stone};
        case 12: return {Color(0.86, 0.84, 0.78), Material::Stone};
        case 16: return {Color(0.85, 0.85, 0.85), Material::Stone};
        case 17: return {Color(0.70, 0.88, 0.96), Material::Ice};
        case 20: return {Color(0.66, 0.45, 0.26), Material::Wood, true};
        case 21: case 22: case 23: return {Color(0.95, 0.76, 0.30), Material::Metal};
        case 24: case 25: case 26: return {Color(0.70, 0.56, 0.90), Material::Metal};
        case 27: return {Color(0.55, 0.85, 0.95), Material::Glass, true, 0.72};
        case 28: return {Color(0.40, 0.70, 0.95), Material::Glass, true, 0.8};
        case 30: return {Color(0.36, 0.74, 0.42), Material::Stone};
        case 31: return {Color(0.78, 0.30, 0.28), Material::Stone};
        case 32: return {Color(0.62, 0.84, 0.98), Material::Cloth};
        case 33: return {Color(0.36, 0.37, 0.46), Material::Stone};
        case 34: return {Color(0.82, 0.80, 0.94), Material::Glass};
        case 100: return {Color(0.95, 0.80, 0.30), Material::Metal};
        default: return {Color(0.72, 0.76, 0.82), Material::Stone};
    }
}

// Draws an icon twice: a soft drop shadow, then the icon itself.
template <typename F>
void withShadow(F draw) {
    Frame s = Frame::square(face * 0.025, face * 0.03, face);
    draw(s, shade);
    draw(Frame::square(0, 0, face), Color(0, 0, 0, -1));  // colour -1 alpha: use own colours
}

Color pick(const Color& wanted, const Color& override_) { return override_.a < 0 ? wanted : override_; }

void drawIcon(Image& img, int type, Lettering& font) {
    const double c = 0.5;
    if (type >= 200 && type <= 299) {
        // Checkpoint: a green ring that keeps the respawn point.
        withShadow([&](const Frame& f, const Color& o) {
            fillRing(img, f, c, c, 0.2, 0.045, pick(Color(0.20, 0.70, 0.35), o));
            fillCircle(img, f, c, c, 0.07, pick(Color(0.20, 0.70, 0.35), o));
        });
        return;
    }
    if (type >= 300 && type <= 399) {
        Frame f = Frame::square(0, 0, face);
        fillRing(img, f, c, c, 0.16, 0.02, Color(0.45, 0.40, 0.30, 0.45));
        return;
    }
    if (type >= 50 && type <= 61) {
        bool alongZ = (type - 50) / 2 % 2 == 0;
        withShadow([&](const Frame& f, const Color& o) {
            icons::doubleArrow(img, f, alongZ, c, c, 0.62, pick(white, o));
        });
        Frame f = Frame::square(0, 0, face);
        for (double rx : {0.17, 0.83})
            for (double ry : {0.17, 0.83}) {
                fillCircle(img, f, rx, ry, 0.035, Color(0.30, 0.34, 0.40));
                fillCircle(img, f, rx - 0.01, ry - 0.01, 0.015, Color(0.85, 0.88, 0.92));
            }
        return;
    }
    switch (type) {
        case 1: break;
        case 101: {
            Frame f = Frame::square(0, 0, face);
            fillCircle(img, f, c, c, 0.16, Color(0, 0, 0, 0.10));
            break;
        }
        case 2:
            withShadow([&](const Frame& f, const Color& o) {
                icons::heart(img, f, c, c + 0.03, 0.58, pick(white, o));
                icons::plus(img, f, 0.76, 0.24, 0.2, 0.035, pick(Color(1, 0.95, 0.4), o));
            });
            break;
        case 3:
            withShadow([&](const Frame& f, const Color& o) {
                icons::heart(img, f, c, c + 0.03, 0.58, pick(Color(0.18, 0.06, 0.06), o));
                icons::minus(img, f, 0.76, 0.24, 0.2, 0.035, pick(white, o));
            });
            icons::crack(img, Frame::square(0, 0, face), c, c + 0.02, 0.5, 0.025, lookOf(3).base.lighter(0.25));
            break;
        case 4: case 5: case 6: case 7: {
            Dir d = type == 4 ? Dir::Up : type == 5 ? Dir::Down : type == 6 ? Dir::Left : Dir::Right;
            withShadow([&](const Frame& f, const Color& o) { icons::arrow(img, f, d, c, c, 0.66, pick(white, o)); });
            break;
        }
        case 8:
            withShadow([&](const Frame& f, const Color& o) {
                icons::arrow(img, f, Dir::Up, c, 0.2, 0.26, pick(white, o));
                icons::arrow(img, f, Dir::Down, c, 0.8, 0.26, pick(white, o));
                icons::arrow(img, f, Dir::Left, 0.2, c, 0.26, pick(white, o));
                icons::arrow(img, f, Dir::Right, 0.8, c, 0.26, pick(white, o));
                icons::label(img, f, font, "?", c, c, 0.3, pick(white, o), Color(0, 0, 0, 0), 0);
            });
            break;
        case 9:
            withShadow([&](const Frame& f, const Color& o) {
                icons::spring(img, f, c, c + 0.05, 0.62, pick(white, o), pick(Color(1, 0.85, 0.3), o));
            });
            break;
        case 10: case 13: case 14: case 15: {
            Dir d = type == 10 ? Dir::Up : type == 13 ? Dir::Down : type == 14 ? Dir::Right : Dir::Left;
            withShadow([&](const Frame& f, const Color& o) {
                double ox = d == Dir::Left ? 0.11 : d == Dir::Right ? -0.11 : 0;
                double oy = d == Dir::Up ? 0.11 : d == Dir::Down ? -0.11 : 0;
                // Three chevrons, the trailing one faded: a long leap that way.
                icons::chevron(img, f, d, c + ox * 1.6, c + oy * 1.6, 0.6, 0.06, pick(Color(1, 1, 1, 0.5), o));
                icons::chevron(img, f, d, c, c, 0.6, 0.06, pick(white, o));
                icons::chevron(img, f, d, c - ox * 1.6, c - oy * 1.6, 0.6, 0.06, pick(white, o));
            });
            break;
        }
        case 11:
            withShadow([&](const Frame& f, const Color& o) {
                icons::snail(img, f, c, c + 0.04, 0.7, pick(Color(0.98, 0.95, 0.85), o), pick(Color(0.95, 0.70, 0.35), o));
            });
            break;
        case 12:
            withShadow([&](const Frame& f, const Color& o) {
                icons::octagon(img, f, c, c, 0.33, pick(white, o));
                icons::octagon(img, f, c, c, 0.29, pick(Color(0.82, 0.12, 0.12), o));
                fillBox(img, f, c, c, 0.18, 0.045, 0.02, pick(white, o));
            });
            break;
        case 16: {
            Frame f = Frame::square(0, 0, face);
            const Color q[4] = {Color(0.95, 0.45, 0.45, 0.85), Color(0.45, 0.75, 0.95, 0.85), Color(0.55, 0.85, 0.45, 0.85),
                                Color(0.98, 0.80, 0.35, 0.85)};
            fillBox(img, f, 0.3, 0.3, 0.22, 0.22, 0.04, q[0]);
            fillBox(img, f, 0.7, 0.3, 0.22, 0.22, 0.04, q[1]);
            fillBox(img, f, 0.3, 0.7, 0.22, 0.22, 0.04, q[2]);
            fillBox(img, f, 0.7, 0.7, 0.22, 0.22, 0.04, q[3]);
            withShadow([&](const Frame& fr, const Color& o) {
                icons::label(img, fr, font, "?", c, c, 0.5, pick(white, o), pick(ink, o), 0.045);
            });
            break;
        }
        case 17: {
            Frame f = Frame::square(0, 0, face);
            for (int i = 0; i < 3; ++i)
                fillSegment(img, f, {0.25, 0.35 + i * 0.15}, {0.75, 0.35 + i * 0.15}, 0.022, Color(1, 1, 1, 0.7));
            break;
        }
        case 20: {
            Frame f = Frame::square(0, 0, face);
            Color dark = Color(0.22, 0.13, 0.06, 0.9);
            icons::crack(img, f, 0.42, 0.5, 0.8, 0.02, dark);
            fillSegment(img, f, {0.45, 0.38}, {0.68, 0.3}, 0.015, dark);
            fillSegment(img, f, {0.4, 0.62}, {0.22, 0.72}, 0.015, dark);
            fillSegment(img, f, {0.45, 0.45}, {0.62, 0.6}, 0.012, dark);
            break;
        }
        case 21: case 22: case 23: case 24: case 25: case 26: {
            int k = (type - 21) % 3;
            double solid = k == 0 ? 0.5 : k == 1 ? 1.0 / 3 : 2.0 / 3;
            Color pie = type <= 23 ? Color(0.85, 0.45, 0.10) : Color(0.45, 0.25, 0.70);
            withShadow([&](const Frame& f, const Color& o) {
                icons::clock(img, f, c, c, 0.34, solid, pick(Color(0.98, 0.97, 0.92), o), pick(ink, o), pick(pie, o));
            });
            break;
        }
        case 27: case 28: {
            withShadow([&](const Frame& f, const Color& o) {
                icons::label(img, f, font, type == 27 ? "1" : "2", c, c, 0.42, pick(white, o), pick(Color(0.1, 0.3, 0.5, 0.8), o),
                             0.03);
            });
            break;
        }
        case 30: case 31:
            withShadow([&](const Frame& f, const Color& o) {
                icons::stopwatch(img, f, 0.44, 0.55, 0.27, pick(Color(0.98, 0.97, 0.92), o), pick(ink, o));
                if (type == 30) icons::plus(img, f, 0.78, 0.24, 0.22, 0.04, pick(white, o));
                else icons::minus(img, f, 0.78, 0.24, 0.22, 0.04, pick(white, o));
            });
            break;
        case 32:
            withShadow([&](const Frame& f, const Color& o) {
                icons::balloon(img, f, c, c + 0.02, 0.72, pick(Color(0.98, 0.42, 0.50), o));
            });
            break;
        case 33:
            withShadow([&](const Frame& f, const Color& o) {
                icons::weight(img, f, c, c + 0.02, 0.62, pick(Color(0.12, 0.12, 0.15), o));
            });
            icons::label(img, Frame::square(0, 0, face), font, "KG", c, c + 0.17, 0.13, Color(0.85, 0.85, 0.9),
                         Color(0, 0, 0, 0), 0);
            break;
        case 34: {
            Frame f = Frame::square(0, 0, face);
            for (int i = 0; i < 12; ++i) {
                double a = i / 12.0;
                fillSegment(img, f, {0.12 + a * 0.76, 0.12}, {0.12 + a * 0.76 + 0.035, 0.12}, 0.012, Color(0.4, 0.35, 0.6, 0.6));
                fillSegment(img, f, {0.12 + a * 0.76, 0.88}, {0.12 + a * 0.76 + 0.035, 0.88}, 0.012, Color(0.4, 0.35, 0.6, 0.6));
                fillSegment(img, f, {0.12, 0.12 + a * 0.76}, {0.12, 0.12 + a * 0.76 + 0.035}, 0.012, Color(0.4, 0.35, 0.6, 0.6));
                fillSegment(img, f, {0.88, 0.12 + a * 0.76}, {0.88, 0.12 + a * 0.76 + 0.035}, 0.012, Color(0.4, 0.35, 0.6, 0.6));
            }
            withShadow([&](const Frame& fr, const Color& o) {
                icons::ghost(img, fr, c, c + 0.03, 0.6, pick(Color(1, 1, 1, 0.8), o), pick(Color(0.3, 0.25, 0.5), o));
            });
            break;
        }
        case 100: {
            Frame f = Frame::square(0, 0, face);
            const int n = 6;
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    double s = 0.76 / n;
                    Color k = ((i + j) % 2) ? Color(0.08, 0.08, 0.1) : Color(0.97, 0.97, 0.97);
                    fillBox(img, f, 0.12 + s * (i + 0.5), 0.12 + s * (j + 0.5), s / 2 + 0.002, s / 2 + 0.002, 0, k);
                }
            break;
        }
        default: break;
    }
}
}  // namespace

std::vector<int> typesWithImages() {
    std::vector<int> t = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24,
                          25, 26, 27, 28, 30, 31, 32, 33, 34, 100, 101};
    for (int m = 50; m <= 61; ++m) t.push_back(m);
    for (int p = 200; p <= 399; ++p) t.push_back(p);
    return t;
}

Image draw(int type, Lettering& font) {
    Look look = lookOf(type);
    // Moving blocks share the images of their two travel axes.
    int artType = type >= 50 && type <= 61 ? ((type - 50) / 2 % 2 == 0 ? 50 : 52) : type;
    if (type >= 200 && type <= 299) artType = 200;
    if (type >= 300 && type <= 399) artType = 300;
    Image img = plate(look, 1000u + static_cast<uint32_t>(artType));
    drawIcon(img, artType, font);
    return img;
}

Color topColour(int type, Lettering& font) {
    Image small = draw(type, font).region(0, 0, face, face).downscaled(face);
    return small.get(0, 0);
}

void writeAll(ArtContext& ctx) {
    // Draw each distinct picture once; the ranges 50-61, 200-299 and
    // 300-399 share theirs.
    auto save = [&](int type, const Image& high) {
        const std::string name = std::to_string(type) + ".tga";
        bool range = type >= 200;
        Image hi = range ? high.downscaled(2) : high;  // plain bounce ranges: 128 x 64 is plenty
        ctx.tga("Images/Blocks/High/" + name, hi, true);
        ctx.tga("Images/Blocks/Low/" + name, high.downscaled(lowQualityFactor), true);
    };
    Image mobileZ = draw(50, ctx.font), mobileX = draw(52, ctx.font);
    Image check = draw(200, ctx.font), plain300 = draw(300, ctx.font);
    for (int type : typesWithImages()) {
        if (type >= 50 && type <= 61) save(type, (type - 50) / 2 % 2 == 0 ? mobileZ : mobileX);
        else if (type >= 200 && type <= 299) save(type, check);
        else if (type >= 300 && type <= 399) save(type, plain300);
        else save(type, draw(type, ctx.font));
    }
}
}  // namespace blockfaces
