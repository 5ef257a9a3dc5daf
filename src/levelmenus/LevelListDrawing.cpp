#include "levelmenus/LevelListDrawing.h"

#include "menus/ScrollBar.h"
#include "services/ColorManager.h"
#include "services/TextFromFontManager.h"

namespace LevelListDrawing {

void scrollBar(ScrollBar& bar, ColorManager* colors, int count, int windowRows, int cursor)
{
    if (count <= windowRows)
        return;
    colors->setColor(ColorManager::white);
    bar.draw(static_cast<double>(count), cursor);
    colors->restore();
}

void bestTime(TextFromFontManager* text, const std::string& best, double x, double y)
{
    text->drawWithBorder(best, ColorManager::black, ColorManager::white70, x, y, 0.3, 0.33, 0.012,
                         3, 7);
}

} // namespace LevelListDrawing
