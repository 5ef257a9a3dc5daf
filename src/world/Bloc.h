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
    static constexpr int usedType = 101;

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
    // Quads of a plate spanning x0..x1 and z0..z1, top face at top, sides
    // reaching depth below it. The top face takes s from sTop0 (at x0) to
    // sTop1 (at x1); the sides take s from 0.5 at the bottom to sideTop at
    // the top. withBack adds the face at z0 (the slabs have one).
    static void emitPlate(float x0, float x1, float z0, float z1, float top, float depth,
                          float sTop0, float sTop1, float sideTop, bool withBack);
    // The shapes of the kinds, around the block's own position.
    void emitBlock(float depth);
    void emitSlab();

public:
    static constexpr float blockDepth = 0.3f;
    static constexpr float thinDepth = 0.075f;
    static constexpr float slabDepth = 0.025f;
};
