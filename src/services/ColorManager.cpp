#include "services/ColorManager.h"

#include <GL/gl.h>

double ColorManager::black[4] = {0.0, 0.0, 0.0, 1.0};
double ColorManager::white[4] = {1.0, 1.0, 1.0, 1.0};
double ColorManager::white70[4] = {1.0, 1.0, 1.0, 0.7};
double ColorManager::white40[4] = {1.0, 1.0, 1.0, 0.4};
double ColorManager::lightBlue[4] = {0.42, 0.63, 1.0, 1.0};

ColorManager::ColorManager()
{
    for (int i = 0; i < 4; ++i) {
        current[i] = 1.0;
        saved[i] = 1.0;
    }
}

ColorManager::~ColorManager() {}

void ColorManager::setColor(double r, double g, double b, double a)
{
    for (int i = 0; i < 4; ++i)
        saved[i] = current[i];
    current[0] = r;
    current[1] = g;
    current[2] = b;
    current[3] = a;
    glColor4dv(current);
}

void ColorManager::setColor(double* rgba)
{
    setColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void ColorManager::restore()
{
    for (int i = 0; i < 4; ++i)
        current[i] = saved[i];
    glColor4dv(current);
}

double* ColorManager::getColor() { return current; }
double ColorManager::getRed() { return current[0]; }
double ColorManager::getGreen() { return current[1]; }
double ColorManager::getBlue() { return current[2]; }
double ColorManager::getAlpha() { return current[3]; }
