#pragma once

#include <string>
#include <vector>

class DataFileManager;
class LevelScoresManager;

// What the level lists show of the level under their cursor.
namespace SelectedLevel {

// The level's best time, "" in an empty list.
std::string bestTime(LevelScoresManager* scores, const std::vector<std::string>& levels,
                     int cursor);

// The texture of the level's picture, 0 in an empty list: from the
// installation for official levels, from the user folder for the players'
// own levels.
unsigned int officialPreview(const std::vector<std::string>& levels, int cursor);
unsigned int customPreview(const std::vector<std::string>& levels, int cursor,
                           DataFileManager* files);

} // namespace SelectedLevel
