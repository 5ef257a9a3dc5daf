// The recorded run: the recording filter, the pose lookup by interpolation
// and the event scan.
#include <gtest/gtest.h>

#include "records/Ghost.h"

#include <limits>

namespace {

Position pose(long t, float base, float y = 1.0f)
{
    return Position(t, base, y, base + 1, base + 2, base + 3, base + 4);
}

void expectPose(const Position& p, float x, float y, float z, float rx, float ry, float rz)
{
    EXPECT_FLOAT_EQ(p.getX(), x);
    EXPECT_FLOAT_EQ(p.getY(), y);
    EXPECT_FLOAT_EQ(p.getZ(), z);
    EXPECT_FLOAT_EQ(p.getRX(), rx);
    EXPECT_FLOAT_EQ(p.getRY(), ry);
    EXPECT_FLOAT_EQ(p.getRZ(), rz);
}

Ghost troisPoses()
{
    Ghost g;
    g.addPosition(pose(0, 0));
    g.addPosition(pose(60, 10));
    g.addPosition(pose(120, 20));
    return g;
}

} // namespace

TEST(Position, DefaultIsAllZeroAndSettersTouchOneCoordinate)
{
    Position p;
    EXPECT_EQ(p.getTime(), 0);
    expectPose(p, 0, 0, 0, 0, 0, 0);
    p.setX(1);
    p.setY(2);
    p.setZ(3);
    p.setRX(4);
    p.setRY(5);
    p.setRZ(6);
    expectPose(p, 1, 2, 3, 4, 5, 6);
    Position q(7, 1, 2, 3, 4, 5, 6);
    EXPECT_EQ(q.getTime(), 7);
    expectPose(q, 1, 2, 3, 4, 5, 6);
}

TEST(Instruction, StartsNotDoneAndKeepsItsTexts)
{
    Instruction i(40, "Sound", "rebond");
    EXPECT_EQ(i.getTime(), 40);
    EXPECT_EQ(i.getInstruction(), "Sound");
    EXPECT_EQ(i.getParameter(), "rebond");
    EXPECT_FALSE(i.isDone());
    i.setDone(true);
    EXPECT_TRUE(i.isDone());
}

TEST(GhostRecording, InTheAirKeepsOnlyPosesMoreThan50msApart)
{
    Ghost g;
    for (long t = 0; t <= 160; t += 16)
        g.addPosition(pose(t, static_cast<float>(t), 1.0f));
    std::vector<long> kept;
    for (const Position& p : g.getPositions())
        kept.push_back(p.getTime());
    EXPECT_EQ(kept, (std::vector<long>{0, 64, 128}));
    EXPECT_EQ(g.getLastRecordedTime(), 128);
}

TEST(GhostRecording, NearTheSurfaceKeepsEveryPose)
{
    Ghost g;
    for (long t = 0; t <= 160; t += 16)
        g.addPosition(pose(t, 0, 0.1f));
    EXPECT_EQ(g.getPositions().size(), 11u);
    // Exactly 50 ms later in the air is not enough; a pose at 0.15 is not
    // "below 0.15".
    Ghost h;
    h.addPosition(pose(0, 0, 1.0f));
    h.addPosition(pose(50, 0, 0.15f));
    h.addPosition(pose(51, 0, 1.0f));
    ASSERT_EQ(h.getPositions().size(), 2u);
    EXPECT_EQ(h.getPositions()[1].getTime(), 51);
}

TEST(GhostRecording, ResetRewindsButKeepsTheLists)
{
    Ghost g = troisPoses();
    g.addInstruction(Instruction(10, "Sound", "bonus"));
    g.reset();
    EXPECT_EQ(g.getLastRecordedTime(), -51);
    EXPECT_EQ(g.getPositions().size(), 3u);
    EXPECT_EQ(g.getInstructions().size(), 1u);
    // After a reset a pose at time 0 is kept again.
    g.addPosition(pose(0, 5));
    EXPECT_EQ(g.getPositions().size(), 4u);
}

TEST(GhostRecording, IsEmptyOnlyWithoutPosesAndEvents)
{
    Ghost g;
    EXPECT_TRUE(g.isEmpty());
    g.addInstruction(Instruction(0, "Sound", "malus"));
    EXPECT_FALSE(g.isEmpty());
    Ghost h;
    h.addPosition(pose(0, 0));
    EXPECT_FALSE(h.isEmpty());
}

TEST(GhostRecording, ExtremeTimesAreFilteredWithoutOverflow)
{
    const long least = std::numeric_limits<long>::min();
    const long most = std::numeric_limits<long>::max();
    Ghost g;
    // 50 ms before the least time would lie outside a long: nothing can be
    // that far before it, so only a pose on the surface is kept.
    g.addPosition(pose(least, 1));
    EXPECT_TRUE(g.getPositions().empty());
    g.addPosition(pose(least + 49, 1));
    EXPECT_TRUE(g.getPositions().empty());
    g.addPosition(pose(least, 2, 0.0f));
    ASSERT_EQ(g.getPositions().size(), 1u);
    // The whole range of a long after it.
    g.addPosition(pose(most, 4));
    ASSERT_EQ(g.getPositions().size(), 2u);
    EXPECT_EQ(g.getLastRecordedTime(), most);
    g.addPosition(pose(least + 10, 8));
    EXPECT_EQ(g.getPositions().size(), 2u);
}

