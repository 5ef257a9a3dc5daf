#pragma once

#include "world/Ombre.h"

// The player's shadow on the moving block under it, cut to that block's square.
class OmbreMobile : public Ombre {
public:
    OmbreMobile();

    void draw() override;
    // The piece drawn on the moving block under the centre; false when none.
    bool decouperMobile(Morceau& m);
};
