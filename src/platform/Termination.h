#pragma once

namespace platform {

// Makes SIGTERM (and SIGINT) a quit request instead of killing the process,
// so the main loop can end cleanly. Install before SDL_Init, which then
// keeps these handlers.
void installTerminationHandler();

// True once a termination signal arrived.
bool terminationRequested();

} // namespace platform
