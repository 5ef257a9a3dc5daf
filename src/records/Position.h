#pragma once

#include "world/Objet3D.h"

// One recorded pose of a run: the level time, where the player stood and how
// its model was turned.
class Position {
public:
    Position();
    Position(long time, float x, float y, float z, float rx, float ry, float rz);

    long getTime() const { return time; }
    float getX() const { return position.getX(); }
    float getY() const { return position.getY(); }
    float getZ() const { return position.getZ(); }
    float getRX() const { return rotation.getX(); }
    float getRY() const { return rotation.getY(); }
    float getRZ() const { return rotation.getZ(); }

    void setX(float v) { position.setX(v); }
    void setY(float v) { position.setY(v); }
    void setZ(float v) { position.setZ(v); }
    void setRX(float v) { rotation.setX(v); }
    void setRY(float v) { rotation.setY(v); }
    void setRZ(float v) { rotation.setZ(v); }

    long time;
    Objet3D position;
    Objet3D rotation; // x, y, z hold the model's rotations rx, ry, rz
};
