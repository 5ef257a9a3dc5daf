#pragma once

// A screenshot read once into memory (through ImageMagick), so that many
// pixels can be examined without a process per pixel.
#include <string>
#include <vector>

namespace play_test {

class Picture {
public:
    // Reads a PNG; false when it cannot be read.
    bool load(const std::string& png);
    // Builds a picture from bottom-up RGB rows, as glReadPixels gives them.
    void fromGl(int width, int height, const std::vector<unsigned char>& rgb);

    int width() const { return w; }
    int height() const { return h; }
    // Pixel at (x, y) from the top left.
    void at(int x, int y, int& r, int& g, int& b) const;
    // Dark (text) pixels in the box [x0, x1) x [y0, y1), from the top left.
    int darkPixels(int x0, int y0, int x1, int y1) const;
    // Pixels in the box that differ from the colour (r, g, b) by more than tolerance.
    int pixelsUnlike(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance) const;

private:
    int w = 0;
    int h = 0;
    std::vector<unsigned char> pixels;  // top-down RGB
};

} // namespace play_test
