#pragma once
#include "Color.h"

// Colours shared by the skins, the heads-up board and the menus, so that a
// player's colour looks the same everywhere.
namespace palette {
// The five player colours, in the order of the options (colour 1 to 5).
inline Color player(int index) {
    switch (index) {
        case 0: return Color::rgb8(226, 60, 52);    // red
        case 1: return Color::rgb8(52, 112, 220);   // blue
        case 2: return Color::rgb8(60, 176, 80);    // green
        case 3: return Color::rgb8(245, 150, 40);   // orange
        default: return Color::rgb8(150, 80, 200);  // purple
    }
}
inline Color ghost() { return Color(0.85, 0.92, 1.0, 0.55); }
inline Color panel() { return Color::rgb8(250, 248, 240, 0.84); }
inline Color panelEdge() { return Color::rgb8(120, 130, 160, 0.9); }
inline Color titleFillTop() { return Color::rgb8(255, 236, 120); }
inline Color titleFillBottom() { return Color::rgb8(250, 140, 40); }
inline Color titleOutline() { return Color::rgb8(40, 40, 90); }
}  // namespace palette
