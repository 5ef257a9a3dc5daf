#include "Shapes.h"
#include <algorithm>
#include <cmath>

namespace sdf {
double circle(double x, double y, double cx, double cy, double r) { return std::hypot(x - cx, y - cy) - r; }

double box(double x, double y, double cx, double cy, double hw, double hh, double radius) {
    double dx = std::fabs(x - cx) - (hw - radius), dy = std::fabs(y - cy) - (hh - radius);
    double ox = std::max(dx, 0.0), oy = std::max(dy, 0.0);
    return std::hypot(ox, oy) + std::min(std::max(dx, dy), 0.0) - radius;
}

double segment(double x, double y, Vec2 a, Vec2 b, double halfWidth) {
    double px = x - a.x, py = y - a.y, bx = b.x - a.x, by = b.y - a.y;
    double len2 = bx * bx + by * by;
    double t = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - bx * t, py - by * t) - halfWidth;
}

double polygon(double x, double y, const std::vector<Vec2>& v) {
    double d = 1e30;
    bool inside = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        Vec2 a = v[j], b = v[i];
        double ex = b.x - a.x, ey = b.y - a.y, wx = x - a.x, wy = y - a.y;
        double len2 = ex * ex + ey * ey;
        double t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0, 1.0) : 0.0;
        d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
        if (((a.y > y) != (b.y > y)) && (x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)) inside = !inside;
    }
    return inside ? -d : d;
}

double ring(double x, double y, double cx, double cy, double r, double halfWidth) {
    return std::fabs(std::hypot(x - cx, y - cy) - r) - halfWidth;
}
}  // namespace sdf

void fillShape(Image& img, const Frame& f, double x0, double y0, double x1, double y1, const Sdf& shape,
               const Paint& paint) {
    int px0 = std::max(0, static_cast<int>(std::floor(f.ox + x0 * f.kx)) - 2);
    int px1 = std::min(img.width() - 1, static_cast<int>(std::ceil(f.ox + x1 * f.kx)) + 2);
    int py0 = std::max(0, static_cast<int>(std::floor(f.oy + y0 * f.ky)) - 2);
    int py1 = std::min(img.height() - 1, static_cast<int>(std::ceil(f.oy + y1 * f.ky)) + 2);
    // One pixel of edge softness, measured in frame units.
    double pixel = 0.5 * (1.0 / std::fabs(f.kx) + 1.0 / std::fabs(f.ky));
    for (int py = py0; py <= py1; ++py)
        for (int px = px0; px <= px1; ++px) {
            double ux = (px + 0.5 - f.ox) / f.kx, uy = (py + 0.5 - f.oy) / f.ky;
            double d = shape(ux, uy);
            double cov = std::clamp(0.5 - d / pixel, 0.0, 1.0);
            if (cov > 0) img.blend(px, py, paint(ux, uy), cov);
        }
}

void fillShape(Image& img, const Frame& f, double x0, double y0, double x1, double y1, const Sdf& shape,
               const Color& c) {
    fillShape(img, f, x0, y0, x1, y1, shape, [c](double, double) { return c; });
}

void fillCircle(Image& img, const Frame& f, double cx, double cy, double r, const Color& c) {
    fillShape(img, f, cx - r, cy - r, cx + r, cy + r, [=](double x, double y) { return sdf::circle(x, y, cx, cy, r); }, c);
}

void fillBox(Image& img, const Frame& f, double cx, double cy, double hw, double hh, double radius, const Color& c) {
    fillShape(img, f, cx - hw, cy - hh, cx + hw, cy + hh,
              [=](double x, double y) { return sdf::box(x, y, cx, cy, hw, hh, radius); }, c);
}

void fillSegment(Image& img, const Frame& f, Vec2 a, Vec2 b, double hw, const Color& c) {
    fillShape(img, f, std::min(a.x, b.x) - hw, std::min(a.y, b.y) - hw, std::max(a.x, b.x) + hw,
              std::max(a.y, b.y) + hw, [=](double x, double y) { return sdf::segment(x, y, a, b, hw); }, c);
}

void fillPolygon(Image& img, const Frame& f, const std::vector<Vec2>& pts, const Color& c) {
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    for (auto& p : pts) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    fillShape(img, f, x0, y0, x1, y1, [&pts](double x, double y) { return sdf::polygon(x, y, pts); }, c);
}

void fillRing(Image& img, const Frame& f, double cx, double cy, double r, double hw, const Color& c) {
    double e = r + hw;
    fillShape(img, f, cx - e, cy - e, cx + e, cy + e, [=](double x, double y) { return sdf::ring(x, y, cx, cy, r, hw); }, c);
}

Color gradientAt(const std::vector<std::pair<double, Color>>& stops, double t) {
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].first) {
            double k = (t - stops[i - 1].first) / (stops[i].first - stops[i - 1].first);
            k = k * k * (3 - 2 * k);  // smooth between stops
            return stops[i - 1].second.mix(stops[i].second, k);
        }
    return stops.back().second;
}

void verticalGradient(Image& img, const std::vector<std::pair<double, Color>>& stops) {
    for (int y = 0; y < img.height(); ++y) {
        Color c = gradientAt(stops, (y + 0.5) / img.height());
        for (int x = 0; x < img.width(); ++x) img.set(x, y, c);
    }
}
