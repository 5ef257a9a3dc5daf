#pragma once

#include "world/Objet3D.h"

#include <string>

class CTextureManager;
class OptionsManager;

// One block of a level: a textured plate at a grid cell (x = column,
// z = row, y = height of the top face). Its type decides what a landing on
// it does; solid says whether it carries the player. A used block reacts at
// its next refresh.
class Bloc : public Objet3D {
public:
    Bloc(float x, float y, float z, int numero, int type);

    using Objet3D::refresh;
    void draw() override;

    // Loads the image of the block's type.
    virtual void init();
    // Records the block's shape into its display list numero.
    virtual void compile();
    virtual void utiliser();
    virtual bool isSolid();
    virtual void setSolid(bool solid);
    virtual int getType();
    virtual int getNumeroObjet();
    // players: x, y, z of player 1 then of player 2 (six doubles, may be null).
    virtual void refresh(long dt, double* players);

    // Type a used plain block turns into.
    static const int usedType = 101;

public:
    int type;
    int numero;
    unsigned int texture;
    bool solid;
    bool used;
    CTextureManager* textures;
    OptionsManager* options;

protected:
    // "Images/Blocks/<quality>/<type>.tga"
    std::string texturePath(int imageType);
    // Shapes shared by the kinds: side depth d; the slab adds a back face
    // and uses the whole right half of the image for its edges.
    void emitBlockShape(float depth);
    void emitSlab(float cx, float cy, float cz, float halfWidth, float sTop0, float sTop1);
};
