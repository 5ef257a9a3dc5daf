#include "Icons.h"
#include <cmath>
#include <vector>

namespace icons {
namespace {
// Turns a shape drawn pointing up into the given direction about (cx, cy).
Vec2 turn(Vec2 p, Dir d, double cx, double cy) {
    double x = p.x - cx, y = p.y - cy;
    switch (d) {
        case Dir::Up: return {cx + x, cy + y};
        case Dir::Down: return {cx - x, cy - y};
        case Dir::Left: return {cx + y, cy - x};
        case Dir::Right: return {cx - y, cy + x};
    }
    return p;
}
std::vector<Vec2> turned(const std::vector<Vec2>& pts, Dir d, double cx, double cy) {
    std::vector<Vec2> out;
    for (auto& p : pts) out.push_back(turn(p, d, cx, cy));
    return out;
}
}  // namespace

void arrow(Image& img, const Frame& f, Dir d, double cx, double cy, double s, const Color& c) {
    std::vector<Vec2> pts = {{cx, cy - 0.5 * s},          {cx + 0.42 * s, cy - 0.05 * s}, {cx + 0.16 * s, cy - 0.05 * s},
                             {cx + 0.16 * s, cy + 0.5 * s}, {cx - 0.16 * s, cy + 0.5 * s},  {cx - 0.16 * s, cy - 0.05 * s},
                             {cx - 0.42 * s, cy - 0.05 * s}};
    fillPolygon(img, f, turned(pts, d, cx, cy), c);
}

void chevron(Image& img, const Frame& f, Dir d, double cx, double cy, double s, double t, const Color& c) {
    Vec2 tip = turn({cx, cy - 0.25 * s}, d, cx, cy);
    Vec2 l = turn({cx - 0.45 * s, cy + 0.2 * s}, d, cx, cy);
    Vec2 r = turn({cx + 0.45 * s, cy + 0.2 * s}, d, cx, cy);
    fillSegment(img, f, l, tip, t, c);
    fillSegment(img, f, tip, r, t, c);
}

void doubleArrow(Image& img, const Frame& f, bool vertical, double cx, double cy, double s, const Color& c) {
    Dir a = vertical ? Dir::Up : Dir::Left, b = vertical ? Dir::Down : Dir::Right;
    std::vector<Vec2> head = {{cx, cy - 0.5 * s}, {cx + 0.3 * s, cy - 0.18 * s}, {cx - 0.3 * s, cy - 0.18 * s}};
    fillPolygon(img, f, turned(head, a, cx, cy), c);
    fillPolygon(img, f, turned(head, b, cx, cy), c);
    Vec2 p = turn({cx, cy - 0.22 * s}, a, cx, cy), q = turn({cx, cy - 0.22 * s}, b, cx, cy);
    fillSegment(img, f, p, q, 0.09 * s, c);
}

void heart(Image& img, const Frame& f, double cx, double cy, double s, const Color& c) {
    double r = 0.26 * s;
    fillShape(img, f, cx - 0.55 * s, cy - 0.5 * s, cx + 0.55 * s, cy + 0.55 * s,
              [=](double x, double y) {
                  double a = sdf::circle(x, y, cx - 0.22 * s, cy - 0.12 * s, r);
                  double b = sdf::circle(x, y, cx + 0.22 * s, cy - 0.12 * s, r);
                  double t = sdf::polygon(x, y, {{cx - 0.47 * s, cy - 0.04 * s}, {cx + 0.47 * s, cy - 0.04 * s},
                                                 {cx, cy + 0.48 * s}});
                  return std::min(std::min(a, b), t);
              },
              c);
}

void crack(Image& img, const Frame& f, double cx, double cy, double s, double t, const Color& c) {
    std::vector<Vec2> z = {{cx - 0.05 * s, cy - 0.45 * s}, {cx + 0.08 * s, cy - 0.15 * s}, {cx - 0.08 * s, cy + 0.05 * s},
                           {cx + 0.06 * s, cy + 0.25 * s}, {cx - 0.02 * s, cy + 0.45 * s}};
    for (size_t i = 1; i < z.size(); ++i) fillSegment(img, f, z[i - 1], z[i], t, c);
}

void spring(Image& img, const Frame& f, double cx, double cy, double s, const Color& c, const Color& cap) {
    // A coil seen from the side with a round cap on top: a super bounce.
    double top = cy - 0.15 * s, bottom = cy + 0.45 * s, hw = 0.3 * s;
    int turns = 4;
    Vec2 prev = {cx - hw, bottom};
    for (int i = 1; i <= turns * 2; ++i) {
        double y = bottom - (bottom - top) * i / (turns * 2.0);
        Vec2 p = {(i % 2) ? cx + hw : cx - hw, y};
        fillSegment(img, f, prev, p, 0.055 * s, c);
        prev = p;
    }
    fillBox(img, f, cx, bottom + 0.02 * s, 0.42 * s, 0.05 * s, 0.03 * s, c);
    fillCircle(img, f, cx, top - 0.17 * s, 0.2 * s, cap);
    fillCircle(img, f, cx - 0.06 * s, top - 0.23 * s, 0.06 * s, Color(1, 1, 1, 0.6));
}

void snail(Image& img, const Frame& f, double cx, double cy, double s, const Color& body, const Color& shell) {
    // Body along the bottom, shell spiral on its back, two feelers in front.
    fillSegment(img, f, {cx - 0.42 * s, cy + 0.3 * s}, {cx + 0.38 * s, cy + 0.3 * s}, 0.1 * s, body);
    fillSegment(img, f, {cx + 0.3 * s, cy + 0.25 * s}, {cx + 0.36 * s, cy - 0.05 * s}, 0.08 * s, body);
    fillSegment(img, f, {cx + 0.33 * s, cy}, {cx + 0.28 * s, cy - 0.3 * s}, 0.025 * s, body);
    fillSegment(img, f, {cx + 0.38 * s, cy}, {cx + 0.48 * s, cy - 0.26 * s}, 0.025 * s, body);
    fillCircle(img, f, cx + 0.28 * s, cy - 0.31 * s, 0.045 * s, body);
    fillCircle(img, f, cx + 0.48 * s, cy - 0.27 * s, 0.045 * s, body);
    fillCircle(img, f, cx - 0.08 * s, cy - 0.02 * s, 0.3 * s, shell);
    Color line = shell.darker(0.45);
    // Spiral drawn as short segments.
    Vec2 prev = {cx - 0.08 * s, cy - 0.02 * s};
    for (int i = 1; i <= 60; ++i) {
        double a = i * 0.2, r = 0.26 * s * i / 60.0;
        Vec2 p = {cx - 0.08 * s + std::cos(a) * r, cy - 0.02 * s + std::sin(a) * r};
        fillSegment(img, f, prev, p, 0.028 * s, line);
        prev = p;
    }
}

void octagon(Image& img, const Frame& f, double cx, double cy, double r, const Color& c) {
    std::vector<Vec2> pts;
    for (int i = 0; i < 8; ++i) {
        double a = M_PI / 8 + i * M_PI / 4;
        pts.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    fillPolygon(img, f, pts, c);
}

void clock(Image& img, const Frame& f, double cx, double cy, double r, double share, const Color& face,
           const Color& rim, const Color& pie) {
    fillCircle(img, f, cx, cy, r, rim);
    fillCircle(img, f, cx, cy, r * 0.84, face);
    // The filled sector shows the share of the cycle the block is solid.
    double end = share * 2 * M_PI;
    fillShape(img, f, cx - r, cy - r, cx + r, cy + r,
              [=](double x, double y) {
                  double d = sdf::circle(x, y, cx, cy, r * 0.72);
                  double a = std::atan2(x - cx, -(y - cy));
                  if (a < 0) a += 2 * M_PI;
                  double rad = std::hypot(x - cx, y - cy);
                  double inside = std::min(a, end - a) * rad;
                  double outside = std::min(a - end, 2 * M_PI - a) * rad;
                  return std::max(d, a <= end ? -inside : outside);
              },
              pie);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        Vec2 p = {cx + std::sin(a) * r * 0.74, cy - std::cos(a) * r * 0.74};
        Vec2 q = {cx + std::sin(a) * r * 0.82, cy - std::cos(a) * r * 0.82};
        fillSegment(img, f, p, q, r * 0.03, rim);
    }
    fillSegment(img, f, {cx, cy}, {cx, cy - r * 0.6}, r * 0.06, rim);
    fillSegment(img, f, {cx, cy}, {cx + r * 0.4, cy + r * 0.15}, r * 0.06, rim);
    fillCircle(img, f, cx, cy, r * 0.09, rim);
}

void stopwatch(Image& img, const Frame& f, double cx, double cy, double r, const Color& face, const Color& rim) {
    fillBox(img, f, cx, cy - r * 1.12, r * 0.2, r * 0.14, r * 0.05, rim);
    fillSegment(img, f, {cx + r * 0.72, cy - r * 0.78}, {cx + r * 0.86, cy - r * 0.92}, r * 0.1, rim);
    fillCircle(img, f, cx, cy, r, rim);
    fillCircle(img, f, cx, cy, r * 0.82, face);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        fillSegment(img, f, {cx + std::sin(a) * r * 0.66, cy - std::cos(a) * r * 0.66},
                    {cx + std::sin(a) * r * 0.76, cy - std::cos(a) * r * 0.76}, r * 0.035, rim);
    }
    fillSegment(img, f, {cx, cy}, {cx + r * 0.35, cy - r * 0.5}, r * 0.07, rim);
    fillCircle(img, f, cx, cy, r * 0.1, rim);
}

