#pragma once

#include "world/Objet.h"

class OptionsManager;

// The thumb beside a level list that shows how far down the list the cursor
// stands. Its x and y are the lower-left corner of the thumb in the menu
// overlay (0 to 1, y upward). The texture belongs to the texture store.
class ScrollBar : public Objet {
public:
    ScrollBar();

    // total: entries of the list; current: 0-based index under the cursor.
    // Moves the thumb to its place for current, then draws it there.
    void draw(double total, double current);

    // Where the thumb stands for current in a list of total entries: 0.745
    // for the first entry down to 0.745 - travel for the last one.
    static float thumbY(double total, double current, float travel);

    float getTravel() const { return travel; }
    unsigned int getTexture() const { return texture; }

private:
    OptionsManager* options;
    unsigned int texture;
    float travel;
};
