#pragma once

// A game brought into play, and players put at their endings, for the tests
// that draw a game's views without the application's loop.
#include <string>

class GameManager;

namespace korvelin_test {

// A game of the custom level levelName (in the user folder) for one or two
// players, the intro skipped and the countdown over. The game manager and
// the level manager are the process-wide ones.
GameManager* startInPlay(int players, const std::string& levelName);

enum class Ending { LevelEnd, TimeOut, NoLives, Finishing };

// Puts player n in an ending whose fade stands at msLeft of its 2600 ms
// (the end-state fades) or at level-end progress `progress`.
void enterEnding(GameManager* gm, int n, Ending ending, int msLeft, float progress);

} // namespace korvelin_test
