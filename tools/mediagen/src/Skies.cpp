#include "Skies.h"
#include <algorithm>
#include <cmath>
#include "Noise.h"
#include "Rng.h"
#include "Shapes.h"

namespace skies {
namespace {
double smoothstep(double a, double b, double x) {
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Color sky(const Style& s, double y) { return gradientAt(s.gradient, y); }

void paintStars(Image& img, const Style& s, double aspect) {
    if (s.stars <= 0) return;
    Rng rng(s.seed * 77 + 5);
    int count = static_cast<int>(s.stars * 900 * aspect);
    Frame f{0, 0, img.width() / aspect, double(img.height())};
    for (int i = 0; i < count; ++i) {
        double x = rng.uniform() * aspect, y = std::pow(rng.uniform(), 1.6) * 0.7;
        double r = 0.0008 + 0.0022 * std::pow(rng.uniform(), 3);
        double a = 0.35 + 0.65 * rng.uniform();
        Color c = Color(0.9 + 0.1 * rng.uniform(), 0.9 + 0.1 * rng.uniform(), 1, a * (1 - y));
        fillCircle(img, f, x, y, r, c);
    }
}

void paintSun(Image& img, const Style& s, double aspect) {
    if (s.sun.a <= 0) return;
    double sx = s.sunX * aspect, sy = s.sunY;
    // Glow first, over the whole sky.
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) {
            double x = (px + 0.5) / img.width() * aspect, y = (py + 0.5) / img.height();
            double d = std::hypot(x - sx, y - sy);
            double g = s.glow * std::exp(-d * d / (2 * std::pow(s.sunRadius * 4, 2)));
            img.blend(px, py, s.sun, g);
        }
    Frame f{0, 0, img.width() / aspect, double(img.height())};
    fillCircle(img, f, sx, sy, s.sunRadius, s.sun);
    if (s.moon) {
        // Soft craters on the moon.
        Rng rng(s.seed);
        for (int i = 0; i < 6; ++i) {
            double a = rng.uniform() * 2 * M_PI, r = rng.uniform() * s.sunRadius * 0.6;
            fillCircle(img, f, sx + std::cos(a) * r, sy + std::sin(a) * r, s.sunRadius * (0.1 + 0.15 * rng.uniform()),
                       s.sun.darker(0.12).withAlpha(0.6));
        }
    }
}

void paintAurora(Image& img, const Style& s, double aspect) {
    if (!s.aurora) return;
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) {
            double x = (px + 0.5) / img.width() * aspect, y = (py + 0.5) / img.height();
            for (int band = 0; band < 2; ++band) {
                double centre = 0.22 + band * 0.14 + 0.08 * std::sin(x * (2.2 + band) + band * 1.7) +
                                0.05 * (noise::fbm(x * 1.5, band * 3.0, s.seed + band, 3) - 0.5);
                double d = (y - centre) / 0.09;
                if (d < -1.2 || d > 2.5) continue;
                // Curtains: bright lower edge fading upward, with vertical rays.
                double shape = d < 0 ? std::exp(-d * d * 8) : std::exp(-d * 1.4);
                double rays = 0.55 + 0.45 * noise::value2(x * 40, band * 5.0, s.seed + 9);
                Color c = band == 0 ? Color(0.35, 1.0, 0.6) : Color(0.55, 0.45, 1.0);
                img.blend(px, py, c, 0.5 * shape * rays);
            }
        }
}

void paintClouds(Image& img, const Style& s, double aspect) {
    if (s.cloudCover <= 0) return;
    double threshold = 0.62 - 0.3 * s.cloudCover;
    for (int py = 0; py < img.height(); ++py) {
        double y = (py + 0.5) / img.height();
        if (y < s.cloudTop - 0.05 || y > s.cloudBottom + 0.05) continue;
        // Clouds thin out towards the band's edges and flatten near the horizon.
        double band = smoothstep(s.cloudTop - 0.05, s.cloudTop + 0.08, y) *
                      (1 - smoothstep(s.cloudBottom - 0.12, s.cloudBottom + 0.05, y));
        double squash = 1.0 + 3.0 * y;
        for (int px = 0; px < img.width(); ++px) {
            double x = (px + 0.5) / img.width() * aspect;
            double nx = x * 2.2, ny = y * 2.2 * squash;
            double n = noise::fbm(nx, ny, s.seed + 31, 6);
            double d = smoothstep(threshold, threshold + 0.22, n * band + (1 - band) * 0.2);
            if (d <= 0.002) continue;
            // Light from above: compare with the density a little higher up.
            double above = noise::fbm(nx, ny - 0.06 * squash, s.seed + 31, 4);
            double lit = std::clamp(0.55 + (n - above) * 4.0, 0.0, 1.0);
            Color c = s.cloudShade.mix(s.cloudLit, lit);
            img.blend(px, py, c, d * 0.92);
        }
    }
}

void paintHills(Image& img, const Style& s, double aspect) {
    int layer = 0;
    for (const Hill& h : s.hills) {
        ++layer;
        for (int px = 0; px < img.width(); ++px) {
            double x = (px + 0.5) / img.width() * aspect;
            double ridge = h.base - h.amplitude * (noise::fbm1(x * h.frequency, s.seed + 200 + layer * 13, 5) - 0.5) * 2;
            int top = std::max(0, static_cast<int>(std::floor(ridge * img.height())));
            for (int py = top; py < img.height(); ++py) {
                double y = (py + 0.5) / img.height();
                double cover = std::clamp((y - ridge) * img.height() + 0.5, 0.0, 1.0);
                // Lower down the hill the haze clears a little.
                double depth = std::clamp((y - ridge) * 3, 0.0, 1.0);
                Color c = h.colour.mix(s.haze, 0.25 * (1 - depth)).scaled(1 - 0.12 * depth);
                double tex = noise::fbm(x * 30, y * 30, s.seed + layer, 3) - 0.5;
                c = c.scaled(1 + 0.08 * tex);
                img.blend(px, py, c, cover);
            }
        }
    }
}
}  // namespace

