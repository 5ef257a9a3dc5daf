#pragma once
#include "ArtContext.h"

// The hero's skins, its shadow, the target marker and the window icon.
namespace playerart {
void writeSkins(ArtContext& ctx);    // Images/Player/player_0..4, player_ghost, player_shadow
void writeMarkers(ArtContext& ctx);  // Images/Player/shadow.tga, target.tga
void writeLogo(ArtContext& ctx);     // Images/Logo/logo.bmp
}  // namespace playerart
