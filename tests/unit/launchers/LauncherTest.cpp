// The two tool launchers, run for real against a stand-in Java runtime: a
// shell script that writes the arguments it received into a file.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Launcher {
    const char* program;
    const char* toolClass;
};

const Launcher launchers[] = {
    { "level-manager-launcher", "levelManager.KorvelinLevelManager" },
    { "editor-launcher", "editor.KorvelinEditor" },
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Splits the NUL-terminated words the stand-in runtime writes.
std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> result;
    std::string current;
    for (char c : text) {
        if (c == '\0') {
            result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return result;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folderTemplate[] = "/tmp/korvelin-launcher-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        folder = folderTemplate;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }

    void TearDown() override
    {
        // Let a stand-in that is still waiting finish, then clear.
        std::ofstream(folder + "/release").close();
        waitFor(folder + "/done", std::chrono::seconds(10));
        std::string command = "rm -rf '" + folder + "'";
        (void)std::system(command.c_str());
    }

    // A runtime stand-in at `path` (relative to the game's folder) that
    // records its arguments, NUL-separated, into `record`; it leaves "done"
    // behind when it ends. With `held`, it first waits (at most 20 s) until
    // the test creates "release".
    void writeRuntime(const std::string& path, const std::string& record, bool held = false,
                      mode_t mode = 0755)
    {
        std::string command = "mkdir -p \"$(dirname '" + folder + "/" + path + "')\"";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::ofstream script(folder + "/" + path);
        script << "#!/bin/sh\nPATH=/usr/bin:/bin\n";
        if (held)
            script << "i=0\nwhile [ ! -e '" << folder << "/release' ] && [ $i -lt 200 ]; do sleep 0.1; i=$((i+1)); done\n";
        script << "printf '%s\\0' \"$@\" > '" << folder << "/" << record << ".part'\n";
        script << "mv '" << folder << "/" << record << ".part' '" << folder << "/" << record << "'\n";
        script << "touch '" << folder << "/done'\n";
        script.close();
        ASSERT_EQ(chmod((folder + "/" + path).c_str(), mode), 0);
    }

    // Runs a launcher from the game's folder with the given PATH; returns its
    // exit status, or -1 when it did not end within ten seconds.
    int runLauncher(const char* program, const std::vector<std::string>& arguments,
                    const std::string& pathVariable)
    {
        std::string binary = std::string(KORVELIN_STAGE_DIR) + "/" + program;
        if (!exists(binary)) {
            ADD_FAILURE() << "launcher not built: " << binary;
            return -1;
        }
        std::vector<std::string> argv = { binary };
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::vector<char*> argvPointers;
        for (std::string& word : argv)
            argvPointers.push_back(&word[0]);
        argvPointers.push_back(nullptr);
        std::string pathEntry = "PATH=" + pathVariable;
        std::string homeEntry = "HOME=" + folder;
        char* envp[] = { &pathEntry[0], &homeEntry[0], nullptr };

        pid_t child;
        if (posix_spawn(&child, binary.c_str(), nullptr, nullptr, argvPointers.data(), envp) != 0) {
            ADD_FAILURE() << "cannot start " << binary;
            return -1;
        }
        Clock::time_point start = Clock::now();
        while (Clock::now() - start < std::chrono::seconds(10)) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return -1;
    }

    bool waitFor(const std::string& path, Clock::duration limit)
    {
        Clock::time_point start = Clock::now();
        while (!exists(path)) {
            if (Clock::now() - start > limit)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    std::vector<std::string> recorded(const std::string& record)
    {
        EXPECT_TRUE(waitFor(folder + "/" + record, std::chrono::seconds(10)))
            << "the runtime was not started";
        return words(readFile(folder + "/" + record));
    }

    std::string folder;
};

TEST_F(LauncherTest, PassesClassPathClassAndEveryArgumentWhole)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        { "no argument", {} },
        { "several arguments", { "a", "b", "--third" } },
        { "an argument with blanks", { "My Level.Zed", "two  blanks", "" } },
    };
    for (const Launcher& launcher : launchers) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(launcher.program) + ": " + c.name);
            (void)std::remove((folder + "/args").c_str());
            (void)std::remove((folder + "/done").c_str());
            writeRuntime("Redist/jre/bin/java", "args");
            ASSERT_EQ(runLauncher(launcher.program, c.arguments, "/usr/bin:/bin"), 0);
            std::vector<std::string> expected = { "-cp", "./bin", launcher.toolClass };
            expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
            EXPECT_EQ(recorded("args"), expected);
            ASSERT_TRUE(waitFor(folder + "/done", std::chrono::seconds(10)));
        }
    }
}

TEST_F(LauncherTest, ReturnsBeforeTheToolEnds)
{
    // The stand-in cannot end before the test lets it, so a launcher that
    // waited for it would not return at all.
    for (const Launcher& launcher : launchers) {
        SCOPED_TRACE(launcher.program);
        (void)std::remove((folder + "/release").c_str());
        (void)std::remove((folder + "/args").c_str());
        (void)std::remove((folder + "/done").c_str());
        writeRuntime("Redist/jre/bin/java", "args", true);
        ASSERT_EQ(runLauncher(launcher.program, { "x" }, "/usr/bin:/bin"), 0);
        EXPECT_FALSE(exists(folder + "/done")) << "the tool ended before the launcher";
        std::ofstream(folder + "/release").close();
        EXPECT_EQ(recorded("args"), (std::vector<std::string> { "-cp", "./bin", launcher.toolClass, "x" }));
        ASSERT_TRUE(waitFor(folder + "/done", std::chrono::seconds(10)));
    }
}

TEST_F(LauncherTest, FallsBackToTheRuntimeOnThePath)
{
    // A bundled runtime that is missing, or that cannot be run, is passed
    // over for `java` on PATH.
    writeRuntime("path-bin/java", "path-args");
    for (bool bundledPresent : { false, true }) {
        SCOPED_TRACE(bundledPresent ? "bundled runtime not executable" : "no bundled runtime");
        (void)std::remove((folder + "/path-args").c_str());
        (void)std::remove((folder + "/done").c_str());
        if (bundledPresent)
            writeRuntime("Redist/jre/bin/java", "bundled-args", false, 0644);
        ASSERT_EQ(runLauncher("editor-launcher", { "one two" }, folder + "/path-bin"), 0);
        EXPECT_EQ(recorded("path-args"),
                  (std::vector<std::string> { "-cp", "./bin", "editor.KorvelinEditor", "one two" }));
        ASSERT_TRUE(waitFor(folder + "/done", std::chrono::seconds(10)));
        EXPECT_FALSE(exists(folder + "/bundled-args"));
    }
}

TEST_F(LauncherTest, ExitsZeroWithoutAnyRuntime)
{
    for (const Launcher& launcher : launchers) {
        SCOPED_TRACE(launcher.program);
        EXPECT_EQ(runLauncher(launcher.program, { "a" }, ""), 0);
    }
    // Nothing to wait for in TearDown.
    std::ofstream(folder + "/done").close();
}

} // namespace
