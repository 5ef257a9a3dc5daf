// The end-to-end harness runs the game on an X server of its own; on a busy
// machine that server may die before it ever answers.
#include "GameHarness.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using korvelin_test::GameHarness;
using korvelin_test::ScopedEnv;
using korvelin_test::TempDir;

namespace {

// Full path of a program found on PATH, or "".
std::string onPath(const std::string& program)
{
    std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

TEST(GameHarnessXServer, StartsAnotherServerWhenTheFirstDiesBeforeAnswering)
{
    const std::string realServer = onPath("Xvfb");
    ASSERT_FALSE(realServer.empty());
    // An "Xvfb" first on PATH whose first run tells a display number (the
    // harness passes "-displayfd <fd>" first) and dies; later runs are the
    // real server.
    TempDir bin("korvelin-x-dies");
    const std::string marker = bin.file("first-run");
    const std::string script = "#!/bin/sh\n"
                               "if [ ! -e '" + marker + "' ]; then\n"
                               "  : > '" + marker + "'\n"
                               "  eval \"echo 4242 >&$2\"\n"
                               "  exit 1\n"
                               "fi\n"
                               "exec '" + realServer + "' \"$@\"\n";
    ASSERT_TRUE(korvelin_test::writeFile(bin.file("Xvfb"), script));
    ASSERT_EQ(::chmod(bin.file("Xvfb").c_str(), 0755), 0);
    ScopedEnv path("PATH", bin.path() + ":" + std::getenv("PATH"));

    GameHarness game;
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(korvelin_test::fileExists(marker)) << "the dying server was not run";
    EXPECT_NE(game.display(), ":4242");
    EXPECT_TRUE(game.waitForWindow()) << game.stderrText();
}

} // namespace
