#pragma once

// The official level set as it lies in the source tree, and the key scripts
// that prove each level can be finished.

#include <ostream>
#include <string>
#include <vector>

namespace leveltest {

struct OfficialLevel {
    std::string name;   // "Level_<world>-<number>"
    int world = 0;
    int number = 0;
    std::string path;   // the .kzl file in the source tree
};

// Test names and failure messages show the level's name.
inline void PrintTo(const OfficialLevel& level, std::ostream* os)
{
    *os << level.name;
}

// Every "Level_<d>-<n>.kzl" of data/Levels/Official, sorted by world, then number.
std::vector<OfficialLevel> officialLevels();

// The source folder of the key scripts.
std::string scriptFolder();

// One run of key states: every segment holds its keys for a number of frames.
struct KeySegment {
    bool up = false, down = false, left = false, right = false;
    int frames = 0;
};

// A level's proof: frames at a fixed dt, from the game's random numbers
// seeded with `seed`.
struct KeyScript {
    long dt = 0;
    unsigned int seed = 1;
    std::vector<KeySegment> segments;
    long frameCount() const;
};

// Reads "dt <ms>", "seed <n>" and "<keys> <frames>" lines ("#" starts a
// comment line; keys are "none" or up, down, left, right joined by "+").
// False with the reason in error when a line is malformed or dt is missing.
bool parseScript(const std::string& text, KeyScript& out, std::string& error);

// The whole file, or "" when it cannot be read.
std::string readText(const std::string& path);

} // namespace leveltest
