#pragma once

// One official level played as the game plays it, without a window: the
// level file is installed in a temporary game folder, loaded by the level
// manager as an official level, and the player is driven frame by frame at a
// fixed dt with scripted key states.

#include <memory>
#include <string>

#include "OfficialLevels.h"
#include "TestFiles.h"

class Joueur;

namespace leveltest {

class LevelRun {
public:
    // Installs and loads the level; loaded() tells whether the game accepted it.
    explicit LevelRun(const OfficialLevel& level);
    ~LevelRun();

    bool loaded() const { return ok; }
    int timeLimitSeconds() const;
    Joueur& player() { return *joueur; }
    long elapsedMs() const { return clock; }

    // One frame of play in the game manager's order: blocks, moving blocks,
    // their turning, then the player moves and lands.
    void step(const KeySegment& keys, long dt);

    // Plays the script until its end or until the player leaves play
    // (finished, out, or in an end animation).
    void play(const KeyScript& script);

private:
    korvelin_test::SandboxedGameFolders folders;
    std::unique_ptr<Joueur> joueur;
    long clock = 0;
    bool ok = false;
};

} // namespace leveltest
