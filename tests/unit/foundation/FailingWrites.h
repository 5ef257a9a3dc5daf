#pragma once

#include <csignal>
#include <dirent.h>
#include <string>
#include <sys/resource.h>

namespace korvelin_test {

// While alive, no file of this process may grow past a few bytes (or past
// maxBytes): writes fail with EFBIG, even for root, so a save can be made to
// fail for real.
class FailingWrites {
public:
    explicit FailingWrites(rlim_t maxBytes = 4)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = previous_;
        tiny.rlim_cur = maxBytes;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FailingWrites()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    struct rlimit previous_;
    void (*oldHandler_)(int);
};

inline int countFilesStartingWith(const std::string& folder, const std::string& prefix)
{
    int count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::string(entry->d_name).rfind(prefix, 0) == 0)
                ++count;
        closedir(dir);
    }
    return count;
}

} // namespace korvelin_test
