#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

    std::string temp = folderOf(path) + "/.";
    std::string::size_type slash = path.find_last_of('/');
    temp += (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmpXXXXXX";
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
