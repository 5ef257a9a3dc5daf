#pragma once

#include <string>

namespace platform {

// Creates a folder and every missing parent. True when the folder exists
// afterwards.
bool makeDirectories(const std::string& path);

bool fileExists(const std::string& path);

// Writes a whole file safely: the content goes to a temporary file in the
// same folder, which is renamed over the target only once it is complete
// and on disk; the folder is then synchronised too, so that the new file
// survives a power loss. The file gets the mode of any new file under the
// umask. Temporaries left by interrupted writes of the same file are
// removed first. On failure the old file is left as it was (unless only the
// folder could not be synchronised), the temporary file is removed, false
// is returned and, when error is given, it receives the reason.
bool writeFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

} // namespace platform
