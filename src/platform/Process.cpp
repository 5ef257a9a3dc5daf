#include "platform/Process.h"

#include <cerrno>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

bool startProcess(const std::string& program, const std::vector<std::string>& arguments, pid_t* pid)
{
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);

    pid_t child = 0;
    int result = program.find('/') == std::string::npos
        ? ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
        : ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (result != 0)
        return false;
    if (pid != nullptr)
        *pid = child;
    return true;
}

bool waitProcess(pid_t pid, int timeoutMs, int* status)
{
    const struct timespec step = {0, 10 * 1000 * 1000};
    for (int waited = 0;; waited += 10) {
        int raw = 0;
        pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            if (status != nullptr)
                *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return true;
        }
        if (done < 0 && errno != EINTR)
            return false;
        if (waited >= timeoutMs)
            return false;
        ::nanosleep(&step, nullptr);
    }
}

} // namespace platform
