#include "world/Cible.h"

#include <GL/gl.h>

#include "services/CTextureManager.h"

namespace {
const char* const kTextureCible = "Images/Player/target.tga";
constexpr double kDegresParSeconde = 150;
constexpr float kDemiCote = 0.3f;
constexpr float kHauteur = -0.598f;
} // namespace

Cible::Cible() : Objet3D(), texture(0), angle(0), textures(nullptr) {}

void Cible::refresh(long dt)
{
    angle += dt * kDegresParSeconde / 1000;
    if (angle > 360)
        angle -= 360;
}

void Cible::draw()
{
    if (textures == nullptr) {
        textures = CTextureManager::GetInstance();
        texture = textures->LoadTexture(kTextureCible, false, 0);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    // The marker's own height is not used: it lies on the blocks' tops.
    glTranslatef(x, 0, z);
    glRotatef(static_cast<float>(angle), 0, 1, 0);
    glBegin(GL_QUADS);
    glNormal3f(1, 0, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-kDemiCote, kHauteur, -kDemiCote);
    glTexCoord2f(0, 1);
    glVertex3f(kDemiCote, kHauteur, -kDemiCote);
    glTexCoord2f(1, 1);
    glVertex3f(kDemiCote, kHauteur, kDemiCote);
    glTexCoord2f(1, 0);
    glVertex3f(-kDemiCote, kHauteur, kDemiCote);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}
