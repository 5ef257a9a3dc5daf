#pragma once

#include "world/Bloc.h"

// Type 20: a slab that breaks open when used; its two halves swing down over
// 200 ms and it never carries the player again (it still stops moving blocks).
class BlocCassable : public Bloc {
public:
    BlocCassable(float x, float y, float z, int numero, int type);

    using Bloc::refresh;
    void draw() override;
    void compile() override;
    void refresh(long dt, double* players) override;

    // Milliseconds the halves take to hang straight down.
    static constexpr int openDuration = 200;

public:
    float openTime;
};
