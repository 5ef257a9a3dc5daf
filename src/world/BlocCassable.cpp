#include "world/BlocCassable.h"

#include <GL/gl.h>

BlocCassable::BlocCassable(float x, float y, float z, int numero, int type)
    : Bloc(x, y, z, numero, type), openTime(0)
{
    BlocCassable::compile();
}

void BlocCassable::compile()
{
    glNewList(numero, GL_COMPILE);
    emitSlab();
    glEndList();
}

void BlocCassable::refresh(long dt, double*)
{
    if (used) {
        solid = false;
        used = false;
    }
    // One step per frame, so a frame of 0 ms cannot hold the game.
    if (!solid && openTime < openDuration) {
        openTime += static_cast<float>(dt);
        if (openTime > openDuration)
            openTime = openDuration;
    }
}

void BlocCassable::draw()
{
    if (solid) {
        glCallList(numero);
        return;
    }
    // Broken: each half swings down about its outer edge.
    const float progress = openTime / openDuration;
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    glBindTexture(GL_TEXTURE_2D, texture);

    const float leftPivot = x - 0.5f + slabDepth * progress;
    glPushMatrix();
    glTranslatef(leftPivot, y, 0);
    glRotatef(-90.0f * progress, 0, 0, 1);
    glTranslatef(-leftPivot, -y, 0);
    glBegin(GL_QUADS);
    emitPlate(x - 0.5f, x, z - 0.5f, z + 0.5f, y, slabDepth, 0.0f, 0.25f, 1.0f, true);
    glEnd();
    glPopMatrix();

    const float rightPivot = x + 0.5f - slabDepth * progress;
    glPushMatrix();
    glTranslatef(rightPivot, y, 0);
    glRotatef(90.0f * progress, 0, 0, 1);
    glTranslatef(-rightPivot, -y, 0);
    glBegin(GL_QUADS);
    emitPlate(x, x + 0.5f, z - 0.5f, z + 0.5f, y, slabDepth, 0.25f, 0.5f, 1.0f, true);
    glEnd();
    glPopMatrix();

    if (culling)
        glEnable(GL_CULL_FACE);
}
