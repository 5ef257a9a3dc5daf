// The GL window every drawing test opens first: on a busy machine the X
// server may not answer the first time, and then the window must still open,
// or the failure must say why.
#include "GLWindow.h"
#include "TestFiles.h"

#include <SDL/SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using korvelin_test::openGLWindow;
using ::testing::HasSubstr;

namespace {

bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

// A display number no server uses, taken from the process id so that test
// programs running side by side do not pick the same one.
int unusedDisplay()
{
    int number = 1000 + ::getpid() % 30000;
    while (exists("/tmp/.X" + std::to_string(number) + "-lock") ||
           exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    return number;
}

class GLWindowOpening : public ::testing::Test {
protected:
    GLWindowOpening() : display(":" + std::to_string(unusedDisplay())), displayInUse("DISPLAY", display) {}

    ~GLWindowOpening() override
    {
        SDL_Quit();
        if (server > 0) {
            ::kill(server, SIGTERM);
            ::waitpid(server, nullptr, 0);
        }
    }

    // Starts an X server on the display after delayMs.
    void startServerAfter(int delayMs)
    {
        server = ::fork();
        ASSERT_GE(server, 0);
        if (server == 0) {
            ::usleep(static_cast<useconds_t>(delayMs) * 1000);
            ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
                     "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }

    const std::string display;
    korvelin_test::ScopedEnv displayInUse;
    pid_t server = -1;
};

TEST_F(GLWindowOpening, OpensOnADisplayThatAnswersOnlyAfterTheFirstTry)
{
    ASSERT_NO_FATAL_FAILURE(startServerAfter(300));
    EXPECT_TRUE(openGLWindow(64, 64));
    EXPECT_NE(SDL_GetVideoSurface(), nullptr);
}

TEST_F(GLWindowOpening, FailsNamingTheDisplayAndSdlsErrorWhenNoServerAnswers)
{
    const ::testing::AssertionResult opened = openGLWindow(64, 64);
    EXPECT_FALSE(opened);
    const std::string sdlError = SDL_GetError();
    EXPECT_FALSE(sdlError.empty());
    EXPECT_THAT(opened.message(), HasSubstr("DISPLAY=" + display));
    EXPECT_THAT(opened.message(), HasSubstr(sdlError));
}

} // namespace
