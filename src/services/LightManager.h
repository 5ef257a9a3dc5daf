#pragma once

// Ambient and diffuse colours of the scene's light (GL_LIGHT0); the level
// loader gives each level's light colour through setDifuse.
class LightManager {
public:
    static LightManager* light;

    LightManager();
    ~LightManager();

    void setAmbient(float r, float g, float b, float a);
    void setAmbient(float r, float g, float b);
    void setDifuse(float r, float g, float b, float a);
    void setDifuse(float r, float g, float b);

    // The arrays last set (four floats), or null before the first set.
    float* getAmbient();
    float* getDifuse();

private:
    float* ambient;
    float* difuse;
};
