#pragma once

#include "menus/Menu.h"

#include <string>

class LangManager;
class DifficultyScoresManager;
class DataFileManager;

// Closes a cleared difficulty run: shows player 1's time and its place in
// the difficulty's ten best times; a time that makes the table takes a
// three-letter name and the table file is rewritten. Code 1 when the player
// leaves.
class MenuRecord : public Menu {
public:
    // playerTime and secondTime: the run's time texts of players 1 and 2 as
    // the game manager gives them ("83.4 "); difficulty: the run's, 1 to 6.
    MenuRecord(std::string playerTime, std::string secondTime, int difficulty);
    ~MenuRecord() override;

    void refresh(long dt) override;
    void draw() override;
    void reset() override;

    // Reads the difficulty's table into the screen's own table.
    void charger();
    // Ranks player 1's time.
    void comparer();
    // Place of player k's time: 1 to 10, or 0 when it makes no place.
    int comparer(int k);
    // Writes the table file with the player's entry, then reloads the store.
    void enregistrer();

    // The whole table file as enregistrer writes it.
    std::string texteTable();
    // "1st" ... "10th", or the text of "out" for no place.
    std::string positionText();

    int getRank() const { return rank; }
    int getCursor() const { return cursor; }
    int getDifficulty() const { return difficulty; }
    const std::string& getPlayerName() const { return playerName; }
    const std::string& getTableName(int i) const { return tableNames[i]; }
    const std::string& getTableTime(int i) const { return tableTimes[i]; }

    static const int kRanks = 10;

private:
    bool validDifficulty() const;
    std::string tablePath() const;
    void endEntry();
    void drawText(const std::string& text, double x, double y, double* color);

    LangManager* lang;
    DifficultyScoresManager* scores;
    DataFileManager* dataFiles;
    std::string tableNames[kRanks];
    std::string tableTimes[kRanks];
    std::string playerTime;
    std::string secondTime;
    std::string playerName;
    std::string secondName;
    int rank;
    int secondRank;
    int cursor;
    int difficulty;
};
