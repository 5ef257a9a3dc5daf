#include "services/LightManager.h"

#include <GL/gl.h>

LightManager* LightManager::light = nullptr;

LightManager::LightManager() : ambient(nullptr), difuse(nullptr) {}

// The instance lives until the process ends, as the level manager shares it.
LightManager::~LightManager() {}

void LightManager::setAmbient(float r, float g, float b, float a)
{
    delete[] ambient;
    ambient = new float[4]{r, g, b, a};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
}

void LightManager::setAmbient(float r, float g, float b)
{
    setAmbient(r, g, b, 1.0f);
}

void LightManager::setDifuse(float r, float g, float b, float a)
{
    delete[] difuse;
    difuse = new float[4]{r, g, b, a};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, difuse);
}

void LightManager::setDifuse(float r, float g, float b)
{
    setDifuse(r, g, b, 1.0f);
}

float* LightManager::getAmbient() { return ambient; }
float* LightManager::getDifuse() { return difuse; }
