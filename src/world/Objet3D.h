#pragma once

#include "world/Objet.h"

// A placed object of the level: x is the column, z the row, y the height.
class Objet3D : public Objet {
public:
    Objet3D();
    Objet3D(float x, float y, float z);

    virtual float getZ() const;
    virtual void setZ(float z);
    virtual void setXYZ(float x, float y, float z);

public:
    float z;
};
