#include "levelmenus/CustomLevelList.h"

#include "platform/LevelName.h"
#include "platform/TextLine.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"
#include "services/Utf8.h"

#include <algorithm>
#include <fstream>
#include <memory>

namespace CustomLevelList {

std::vector<std::string> read(DataFileManager* files)
{
    std::vector<std::string> names;
    std::unique_ptr<std::fstream> in(files->openFile("Levels/Custom/list.kzo", 0, true, false));
    if (!in)
        return names;
    platform::skipByteOrderMark(*in);
    std::string word;
    while (*in >> word) {
        if (word.size() <= 2)
            continue;
        // The list is written by other tools: a word is only ever used in a
        // path once it is known to be a plain level name.
        if (!platform::isValidLevelName(word)) {
            DebugManager::GetInstance()->o("CustomLevelList", "read", false,
                                           "A level name of the list is refused :", word);
            continue;
        }
        delete files->openFile("Levels/Custom/" + word + ".kzl", 0, true, false);
        names.push_back(word);
    }
    return names;
}

std::string titleOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string authorOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void sortByAuthor(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return authorOf(a) + "." + titleOf(a) < authorOf(b) + "." + titleOf(b);
    });
}

std::string shortTitle(const std::string& title)
{
    if (Utf8::length(title) >= 26)
        return Utf8::left(title, 23) + "...";
    return title;
}

} // namespace CustomLevelList
