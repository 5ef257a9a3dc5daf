#include "Picture.h"

#include "GameHarness.h"

#include <cstdlib>
#include <sstream>

namespace play_test {

bool Picture::load(const std::string& png)
{
    std::string size;
    if (korvelin_test::runCommand({"identify", "-format", "%w %h", png}, {}, &size, 10000) != 0)
        return false;
    std::istringstream in(size);
    if (!(in >> w >> h) || w <= 0 || h <= 0)
        return false;
    std::string raw;
    if (korvelin_test::runCommand({"convert", png, "-depth", "8", "rgb:-"}, {}, &raw, 20000) != 0)
        return false;
    if (raw.size() != static_cast<std::size_t>(w) * h * 3)
        return false;
    pixels.assign(raw.begin(), raw.end());
    return true;
}

void Picture::fromGl(int width, int height, const std::vector<unsigned char>& rgb)
{
    w = width;
    h = height;
    pixels.resize(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w * 3; ++i)
            pixels[(static_cast<std::size_t>(y) * w * 3) + i]
                = rgb[(static_cast<std::size_t>(h - 1 - y) * w * 3) + i];
}

void Picture::at(int x, int y, int& r, int& g, int& b) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 3;
    r = pixels[i];
    g = pixels[i + 1];
    b = pixels[i + 2];
}

int Picture::darkPixels(int x0, int y0, int x1, int y1) const
{
    int count = 0;
    for (int y = y0; y < y1 && y < h; ++y)
        for (int x = x0; x < x1 && x < w; ++x) {
            int r, g, b;
            at(x, y, r, g, b);
            if (r < 70 && g < 70 && b < 70)
                ++count;
        }
    return count;
}

int Picture::pixelsUnlike(int x0, int y0, int x1, int y1, int r0, int g0, int b0,
                          int tolerance) const
{
    int count = 0;
    for (int y = y0; y < y1 && y < h; ++y)
        for (int x = x0; x < x1 && x < w; ++x) {
            int r, g, b;
            at(x, y, r, g, b);
            if (std::abs(r - r0) > tolerance || std::abs(g - g0) > tolerance
                || std::abs(b - b0) > tolerance)
                ++count;
        }
    return count;
}

} // namespace play_test
