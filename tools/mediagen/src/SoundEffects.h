#pragma once
#include "ArtContext.h"

// The short sound effects in Sounds/.
namespace soundeffects {
void writeAll(ArtContext& ctx);
}
