// A settings file that cannot be replaced is reported in the log and on the
// standard error, and left in place, and no temporary file stays behind.
#include "FailingWrites.h"
#include "TestFiles.h"
#include "services/ClavierManager.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <tuple>

using korvelin_test::SandboxedGameFolders;

namespace {

const char* const kDebugOn = "2\n1024\n768\n0\n0\n0\n100\n1\n0\n1\n1\n1\n0\n3\n100\n100\n";
const char* const kDebugOff = "2\n1024\n768\n0\n0\n0\n100\n1\n0\n1\n1\n0\n0\n3\n100\n100\n";

struct FailedSave {
    const char* name;
    const char* file;
    std::function<bool()> save;
    const char* logLine;
};

void PrintTo(const FailedSave& c, std::ostream* os)
{
    *os << c.name;
}

class SettingsSave : public ::testing::TestWithParam<FailedSave> {};

TEST_P(SettingsSave, ThatCannotReplaceTheFileIsLogged)
{
    const FailedSave& c = GetParam();
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", kDebugOn);
    ASSERT_TRUE(OptionsManager::getInstance()->isDebug());
    ASSERT_TRUE(DebugManager::GetInstance()->isDebug());
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();

    // A folder where the file should be: the finished file cannot be renamed
    // over it, whoever runs the test.
    const std::string target = folders.userDir() + c.file;
    std::remove(target.c_str());
    ASSERT_EQ(0, ::mkdir(target.c_str(), 0755));

    EXPECT_FALSE(c.save());
    EXPECT_TRUE(korvelin_test::isDirectory(target));
    const std::string log = korvelin_test::readFile("Debug.txt");
    EXPECT_EQ(0u, log.find(c.logLine)) << log;
    std::string name(c.file);
    name = name.substr(name.find('/') + 1);
    EXPECT_EQ(0, korvelin_test::countFilesStartingWith(folders.userDir() + "Data", "." + name));
}

const FailedSave kSettingsFiles[] = {
    FailedSave{"Options", "Data/Options.dat", [] { return OptionsManager::getInstance()->sauverOptions(); },
               "[ERROR]\tOptionsManager @ sauverOptions : Cannot write Data/Options.dat :  "},
    FailedSave{"KeyBindings", "Data/Keyboard.dat", [] { return ClavierManager::clavier->sauver(); },
               "[ERROR]\tClavierManager @ sauver : Cannot write Data/Keyboard.dat :  "},
};

INSTANTIATE_TEST_SUITE_P(Files, SettingsSave, ::testing::ValuesIn(kSettingsFiles),
                         [](const ::testing::TestParamInfo<FailedSave>& info) {
                             return std::string(info.param.name);
                         });

// With the debug option off there is no log: the player still learns of a
// save that failed, from one line on the standard error.
class SettingsSaveWithDebug : public ::testing::TestWithParam<std::tuple<FailedSave, bool>> {};

TEST_P(SettingsSaveWithDebug, ThatFailsWritesOneLineNamingTheFileAndReasonOnStderr)
{
    const FailedSave& c = std::get<0>(GetParam());
    const bool debug = std::get<1>(GetParam());
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", debug ? kDebugOn : kDebugOff);
    ASSERT_EQ(debug, DebugManager::GetInstance()->isDebug());
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    const std::string target = folders.userDir() + c.file;
    std::remove(target.c_str());
    ASSERT_EQ(0, ::mkdir(target.c_str(), 0755));

    ::testing::internal::CaptureStderr();
    const bool saved = c.save();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << err;
    EXPECT_NE(std::string::npos, err.find(target)) << err;
    EXPECT_NE(std::string::npos, err.find(std::strerror(EISDIR))) << err;
    EXPECT_EQ(debug, korvelin_test::readFile("Debug.txt").find(c.logLine) == 0);
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsSaveWithDebug,
                         ::testing::Combine(::testing::ValuesIn(kSettingsFiles), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<FailedSave, bool>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "DebugOn" : "DebugOff");
                         });

} // namespace
