#pragma once

#include <string>

class DataFileManager;

// The six tables of the ten best difficulty-run times, with their players'
// names, as read from "Levels/Official/Scores_1.kzs" ... "Scores_6.kzs".
// The new-record screen writes the files; this class only reads them.
class DifficultyScoresManager {
public:
    static const int kDifficulties = 6;
    static const int kRanks = 10;

    DifficultyScoresManager();
    virtual ~DifficultyScoresManager();

    static DifficultyScoresManager* getInstance();

    // Reads all six tables anew; slots missing from a file stay empty.
    void loadScores();

    // The ten times (plain: "83.4 " or "9999.9") or names of difficulty index
    // d (0 to 5), best first; null for another index. A later loadScores
    // changes the texts behind these pointers.
    std::string* getScores(int d);
    std::string* getNames(int d);
    // Copies of one entry; empty texts outside the tables.
    std::string getScore(int d, int i);
    std::string getName(int d, int i);
    // Sets one entry in memory only.
    void setScore(std::string name, std::string score, int d, int i);
    // The tables are written by the new-record screen: these do nothing.
    void setScores(std::string* names, std::string* scores, int d);
    void saveScores();
    void erase();

    // True for a time text of a run: digits, ".", digits, at most one blank.
    static bool isTimeText(const std::string& text);

    static const char* const emptyName;  // "K.Z"
    static const char* const emptyScore; // "9999.9"

    static DifficultyScoresManager* scoreManagerInst;

private:
    static bool inTable(int d, int i);
    void loadTable(int d);

    DataFileManager* dataFiles;
    std::string names[kDifficulties][kRanks];
    std::string scores[kDifficulties][kRanks];
};
