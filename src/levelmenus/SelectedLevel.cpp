#include "levelmenus/SelectedLevel.h"

#include "levelmenus/LevelPreview.h"
#include "records/LevelScoresManager.h"

namespace SelectedLevel {

std::string bestTime(LevelScoresManager* scores, const std::vector<std::string>& levels,
                     int cursor)
{
    if (levels.empty())
        return std::string();
    return scores->getScoreAsString(levels[cursor]);
}

unsigned int officialPreview(const std::vector<std::string>& levels, int cursor)
{
    if (levels.empty())
        return 0;
    return LevelPreview::texture(LevelPreview::officialPath(levels[cursor]));
}

unsigned int customPreview(const std::vector<std::string>& levels, int cursor,
                           DataFileManager* files)
{
    if (levels.empty())
        return 0;
    return LevelPreview::texture(LevelPreview::customPath(levels[cursor], files));
}

} // namespace SelectedLevel
