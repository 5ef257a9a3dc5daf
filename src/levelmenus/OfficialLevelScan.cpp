#include "levelmenus/OfficialLevelScan.h"

#include <algorithm>
#include <fstream>

std::vector<std::string> scanOfficialLevels()
{
    std::vector<std::string> names;
    int world = 1;
    int number = 1;
    int misses = 0;
    do {
        const std::string name = "Level_" + std::to_string(world) + "-" + std::to_string(number);
        std::ifstream probe("Levels/Official/" + name + ".kzl");
        if (probe.is_open()) {
            names.push_back(name);
            ++number;
            misses = 0;
        } else {
            ++world;
            number = 1;
            --misses;
        }
    } while (number != 1 || misses > -2);
    return names;
}

void sortLevelNames(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end());
}
