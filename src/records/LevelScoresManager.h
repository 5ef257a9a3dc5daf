#pragma once

#include "records/LevelScoresManagerNoScoreForThisLevelException.h"

#include <fstream>
#include <map>
#include <string>
#include <vector>

class DebugManager;
class DataFileManager;
class CryptageManager;

// The best time of every level played alone: in memory as text ("83.4"),
// and on disk as one scrambled ".kzs" file per level in the player's folder.
class LevelScoresManager {
public:
    LevelScoresManager();
    virtual ~LevelScoresManager();

    static LevelScoresManager* getInstance();

    // False (and logged) for a custom level, whose name holds a ".".
    bool isOfficial(const std::string& level);
    // The level's best-time file, opened through the data-path service (the
    // caller deletes it); null when the level name is not safe for a path.
    std::fstream* getStream(const std::string& level, int mode);

    // The stored time text; throws LevelScoresManagerNoScoreForThisLevelException
    // when the file is missing, empty or does not hold a decimal number.
    std::string loadScore(const std::string& level);
    // Writes the cached time of the level, whole or not at all.
    void saveScore(const std::string& level);
    void saveScores();
    void erase();
    void loadScores();

    void addScore(const std::string& level, const std::string& time, bool changed);
    void addScore(const std::string& level, const std::string& time);
    void addScore(const std::string& level);
    // The record decision: true when seconds beats the stored best time (an
    // equal time does not); a record is stored truncated to tenths.
    bool addScore(const std::string& level, double seconds);

    // "83.4 s", or "----.- s" for a level without a best time.
    std::string getScoreAsString(const std::string& level);
    std::string addSeconds(const std::string& time);

    // The stored form of a time: truncated to tenths, always one decimal.
    static std::string timeText(double seconds);
    // True when text is wholly a decimal number (non-empty, finite).
    static bool isDecimal(const std::string& text, double* value = nullptr);

    static LevelScoresManager* scoreManagerInst;

private:
    DebugManager* log;
    DataFileManager* dataFiles;
    CryptageManager* crypt;
    std::map<std::string, std::string> scores;
    std::vector<std::string> changed;
};
