#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KeyScript.h"

class Joueur;
class NiveauManager;

// One official level played through the game's own level, block and player
// code, frame by frame at a fixed dt, without a window. The session can save
// and restore the whole world at a landing (when the player's steering
// accelerations are cleared), which is what lets the search branch cheaply.
class LevelSession {
public:
    // installDir holds Levels/Official/<name>.kzl; userDir becomes APPDATA.
    // Both must be set before the first service is made.
    static void prepareFolders(const std::string& installDir, const std::string& userDir);

    explicit LevelSession(const std::string& levelName);
    ~LevelSession();

    bool loaded() const { return ok; }
    NiveauManager* level() const;
    Joueur& player() { return *joueur; }
    int timeLimit() const;

    // Loads the level afresh and puts a new player at the start.
    void restart();
    // One frame of play with these keys held, in the game's order: blocks,
    // moving blocks, their collisions, then the player.
    void step(const KeySegment& keys, long dt);

    struct BlockState {
        int type;
        bool solid, used;
        unsigned int texture;
        float x, y, z;
        float extra[6];
        int uses;
        bool timer, moving;
    };
    struct Snapshot {
        std::vector<BlockState> blocks;
        float x, y, z, vx, vy, vz, gravity;
        int lives;
        long clock;
        uint32_t random;
    };
    Snapshot save();
    void restore(const Snapshot& s);

    // The game's random numbers during the search: the same generator as
    // the game's, with its state kept here so that a snapshot can hold it.
    static void installRandom(uint32_t seed);
    static uint32_t randomState;

private:
    std::vector<class Bloc*> allBlocks() const;
    std::string name;
    std::unique_ptr<Joueur> joueur;
    long clock = 0;
    bool ok = false;
};
