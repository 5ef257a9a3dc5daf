#pragma once
#include <string>
#include "Image.h"
#include "Lettering.h"
#include "Shapes.h"

// Pieces of the game's world drawn flat for the menus and the title:
// the bouncing hero, floating blocks, the name lettered, calm panels.
// All take a frame in screen-height units (x runs to the aspect ratio).
namespace scenery {
Frame screenFrame(const Image& img, double aspect);

// The hero ball of colour index c, centred at (cx, cy), radius r.
void hero(Image& img, const Frame& f, double cx, double cy, double r, int colour);
// A block seen slightly from above: its top face picture and its front.
void floatingBlock(Image& img, const Frame& f, const Image& blockImage, double cx, double cy, double size);
// A dotted arc: the path of a bounce from (x0, y0) to (x1, y1).
void bounceTrail(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double height);
// "Korvelin" in the title style, its ink `height` tall, centred at (cx, cy).
void gameName(Image& img, const Frame& f, Lettering& font, double cx, double cy, double height);
// A rounded light panel with a soft shadow and a thin edge.
void panel(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double radius);
void panel(Image& img, const Frame& f, double x0, double y0, double x1, double y1, double radius, const Color& fill);
}  // namespace scenery
