#include "world/BlocTimer.h"

#include "services/SonsManager.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

BlocTimer::BlocTimer(float x, float y, float z, int numero, int voidTime, int solidTime, int type, bool solid)
    : Bloc(x, y, z, numero, type), sounds(SonsManager::getInstance()), clock(0), voidTime(voidTime),
      solidTime(solidTime)
{
    BlocTimer::compile();
    this->solid = solid;
}

void BlocTimer::compile()
{
    glNewList(numero, GL_COMPILE);
    emitBlock(thinDepth);
    glEndList();
}

double BlocTimer::tickFactor(double distance)
{
    return std::max(0.0, 1.0 - distance / 30.0);
}

void BlocTimer::refresh(long dt, double* players)
{
    const float limit = static_cast<float>(solid ? solidTime : voidTime);
    if (clock + dt <= limit) {
        clock += dt;
        return;
    }
    solid = !solid;
    clock = 0; // the excess is dropped

    double nearest = 1e30;
    if (players != nullptr) {
        for (int p = 0; p < 2; p++) {
            const double dx = x - players[3 * p];
            const double dy = y - players[3 * p + 1];
            const double dz = z - players[3 * p + 2];
            nearest = std::min(nearest, std::sqrt(dx * dx + dy * dy + dz * dz));
        }
    }
    sounds->ajouterCalculDistanceSon(tickFactor(nearest));
}

void BlocTimer::draw()
{
    if (solid)
        glCallList(numero);
}
