#pragma once
#include "ArtContext.h"

// The looping tunes in Musics/. Each is a whole number of bars whose notes
// wrap round the end, so the loop has no seam.
namespace musics {
void writeAll(ArtContext& ctx);
}
