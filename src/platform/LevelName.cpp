#include "platform/LevelName.h"

namespace platform {

bool isPlainFileName(const std::string& name)
{
    if (name.empty() || name.size() > 200)
        return false;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

bool isValidLevelName(const std::string& name)
{
    if (!isPlainFileName(name))
        return false;
    if (name.front() == '.' || name.back() == '.')
        return false;
    return name.find('.') != std::string::npos && name.find("..") == std::string::npos;
}

} // namespace platform
