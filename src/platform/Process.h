#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// Starts a program with the given arguments (argv[0] is added from program),
// without a shell and without waiting for it. A program name without "/" is
// looked up in PATH. Returns true when the process was started; its id goes
// to pid when given.
bool startProcess(const std::string& program, const std::vector<std::string>& arguments,
                  pid_t* pid = nullptr);

// Waits up to timeoutMs for a started process to end. Returns true and its
// exit status (or 128 + signal) when it ended in time.
bool waitProcess(pid_t pid, int timeoutMs, int* status);

} // namespace platform
