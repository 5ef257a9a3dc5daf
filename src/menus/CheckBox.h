#pragma once

#include "world/Objet.h"

class OptionsManager;

// A two-state box drawn beside a level of the versus lists. The upper half
// of its image shows the ticked box, the lower half the empty one. Copies
// share the texture, which belongs to the texture store.
class CheckBox : public Objet {
public:
    CheckBox();

    bool isChecked() const;
    void setChecked(bool value);

    // Places the box's lower-left corner at (x, y) in the menu overlay and
    // draws it there.
    void draw(double x, double y);

    unsigned int getTexture() const { return texture; }

private:
    OptionsManager* options;
    bool checked;
    unsigned int texture;
};
