#pragma once

#include <string>
#include <vector>

// The contents of a level file (".kzl"), read from its text alone: no
// graphics and no services, so tests and tools can call it directly.
//
// Two generations: "KZ2" T R N red green blue background cells..., or
// T R N cells... (light 1 1 1, background "blueSky"). Cells are block type
// numbers, row by row, at most R x N of them, read as a stream reads
// integers: "12abc" gives 12, and reading stops where no integer can be
// read; numbers past the R x N-th are ignored.
struct FichierNiveau {
    int generation = 0;        // 1 or 2
    int levelTime = 0;         // seconds, 1 .. maxTime
    int rows = 0;              // R, 2 .. maxSize
    int cols = 0;              // N, 1 .. maxSize
    float lightColor[3] = {1.0f, 1.0f, 1.0f};
    std::string backgroundName = "blueSky";
    std::vector<int> cells;    // the numbers read, row by row
    // T, R, N and the cells of rows 1 .. R-1 in decimal, joined: the text
    // whose MD5 identifies the level.
    std::string digestText;

    static constexpr int maxSize = 4096;
    static constexpr int maxTime = 9999;

    // Reads a level's text into out. A header that is not numeric, fewer
    // than 2 rows, no column, a size beyond maxSize x maxSize, a time limit
    // outside 1 .. maxTime or a missing background name refuses the file:
    // false, with the reason in error when given.
    static bool lire(const std::string& text, FichierNiveau& out, std::string* error = nullptr);

    // Whether a background name is one plain file name that an image path
    // may be built from: nothing that could reach outside its folder.
    static bool isUsableBackgroundName(const std::string& name);
};
