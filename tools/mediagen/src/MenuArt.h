#pragma once
#include "ArtContext.h"

// The title picture, the menu backgrounds and the pause overlay. Each menu
// background keeps calm light panels where its menu writes: the item row,
// the title line, the level list, the preview and the tables.
namespace menuart {
void writeTitle(ArtContext& ctx);           // Images/Menus/premenu.png
// menu.png (picture 0) and menu1.png .. menu4.png, for ratio 0 (4:3) or 1 (16:10).
void writeMainMenuPicture(ArtContext& ctx, int ratio, int picture);
// menuKZ.png (which 0) or menuKZ2.png (which 1).
void writeListBackground(ArtContext& ctx, int ratio, int which);
void writePause(ArtContext& ctx);           // menuPause.tga
}  // namespace menuart
