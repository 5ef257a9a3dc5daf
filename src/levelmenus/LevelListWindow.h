#pragma once

#include <vector>

// Which entries a level list shows in its window of a fixed number of rows.
// A list that fits stands still and the highlight moves; a longer list puts
// the cursor's entry on the top row, followed by the next ones, continuing
// from the start of the list after the last entry.
namespace LevelListWindow {

struct Row {
    int entry;        // index in the list, or -1 for an empty row
    bool highlighted; // the cursor's entry
};

// One Row per window row, top first. cursor is the 0-based index of the
// entry under the cursor.
std::vector<Row> rows(int count, int windowRows, int cursor);

// The cursor one step up (-1) or down (+1), wrapping at both ends; 0 in an
// empty list.
int step(int cursor, int delta, int count);

// A remembered cursor brought within a list read anew (the list may have
// shrunk since): the last entry when it lies beyond it, 0 in an empty list.
int clamp(int cursor, int count);

} // namespace LevelListWindow
