#pragma once

#include "services/ColorManager.h"

// Held while a menu screen draws itself in the 2-D overlay. Texts multiply
// their alpha by the colour service's current colour, and a screen's dimmed
// items and highlights change it: the screen starts from opaque white and
// leaves it so, frame after frame.
class OverlayState {
public:
    explicit OverlayState(ColorManager* colors) : colors(colors) { colors->setColor(1.0, 1.0, 1.0, 1.0); }
    ~OverlayState() { colors->setColor(1.0, 1.0, 1.0, 1.0); }

    OverlayState(const OverlayState&) = delete;
    OverlayState& operator=(const OverlayState&) = delete;

private:
    ColorManager* colors;
};
