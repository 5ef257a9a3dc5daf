#pragma once
#include <functional>
#include <vector>
#include "Image.h"

// A small vector drawing kit: shapes are signed distance functions in the
// frame's own units, filled with one pixel of anti-aliasing.
struct Vec2 {
    double x = 0, y = 0;
};

// Maps frame units to pixels: pixel = origin + unit * scale.
struct Frame {
    double ox = 0, oy = 0, kx = 1, ky = 1;
    static Frame unit(const Image& img) { return {0, 0, double(img.width()), double(img.height())}; }
    // A square area of side s pixels at (x, y): units 0..1 on both axes.
    static Frame square(double x, double y, double s) { return {x, y, s, s}; }
};

using Sdf = std::function<double(double, double)>;
using Paint = std::function<Color(double, double)>;

namespace sdf {
double circle(double x, double y, double cx, double cy, double r);
double box(double x, double y, double cx, double cy, double hw, double hh, double radius = 0);
double segment(double x, double y, Vec2 a, Vec2 b, double halfWidth);
double polygon(double x, double y, const std::vector<Vec2>& pts);
double ring(double x, double y, double cx, double cy, double r, double halfWidth);
}  // namespace sdf

// Fills the shape over the frame-unit box [x0, x1] x [y0, y1].
void fillShape(Image& img, const Frame& f, double x0, double y0, double x1, double y1, const Sdf& shape,
               const Paint& paint);
void fillShape(Image& img, const Frame& f, double x0, double y0, double x1, double y1, const Sdf& shape,
               const Color& c);

// Convenience shapes in frame units.
void fillCircle(Image& img, const Frame& f, double cx, double cy, double r, const Color& c);
void fillBox(Image& img, const Frame& f, double cx, double cy, double hw, double hh, double radius, const Color& c);
void fillSegment(Image& img, const Frame& f, Vec2 a, Vec2 b, double halfWidth, const Color& c);
void fillPolygon(Image& img, const Frame& f, const std::vector<Vec2>& pts, const Color& c);
void fillRing(Image& img, const Frame& f, double cx, double cy, double r, double halfWidth, const Color& c);

// Vertical gradient over the whole image through colour stops (t, colour), t 0 at the top.
void verticalGradient(Image& img, const std::vector<std::pair<double, Color>>& stops);
Color gradientAt(const std::vector<std::pair<double, Color>>& stops, double t);
