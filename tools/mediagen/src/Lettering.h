#pragma once
#include <map>
#include <string>
#include "Image.h"
#include "Shapes.h"

struct _TTF_Font;

// Text set in the game's font, as coverage masks that the art can paint.
class Lettering {
public:
    explicit Lettering(const std::string& fontPath);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    bool ok() const { return usable; }
    // White text with coverage in alpha, tightly cropped to its ink.
    Image mask(const std::string& utf8, int pointSize);

private:
    _TTF_Font* font(int pointSize);
    std::string path;
    std::map<int, _TTF_Font*> fonts;
    bool usable = false;
};

// Thickens a mask by radius pixels (for outlines).
Image dilate(const Image& mask, double radius);

struct TextStyle {
    Paint fill;                   // colour of the letters at frame coordinates
    Color outline = Color(0, 0, 0, 0);
    double outlineWidth = 0;      // in frame units
    Color shadow = Color(0, 0, 0, 0);
    double shadowDx = 0, shadowDy = 0;  // in frame units
};

// Draws text centred at (cx, cy) in frame units, its ink height being
// `height` frame units (letters keep their shape whatever the frame's
// x and y scales).
void drawText(Image& img, const Frame& f, Lettering& font, const std::string& text, double cx, double cy,
              double height, const TextStyle& style);
