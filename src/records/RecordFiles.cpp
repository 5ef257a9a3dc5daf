#include "records/RecordFiles.h"

#include "platform/LevelName.h"

namespace records {

bool isCustomLevel(const std::string& level)
{
    return level.find('.') != std::string::npos;
}

bool isSafeLevelName(const std::string& level)
{
    if (isCustomLevel(level))
        return platform::isValidLevelName(level);
    if (level.empty() || level.size() > 200)
        return false;
    for (char c : level) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

std::string recordPath(const std::string& level, const std::string& extension)
{
    if (!isSafeLevelName(level))
        return std::string();
    return (isCustomLevel(level) ? "Levels/Custom/" : "Levels/Official/") + level + extension;
}

} // namespace records
