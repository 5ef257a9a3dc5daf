#pragma once

#include <string>
#include <vector>

// Finds the official levels of the installation by probing their files,
// "Levels/Official/Level_<world>-<number>.kzl" relative to the working
// directory, world by world: the first missing number ends a world, and a
// missing first level right after that ends the scan. Names come in probe
// order ("Level_1-1", "Level_1-2", ...).
std::vector<std::string> scanOfficialLevels();

// The order the level lists show: plain byte-wise, so "Level_1-10" comes
// before "Level_1-2".
void sortLevelNames(std::vector<std::string>& names);
