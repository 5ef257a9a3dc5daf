// The media generator writes the same bytes on every run.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include "AssetFormats.h"

namespace fs = std::filesystem;

namespace {
const std::string generator = std::string(KORVELIN_STAGE_DIR) + "/../tools/mediagen/korvelin-mediagen";

// Runs the generator into a folder, bounded in time by the shell's timeout.
int runGenerator(const std::string& out) {
    std::string cmd = "timeout 120 '" + generator + "' --out '" + out + "' --levels '" + KORVELIN_SOURCE_DIR +
                      "/data/Levels/Official' > /dev/null";
    int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, fs::path> filesUnder(const fs::path& root) {
    std::map<std::string, fs::path> files;
    for (auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = e.path();
    return files;
}

class TemporaryFolder {
public:
    TemporaryFolder() {
        char pattern[] = "/tmp/korvelin-mediagen-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TemporaryFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};
}  // namespace

TEST(GeneratorDeterminism, TwoRunsWriteIdenticalFiles) {
    ASSERT_TRUE(fs::exists(generator)) << generator;
    TemporaryFolder a, b;
    ASSERT_EQ(runGenerator(a.path.string()), 0);
    ASSERT_EQ(runGenerator(b.path.string()), 0);
    auto first = filesUnder(a.path), second = filesUnder(b.path);
    ASSERT_GT(first.size(), 100u);
    ASSERT_EQ(first.size(), second.size());
    for (auto& [name, path] : first) {
        auto other = second.find(name);
        ASSERT_NE(other, second.end()) << name << " missing from the second run";
        EXPECT_TRUE(assetcheck::readFile(path.string()) == assetcheck::readFile(other->second.string()))
            << name << " differs between runs";
    }
}

TEST(GeneratorDeterminism, RefusesAMissingOutputFolderArgument) {
    ASSERT_TRUE(fs::exists(generator));
    int status = std::system(("timeout 20 '" + generator + "' > /dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}
