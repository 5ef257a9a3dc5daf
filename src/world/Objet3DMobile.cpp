#include "world/Objet3DMobile.h"

Objet3DMobile::Objet3DMobile() : Objet3D(), vx(0), vy(0), vz(0) {}

Objet3DMobile::Objet3DMobile(float x, float y, float z, float vx, float vy, float vz)
    : Objet3D(x, y, z), vx(vx), vy(vy), vz(vz)
{
}

void Objet3DMobile::refresh(long dt)
{
    // Worked in double so that long frames keep their precision.
    x = static_cast<float>(static_cast<double>(x) + static_cast<double>(vx) * dt / 1000.0);
    y = static_cast<float>(static_cast<double>(y) + static_cast<double>(vy) * dt / 1000.0);
    z = static_cast<float>(static_cast<double>(z) + static_cast<double>(vz) * dt / 1000.0);
}

float Objet3DMobile::getVX() const { return vx; }

float Objet3DMobile::getVY() const { return vy; }

float Objet3DMobile::getVZ() const { return vz; }

void Objet3DMobile::setVX(float value) { vx = value; }

void Objet3DMobile::setVY(float value) { vy = value; }

void Objet3DMobile::setVZ(float value) { vz = value; }

void Objet3DMobile::setVXYZ(float newVX, float newVY, float newVZ)
{
    vx = newVX;
    vy = newVY;
    vz = newVZ;
}
