#pragma once
// Straight (not premultiplied) RGBA colour, each channel 0..1.
struct Color {
    double r = 0, g = 0, b = 0, a = 1;
    Color() = default;
    constexpr Color(double r_, double g_, double b_, double a_ = 1) : r(r_), g(g_), b(b_), a(a_) {}

    static Color rgb8(int r, int g, int b, double a = 1) { return Color(r / 255.0, g / 255.0, b / 255.0, a); }
    Color withAlpha(double alpha) const { return Color(r, g, b, alpha); }
    Color scaled(double k) const { return Color(r * k, g * k, b * k, a); }
    // Mix towards another colour by t (0 keeps this one).
    Color mix(const Color& o, double t) const {
        return Color(r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t);
    }
    Color lighter(double t) const { return mix(Color(1, 1, 1, a), t); }
    Color darker(double t) const { return mix(Color(0, 0, 0, a), t); }
};
