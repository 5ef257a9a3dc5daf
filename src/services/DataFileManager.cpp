#include "services/DataFileManager.h"

#include "platform/FileSystem.h"
#include "platform/UserRoot.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <fstream>
#include <iostream>
#include <iterator>

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

// A player file that could not be written is reported on the standard error
// whatever the debug option, since the log is off by default.
void reportFailedWrite(const std::string& what, const std::string& path, const std::string& error)
{
    std::cerr << "Korvelin: cannot " << what << " " << path << ": " << error << std::endl;
}

// The log takes its switch from the options file, which is itself read
// through this service: until the options are read, a failed copy is only
// reported on the standard error.
void logFailedCopy(const std::string& name, const std::string& path, const std::string& error)
{
    reportFailedWrite("seed", path, error);
    if (OptionsManager::optionsManagerInst != nullptr)
        DebugManager::GetInstance()->o("DataFileManager", "openFile", false, "Cannot copy " + name + " : ", error);
}

// Seeds the user file at path with the installation copy, whole or not at
// all: an interrupted copy leaves the file as it was, to be seeded again.
void seedFrom(std::ifstream& source, const std::string& name, const std::string& path)
{
    std::string content((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    std::string error;
    if (!platform::writeFileAtomically(path, content, &error))
        logFailedCopy(name, path, error);
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
            if (path != name)
                seedFrom(source, name, path);
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
    const std::string path = getPath(name, user);
    std::string reason;
    if (platform::writeFileAtomically(path, content, &reason))
        return true;
    reportFailedWrite("save", path, reason);
    if (error != nullptr)
        *error = reason;
    return false;
}
