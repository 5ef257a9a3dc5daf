#include "platform/FileSystem.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
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

// Creates a new temporary of path, open for writing. It is made as any new
// file is, so it takes the mode the player's umask gives.
int createTemporary(const std::string& path, std::string& temp)
{
    static const char kLettersAndDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLettersAndDigits - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folderOf(path) + "/" + temporaryPrefix(path);
        for (std::string::size_type i = 0; i < kTemporarySuffixLength; ++i)
            temp += kLettersAndDigits[pick(generator)];
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& content)
{
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO; // no progress and no reason given
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the folder's entries to disk. A file system that cannot do so for
// a folder (EINVAL) keeps them as safe as it can anyway.
bool syncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
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
    std::string temp;
    int fd = createTemporary(path, temp);
    if (fd < 0)
        return fail("cannot create a temporary file for", "");
    if (!writeAll(fd, content)) {
        ::close(fd);
        return fail("cannot write", temp);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail("cannot flush", temp);
    }
    if (::close(fd) != 0)
        return fail("cannot close", temp);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return fail("cannot replace " + path + " by", temp);
    // Until the folder is on disk, a power loss can bring the old file back.
    if (!syncFolder(folderOf(path)))
        return fail("cannot flush the folder of", "");
    return true;
}

} // namespace platform
