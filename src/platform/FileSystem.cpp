#include "platform/FileSystem.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <vector>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

bool isDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string folderOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporaries of "Options.dat" are ".Options.dat.tmp" followed by six
// letters or digits, so that one left by an interrupted save is known for
// what it is and no other file's temporary looks like one of them.
const std::string::size_type kTemporarySuffixLength = 6;

std::string temporaryPrefix(const std::string& path)
{
    return "." + nameOf(path) + ".tmp";
}

bool isTemporaryOf(const std::string& entry, const std::string& prefix)
{
    if (entry.size() != prefix.size() + kTemporarySuffixLength || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::string::size_type i = prefix.size(); i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i])))
            return false;
    return true;
}

// Removes what earlier saves of this file left behind when they were killed
// half-way. Only this file's temporaries are touched.
void removeStaleTemporaries(const std::string& path)
{
    const std::string folder = folderOf(path);
    const std::string prefix = temporaryPrefix(path);
    std::vector<std::string> stale;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (isTemporaryOf(entry->d_name, prefix))
                stale.push_back(folder + "/" + entry->d_name);
        ::closedir(dir);
    }
    for (const std::string& temp : stale)
        ::unlink(temp.c_str());
}

} // namespace

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    std::string partial;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        partial = path.substr(0, slash);
        if (!partial.empty() && !isDirectory(partial))
            ::mkdir(partial.c_str(), 0755); // an existing or unmakeable folder is judged below
        start = slash + 1;
    }
    return isDirectory(path);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error)
{
    auto fail = [&](const std::string& what, const std::string& temp) {
        int saved = errno;
        if (error != nullptr)
            *error = what + " " + (temp.empty() ? path : temp) + ": " + std::strerror(saved);
        if (!temp.empty())
            ::unlink(temp.c_str());
        return false;
    };

    removeStaleTemporaries(path);
    std::string temp = folderOf(path) + "/" + temporaryPrefix(path) + "XXXXXX";
    int fd = ::mkstemp(&temp[0]);
    if (fd < 0)
        return fail("cannot create a temporary file for", "");

    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return fail("cannot write", temp);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail("cannot flush", temp);
    }
    // mkstemp makes the file private; the player's files are ordinary ones.
    ::fchmod(fd, 0644);
    if (::close(fd) != 0)
        return fail("cannot close", temp);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return fail("cannot replace " + path + " by", temp);
    return true;
}

} // namespace platform
