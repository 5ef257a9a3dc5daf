#pragma once

#include "menus/Menu.h"

#include <string>

class LangManager;
class DifficultyScoresManager;

// The ten best times of each of the six difficulties, one difficulty at a
// time: an item row of the six difficulties and "previous". Only reads the
// tables of the shared store. Code 7 when the player leaves.
class MenuScores : public Menu {
public:
    MenuScores();
    ~MenuScores() override;

    void draw() override;
    void reset() override;

    // Draws the ten rows of the table of the selected difficulty.
    void drawScores();
    // Takes the table pointers afresh from the store.
    void charger();
    // Frees the table pointer arrays.
    void detruire();

    // The three texts of row i (0 to 9) of difficulty d (1 to 6).
    std::string rankText(int i);
    std::string nameText(int d, int i);
    std::string timeText(int d, int i);

    // Left x of the rank column, centre of the name column and right x of
    // the time column for an aspect class (0 4:3, 1 16:10, 2 16:9, 3 5:4).
    struct Columns {
        double rank;
        double name;
        double time;
    };
    static Columns columns(int aspectClass);
    // Height of row i, 0 the top one.
    static double rowY(int i);

private:
    void drawText(const std::string& text, double x, double y, int align);

    LangManager* lang;
    DifficultyScoresManager* scores;
    std::string** nameTables;
    std::string** timeTables;
};
