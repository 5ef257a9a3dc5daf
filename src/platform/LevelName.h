#pragma once

#include <string>

namespace platform {

// A name is one plain file name, never a path, when it is non-empty, at most
// 200 bytes, and holds no "/", "\" nor control character.
bool isPlainFileName(const std::string& name);

// A level name ("Title.Author") is safe to build a path from when it is a
// plain file name that holds a "." that is neither its first nor its last
// character, and no "..".
bool isValidLevelName(const std::string& name);

} // namespace platform
