#pragma once
#include <cstdint>
#include <vector>
#include "Color.h"

// A floating-point RGBA raster; row 0 is the top row as the picture is seen.
class Image {
public:
    Image() = default;
    Image(int w, int h, Color fill = Color(0, 0, 0, 0));

    int width() const { return w; }
    int height() const { return h; }
    bool empty() const { return w == 0 || h == 0; }

    Color get(int x, int y) const;
    void set(int x, int y, const Color& c);
    // Source-over compositing of c at (x, y) with extra coverage 0..1.
    void blend(int x, int y, const Color& c, double coverage = 1.0);
    // Bilinear sample at pixel coordinates (pixel centres at +0.5), clamped.
    Color sample(double px, double py) const;

    void fill(const Color& c);
    // Composites another image over this one with its top-left at (x, y).
    void draw(const Image& src, int x, int y, double opacity = 1.0);
    // Draws src stretched over the pixel rectangle, bilinear.
    void drawScaled(const Image& src, double x, double y, double dw, double dh, double opacity = 1.0);

    Image downscaled(int factor) const;     // box filter
    Image resized(int nw, int nh) const;    // area-weighted resampling
    Image region(int x, int y, int rw, int rh) const;
    Image flippedVertically() const;

    // 8-bit RGBA bytes, rows top to bottom, rounded to nearest.
    std::vector<uint8_t> toRGBA8() const;

private:
    int w = 0, h = 0;
    std::vector<float> px;  // r, g, b, a per pixel
};
