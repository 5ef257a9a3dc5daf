// Key bindings read from and saved to the key-binding file.
#include "FailingWrites.h"
#include "TestFiles.h"
#include "services/ClavierManager.h"

#include <SDL/SDL_keysym.h>
#include <gtest/gtest.h>

#include <string>

using korvelin_test::SandboxedGameFolders;

namespace {

const int kPlayerOne[7] = {119, 115, 97, 100, 32, 27, 114};
const int kPlayerTwo[7] = {273, 274, 276, 275, 13, 127, 8};

std::string defaultFile()
{
    std::string text;
    for (int k : kPlayerOne)
        text += std::to_string(k) + "\n";
    for (int k : kPlayerTwo)
        text += std::to_string(k) + "\n";
    return text;
}

void expectDefaults(const ClavierManager& c)
{
    for (int a = 0; a < ClavierManager::kNbActions; ++a) {
        EXPECT_EQ(kPlayerOne[a], c.key[a][0]) << "action " << a;
        EXPECT_EQ(kPlayerTwo[a], c.key[a][1]) << "action " << a;
        EXPECT_EQ(c.key[a][0], c.pendingKey[a][0]);
        EXPECT_EQ(c.key[a][1], c.pendingKey[a][1]);
    }
}

} // namespace

TEST(KeyBindings, FreshUserFolderGivesTheDefaultsAndAFreshState)
{
    SandboxedGameFolders folders;
    ClavierManager c;
    expectDefaults(c);
    EXPECT_EQ(-1, c.lastKey);
    EXPECT_FALSE(c.joystickUsed[0]);
    for (int a = 0; a < ClavierManager::kNbActions; ++a)
        EXPECT_EQ(0, c.keyState[a][0] + c.keyState[a][1]);
    EXPECT_EQ(0.0, c.joystickAxis[3]);
}

TEST(KeyBindings, FileKeysReplaceTheDefaults)
{
    SandboxedGameFolders folders;
    std::string text = defaultFile();
    text.replace(0, 3, "273"); // player 1 up on the up arrow
    folders.writeUserFile("Data/Keyboard.dat", text);
    ClavierManager c;
    EXPECT_EQ(SDLK_UP, c.key[ClavierManager::UP][0]);
    EXPECT_EQ(SDLK_UP, c.pendingKey[ClavierManager::UP][0]);
    EXPECT_EQ(SDLK_UP, c.key[ClavierManager::UP][1]);
}

struct KeyFile {
    const char* name;
    std::string text;
    int p1Up, p1Down, p2Restart;
};

void PrintTo(const KeyFile& f, std::ostream* os)
{
    *os << f.name;
}

class OddKeyFile : public ::testing::TestWithParam<KeyFile> {};

TEST_P(OddKeyFile, KeepsDefaultsForWhatItCannotUse)
{
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Keyboard.dat", GetParam().text);
    ClavierManager c;
    EXPECT_EQ(GetParam().p1Up, c.key[ClavierManager::UP][0]);
    EXPECT_EQ(GetParam().p1Down, c.key[ClavierManager::DOWN][0]);
    EXPECT_EQ(GetParam().p2Restart, c.key[ClavierManager::RESTART][1]);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OddKeyFile,
    ::testing::Values(KeyFile{"Short", "120\n121\n", 120, 121, 8},
                      KeyFile{"Damaged", "120\nxx\n1\n2\n", 120, 115, 8},
                      KeyFile{"OutOfRange", "0\n400\n", 119, 115, 8},
                      KeyFile{"Negative", "-3\n122\n", 119, 122, 8},
                      KeyFile{"Crlf", "\xEF\xBB\xBF" "120\r\n121\r\n", 120, 121, 8},
                      KeyFile{"LastKeyCode", std::to_string(SDLK_LAST - 1) + "\n" + std::to_string(SDLK_LAST) + "\n",
                              SDLK_LAST - 1, 115, 8},
                      KeyFile{"Empty", "", 119, 115, 8}),
    [](const ::testing::TestParamInfo<KeyFile>& info) { return std::string(info.param.name); });

