#pragma once

#include "records/Ghost.h"
#include "records/md5wrapper.h"

#include <string>
#include <vector>

class Bloc;
class CTextureManager;
class DataFileManager;
class DebugManager;
class GhostManager;
class LightManager;
class OptionsManager;
class SonsManager;
struct FichierNiveau;

// The level of the game in progress: the grid of blocks read from a level
// file, the moving blocks, the level's light, background and time limit, the
// digests of the levels loaded in this game, the level's best-run ghost and
// the choice of the next level in each game mode. One instance per game.
//
// Grid: cell (row r, column c), both from 1, holds the block standing at
// x = c, z = r; row 0 and column 0 are never used. The cell of a point
// (x, z) is row (int)(z + 0.5), column (int)(x + 0.5).
//
// Display lists: 1 is the background quad; the cell read k-th (from 0) owns
// list 10 + k.
class NiveauManager {
public:
    NiveauManager();
    virtual ~NiveauManager();
    NiveauManager(const NiveauManager&) = delete;
    NiveauManager& operator=(const NiveauManager&) = delete;

    static NiveauManager* getInstance();
    static void kill();
    static NiveauManager* niveauManager;

    // Loads the next level of the game: Level_<difficulty>-<levelIndex> in
    // mode 0, entry levelIndex - 1 of levelNames otherwise (with its ghost
    // in modes 1 and 2). Does nothing once noMoreLevel is set.
    void chargerNiveau();
    // Loads the level file of this base name from the mode's folder. A
    // missing, unreadable or refused file sets noMoreLevel and changes
    // nothing else (fileName and title already hold the new name).
    void chargerNiveau(std::string name);
    // Builds the level from a file's contents (light, background, grid,
    // blocks, digest). chargerNiveau(name) calls it once the file is read.
    void construireNiveau(const FichierNiveau& level);
    // Frees the grid, the blocks and the level's display lists; rows and
    // cols become 0. Logs "Destruct the level". Safe without a level.
    void detruireNiveau();
    // Stores fileName and makes the display title.
    void renommeNiveau(std::string name);

    Bloc* getBloc(float x, float z);
    Ghost* getGhost();
    bool hasGhost();

    // Play-time queries and updates.
    bool collision(float x, float z, bool withMobile, bool timedToo);
    void utiliser(float x, float z);
    Bloc* getMobileBloc(float x, float z);
    void refreshFixedBlocs(long dt);
    void refreshMobileBlocs(long dt);
    void collisionMobileBlocs(long dt);
    void collisionFixedBlocs(long dt);

    // Copies x, y, z of player 1 then of player 2 into playerPositions.
    void setPlayerPositions(const double* six);

    // Whether the cell (row, column) lies within the grid.
    bool inGrid(int row, int column) const;
    // Whether the cell stops moving blocks: a solid block, or a breakable or
    // timed one (types 20 to 26) even when open or void.
    bool isWall(int row, int column) const;

public:
    CTextureManager* textures;
    LightManager* light;
    DebugManager* log;
    OptionsManager* options;
    SonsManager* sounds;
    DataFileManager* dataFiles;
    GhostManager* ghosts;
    md5wrapper md5;

    std::vector<std::string> hashes;      // digest of each level loaded, by levelIndex - 1
    std::vector<std::string> levelNames;  // base names to play in modes 1 to 4
    std::string fileName;
    std::string title;
    int levelIndex;
    int difficulty;
    int mode;

    std::vector<Bloc*> mobileBlocks;
    Bloc*** grid;
    int rows;   // file rows + 1
    int cols;   // file columns + 1
    int levelTime;
    float lightColor[3];
    std::string backgroundName;
    unsigned int backgroundTexture;
    // Kept by value: the game manager copies the players' positions in
    // every frame before the blocks are refreshed.
    double playerPositions[6];
    bool noMoreLevel;
    Ghost ghost;
    bool ghostLoaded;

    static constexpr int backgroundList = 1;
    static constexpr int firstBlockList = 10;

private:
    // Frees the grid, the blocks and the display lists the level made.
    void freeLevel();
    // The texture of backgroundName for the current quality and aspect;
    // the "default" texture, and an error line, for a name that is not one
    // plain file name.
    unsigned int loadBackground();

    // Display lists the loaded level made: 10 .. 9 + listCount (one per
    // cell read) and, when backgroundListMade, list 1.
    int listCount;
    bool backgroundListMade;
};
