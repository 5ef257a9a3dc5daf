#pragma once

#include <string>

namespace platform {

// Folder that holds the player's own files, ending with "/Korvelin/":
// $APPDATA when set and non-empty, else $XDG_DATA_HOME, else
// $HOME/.local/share. Read from the environment on every call.
std::string userRoot();

// Turns every "\" of a path into "/".
std::string toSlashes(std::string path);

} // namespace platform
