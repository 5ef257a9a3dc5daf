#pragma once
#include <string>
#include <vector>
#include "ArtContext.h"

// Level previews: a top-down picture of each official level's grid over its
// sky, and the stand-in for levels without one.
namespace levelpreviews {
struct Level {
    int rows = 0, cols = 0;
    std::string background = "blueSky";
    std::vector<int> cells;  // rows x cols, row 1 first; 0 for empty
    bool ok = false;
};

// Reads a level file (both generations); ok is false for an unusable one.
Level read(const std::string& path);
// Draws the preview of a level (256 x 256).
Image draw(const Level& level, Lettering& font);
void writeNoPreview(ArtContext& ctx);
// One preview per Level_<d>-<n>.kzl found in the folder.
void writeOfficial(ArtContext& ctx, const std::string& levelsFolder);
}  // namespace levelpreviews
