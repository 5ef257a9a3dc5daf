#pragma once
#include "Image.h"
#include "Lettering.h"
#include "Shapes.h"

// Pictograms shared by the block faces and the heads-up board, drawn in a
// frame whose unit square is the icon's area (y grows downward).
namespace icons {
enum class Dir { Up, Down, Left, Right };

void arrow(Image& img, const Frame& f, Dir d, double cx, double cy, double size, const Color& c);
void chevron(Image& img, const Frame& f, Dir d, double cx, double cy, double size, double thickness, const Color& c);
void doubleArrow(Image& img, const Frame& f, bool vertical, double cx, double cy, double size, const Color& c);
void heart(Image& img, const Frame& f, double cx, double cy, double size, const Color& c);
void crack(Image& img, const Frame& f, double cx, double cy, double size, double thickness, const Color& c);
void spring(Image& img, const Frame& f, double cx, double cy, double size, const Color& c, const Color& cap);
void snail(Image& img, const Frame& f, double cx, double cy, double size, const Color& body, const Color& shell);
void octagon(Image& img, const Frame& f, double cx, double cy, double r, const Color& c);
void clock(Image& img, const Frame& f, double cx, double cy, double r, double solidShare, const Color& face,
           const Color& rim, const Color& pie);
void stopwatch(Image& img, const Frame& f, double cx, double cy, double r, const Color& face, const Color& rim);
void balloon(Image& img, const Frame& f, double cx, double cy, double size, const Color& c);
void weight(Image& img, const Frame& f, double cx, double cy, double size, const Color& c);
void ghost(Image& img, const Frame& f, double cx, double cy, double size, const Color& c, const Color& eyes);
void star(Image& img, const Frame& f, double cx, double cy, double r, const Color& c);
void plus(Image& img, const Frame& f, double cx, double cy, double size, double thickness, const Color& c);
void minus(Image& img, const Frame& f, double cx, double cy, double size, double thickness, const Color& c);
void label(Image& img, const Frame& f, Lettering& font, const std::string& text, double cx, double cy, double h,
           const Color& c, const Color& outline, double outlineWidth);
}  // namespace icons
