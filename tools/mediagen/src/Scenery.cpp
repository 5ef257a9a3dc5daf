#include "Scenery.h"
#include <cmath>
#include "Palette.h"

namespace scenery {
Frame screenFrame(const Image& img, double aspect) { return {0, 0, img.width() / aspect, double(img.height())}; }

void hero(Image& img, const Frame& f, double cx, double cy, double r, int colour) {
    Color body = palette::player(colour);
    // Shadowed underside, then the body lit from the upper left.
    fillShape(img, f, cx - r, cy - r, cx + r, cy + r, [=](double x, double y) { return sdf::circle(x, y, cx, cy, r); },
              [=](double x, double y) {
                  double lx = (x - cx) / r + 0.35, ly = (y - cy) / r + 0.4;
                  double l = std::clamp(1.15 - 0.55 * std::hypot(lx, ly), 0.35, 1.15);
                  return body.scaled(l);
              });
    fillCircle(img, f, cx - r * 0.38, cy - r * 0.42, r * 0.2, Color(1, 1, 1, 0.45));
    // Eyes looking ahead and a small smile.
    for (double side : {-1.0, 1.0}) {
        fillShape(img, f, cx + side * r * 0.3 - r * 0.2, cy - r * 0.35, cx + side * r * 0.3 + r * 0.2, cy + r * 0.15,
                  [=](double x, double y) { return std::hypot((x - (cx + side * r * 0.3)) / 0.75, y - (cy - r * 0.1)) - r * 0.17; },
                  Color(1, 1, 1));
        fillCircle(img, f, cx + side * r * 0.3 + r * 0.04, cy - r * 0.07, r * 0.08, Color(0.08, 0.08, 0.12));
        fillCircle(img, f, cx + side * r * 0.3 + r * 0.07, cy - r * 0.11, r * 0.03, Color(1, 1, 1));
    }
    fillShape(img, f, cx - r * 0.3, cy + r * 0.1, cx + r * 0.3, cy + r * 0.5,
              [=](double x, double y) {
                  double ring = sdf::ring(x, y, cx, cy + r * 0.05, r * 0.3, r * 0.04);
                  return std::max(ring, (cy + r * 0.22) - y);
              },
              Color(0.15, 0.05, 0.05, 0.85));
}

void floatingBlock(Image& img, const Frame& f, const Image& block, double cx, double cy, double size) {
    int face = block.height();
    Image top = block.region(0, 0, face, face);
    double hw = size / 2, topH = size * 0.55, depth = size * 0.22;
    // Soft shadow under the block.
    fillShape(img, f, cx - hw * 1.2, cy, cx + hw * 1.2, cy + size,
              [=](double x, double y) { return std::hypot((x - cx) / 1.4, (y - (cy + size * 0.62)) * 2.2) - hw * 0.5; },
              Color(0, 0, 0, 0.12));
    // Front face from the side strip's colour.
    Color side = block.get(face + face / 4, face / 2);
    side.a = 1;
    fillBox(img, f, cx, cy + topH / 2 + depth / 2, hw, depth / 2, size * 0.02, side.darker(0.1));
    fillBox(img, f, cx, cy + topH / 2 + depth * 0.1, hw, depth * 0.1, 0, side.lighter(0.15));
    double px = f.ox + (cx - hw) * f.kx, py = f.oy + (cy - topH / 2) * f.ky;
    img.drawScaled(top, px, py, size * f.kx, topH * f.ky);
}

void bounceTrail(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double height) {
    const int dots = 14;
    for (int i = 1; i < dots; ++i) {
        double t = double(i) / dots;
        double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t - height * 4 * t * (1 - t);
        fillCircle(img, f, x, y, 0.004 + 0.003 * t, Color(1, 1, 1, 0.25 + 0.5 * t));
    }
}

void gameName(Image& img, const Frame& f, Lettering& font, double cx, double cy, double height) {
    TextStyle st;
    double top = cy - height / 2, bottom = cy + height / 2;
    st.fill = [=](double, double y) {
        double t = std::clamp((y - top) / (bottom - top), 0.0, 1.0);
        Color c = palette::titleFillTop().mix(palette::titleFillBottom(), t);
        // A glossy band across the upper half of the letters.
        if (t > 0.18 && t < 0.38) c = c.lighter(0.25);
        return c;
    };
    st.outline = palette::titleOutline();
    st.outlineWidth = height * 0.09;
    st.shadow = Color(0, 0, 0, 0.35);
    st.shadowDx = height * 0.04;
    st.shadowDy = height * 0.07;
    drawText(img, f, font, "Korvelin", cx, cy, height, st);
}

void panel(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double radius) {
    panel(img, f, x0, y0, x1, y1, radius, palette::panel());
}

void panel(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double radius, const Color& fill) {
    double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
    // Shadow: several widening, fainter layers.
    for (int i = 4; i >= 1; --i) {
        double g = 0.006 * i;
        // Only outside the panel, so the panel itself stays light.
        fillShape(img, f, x0 - g, y0 - g, x1 + g + 0.01, y1 + g + 0.01,
                  [=](double x, double y) {
                      return std::max(sdf::box(x, y, cx + 0.004, cy + 0.008, hw + g, hh + g, radius + g),
                                      -sdf::box(x, y, cx, cy, hw, hh, radius));
                  },
                  Color(0, 0, 0, 0.05));
    }
    const double edge = 0.004;
    fillShape(img, f, x0, y0, x1, y1, [=](double x, double y) { return sdf::box(x, y, cx, cy, hw - edge, hh - edge, radius - edge); },
              [=](double, double y) { return fill.lighter(0.4 * std::clamp((cy - y) / hh, 0.0, 1.0)).withAlpha(fill.a); });
    fillShape(img, f, x0, y0, x1, y1,
              [=](double x, double y) {
                  return std::max(sdf::box(x, y, cx, cy, hw, hh, radius),
                                  -sdf::box(x, y, cx, cy, hw - edge, hh - edge, radius - edge));
              },
              palette::panelEdge());
}
}  // namespace scenery
