#pragma once
#include "ArtContext.h"
#include "Md2Writer.h"

// The hero's body: a round character with feet and hands, three frames
// (squashed, standing, stretched); the game draws frame 1, standing.
// Model units: z up, front towards -x, feet on z = 0.
namespace playermodel {
Md2Model build();
void write(ArtContext& ctx);  // Objects/player.md2
}  // namespace playermodel
