// The sample custom levels the installation ships: the seed list names them,
// each is seeded into the player's folder on first use and loads as a real
// level with a finish.
#include "WorldTestSupport.h"

#include "platform/LevelName.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/NiveauManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kShippedFolder = fs::path(KORVELIN_STAGE_DIR) / "Levels" / "Custom";

std::vector<std::string> listedNames()
{
    std::ifstream in(kShippedFolder / "list.kzo");
    std::vector<std::string> names;
    std::string word;
    while (in >> word)
        names.push_back(word);
    return names;
}

std::string firstToken(const fs::path& file)
{
    std::ifstream in(file);
    std::string token;
    in >> token;
    return token;
}

bool hasFinish(NiveauManager* level)
{
    for (int r = 1; r < level->rows; ++r)
        for (int c = 1; c < level->cols; ++c)
            if (level->grid[r][c] != nullptr && level->grid[r][c]->getType() == 100)
                return true;
    return false;
}

} // namespace

TEST(ShippedCustomLevels, TheListNamesEveryShippedLevelOfBothGenerations)
{
    const std::vector<std::string> names = listedNames();
    ASSERT_GE(names.size(), 3u);

    std::set<std::string> shipped;
    for (const auto& entry : fs::directory_iterator(kShippedFolder))
        if (entry.path().extension() == ".kzl")
            shipped.insert(entry.path().stem().string());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), shipped);

    int tagged = 0, untagged = 0;
    for (const std::string& name : names) {
        EXPECT_TRUE(platform::isValidLevelName(name)) << name;
        (firstToken(kShippedFolder / (name + ".kzl")) == "KZ2" ? tagged : untagged)++;
    }
    EXPECT_GT(tagged, 0);
    EXPECT_GT(untagged, 0);
}

TEST(ShippedCustomLevels, EachIsSeededIntoThePlayersFolderAndLoads)
{
    TemporaryGame game;
    fs::copy(KORVELIN_STAGE_DIR "/Levels", "Levels", fs::copy_options::recursive);
    SonsManager::getInstance();
    openGLWindow();

    for (const std::string& name : listedNames()) {
        SCOPED_TRACE(name);
        NiveauManager* level = NiveauManager::getInstance();
        level->mode = 2;
        level->difficulty = -1;
        level->levelNames.assign(1, name);
        level->chargerNiveau();
        ASSERT_FALSE(level->noMoreLevel);
        EXPECT_TRUE(fs::exists(game.userRoot() + "Levels/Custom/" + name + ".kzl"));
        EXPECT_GE(level->levelTime, 20);
        EXPECT_GE(level->rows, 20) << "a sample level worth playing has some length";
        EXPECT_TRUE(hasFinish(level));
        // The last file row collides but is never drawn: it stays empty.
        for (int c = 1; c < level->cols; ++c)
            EXPECT_EQ(level->grid[level->rows - 1][c], nullptr) << "column " << c;
        NiveauManager::kill();
    }
}
