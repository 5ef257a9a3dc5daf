// The main loop's step and pacing rules, at their boundaries.
#include "application/FrameTiming.h"

#include <gtest/gtest.h>

namespace {

struct DeltaCase {
    unsigned long now, last;
    long dt;
};

class FrameDelta : public ::testing::TestWithParam<DeltaCase> {};

TEST_P(FrameDelta, IsTheTimeSinceThePreviousFrameCappedAtFortyMs)
{
    EXPECT_EQ(GetParam().dt, frame_timing::frameDelta(GetParam().now, GetParam().last));
}

INSTANTIATE_TEST_SUITE_P(Cases, FrameDelta,
                         ::testing::Values(DeltaCase{1000, 1000, 0}, DeltaCase{1016, 1000, 16},
                                           DeltaCase{1040, 1000, 40}, DeltaCase{1041, 1000, 40},
                                           DeltaCase{1200, 1000, 40}, DeltaCase{6000, 1000, 40}));

struct PacingCase {
    unsigned long frameMs;
    unsigned int sleepMs;
};

class Pacing : public ::testing::TestWithParam<PacingCase> {};

TEST_P(Pacing, SleepsLongerAfterQuickerFrames)
{
    EXPECT_EQ(GetParam().sleepMs, frame_timing::pacingDelay(GetParam().frameMs));
}

INSTANTIATE_TEST_SUITE_P(Cases, Pacing,
                         ::testing::Values(PacingCase{0, 3}, PacingCase{9, 3}, PacingCase{10, 1},
                                           PacingCase{15, 1}, PacingCase{16, 0}, PacingCase{40, 0}));

} // namespace
