#pragma once

#include "world/Bloc.h"

// Types 50 to 61: a thin block travelling along one axis at 1, 2 or 3 units
// per second. It is kept apart from the grid; the level manager turns it at
// walls, at the grid's edge and at other moving blocks.
class BlocMobile : public Bloc {
public:
    BlocMobile(float x, float y, float z, int numero, int type);

    using Bloc::refresh;
    // Drawn at its current position every frame (it has no display list).
    void draw() override;
    void init() override;
    void compile() override;
    void refresh(long dt, double* players) override;

    virtual void invertX();
    virtual void invertZ();
    virtual void invert();
    virtual float getSpeedX();
    virtual float getSpeedZ();
    virtual float getSpeedXUnit();
    virtual float getSpeedZUnit();
    // Back to where it stood before the last refresh.
    virtual void replace();

    // True for the moving types 50 to 61.
    static bool isMobileType(int type);

public:
    float speedX;
    float speedZ;
    int textureType;
    float previousX;
    float previousZ;
};
