#pragma once

#include <string>

namespace platform {

// A level name ("Title.Author") is safe to build a path from when it is
// non-empty, at most 200 bytes, holds a "." that is neither its first nor its
// last character, and holds no "/", "\", "..", nor control character.
bool isValidLevelName(const std::string& name);

} // namespace platform