TEST(GhostLookupEdges, PosesFurtherApartThanALongReachesBlendWithoutOverflow)
{
    const long least = std::numeric_limits<long>::min();
    const long most = std::numeric_limits<long>::max();
    struct Case {
        long first, second, t;
        float x; // the blend of x = 0 at the first pose and x = 100 at the second
    };
    const Case cases[] = {
        {least, most, 0, 50.0f},
        {least, most, least, 0.0f},
        {least, most, most, 100.0f},
        {least, most, least / 2, 25.0f},
        {least, 0, least / 2, 50.0f},
        {-1, most, most / 2, 50.0f},
        {least, least + 2, least + 1, 50.0f},
        {most - 2, most, most - 1, 50.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        Ghost g;
        g.addPosition(Position(c.first, 0, 0, 0, 0, 0, 0));
        g.addPosition(Position(c.second, 100, 0, 0, 0, 0, 0));
        ASSERT_EQ(g.getPositions().size(), 2u);
        EXPECT_NEAR(g.getPosition(c.t).getX(), c.x, 1e-3f);
    }
}

struct LookupCase {
    long t;
    float base; // expected pose: base, 1, base + 1, ...
};

class GhostLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(GhostLookup, AnswersTheBlendOfTheSurroundingPoses)
{
    Ghost g = troisPoses();
    const LookupCase c = GetParam();
    Position p = g.getPosition(c.t);
    expectPose(p, c.base, 1.0f, c.base + 1, c.base + 2, c.base + 3, c.base + 4);
}

INSTANTIATE_TEST_SUITE_P(ThreePoses, GhostLookup,
    ::testing::Values(LookupCase{30, 5},    // halfway between the first two
        LookupCase{60, 10},                 // f = 1 on the first pair
        LookupCase{90, 15},                 // halfway between the last two
        LookupCase{200, 20},                // after the last pose
        LookupCase{-10, 0},                 // before the first pose
        LookupCase{0, 0},                   // on the first pose
        LookupCase{120, 20}));              // on the last pose

TEST(GhostLookupEdges, PoseAfterTheEndKeepsItsOwnTimeAndInterpolationHasTimeZero)
{
    Ghost g = troisPoses();
    EXPECT_EQ(g.getPosition(200).getTime(), 120);
    EXPECT_EQ(g.getPosition(-10).getTime(), 0);
    EXPECT_EQ(g.getPosition(30).getTime(), 0);
}

TEST(GhostLookupEdges, SinglePoseAnswersItselfAtEveryTime)
{
    Ghost g;
    g.addPosition(pose(100, 7));
    for (long t : {50L, 100L, 150L})
        expectPose(g.getPosition(t), 7, 1, 8, 9, 10, 11);
}

TEST(GhostLookupEdges, EmptyRunAnswersTheDefaultPose)
{
    Ghost g;
    Position p = g.getPosition(500);
    EXPECT_EQ(p.getTime(), 0);
    expectPose(p, 0, 0, 0, 0, 0, 0);
}

TEST(GhostLookupEdges, TwoPosesOfTheSameTimeGiveTheLaterOne)
{
    // Near the surface two poses may share a time (a frame of 0 ms): no
    // division by zero, the later pose wins.
    Ghost g;
    g.addPosition(pose(40, 1, 0.0f));
    g.addPosition(pose(40, 3, 0.0f));
    g.addPosition(pose(80, 5, 0.0f));
    Position p = g.getPosition(40);
    EXPECT_FLOAT_EQ(p.getX(), 3);
    EXPECT_FLOAT_EQ(p.getZ(), 4);
    Ghost h;
    h.addPosition(pose(0, 1, 0.0f));
    h.addPosition(pose(0, 3, 0.0f));
    EXPECT_FLOAT_EQ(h.getPosition(0).getX(), 3);
}

TEST(GhostEvents, ScanReturnsEventsDueOnceAndSkipsDoneOnes)
{
    Ghost g;
    g.addInstruction(Instruction(10, "Sound", "rebond"));
    Instruction fait(20, "Sound", "bonus");
    fait.setDone(true);
    g.addInstruction(fait);
    g.addInstruction(Instruction(30, "Sound", "malus"));
    g.addInstruction(Instruction(90, "Sound", "open"));

    std::vector<Instruction> a = g.getInstructions(30);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].getParameter(), "rebond");
    EXPECT_EQ(a[1].getParameter(), "malus");
    EXPECT_TRUE(g.getInstructions(60).empty());
    std::vector<Instruction> b = g.getInstructions(100);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].getParameter(), "open");
    // Nothing is marked done by the scan.
    EXPECT_FALSE(g.getInstructions()[0].isDone());
    g.reset();
    EXPECT_EQ(g.getInstructions(100).size(), 3u);
}

TEST(GhostCopy, CopyHoldsItsOwnListsAndTheSameLastTime)
{
    Ghost g = troisPoses();
    g.addInstruction(Instruction(5, "Sound", "rebond"));
    Ghost c(g);
    EXPECT_EQ(c.getLastRecordedTime(), 120);
    c.addPosition(pose(500, 50));
    c.getInstructions().clear();
    EXPECT_EQ(g.getPositions().size(), 3u);
    EXPECT_EQ(g.getInstructions().size(), 1u);
    EXPECT_EQ(c.getPositions().size(), 4u);
    Ghost d;
    d = g;
    EXPECT_EQ(d.getPositions().size(), 3u);
    expectPose(d.getPosition(30), 5, 1, 6, 7, 8, 9);
}
