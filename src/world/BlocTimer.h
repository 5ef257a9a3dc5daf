#pragma once

#include "world/Bloc.h"

class SonsManager;

// Types 21 to 26: a thin block that switches between solid and void on a
// cycle, ticking louder the nearer the nearest player is.
class BlocTimer : public Bloc {
public:
    BlocTimer(float x, float y, float z, int numero, int voidTime, int solidTime, int type, bool solid);

    using Bloc::refresh;
    void draw() override;
    void compile() override;
    void refresh(long dt, double* players) override;

    // Loudness of a tick heard from a distance: full at 0, silent from 30.
    static double tickFactor(double distance);

public:
    SonsManager* sounds;
    float clock;
    int voidTime;
    int solidTime;
};
