// Data paths, the player's folder tree, the seeding of user files and the
// safe writing of whole files.
#include "FailingWrites.h"
#include "FsyncSpy.h"
#include "TestFiles.h"
#include "platform/UserRoot.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>

using korvelin_test::SandboxedGameFolders;
using korvelin_test::ScopedEnv;

namespace {

std::string readAll(std::fstream& in)
{
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(UserRoot, FollowsAppDataThenXdgThenHome)
{
    {
        ScopedEnv appData("APPDATA", "/tmp/appdata-root");
        ScopedEnv xdg("XDG_DATA_HOME", "/tmp/xdg-root");
        EXPECT_EQ("/tmp/appdata-root/Korvelin/", platform::userRoot());
    }
    {
        ScopedEnv appData("APPDATA", "");
        ScopedEnv xdg("XDG_DATA_HOME", "/tmp/xdg-root/");
        EXPECT_EQ("/tmp/xdg-root/Korvelin/", platform::userRoot());
    }
    {
        ScopedEnv appData("APPDATA", "");
        ScopedEnv xdg("XDG_DATA_HOME", "");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ("/home/player/.local/share/Korvelin/", platform::userRoot());
    }
    {
        ScopedEnv appData("APPDATA", "C:\\Users\\p\\AppData");
        EXPECT_EQ("C:/Users/p/AppData/Korvelin/", platform::userRoot());
    }
}

TEST(DataFiles, MakingTheServiceCreatesTheEightFoldersUnderAMissingBase)
{
    korvelin_test::TempDir root;
    // The base itself does not exist yet, as ~/.local/share on a new system.
    ScopedEnv appData("APPDATA", root.path() + "/deep/base");
    DataFileManager* files = DataFileManager::GetInstance();
    ASSERT_NE(nullptr, files);
    const std::string user = root.path() + "/deep/base/Korvelin/";
    for (const char* folder : {"", "Data", "Levels", "Levels/Custom", "Levels/Official", "Images",
                               "Images/Previews", "Images/Previews/Custom"})
        EXPECT_TRUE(korvelin_test::isDirectory(user + folder)) << folder;
}

TEST(DataFiles, GetPathJoinsTheUserRootAndLeavesInstallationNamesAlone)
{
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    EXPECT_EQ(folders.userDir() + "Data/Account.dat", files->getPath("Data/Account.dat", true));
    EXPECT_EQ(folders.userDir() + "Levels/Custom/a.kzl", files->getPath("Levels\\Custom\\a.kzl", true));
    EXPECT_EQ("Data/Lang/Langs.dat", files->getPath("Data/Lang/Langs.dat", false));
}

struct SeedCase {
    const char* name;
    bool userFile;          // a user file exists before the call
    const char* userText;   // its content
    bool installCopy;       // an installation copy exists
    int mode;
    bool create;
    bool expectStream;
    const char* expectUserText; // user file afterwards, null: must not exist
    const char* expectRead;     // what a read stream yields (mode 0)
};

void PrintTo(const SeedCase& c, std::ostream* os)
{
    *os << c.name;
}

class Seeding : public ::testing::TestWithParam<SeedCase> {};

TEST_P(Seeding, OpenFileFollowsTheSeedRule)
{
    const SeedCase& c = GetParam();
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    if (c.installCopy)
        folders.writeInstallFile("Data/Account.dat", "installed\n");
    if (c.userFile)
        folders.writeUserFile("Data/Account.dat", c.userText);

    std::unique_ptr<std::fstream> stream(files->openFile("Data/Account.dat", c.mode, true, c.create));
    ASSERT_EQ(c.expectStream, stream != nullptr);
    if (stream && c.mode == 0 && c.expectRead != nullptr) {
        EXPECT_EQ(c.expectRead, readAll(*stream));
    }
    stream.reset();
    const std::string userPath = folders.userDir() + "Data/Account.dat";
    if (c.expectUserText == nullptr) {
        EXPECT_FALSE(korvelin_test::fileExists(userPath));
    } else {
        EXPECT_EQ(c.expectUserText, korvelin_test::readFile(userPath));
    }
    // The installation copy is never changed.
    if (c.installCopy) {
        EXPECT_EQ("installed\n", korvelin_test::readFile(folders.installDir() + "/Data/Account.dat"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Seeding,
    ::testing::Values(
        SeedCase{"NoUserFileIsSeeded", false, "", true, 0, false, true, "installed\n", "installed\n"},
        SeedCase{"EmptyUserFileIsSeeded", true, "", true, 0, false, true, "installed\n", "installed\n"},
        SeedCase{"UserFileIsKept", true, "mine\n", true, 0, false, true, "mine\n", "mine\n"},
        SeedCase{"NothingAnywhereGivesNull", false, "", false, 0, false, false, nullptr, nullptr},
        SeedCase{"NothingAnywhereReadCreateGivesFailedStream", false, "", false, 0, true, true, nullptr, ""},
        SeedCase{"NothingAnywhereWriteCreateMakesEmptyFile", false, "", false, 1, true, true, "", nullptr},
        SeedCase{"WriteEmptiesTheSeededFile", false, "", true, 1, false, true, "", nullptr},
        SeedCase{"ModeTwoIsWriting", true, "mine\n", true, 2, false, true, "", nullptr}),
    [](const ::testing::TestParamInfo<SeedCase>& info) { return std::string(info.param.name); });

// A seed copy that cannot be finished (here: the file-size limit stops it
// half-way) leaves the user file as it was, so the next open seeds it whole.
class InterruptedSeed : public ::testing::TestWithParam<bool> {};

TEST_P(InterruptedSeed, LeavesNoPartialFileIsLoggedAndIsMadeAgainLater)
{
    const bool emptyUserFile = GetParam();
    SandboxedGameFolders folders;
    const std::string seed(64 * 1024, 'x');
    folders.writeInstallFile("Data/Account.dat", seed);
    if (emptyUserFile)
        folders.writeUserFile("Data/Account.dat", "");
    folders.writeUserFile("Data/Options.dat", "2\n640\n480\n0\n0\n0\n100\n1\n0\n1\n1\n1\n0\n3\n100\n100\n");
    ASSERT_TRUE(DebugManager::GetInstance()->isDebug());
    DataFileManager* files = DataFileManager::GetInstance();
    const std::string userPath = folders.userDir() + "Data/Account.dat";

    std::string err;
    {
        korvelin_test::FailingWrites limit(16 * 1024); // room for the log, not for the copy
        ::testing::internal::CaptureStderr();
        delete files->openFile("Data/Account.dat", 0, true, false);
        err = ::testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(emptyUserFile, korvelin_test::fileExists(userPath));
    EXPECT_EQ(0u, korvelin_test::readFile(userPath).size()) << "a partial copy";
    EXPECT_EQ(0, korvelin_test::countFilesStartingWith(folders.userDir() + "Data", ".Account.dat"));
    const std::string log = korvelin_test::readFile("Debug.txt");
    EXPECT_NE(std::string::npos, log.find("[ERROR]\tDataFileManager @ openFile : Cannot copy Data/Account.dat :  "))
        << log;
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << err;
    EXPECT_NE(std::string::npos, err.find(userPath)) << err;
    EXPECT_NE(std::string::npos, err.find(std::strerror(EFBIG))) << err;

    std::unique_ptr<std::fstream> again(files->openFile("Data/Account.dat", 0, true, false));
    ASSERT_NE(nullptr, again);
    EXPECT_TRUE(readAll(*again) == seed);
    EXPECT_TRUE(korvelin_test::readFile(userPath) == seed);
}

INSTANTIATE_TEST_SUITE_P(UserFile, InterruptedSeed, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Empty" : "Missing");
                         });

TEST(DataFiles, ReadWithCreateAndNothingAnywhereReturnsAFailedStream)
{
    SandboxedGameFolders folders;
    std::unique_ptr<std::fstream> in(DataFileManager::GetInstance()->openFile("Data/None.dat", 0, true, true));
    ASSERT_NE(nullptr, in);
    int value = 0;
    EXPECT_FALSE(*in >> value);
}

TEST(DataFiles, InstallationRootOpensTheRelativeName)
{
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    folders.writeInstallFile("Data/Empty.dat", "");
    std::unique_ptr<std::fstream> empty(files->openFile("Data/Empty.dat", 0, false, false));
    ASSERT_NE(nullptr, empty); // copied onto itself: still there, still empty
    EXPECT_EQ("", readAll(*empty));
    EXPECT_EQ(nullptr, files->openFile("Data/Missing.dat", 0, false, false));
}

TEST(DataFiles, SaveFileWritesWholeFilesAndCreatesThem)
{
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    EXPECT_TRUE(files->saveFile("Data/Account.dat", "first\n", true));
    EXPECT_EQ("first\n", folders.readUserFile("Data/Account.dat"));
    EXPECT_TRUE(files->saveFile("Data/Account.dat", "second\n", true));
    EXPECT_EQ("second\n", folders.readUserFile("Data/Account.dat"));
    std::string error;
    EXPECT_FALSE(files->saveFile("NoSuchFolder/x.dat", "x", true, &error));
    EXPECT_FALSE(error.empty());
}

// Names beside "Data/Options.dat" before a save of it: which ones are the
// temporaries of interrupted saves of that very file.
struct Planted {
    const char* name;
    bool stale; // a temporary of Options.dat: the next save removes it
};

const Planted kPlanted[] = {
    {".Options.dat.tmpAb12Cd", true},
    {".Options.dat.tmp000000", true},
    {".Keyboard.dat.tmpAb12Cd", false},          // another file's, maybe being written now
    {".Options.dat.tmpAb12Cd.tmpXy34Ef", false}, // the temporary of ".Options.dat.tmpAb12Cd"
    {".Options.dat.tmpAb12C", false},            // too short to be one
    {".Options.dat.tmpAb-2Cd", false},
    {"Options.dat.tmpAb12Cd", false},            // not hidden: a file of the player's own
};

void plantAll(const SandboxedGameFolders& folders)
{
    for (const Planted& p : kPlanted)
        folders.writeUserFile(std::string("Data/") + p.name, "left over");
}

void expectOnlyTheStaleOnesRemoved(const SandboxedGameFolders& folders)
{
    for (const Planted& p : kPlanted)
        EXPECT_EQ(!p.stale, korvelin_test::fileExists(folders.userDir() + "Data/" + p.name)) << p.name;
}

TEST(SafeWrites, ASaveRemovesTheStaleTemporariesOfItsFileAndNothingElse)
{
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", "old\n");
    plantAll(folders);

    ASSERT_TRUE(DataFileManager::GetInstance()->saveFile("Data/Options.dat", "new\n", true));
    EXPECT_EQ("new\n", folders.readUserFile("Data/Options.dat"));
    expectOnlyTheStaleOnesRemoved(folders);
}

struct FailedWrite {
    const char* name;
    bool folderInTheWay; // else every file of the process is limited to a few bytes
};

void PrintTo(const FailedWrite& c, std::ostream* os)
{
    *os << c.name;
}

class FailedSafeWrite : public ::testing::TestWithParam<FailedWrite> {};

TEST_P(FailedSafeWrite, LeavesNoTemporaryOfItsFile)
{
    const FailedWrite& c = GetParam();
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    const std::string target = folders.userDir() + "Data/Options.dat";
    if (c.folderInTheWay)
        ASSERT_TRUE(std::filesystem::create_directories(target));
    else
        folders.writeUserFile("Data/Options.dat", "old\n");
    plantAll(folders);

    std::string error;
    {
        std::unique_ptr<korvelin_test::FailingWrites> limit;
        if (!c.folderInTheWay)
            limit.reset(new korvelin_test::FailingWrites());
        EXPECT_FALSE(files->saveFile("Data/Options.dat", "a longer text than the limit\n", true, &error));
    }
    EXPECT_FALSE(error.empty());
    if (c.folderInTheWay)
        EXPECT_TRUE(korvelin_test::isDirectory(target));
    else
        EXPECT_EQ("old\n", folders.readUserFile("Data/Options.dat"));
    expectOnlyTheStaleOnesRemoved(folders);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailedSafeWrite,
    ::testing::Values(FailedWrite{"FileSizeLimit", false}, FailedWrite{"FolderWhereTheFileShouldBe", true}),
    [](const ::testing::TestParamInfo<FailedWrite>& info) { return std::string(info.param.name); });

// Sets the process's umask for the object's life.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

mode_t permissionsOf(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

struct UmaskCase {
    const char* name;
    mode_t umask;
    mode_t expected;
};

void PrintTo(const UmaskCase& c, std::ostream* os)
{
    *os << c.name;
}

class SavedFileMode : public ::testing::TestWithParam<UmaskCase> {};

TEST_P(SavedFileMode, IsTheModeOfANewFileUnderTheUmask)
{
    const UmaskCase& c = GetParam();
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    const std::string replaced = folders.userDir() + "Data/Options.dat";
    folders.writeUserFile("Data/Options.dat", "old\n");
    ASSERT_EQ(0, ::chmod(replaced.c_str(), 0640));

    ScopedUmask mask(c.umask);
    ASSERT_TRUE(files->saveFile("Data/Options.dat", "new\n", true));
    ASSERT_TRUE(files->saveFile("Data/Keyboard.dat", "new\n", true));
    EXPECT_EQ(c.expected, permissionsOf(replaced));
    EXPECT_EQ(c.expected, permissionsOf(folders.userDir() + "Data/Keyboard.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    Umasks, SavedFileMode,
    ::testing::Values(UmaskCase{"Private077", 077, 0600}, UmaskCase{"Usual022", 022, 0644},
                      UmaskCase{"Group002", 002, 0664}),
    [](const ::testing::TestParamInfo<UmaskCase>& info) { return std::string(info.param.name); });

TEST(SafeWrites, ASaveSyncsItsFolderOnceTheNewFileIsInPlace)
{
    SandboxedGameFolders folders;
    DataFileManager* files = DataFileManager::GetInstance();
    folders.writeUserFile("Data/Options.dat", "old\n");
    const std::string folder = std::filesystem::canonical(folders.userDir() + "Data").string();

    korvelin_test::FsyncSpy spy(folders.userDir() + "Data/Options.dat");
    ASSERT_TRUE(files->saveFile("Data/Options.dat", "new\n", true));

    // The new content is synchronised before it replaces the old file, and
    // the folder, which records the replacement, after.
    std::vector<korvelin_test::FsyncSpy::Call> calls = spy.calls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_FALSE(calls[0].folder);
    EXPECT_EQ("old\n", calls[0].watchedText);
    EXPECT_TRUE(calls[1].folder);
    EXPECT_EQ(folder, calls[1].path);
    EXPECT_EQ("new\n", calls[1].watchedText);
}