void balloon(Image& img, const Frame& f, double cx, double cy, double s, const Color& c) {
    Color string = Color(0.25, 0.25, 0.3, 0.9);
    Vec2 prev = {cx, cy + 0.12 * s};
    for (int i = 1; i <= 12; ++i) {
        double t = i / 12.0;
        Vec2 p = {cx + std::sin(t * 2 * M_PI) * 0.06 * s, cy + 0.12 * s + t * 0.38 * s};
        fillSegment(img, f, prev, p, 0.018 * s, string);
        prev = p;
    }
    fillShape(img, f, cx - 0.35 * s, cy - 0.55 * s, cx + 0.35 * s, cy + 0.2 * s,
              [=](double x, double y) {
                  double dy = (y - (cy - 0.2 * s)) / 1.18;
                  return std::hypot(x - cx, dy) - 0.27 * s;
              },
              c);
    fillPolygon(img, f, {{cx, cy + 0.08 * s}, {cx + 0.06 * s, cy + 0.14 * s}, {cx - 0.06 * s, cy + 0.14 * s}}, c);
    fillCircle(img, f, cx - 0.1 * s, cy - 0.32 * s, 0.07 * s, Color(1, 1, 1, 0.55));
}

void weight(Image& img, const Frame& f, double cx, double cy, double s, const Color& c) {
    fillRing(img, f, cx, cy - 0.28 * s, 0.13 * s, 0.05 * s, c);
    fillShape(img, f, cx - 0.5 * s, cy - 0.2 * s, cx + 0.5 * s, cy + 0.5 * s,
              [=](double x, double y) {
                  return sdf::polygon(x, y, {{cx - 0.26 * s, cy - 0.16 * s}, {cx + 0.26 * s, cy - 0.16 * s},
                                             {cx + 0.42 * s, cy + 0.42 * s}, {cx - 0.42 * s, cy + 0.42 * s}}) -
                         0.03 * s;
              },
              c);
}

