#include "GLWindow.h"

#include <SDL/SDL.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

namespace korvelin_test {

namespace {

const int kTries = 6;
const int kFirstPauseMs = 200;

// One try: video and window, or SDL's error with the video shut again.
bool tryOpenGLWindow(int width, int height, int bitsPerPixel, std::string& error)
{
    if (SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_SetVideoMode(width, height, bitsPerPixel, SDL_OPENGL) != nullptr)
        return true;
    error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
}

} // namespace

::testing::AssertionResult openGLWindow(int width, int height, int bitsPerPixel)
{
    // Without an X display SDL would fall back to its text-mode driver, which
    // has no OpenGL; a refused connection must fail the try instead.
    ::setenv("SDL_VIDEODRIVER", "x11", 0);
    const char* display = std::getenv("DISPLAY");
    std::string error;
    int pauseMs = kFirstPauseMs;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (tryOpenGLWindow(width, height, bitsPerPixel, error)) {
            if (attempt > 1)
                std::cerr << "GL window opened on try " << attempt << " after: " << error << '\n';
            return ::testing::AssertionSuccess();
        }
        if (attempt < kTries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            pauseMs *= 2;
        }
    }
    return ::testing::AssertionFailure()
           << "no OpenGL window on DISPLAY=" << (display != nullptr ? display : "(unset)") << " after "
           << kTries << " tries; SDL_GetError(): " << error;
}

} // namespace korvelin_test
