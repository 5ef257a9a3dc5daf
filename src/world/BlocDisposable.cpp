#include "world/BlocDisposable.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"

#include <GL/gl.h>

BlocDisposable::BlocDisposable(float x, float y, float z, int numero, int type)
    : Bloc(x, y, z, numero, type), initialUses(type == 27 ? 1 : 2), uses(initialUses)
{
    chargerTexture();
}

void BlocDisposable::chargerTexture()
{
    if (uses <= 0)
        return;
    texture = textures->LoadTexture(texturePath(uses == 1 ? 27 : 28), false, 0);
    glDeleteLists(numero, 1);
    compile();
}

void BlocDisposable::compile()
{
    glNewList(numero, GL_COMPILE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    emitSlab();
    glDisable(GL_BLEND);
    glEndList();
}

void BlocDisposable::refresh(long dt, double*)
{
    if (used && solid) {
        uses -= 1;
        used = false;
        chargerTexture();
        SonsManager* sounds = SonsManager::getInstance();
        if (uses > 0) {
            sounds->jouerSon(sounds->bound3);
        } else {
            sounds->jouerSon(sounds->beep4);
            solid = false;
        }
    }
    // Used up: it falls at 4 units per second, one step per frame.
    if (!solid && y > bottom)
        y -= static_cast<float>(dt) * 4.0f / 1000.0f;
}

void BlocDisposable::draw()
{
    if (solid) {
        glCallList(numero);
        return;
    }
    if (y <= bottom)
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    emitSlab();
    glDisable(GL_BLEND);
}
