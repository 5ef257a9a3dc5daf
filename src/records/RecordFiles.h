#pragma once

#include <string>

// Where the record files of a level lie in the player's folder.
namespace records {

// A level name holding a "." anywhere is a custom level ("Title.Author").
bool isCustomLevel(const std::string& level);

// True when a path may be built from the level name: custom names follow the
// level-name rules; official names are non-empty, at most 200 bytes, and hold
// no "/", "\" nor control character. Anything else could leave the folder.
bool isSafeLevelName(const std::string& level);

// "Levels/Custom/" or "Levels/Official/" + level + extension (".kzs",
// ".kzg"); empty when the name is not safe.
std::string recordPath(const std::string& level, const std::string& extension);

} // namespace records
