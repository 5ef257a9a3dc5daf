#pragma once

#include "services/ColorManager.h"

#include <GL/gl.h>

// Held while a menu screen draws itself in the 2-D overlay. The game culls
// faces wound counter-clockwise, as the menu quads are, so culling is off
// meanwhile. Texts multiply their alpha by the colour service's current
// colour, which the selection shade leaves at its translucent black: the
// screen starts from opaque white and leaves it so, frame after frame.
class OverlayState {
public:
    explicit OverlayState(ColorManager* colors)
        : colors(colors), culling(glIsEnabled(GL_CULL_FACE) == GL_TRUE)
    {
        glDisable(GL_CULL_FACE);
        colors->setColor(1.0, 1.0, 1.0, 1.0);
    }

    ~OverlayState()
    {
        colors->setColor(1.0, 1.0, 1.0, 1.0);
        if (culling)
            glEnable(GL_CULL_FACE);
    }

    OverlayState(const OverlayState&) = delete;
    OverlayState& operator=(const OverlayState&) = delete;

private:
    ColorManager* colors;
    bool culling;
};
