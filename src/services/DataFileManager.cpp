#include "services/DataFileManager.h"

#include "platform/FileSystem.h"
#include "platform/UserRoot.h"

#include <fstream>

namespace {

// Folders of the player's tree, parents before children, under the root.
const char* const kUserFolders[] = {
    "",
    "Data/",
    "Levels",
    "Levels/Custom",
    "Levels/Official",
    "Images/",
    "Images/Previews",
    "Images/Previews/Custom",
};

bool hasContent(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::in);
    if (!in.is_open())
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    return size >= 1;
}

} // namespace

DataFileManager::DataFileManager()
{
    makedir();
}

void DataFileManager::makedir()
{
    // The base may not exist on a fresh system (~/.local/share, for one).
    const std::string root = platform::userRoot();
    for (const char* folder : kUserFolders)
        platform::makeDirectories(root + folder); // failures change nothing, as designed
}

std::string DataFileManager::getPath(std::string name, bool user)
{
    if (!user)
        return name;
    return platform::toSlashes(platform::userRoot() + name);
}

std::fstream* DataFileManager::openFile(std::string name, int mode, bool user, bool create)
{
    const std::string path = getPath(name, user);
    if (!hasContent(path)) {
        std::ifstream source(name.c_str(), std::ios::in | std::ios::binary);
        if (source.is_open()) {
            // With user false the copy is the file itself: leave it alone.
            if (path != name) {
                std::ofstream target(path.c_str(), std::ios::out | std::ios::binary | std::ios::trunc);
                if (target.is_open())
                    target << source.rdbuf();
            }
        } else if (!create) {
            return nullptr;
        }
    }
    if (mode == 0)
        return new std::fstream(path.c_str(), std::ios::in);
    return new std::fstream(path.c_str(), std::ios::out | std::ios::trunc);
}

bool DataFileManager::saveFile(std::string name, const std::string& content, bool user, std::string* error)
{
    return platform::writeFileAtomically(getPath(name, user), content, error);
}
