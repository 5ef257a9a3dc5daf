#include "world/Objet3D.h"

Objet3D::Objet3D() : Objet(), z(0) {}

Objet3D::Objet3D(float x, float y, float z) : Objet(x, y), z(z) {}

float Objet3D::getZ() const { return z; }

void Objet3D::setZ(float value) { z = value; }

void Objet3D::setXYZ(float newX, float newY, float newZ)
{
    x = newX;
    y = newY;
    z = newZ;
}
