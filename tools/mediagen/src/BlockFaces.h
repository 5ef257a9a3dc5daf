#pragma once
#include <vector>
#include "ArtContext.h"
#include "Image.h"

// Block images: width twice the height; the left half is the top face seen
// from above (top row = the far edge, towards which the player runs), the
// right half the sides (from the bottom edge at its left to the top edge).
namespace blockfaces {
// Every type number that gets its own image.
std::vector<int> typesWithImages();
// The High-quality image of a type (256 x 128).
Image draw(int type, Lettering& font);
// Writes Images/Blocks/High and Low for every type.
void writeAll(ArtContext& ctx);
// Mean colour of a type's top face, for the level previews.
Color topColour(int type, Lettering& font);
}  // namespace blockfaces
