#include "FsyncSpy.h"

#include "TestFiles.h"

#include <climits>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace korvelin_test {

namespace {

FsyncSpy* active = nullptr;

} // namespace

FsyncSpy::FsyncSpy(const std::string& watchedFile) : watchedFile_(watchedFile)
{
    active = this;
}

FsyncSpy::~FsyncSpy()
{
    active = nullptr;
}

void FsyncSpy::noteCall(int fd)
{
    if (active == nullptr)
        return;
    char target[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    struct stat st;
    const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    active->calls_.push_back(
        {length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string(), folder,
         readFile(active->watchedFile_)});
}

} // namespace korvelin_test

// This program's fsync: the game's code linked into it calls this one, which
// is seen by the spy and then does the real system call.
extern "C" int fsync(int fd)
{
    korvelin_test::FsyncSpy::noteCall(fd);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
