#pragma once

#include "services/CSingleton.h"

// The current OpenGL drawing colour with a one-level save, and the preset
// colours the menus and the heads-up display draw with (r, g, b, a in 0..1).
class ColorManager : public CSingleton<ColorManager> {
public:
    ColorManager();
    ~ColorManager();

    // Saves the current colour, then makes (r, g, b, a) current in OpenGL.
    void setColor(double r, double g, double b, double a);
    void setColor(double* rgba);
    // Makes the saved colour current again (the save itself stays).
    void restore();

    double* getColor();
    double getRed();
    double getGreen();
    double getBlue();
    double getAlpha();

    double current[4];
    double saved[4];

    static double black[4];
    static double white[4];
    static double white70[4];
    static double white40[4];
    static double lightBlue[4];
};
