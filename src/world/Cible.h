#pragma once

#include "world/Objet3D.h"

class CTextureManager;

// The spinning target marker shown under the player during a super bounce.
class Cible : public Objet3D {
public:
    Cible();

    // Turns the marker at 150 degrees per second.
    void refresh(long dt) override;
    void draw() override;

    double getAngle() const { return angle; }

private:
    unsigned int texture;
    double angle; // degrees
    CTextureManager* textures;
};
