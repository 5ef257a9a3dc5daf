#pragma once

#include "world/Objet3D.h"

// An object with a velocity in units per second; refresh(dt) moves it by
// v * dt / 1000 and does nothing else (gravity and contacts are the player's).
class Objet3DMobile : public Objet3D {
public:
    Objet3DMobile();
    Objet3DMobile(float x, float y, float z, float vx, float vy, float vz);

    void refresh(long dt) override;

    virtual float getVX() const;
    virtual float getVY() const;
    virtual float getVZ() const;
    virtual void setVX(float vx);
    virtual void setVY(float vy);
    virtual void setVZ(float vz);
    virtual void setVXYZ(float vx, float vy, float vz);

public:
    float vx;
    float vy;
    float vz;
};
