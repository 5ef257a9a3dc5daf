#include "Image.h"
#include <algorithm>
#include <cmath>

namespace {
double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
}

Image::Image(int w_, int h_, Color c) : w(w_), h(h_), px(static_cast<size_t>(w_) * h_ * 4) { fill(c); }

Color Image::get(int x, int y) const {
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    const float* p = &px[(static_cast<size_t>(y) * w + x) * 4];
    return Color(p[0], p[1], p[2], p[3]);
}

void Image::set(int x, int y, const Color& c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float* p = &px[(static_cast<size_t>(y) * w + x) * 4];
    p[0] = static_cast<float>(c.r);
    p[1] = static_cast<float>(c.g);
    p[2] = static_cast<float>(c.b);
    p[3] = static_cast<float>(c.a);
}

void Image::blend(int x, int y, const Color& c, double coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    double sa = clamp01(c.a * coverage);
    if (sa <= 0) return;
    float* p = &px[(static_cast<size_t>(y) * w + x) * 4];
    double da = p[3];
    double oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    p[0] = static_cast<float>((c.r * sa + p[0] * da * (1 - sa)) / oa);
    p[1] = static_cast<float>((c.g * sa + p[1] * da * (1 - sa)) / oa);
    p[2] = static_cast<float>((c.b * sa + p[2] * da * (1 - sa)) / oa);
    p[3] = static_cast<float>(oa);
}

Color Image::sample(double sx, double sy) const {
    double fx = sx - 0.5, fy = sy - 0.5;
    int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    double tx = fx - x0, ty = fy - y0;
    Color a = get(x0, y0), b = get(x0 + 1, y0), c = get(x0, y0 + 1), d = get(x0 + 1, y0 + 1);
    // Weight colours by alpha so transparent texels do not darken edges.
    double w00 = (1 - tx) * (1 - ty) * a.a, w10 = tx * (1 - ty) * b.a, w01 = (1 - tx) * ty * c.a, w11 = tx * ty * d.a;
    double alpha = (1 - tx) * (1 - ty) * a.a + tx * (1 - ty) * b.a + (1 - tx) * ty * c.a + tx * ty * d.a;
    double sw = w00 + w10 + w01 + w11;
    if (sw <= 1e-12) return Color(a.r, a.g, a.b, 0);
    return Color((a.r * w00 + b.r * w10 + c.r * w01 + d.r * w11) / sw,
                 (a.g * w00 + b.g * w10 + c.g * w01 + d.g * w11) / sw,
                 (a.b * w00 + b.b * w10 + c.b * w01 + d.b * w11) / sw, alpha);
}

void Image::fill(const Color& c) {
    for (size_t i = 0; i < px.size(); i += 4) {
        px[i] = static_cast<float>(c.r);
        px[i + 1] = static_cast<float>(c.g);
        px[i + 2] = static_cast<float>(c.b);
        px[i + 3] = static_cast<float>(c.a);
    }
}

void Image::draw(const Image& src, int x, int y, double opacity) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) blend(x + i, y + j, src.get(i, j), opacity);
}

void Image::drawScaled(const Image& src, double x, double y, double dw, double dh, double opacity) {
    int x0 = std::max(0, static_cast<int>(std::floor(x))), x1 = std::min(w, static_cast<int>(std::ceil(x + dw)));
    int y0 = std::max(0, static_cast<int>(std::floor(y))), y1 = std::min(h, static_cast<int>(std::ceil(y + dh)));
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i) {
            double u = (i + 0.5 - x) / dw, v = (j + 0.5 - y) / dh;
            if (u < 0 || v < 0 || u > 1 || v > 1) continue;
            blend(i, j, src.sample(u * src.w, v * src.h), opacity);
        }
}

Image Image::downscaled(int f) const {
    Image out(w / f, h / f);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < f; ++j)
                for (int i = 0; i < f; ++i) {
                    const float* p = &px[(static_cast<size_t>(y * f + j) * w + x * f + i) * 4];
                    r += p[0] * p[3];
                    g += p[1] * p[3];
                    b += p[2] * p[3];
                    a += p[3];
                }
            if (a > 0) out.set(x, y, Color(r / a, g / a, b / a, a / (f * f)));
            else out.set(x, y, Color(get(x * f, y * f).r, get(x * f, y * f).g, get(x * f, y * f).b, 0));
        }
    return out;
}

Image Image::resized(int nw, int nh) const {
    if (nw == w && nh == h) return *this;
    if (w % nw == 0 && h % nh == 0 && w / nw == h / nh) return downscaled(w / nw);
    Image out(nw, nh);
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x) out.set(x, y, sample((x + 0.5) * w / nw, (y + 0.5) * h / nh));
    return out;
}

Image Image::region(int x, int y, int rw, int rh) const {
    Image out(rw, rh);
    for (int j = 0; j < rh; ++j)
        for (int i = 0; i < rw; ++i) out.set(i, j, get(x + i, y + j));
    return out;
}

Image Image::flippedVertically() const {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, h - 1 - j, get(i, j));
    return out;
}

std::vector<uint8_t> Image::toRGBA8() const {
    std::vector<uint8_t> out(px.size());
    for (size_t i = 0; i < px.size(); ++i) out[i] = static_cast<uint8_t>(std::lround(clamp01(px[i]) * 255.0));
    return out;
}
