// Pure read-outs of the heads-up display: the progress marker and the time
// texts.
#include "application/GameManager.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(ProgressMarker, StaysOnItsTrackOnEveryLevelSize)
{
    // Levels of 2, 3 and 4 file rows used to divide by zero or a negative
    // count; every marker must stay between the track's ends.
    for (int rows : {3, 4, 5, 6, 11, 101}) {
        for (float z : {-5.0f, 0.0f, 0.5f, 1.0f, rows - 2.0f, rows + 5.0f}) {
            const float y = GameManager::progressMarkerY(z, rows);
            EXPECT_FALSE(std::isnan(y)) << rows << " " << z;
            EXPECT_GE(y, 0.2f) << rows << " " << z;
            EXPECT_LE(y, 0.88f) << rows << " " << z;
        }
    }
}

TEST(ProgressMarker, RisesFromTheStartToTheFinish)
{
    // 10 file rows: the player starts at z 9 and finishes near z 1.
    EXPECT_NEAR(0.215f, GameManager::progressMarkerY(9.0f, 11), 1e-3f);
    EXPECT_FLOAT_EQ(0.88f, GameManager::progressMarkerY(0.5f, 11));
    float previous = 0.0f;
    for (float z = 9.0f; z >= 1.0f; z -= 0.5f) {
        const float y = GameManager::progressMarkerY(z, 11);
        EXPECT_GE(y, previous) << z;
        previous = y;
    }
}

TEST(PlayTime, IsWholeSecondsDotTenthsAndABlank)
{
    struct { long ms; const char* text; } cases[] = {
        {83450, "83.4 "}, {59999, "59.9 "}, {12345, "12.3 "}, {0, "0.0 "}, {999, "0.9 "}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, GameManager::tempsTexte(c.ms)) << c.ms;
}

} // namespace
