#pragma once

#include "records/Ghost.h"
#include "records/GhostManagerNoGhostForThisLevelException.h"

#include <fstream>
#include <istream>
#include <map>
#include <string>

class DebugManager;
class DataFileManager;

// The best run of every level as a Ghost, in memory and in one ".kzg" file
// per level in the player's folder. Each file is read at most once a run.
class GhostManager {
public:
    GhostManager();
    virtual ~GhostManager();

    static GhostManager* getInstance();

    // False (and logged) for a custom level, whose name holds a ".".
    bool isOfficial(const std::string& level);
    // The level's ghost file, opened through the data-path service (the
    // caller deletes it); null when the level name is not safe for a path.
    std::fstream* getStream(const std::string& level, int mode);

    // The run stored in the level's file, rewound; throws
    // GhostManagerNoGhostForThisLevelException when there is no file.
    Ghost loadGhost(const std::string& level);
    // Writes the cached run of the level, whole or not at all.
    void saveGhost(const std::string& level);

    void addGhost(const std::string& level, double seconds, const Ghost& ghost);
    // Replaces the level's run (no comparison: the caller knows it is a new
    // best) and writes its file.
    void addGhost(const std::string& level, const Ghost& ghost);
    void addGhost(const std::string& level);

    // The cached run; throws GhostManagerNoGhostForThisLevelException when the
    // level has none (an empty run counts as none).
    Ghost& getGhost(const std::string& level);
    void erase();

    // The file form of a run: the POS lines, then the INS lines.
    static std::string ghostText(const Ghost& ghost);
    // Reads records from a ghost file into ghost until the first token that
    // cannot be read; poses go through the recording filter.
    static void readGhost(std::istream& in, Ghost& ghost);

    static GhostManager* ghostManagerInst;

private:
    DebugManager* log;
    DataFileManager* dataFiles;
    std::map<std::string, Ghost> ghosts;
};
