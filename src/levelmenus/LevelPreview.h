#pragma once

#include <string>

class DataFileManager;

// The picture of a level shown beside the level lists. A level without its
// own picture shows "Images/Previews/NoPreview.png" of the installation.
namespace LevelPreview {

// "Images/Previews/Official/<name>.png" in the installation.
std::string officialPath(const std::string& name);
// "Images/Previews/Custom/<name>.png" in the user folder.
std::string customPath(const std::string& name, DataFileManager* files);

// The texture of the picture at path, or of the fallback picture when that
// one is missing or unreadable (the store's default texture when both are).
unsigned int texture(const std::string& path);

// Draws the picture as a square 0.35 high, right edge at x 0.915, top at
// y 0.83, its first row at the top, in opaque white; ratio is the screen's
// width / height. The colour service's current colour is left as it was.
void draw(unsigned int texture, double ratio);

} // namespace LevelPreview