std::vector<std::string> names() { return {"blueSky", "sunset", "night", "dawn", "cloudy", "aurora"}; }

Style named(const std::string& name) {
    Style s;
    if (name == "sunset") {
        s.gradient = {{0, Color::rgb8(44, 46, 110)}, {0.35, Color::rgb8(170, 80, 120)}, {0.62, Color::rgb8(250, 150, 80)},
                      {0.75, Color::rgb8(255, 205, 120)}, {1, Color::rgb8(255, 220, 150)}};
        s.sun = Color::rgb8(255, 236, 170);
        s.sunX = 0.62;
        s.sunY = 0.66;
        s.sunRadius = 0.07;
        s.glow = 0.55;
        s.cloudCover = 0.4;
        s.cloudLit = Color::rgb8(255, 190, 150);
        s.cloudShade = Color::rgb8(120, 70, 110);
        s.cloudBottom = 0.55;
        s.haze = Color::rgb8(250, 170, 120);
        s.hills = {{0.72, 0.05, 1.3, Color::rgb8(150, 80, 110)}, {0.8, 0.05, 2.0, Color::rgb8(95, 50, 85)},
                   {0.9, 0.04, 3.0, Color::rgb8(55, 30, 60)}};
        s.seed = 11;
    } else if (name == "night") {
        s.gradient = {{0, Color::rgb8(6, 8, 30)}, {0.5, Color::rgb8(18, 28, 70)}, {0.8, Color::rgb8(40, 55, 105)},
                      {1, Color::rgb8(50, 62, 110)}};
        s.sun = Color::rgb8(240, 240, 225);
        s.moon = true;
        s.sunX = 0.25;
        s.sunY = 0.2;
        s.sunRadius = 0.05;
        s.glow = 0.25;
        s.cloudCover = 0.22;
        s.cloudLit = Color::rgb8(90, 100, 140);
        s.cloudShade = Color::rgb8(30, 36, 70);
        s.stars = 1.0;
        s.haze = Color::rgb8(50, 62, 110);
        s.hills = {{0.76, 0.05, 1.5, Color::rgb8(28, 34, 70)}, {0.86, 0.05, 2.5, Color::rgb8(14, 18, 42)}};
        s.seed = 23;
    } else if (name == "dawn") {
        s.gradient = {{0, Color::rgb8(120, 150, 215)}, {0.45, Color::rgb8(220, 180, 210)}, {0.75, Color::rgb8(255, 215, 200)},
                      {1, Color::rgb8(255, 235, 215)}};
        s.sun = Color::rgb8(255, 250, 225);
        s.sunX = 0.3;
        s.sunY = 0.72;
        s.sunRadius = 0.06;
        s.glow = 0.5;
        s.cloudCover = 0.35;
        s.cloudLit = Color::rgb8(255, 235, 235);
        s.cloudShade = Color::rgb8(190, 160, 200);
        s.haze = Color::rgb8(245, 215, 215);
        s.hills = {{0.74, 0.04, 1.2, Color::rgb8(170, 160, 200)}, {0.83, 0.05, 2.2, Color::rgb8(120, 130, 170)},
                   {0.92, 0.03, 3.5, Color::rgb8(80, 100, 130)}};
        s.seed = 37;
    } else if (name == "cloudy") {
        s.gradient = {{0, Color::rgb8(110, 125, 150)}, {0.6, Color::rgb8(170, 182, 198)}, {1, Color::rgb8(205, 212, 220)}};
        s.cloudCover = 0.85;
        s.cloudTop = 0.0;
        s.cloudBottom = 0.7;
        s.cloudLit = Color::rgb8(235, 238, 242);
        s.cloudShade = Color::rgb8(130, 138, 155);
        s.haze = Color::rgb8(200, 206, 215);
        s.hills = {{0.76, 0.05, 1.4, Color::rgb8(120, 140, 130)}, {0.86, 0.05, 2.4, Color::rgb8(80, 105, 90)}};
        s.seed = 41;
    } else if (name == "aurora") {
        s.gradient = {{0, Color::rgb8(4, 10, 26)}, {0.55, Color::rgb8(10, 34, 56)}, {1, Color::rgb8(24, 60, 80)}};
        s.stars = 0.8;
        s.aurora = true;
        s.cloudCover = 0;
        s.haze = Color::rgb8(24, 60, 80);
        s.hills = {{0.78, 0.07, 1.8, Color::rgb8(18, 40, 55)}, {0.88, 0.05, 3.0, Color::rgb8(8, 20, 30)}};
        s.seed = 53;
    } else {  // blueSky
        s.gradient = {{0, Color::rgb8(40, 110, 200)}, {0.5, Color::rgb8(100, 170, 235)}, {0.8, Color::rgb8(180, 215, 245)},
                      {1, Color::rgb8(215, 235, 250)}};
        s.sun = Color::rgb8(255, 252, 230);
        s.sunX = 0.78;
        s.sunY = 0.16;
        s.sunRadius = 0.05;
        s.glow = 0.45;
        s.cloudCover = 0.45;
        s.haze = Color::rgb8(200, 225, 245);
        s.hills = {{0.74, 0.05, 1.3, Color::rgb8(120, 165, 190)}, {0.83, 0.06, 2.1, Color::rgb8(80, 150, 110)},
                   {0.92, 0.04, 3.2, Color::rgb8(55, 120, 70)}};
        s.seed = 7;
    }
    return s;
}

Image paint(const Style& s, int w, int h, double aspect) {
    Image img(w, h);
    for (int py = 0; py < h; ++py) {
        Color c = sky(s, (py + 0.5) / h);
        for (int px = 0; px < w; ++px) img.set(px, py, c);
    }
    paintStars(img, s, aspect);
    paintAurora(img, s, aspect);
    paintSun(img, s, aspect);
    paintClouds(img, s, aspect);
    paintHills(img, s, aspect);
    return img;
}

void writeAll(ArtContext& ctx) {
    for (const std::string& name : names()) writeOne(ctx, name);
}

void writeOne(ArtContext& ctx, const std::string& name) {
    for (auto ratio : {std::pair<const char*, double>{"Ratio-4-3", 4.0 / 3}, {"Ratio-16-10", 16.0 / 10}}) {
            Image high = paint(named(name), 1024, 1024, ratio.second);
            ctx.png(std::string("Images/Backgrounds/High/") + ratio.first + "/" + name + ".png", high);
            ctx.png(std::string("Images/Backgrounds/Low/") + ratio.first + "/" + name + ".png",
                    high.downscaled(lowQualityFactor));
    }
}
}  // namespace skies
