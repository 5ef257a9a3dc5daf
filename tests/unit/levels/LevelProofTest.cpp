// Every official level is finished by its key script, replayed through the
// game's own level, block and player code; and no level from world 2 on
// finishes itself while no key is held.
#include <gtest/gtest.h>

#include "LevelRun.h"
#include "OfficialLevels.h"
#include "world/Joueur.h"

using namespace leveltest;

namespace {

std::string caseName(const ::testing::TestParamInfo<OfficialLevel>& info)
{
    return "Level_" + std::to_string(info.param.world) + "_" + std::to_string(info.param.number);
}

std::vector<OfficialLevel> levelsFromWorld2()
{
    std::vector<OfficialLevel> out;
    for (const OfficialLevel& l : officialLevels())
        if (l.world >= 2)
            out.push_back(l);
    return out;
}

class LevelProof : public ::testing::TestWithParam<OfficialLevel> {};
class NoKeyPlay : public ::testing::TestWithParam<OfficialLevel> {};

} // namespace

TEST_P(LevelProof, ScriptFinishesTheLevelWithinItsTimeLimit)
{
    const OfficialLevel& level = GetParam();
    const std::string path = scriptFolder() + "/" + level.name + ".txt";
    KeyScript script;
    std::string error;
    ASSERT_TRUE(parseScript(readText(path), script, error)) << path << ": " << error;
    ASSERT_FALSE(script.segments.empty()) << path;

    LevelRun run(level);
    ASSERT_TRUE(run.loaded()) << level.name;
    run.play(script);

    EXPECT_TRUE(run.player().niveauTermine())
        << level.name << " not finished: state " << run.player().getEtat() << " after " << run.elapsedMs()
        << " ms at x " << run.player().getX() << ", z " << run.player().getZ();
    EXPECT_LE(run.elapsedMs(), run.timeLimitSeconds() * 1000L);
    EXPECT_GT(run.player().getTempsMs(), 0.0f);
}

TEST_P(NoKeyPlay, HoldingNoKeyRunsOutOfTimeWithoutFinishing)
{
    const OfficialLevel& level = GetParam();
    LevelRun run(level);
    ASSERT_TRUE(run.loaded()) << level.name;
    const long dt = 10;
    KeyScript idle;
    idle.dt = dt;
    // The whole time limit and a little more, so the time-out is reached.
    idle.segments.push_back(KeySegment{false, false, false, false,
                                       static_cast<int>(run.timeLimitSeconds() * 1000L / dt + 10)});
    run.play(idle);

    EXPECT_FALSE(run.player().niveauTermine()) << level.name << " finishes with no key held";
    EXPECT_NE(run.player().getEtat(), Joueur::kJeu) << level.name << " still in play after its time limit";
}

INSTANTIATE_TEST_SUITE_P(Official, LevelProof, ::testing::ValuesIn(officialLevels()), caseName);
INSTANTIATE_TEST_SUITE_P(Official, NoKeyPlay, ::testing::ValuesIn(levelsFromWorld2()), caseName);
