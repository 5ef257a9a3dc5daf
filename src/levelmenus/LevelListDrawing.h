#pragma once

#include <string>

class ColorManager;
class ScrollBar;
class TextFromFontManager;

// Drawing the level lists share.
namespace LevelListDrawing {

// The scroll bar, only when the count levels do not fit the window's rows.
// It is drawn in opaque white, so the image shows in its own colours whatever
// the texts left current; the current colour is restored after.
void scrollBar(ScrollBar& bar, ColorManager* colors, int count, int windowRows, int cursor);

// The selected level's best time, black on a light border, centred on
// (x, y).
void bestTime(TextFromFontManager* text, const std::string& best, double x, double y);

} // namespace LevelListDrawing
