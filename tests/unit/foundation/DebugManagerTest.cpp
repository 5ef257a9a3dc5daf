// The log file: its line format, numbers, and when it is written at all.
#include "TestFiles.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <gtest/gtest.h>

#include <string>

using korvelin_test::SandboxedGameFolders;

namespace {

const char* const kDebugOn = "2\n1024\n768\n0\n0\n0\n100\n1\n0\n1\n1\n1\n0\n3\n100\n100\n";

} // namespace

TEST(DebugLog, LinesHaveTheStatusTagClassMethodAndMessage)
{
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", kDebugOn);
    DebugManager* log = DebugManager::GetInstance();
    EXPECT_TRUE(log->isDebug());
    log->o("Jeu", "initGL", true, "OpenGL initialized");
    log->o("Loader", "load", false, "Missing file : ", std::string("a.png"));
    log->o("Jeu", "initSDL", true, "Nombre de joysticks : ", 2);
    log->o("Jeu", "refresh", true);
    log->o("X", "n", true, "half", 0.5);
    log->o("X", "n", true, "big", 1234567.0);
    log->o("X", "n", false, "neg", -3.25);
    log->o("X", "n", true, "c string", "tail");
    EXPECT_EQ("[OK]   \tJeu @ initGL : OpenGL initialized\n"
              "[ERROR]\tLoader @ load : Missing file :  a.png\n"
              "[OK]   \tJeu @ initSDL : Nombre de joysticks :  2\n"
              "[OK]   \tJeu @ refresh : \n"
              "[OK]   \tX @ n : half 0.5\n"
              "[OK]   \tX @ n : big 1.23457e+06\n"
              "[ERROR]\tX @ n : neg -3.25\n"
              "[OK]   \tX @ n : c string tail\n",
              korvelin_test::readFile("Debug.txt"));
}

TEST(DebugLog, DebugOffWritesNothingAndLeavesAnOldLogAlone)
{
    SandboxedGameFolders folders;
    korvelin_test::writeFile("Debug.txt", "old run\n");
    DebugManager* log = DebugManager::GetInstance();
    EXPECT_FALSE(log->isDebug());
    log->o("Jeu", "initGL", true, "OpenGL initialized");
    EXPECT_EQ("old run\n", korvelin_test::readFile("Debug.txt"));
}

TEST(DebugLog, DebugOnTruncatesTheLogOfAnEarlierRun)
{
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", kDebugOn);
    korvelin_test::writeFile("Debug.txt", "old run\n");
    DebugManager::GetInstance()->o("A", "b", true, "c");
    EXPECT_EQ("[OK]   \tA @ b : c\n", korvelin_test::readFile("Debug.txt"));
}

TEST(DebugLog, TheSettingIsTakenWhenTheLogIsMade)
{
    SandboxedGameFolders folders;
    DebugManager* log = DebugManager::GetInstance();
    // The options now say debug, but the log was made with it off.
    folders.writeUserFile("Data/Options.dat", kDebugOn);
    OptionsManager::kill();
    EXPECT_TRUE(OptionsManager::getInstance()->isDebug());
    log->o("A", "b", true, "c");
    EXPECT_FALSE(korvelin_test::fileExists("Debug.txt"));
}
