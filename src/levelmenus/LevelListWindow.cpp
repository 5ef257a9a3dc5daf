#include "levelmenus/LevelListWindow.h"

namespace LevelListWindow {

std::vector<Row> rows(int count, int windowRows, int cursor)
{
    std::vector<Row> shown;
    const bool fits = count <= windowRows;
    const int first = fits ? 0 : cursor;
    for (int k = first; k < first + windowRows; ++k) {
        const int entry = fits ? k : k % count;
        if (entry < count)
            shown.push_back({entry, k == cursor});
        else
            shown.push_back({-1, false});
    }
    return shown;
}

int step(int cursor, int delta, int count)
{
    if (count <= 0)
        return 0;
    int next = cursor + delta;
    if (next < 0)
        next = count - 1;
    else if (next > count - 1)
        next = 0;
    return next;
}

int clamp(int cursor, int count)
{
    if (count <= 0 || cursor < 0)
        return 0;
    return cursor < count ? cursor : count - 1;
}

} // namespace LevelListWindow
