// Starts one of the game's companion Java tools on the runtime shipped in the
// game's folder, then ends at once. The tool's class comes from the build
// (KORVELIN_TOOL_CLASS), so the level manager's launcher and the editor's
// launcher are this same file built twice.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <vector>

#ifndef KORVELIN_TOOL_CLASS
#error "KORVELIN_TOOL_CLASS must name the Java class of the tool"
#endif

extern char** environ;

namespace {

// The runtime that ships with the game, relative to the game's folder.
const char* const bundledRuntime = "Redist/jre/bin/java";

bool isExecutableFile(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode) && access(path, X_OK) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool bundled = isExecutableFile(bundledRuntime);
    const std::string runtime = bundled ? bundledRuntime : "java";

    // Every argument goes to the tool whole: no shell ever splits it.
    std::vector<std::string> words = { runtime, "-cp", "./bin", KORVELIN_TOOL_CLASS };
    for (int i = 1; i < argc; ++i)
        words.push_back(argv[i]);

    std::vector<char*> vector;
    for (std::string& word : words)
        vector.push_back(&word[0]);
    vector.push_back(nullptr);

    // The tool is neither waited for nor watched; a missing runtime goes
    // unreported, as the launcher has nobody to tell.
    pid_t child;
    if (bundled)
        posix_spawn(&child, runtime.c_str(), nullptr, nullptr, vector.data(), environ);
    else
        posix_spawnp(&child, runtime.c_str(), nullptr, nullptr, vector.data(), environ);
    return 0;
}
