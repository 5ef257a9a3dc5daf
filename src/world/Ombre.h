#pragma once

#include "world/Objet3D.h"

class CTextureManager;
class NiveauManager;

// The soft shadow under the player, drawn on the tops of the solid grid blocks
// and left out where it hangs over a hole. Its y is its own small height above
// the blocks' top level.
class Ombre : public Objet3D {
public:
    Ombre();

    void draw() override;
    virtual void setWidth(float w);
    virtual void setHeight(float h);
    virtual void setOpacity(double o);

    float getWidth() const { return width; }
    float getHeight() const { return height; }
    double getOpacity() const { return opacity; }

    // One piece of the shadow in world x and z.
    struct Morceau {
        float gauche, droite, pres, loin;
    };
    // The pieces that Ombre::draw covers (also used by tests).
    int decouper(Morceau (&morceaux)[4]);

protected:
    // Binds the texture and sets the blending of every shadow piece.
    void commencer();
    void terminer();
    // Draws one piece with the matching part of the texture square.
    void dessinerMorceau(const Morceau& m);
    NiveauManager* getNiveau();

    unsigned int texture;
    CTextureManager* textures;
    NiveauManager* level;
    float height; // half the extent along z
    float width;  // half the extent along x
    double opacity;
};