void ghost(Image& img, const Frame& f, double cx, double cy, double s, const Color& c, const Color& eyes) {
    fillShape(img, f, cx - 0.5 * s, cy - 0.5 * s, cx + 0.5 * s, cy + 0.5 * s,
              [=](double x, double y) {
                  double head = sdf::circle(x, y, cx, cy - 0.12 * s, 0.3 * s);
                  double body = sdf::box(x, y, cx, cy + 0.12 * s, 0.3 * s, 0.25 * s);
                  // Wavy hem: cut scallops out of the bottom edge.
                  double hem = 1e9;
                  for (int i = -1; i <= 1; ++i) hem = std::min(hem, sdf::circle(x, y, cx + i * 0.2 * s, cy + 0.4 * s, 0.1 * s));
                  return std::max(std::min(head, body), -hem);
              },
              c);
    fillCircle(img, f, cx - 0.11 * s, cy - 0.12 * s, 0.065 * s, eyes);
    fillCircle(img, f, cx + 0.11 * s, cy - 0.12 * s, 0.065 * s, eyes);
}

void star(Image& img, const Frame& f, double cx, double cy, double r, const Color& c) {
    std::vector<Vec2> pts;
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5, rr = (i % 2) ? r * 0.45 : r;
        pts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    fillPolygon(img, f, pts, c);
}

void plus(Image& img, const Frame& f, double cx, double cy, double s, double t, const Color& c) {
    fillSegment(img, f, {cx - s / 2, cy}, {cx + s / 2, cy}, t, c);
    fillSegment(img, f, {cx, cy - s / 2}, {cx, cy + s / 2}, t, c);
}

void minus(Image& img, const Frame& f, double cx, double cy, double s, double t, const Color& c) {
    fillSegment(img, f, {cx - s / 2, cy}, {cx + s / 2, cy}, t, c);
}

void label(Image& img, const Frame& f, Lettering& font, const std::string& text, double cx, double cy, double h,
           const Color& c, const Color& outline, double outlineWidth) {
    TextStyle st;
    st.fill = [c](double, double) { return c; };
    st.outline = outline;
    st.outlineWidth = outlineWidth;
    drawText(img, f, font, text, cx, cy, h, st);
}
}  // namespace icons
