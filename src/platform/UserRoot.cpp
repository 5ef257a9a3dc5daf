#include "platform/UserRoot.h"

#include <cstdlib>

namespace platform {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::string toSlashes(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string userRoot()
{
    std::string base = environment("APPDATA");
    if (base.empty())
        base = environment("XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = environment("HOME");
        base = (home.empty() ? std::string(".") : home) + "/.local/share";
    }
    base = toSlashes(base);
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/Korvelin/";
}

} // namespace platform