TEST(KeyBindings, SaveWritesFourteenLinesAndPutsThePendingKeysInForce)
{
    SandboxedGameFolders folders;
    ClavierManager c;
    c.pendingKey[ClavierManager::VALIDATE][0] = SDLK_e;
    c.pendingKey[ClavierManager::BACK][1] = SDLK_q;
    ASSERT_TRUE(c.sauver());
    std::string expected = defaultFile();
    expected.replace(expected.find("32\n"), 3, "101\n");
    expected.replace(expected.find("127\n"), 4, "113\n");
    EXPECT_EQ(expected, folders.readUserFile("Data/Keyboard.dat"));
    EXPECT_EQ(SDLK_e, c.key[ClavierManager::VALIDATE][0]);
    EXPECT_EQ(SDLK_q, c.key[ClavierManager::BACK][1]);

    ClavierManager again;
    EXPECT_EQ(SDLK_e, again.key[ClavierManager::VALIDATE][0]);
    EXPECT_EQ(SDLK_q, again.key[ClavierManager::BACK][1]);
}

TEST(KeyBindings, InstalledSeedHoldsExactlyTheDefaults)
{
    SandboxedGameFolders folders;
    ClavierManager c;
    ASSERT_TRUE(c.sauver());
    const std::string seed = korvelin_test::readFile(std::string(KORVELIN_STAGE_DIR) + "/Data/Keyboard.dat");
    EXPECT_EQ(defaultFile(), seed);
    EXPECT_EQ(folders.readUserFile("Data/Keyboard.dat"), seed);
}

TEST(KeyBindings, FailedSaveFallsBackToTheFileAndKeepsIt)
{
    SandboxedGameFolders folders;
    std::string stored = defaultFile();
    stored.replace(0, 3, "120");
    folders.writeUserFile("Data/Keyboard.dat", stored);
    ClavierManager c;
    c.pendingKey[ClavierManager::UP][0] = SDLK_i;
    {
        korvelin_test::FailingWrites limit;
        EXPECT_FALSE(c.sauver());
    }
    EXPECT_EQ(stored, folders.readUserFile("Data/Keyboard.dat"));
    EXPECT_EQ(SDLK_x, c.key[ClavierManager::UP][0]);
    EXPECT_EQ(SDLK_x, c.pendingKey[ClavierManager::UP][0]);
}

TEST(KeyBindings, AssignAndMajTempAndInitTouches)
{
    SandboxedGameFolders folders;
    ClavierManager c;
    c.key[ClavierManager::LEFT][1] = SDLK_j;
    c.majTemp();
    EXPECT_EQ(SDLK_j, c.pendingKey[ClavierManager::LEFT][1]);
    c.assign();
    EXPECT_EQ(SDLK_LEFT, c.key[ClavierManager::LEFT][1]);
    EXPECT_EQ(SDLK_j, c.pendingKey[ClavierManager::LEFT][1]);

    c.keyState[ClavierManager::UP][0] = 2;
    c.keyState[ClavierManager::BACK][1] = 1;
    c.joystickUsed[1] = true;
    c.joystickAxis[2] = 0.5;
    c.lastKey = SDLK_a;
    c.initTocuhes();
    EXPECT_EQ(0, c.keyState[ClavierManager::UP][0]);
    EXPECT_EQ(0, c.keyState[ClavierManager::BACK][1]);
    EXPECT_FALSE(c.joystickUsed[1]);
    EXPECT_EQ(0.0, c.joystickAxis[2]);
    EXPECT_EQ(0, c.lastKey); // 0 here, not the -1 of a fresh service
    EXPECT_EQ(SDLK_LEFT, c.key[ClavierManager::LEFT][1]); // bindings untouched
}
