#pragma once

// Thrown (by value) when a level has no readable best time.
class LevelScoresManagerNoScoreForThisLevelException {
};
