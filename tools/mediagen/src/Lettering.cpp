#include "Lettering.h"
#include <SDL/SDL_ttf.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

namespace {
// The font library is not thread-safe; the art is drawn on several threads.
std::mutex fontMutex;
}

Lettering::Lettering(const std::string& fontPath) : path(fontPath) {
    if (!TTF_WasInit() && TTF_Init() != 0) return;
    usable = font(64) != nullptr;
    if (!usable) std::fprintf(stderr, "mediagen: cannot open the font %s\n", fontPath.c_str());
}

Lettering::~Lettering() {
    for (auto& f : fonts)
        if (f.second) TTF_CloseFont(f.second);
    if (TTF_WasInit()) TTF_Quit();
}

_TTF_Font* Lettering::font(int size) {
    auto it = fonts.find(size);
    if (it != fonts.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(path.c_str(), size);
    fonts[size] = f;
    return f;
}

Image Lettering::mask(const std::string& text, int pointSize) {
    std::lock_guard<std::mutex> lock(fontMutex);
    TTF_Font* f = usable ? font(pointSize) : nullptr;
    if (!f || text.empty()) return Image(1, 1);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, text.c_str(), white);
    if (!s) return Image(1, 1);
    SDL_LockSurface(s);
    const SDL_PixelFormat* fmt = s->format;
    int minX = s->w, minY = s->h, maxX = -1, maxY = -1;
    auto alphaAt = [&](int x, int y) {
        const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
        uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
        return static_cast<int>((v & fmt->Amask) >> fmt->Ashift);
    };
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            if (alphaAt(x, y) > 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    Image out(1, 1);
    if (maxX >= 0) {
        out = Image(maxX - minX + 1, maxY - minY + 1, Color(1, 1, 1, 0));
        for (int y = minY; y <= maxY; ++y)
            for (int x = minX; x <= maxX; ++x) out.set(x - minX, y - minY, Color(1, 1, 1, alphaAt(x, y) / 255.0));
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return out;
}

Image dilate(const Image& m, double radius) {
    int pad = static_cast<int>(std::ceil(radius)) + 1;
    Image out(m.width() + 2 * pad, m.height() + 2 * pad, Color(1, 1, 1, 0));
    const int steps = 32;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            double best = m.sample(x - pad + 0.5, y - pad + 0.5).a;
            if (x - pad < -1 || y - pad < -1 || x - pad > m.width() || y - pad > m.height()) best = 0;
            for (int k = 0; k < steps && best < 1; ++k) {
                double ang = 2 * M_PI * k / steps;
                for (double rr : {radius, radius * 0.5}) {
                    double sx = x - pad + 0.5 + std::cos(ang) * rr, sy = y - pad + 0.5 + std::sin(ang) * rr;
                    if (sx < -1 || sy < -1 || sx > m.width() + 1 || sy > m.height() + 1) continue;
                    best = std::max(best, m.sample(sx, sy).a);
                }
            }
            out.set(x, y, Color(1, 1, 1, best));
        }
    return out;
}

namespace {
// Paints a mask placed over the frame-unit rectangle, colour from paint.
void paintMask(Image& img, const Frame& f, const Image& m, double x0, double y0, double w, double h,
               const Paint& paint) {
    int px0 = std::max(0, static_cast<int>(std::floor(f.ox + x0 * f.kx)));
    int px1 = std::min(img.width(), static_cast<int>(std::ceil(f.ox + (x0 + w) * f.kx)));
    int py0 = std::max(0, static_cast<int>(std::floor(f.oy + y0 * f.ky)));
    int py1 = std::min(img.height(), static_cast<int>(std::ceil(f.oy + (y0 + h) * f.ky)));
    double pxW = w * f.kx, pxH = h * f.ky;
    // When the mask is much larger than its footprint, average several taps.
    int taps = std::clamp(static_cast<int>(std::ceil(m.height() / std::max(1.0, pxH))), 1, 4);
    for (int py = py0; py < py1; ++py)
        for (int px = px0; px < px1; ++px) {
            double a = 0;
            for (int j = 0; j < taps; ++j)
                for (int i = 0; i < taps; ++i) {
                    double u = (px + (i + 0.5) / taps - (f.ox + x0 * f.kx)) / pxW;
                    double v = (py + (j + 0.5) / taps - (f.oy + y0 * f.ky)) / pxH;
                    if (u < 0 || v < 0 || u > 1 || v > 1) continue;
                    a += m.sample(u * m.width(), v * m.height()).a;
                }
            a /= taps * taps;
            if (a <= 0) continue;
            double ux = (px + 0.5 - f.ox) / f.kx, uy = (py + 0.5 - f.oy) / f.ky;
            img.blend(px, py, paint(ux, uy), a);
        }
}
}  // namespace

void drawText(Image& img, const Frame& f, Lettering& font, const std::string& text, double cx, double cy,
              double height, const TextStyle& style) {
    // Render large enough that the ink is at least as tall as its footprint.
    double pxHeight = height * std::fabs(f.ky);
    int point = std::clamp(static_cast<int>(pxHeight * 1.6), 12, 400);
    Image m = font.mask(text, point);
    double unitsPerMaskPixel = height / m.height();
    // Keep the letters' proportions in screen terms: frame units are equal on both axes.
    double w = m.width() * unitsPerMaskPixel;
    double x0 = cx - w / 2, y0 = cy - height / 2;
    // The outline and the shadow share one thickened mask.
    bool outlined = style.outline.a > 0 && style.outlineWidth > 0;
    Image grown = style.outlineWidth > 0 && (outlined || style.shadow.a > 0)
                      ? dilate(m, style.outlineWidth / unitsPerMaskPixel)
                      : m;
    double pad = (grown.width() - m.width()) / 2.0 * unitsPerMaskPixel;
    if (style.shadow.a > 0) {
        Color c = style.shadow;
        paintMask(img, f, grown, x0 - pad + style.shadowDx, y0 - pad + style.shadowDy, w + 2 * pad, height + 2 * pad,
                  [c](double, double) { return c; });
    }
    if (outlined) {
        Color c = style.outline;
        paintMask(img, f, grown, x0 - pad, y0 - pad, w + 2 * pad, height + 2 * pad, [c](double, double) { return c; });
    }
    paintMask(img, f, m, x0, y0, w, height, style.fill);
}
