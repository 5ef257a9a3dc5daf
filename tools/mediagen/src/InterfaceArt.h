#pragma once
#include "ArtContext.h"

// The list widgets and the heads-up board atlas.
namespace interfaceart {
void writeWidgets(ArtContext& ctx);  // Images/Interface/<q>/ScrollBar.png, checkBox.png
void writeBoard(ArtContext& ctx);    // Images/Interface/<q>/board.tga
}  // namespace interfaceart
