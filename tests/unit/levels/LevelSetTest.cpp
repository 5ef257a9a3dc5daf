// The shape of the official level set: six worlds of five to nine levels
// numbered without gaps, complete files with an empty last row, and every
// block type of the level format used somewhere.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "OfficialLevels.h"
#include "world/FichierNiveau.h"

using namespace leveltest;

namespace {

FichierNiveau readLevel(const OfficialLevel& level)
{
    FichierNiveau f;
    std::string error;
    EXPECT_TRUE(FichierNiveau::lire(readText(level.path), f, &error)) << level.name << ": " << error;
    return f;
}

// The block types with a landing of their own (any other number is a hole):
// plain 1, the bonus, malus, push, bounce, slowing and stopping blocks 2-15,
// random 16, flat 17, breakable 20, timed 21-26, disposable 27-28, time,
// gravity and transparency blocks 30-34, moving blocks 50-61, finish 100 and
// the used block 101. The plain ranges 200-299 and 300-399 are checked apart.
std::vector<int> singleBlockTypes()
{
    std::vector<int> types;
    for (int t = 1; t <= 17; ++t) types.push_back(t);
    for (int t = 20; t <= 28; ++t) types.push_back(t);
    for (int t = 30; t <= 34; ++t) types.push_back(t);
    for (int t = 50; t <= 61; ++t) types.push_back(t);
    types.push_back(100);
    types.push_back(101);
    return types;
}

std::string caseName(const ::testing::TestParamInfo<OfficialLevel>& info)
{
    return "Level_" + std::to_string(info.param.world) + "_" + std::to_string(info.param.number);
}

class LevelFile : public ::testing::TestWithParam<OfficialLevel> {};

} // namespace

TEST(LevelSet, SixWorldsOfFiveToNineLevelsNumberedWithoutGaps)
{
    std::map<int, std::vector<int>> numbers;
    for (const OfficialLevel& l : officialLevels())
        numbers[l.world].push_back(l.number);
    for (int world = 1; world <= 6; ++world) {
        const std::vector<int>& n = numbers[world];
        EXPECT_GE(n.size(), 5u) << "world " << world;
        EXPECT_LE(n.size(), 9u) << "world " << world;
        for (std::size_t i = 0; i < n.size(); ++i)
            EXPECT_EQ(n[i], static_cast<int>(i) + 1) << "world " << world;
    }
    for (const auto& [world, list] : numbers)
        EXPECT_TRUE(world >= 1 && world <= 6) << "level outside the six worlds: world " << world;
}

TEST(LevelSet, EveryBlockTypeOfTheFormatAppears)
{
    std::set<int> used;
    for (const OfficialLevel& l : officialLevels()) {
        const FichierNiveau f = readLevel(l);
        used.insert(f.cells.begin(), f.cells.end());
    }
    for (int type : singleBlockTypes())
        EXPECT_TRUE(used.count(type)) << "block type " << type << " appears in no official level";
    EXPECT_TRUE(used.lower_bound(200) != used.end() && *used.lower_bound(200) <= 299)
        << "no plain block of the range 200-299";
    EXPECT_TRUE(used.lower_bound(300) != used.end() && *used.lower_bound(300) <= 399)
        << "no plain block of the range 300-399";
}

TEST_P(LevelFile, IsCompleteWithAnEmptyLastRowAndAFinish)
{
    const OfficialLevel& level = GetParam();
    const FichierNiveau f = readLevel(level);
    EXPECT_EQ(f.generation, 2) << level.name;
    ASSERT_EQ(f.cells.size(), static_cast<std::size_t>(f.rows) * f.cols) << level.name;
    // The last row collides but is never drawn.
    for (int c = 0; c < f.cols; ++c)
        EXPECT_EQ(f.cells[(f.rows - 1) * f.cols + c], 0) << level.name << ", last row, column " << c + 1;
    bool finish = false;
    for (int t : f.cells)
        finish = finish || t == 100;
    EXPECT_TRUE(finish) << level.name;
}

INSTANTIATE_TEST_SUITE_P(Official, LevelFile, ::testing::ValuesIn(officialLevels()), caseName);
