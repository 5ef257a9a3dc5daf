#include "platform/Termination.h"

#include <csignal>

namespace platform {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void onTerminationSignal(int)
{
    requested = 1;
}

} // namespace

void installTerminationHandler()
{
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool terminationRequested()
{
    return requested != 0;
}

} // namespace platform
