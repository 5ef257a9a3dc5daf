#pragma once

#include <string>

namespace platform {

// Creates a folder and every missing parent. True when the folder exists
// afterwards.
bool makeDirectories(const std::string& path);

bool fileExists(const std::string& path);

// Writes a whole file safely: the content goes to a temporary file in the
// same folder, which is renamed over the target only once it is complete.
// On failure the old file is left as it was, the temporary file is removed,
// false is returned and, when error is given, it receives the reason.
bool writeFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

} // namespace platform
