#pragma once

#include "world/Bloc.h"

// Types 27 (one use) and 28 (two uses): a see-through slab that loses a use
// at each landing and, used up, falls away at 4 units per second.
class BlocDisposable : public Bloc {
public:
    BlocDisposable(float x, float y, float z, int numero, int type);

    using Bloc::refresh;
    void draw() override;
    void compile() override;
    void refresh(long dt, double* players) override;

    // Shows the image of the uses left (27 or 28) and recompiles the list
    // while any is left.
    virtual void chargerTexture();

    // Height below which a fallen block is no longer drawn or moved.
    static constexpr float bottom = -50.0f;

public:
    int initialUses;
    int uses;
};
