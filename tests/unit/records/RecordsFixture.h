#pragma once

// A game folder and a player's folder in temporary places: the working
// directory becomes the game's folder and APPDATA points at the other.

#include <gtest/gtest.h>

#include "GameHarness.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class RecordsFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        char installTemplate[] = "/tmp/korvelin-records-game-XXXXXX";
        char userTemplate[] = "/tmp/korvelin-records-user-XXXXXX";
        ASSERT_NE(mkdtemp(installTemplate), nullptr);
        ASSERT_NE(mkdtemp(userTemplate), nullptr);
        install = installTemplate;
        appData = userTemplate;
        char* cwd = getcwd(nullptr, 0);
        previousDirectory = cwd;
        std::free(cwd);
        ASSERT_EQ(chdir(install.c_str()), 0);
        setenv("APPDATA", appData.c_str(), 1);
        user = appData + "/Korvelin/";
        makeFolder(user + "Levels/Official");
        makeFolder(user + "Levels/Custom");
        makeFolder(user + "Data");
    }

    void TearDown() override
    {
        if (limited)
            setrlimit(RLIMIT_FSIZE, &savedLimit);
        (void)chdir(previousDirectory.c_str());
        std::string command = "rm -rf '" + install + "' '" + appData + "'";
        (void)std::system(command.c_str());
    }

    static void makeFolder(const std::string& path)
    {
        std::string command = "mkdir -p '" + path + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    static void writeFile(const std::string& path, const std::string& content)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << content;
    }

    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

    static bool exists(const std::string& path)
    {
        return access(path.c_str(), F_OK) == 0;
    }

    // Every file name in a folder, hidden ones included.
    static std::vector<std::string> filesIn(const std::string& folder)
    {
        std::vector<std::string> names;
        if (DIR* dir = opendir(folder.c_str())) {
            while (dirent* entry = readdir(dir)) {
                std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            closedir(dir);
        }
        return names;
    }

    // Turns the game's debug log ("Debug.txt" in the game's folder) on for
    // this process; call it before the first service is made.
    void enableDebugLog()
    {
        korvelin_test::OptionsText options;
        options.debug = true;
        writeFile(user + "Data/Options.dat", options.str());
    }

    // The log's error lines of `classe` @ `method`.
    std::vector<std::string> errorLines(const std::string& classe, const std::string& method)
    {
        std::vector<std::string> found;
        std::istringstream log(readFile(install + "/Debug.txt"));
        std::string line;
        const std::string head = "[ERROR]\t" + classe + " @ " + method + " : ";
        while (std::getline(log, line))
            if (line.compare(0, head.size(), head) == 0)
                found.push_back(line);
        return found;
    }

    // From here on no file of this process may grow beyond `bytes`: the
    // next write that tries fails, as on a full disk.
    void limitFileSize(rlim_t bytes)
    {
        signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &savedLimit), 0);
        limited = true;
        struct rlimit limit = savedLimit;
        limit.rlim_cur = bytes;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }

    std::string install;  // the game's folder (working directory)
    std::string appData;  // APPDATA
    std::string user;     // APPDATA + "/Korvelin/"
    std::string previousDirectory;
    bool limited = false;
    struct rlimit savedLimit {};
};
