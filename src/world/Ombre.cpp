#include "world/Ombre.h"

#include <GL/gl.h>

#include "services/CTextureManager.h"
#include "world/NiveauManager.h"

namespace {
const char* const kTextureOmbre = "Images/Player/shadow.tga";
// The shadow lies just above the blocks' tops at -0.6.
constexpr float kDessus = 0.599f;
constexpr float kPas = 0.01f;
// A split search never needs more steps than this (the shadow is under one
// unit wide), so a bad size cannot make it run away.
constexpr int kPasMax = 400;
} // namespace

Ombre::Ombre()
    : Objet3D(), texture(0), textures(nullptr), level(nullptr), height(0.15f), width(0.08f), opacity(1)
{
}

void Ombre::setWidth(float w) { width = w; }
void Ombre::setHeight(float h) { height = h; }
void Ombre::setOpacity(double o) { opacity = o; }

NiveauManager* Ombre::getNiveau()
{
    level = NiveauManager::getInstance();
    return level;
}

int Ombre::decouper(Morceau (&morceaux)[4])
{
    NiveauManager* n = getNiveau();
    auto solide = [n](float px, float pz) { return n->collision(px, pz, false, false); };

    const float gauche = x - width, droite = x + width;
    const float pres = z - height, loin = z + height;
    const int cL = static_cast<int>(x + 0.5f - width);
    const int cR = static_cast<int>(x + 0.5f + width);
    const int rN = static_cast<int>(z + 0.5f - height);
    const int rF = static_cast<int>(z + 0.5f + height);
    const bool uneCase = (cL == cR && rN == rF);

    const bool coinPG = solide(gauche, pres);
    const bool coinDG = solide(droite, pres);
    const bool coinDL = solide(droite, loin);
    const bool coinGL = solide(gauche, loin);

    if ((uneCase && solide(x, z)) || (coinPG && coinDG && coinDL && coinGL)) {
        morceaux[0] = {gauche, droite, pres, loin};
        return 1;
    }
    if (uneCase)
        return 0;

    float sx = gauche;
    if (cL != cR) {
        for (int i = 0; i < kPasMax && static_cast<int>(sx + 0.5f) == cL; ++i)
            sx += kPas;
    }
    float sz = pres;
    if (rN != rF) {
        for (int i = 0; i < kPasMax && static_cast<int>(sz + 0.5f) == rN; ++i)
            sz += kPas;
    }

    int n2 = 0;
    if (cL == cR) {
        if (coinPG)
            morceaux[n2++] = {gauche, droite, pres, sz};
        if (coinGL)
            morceaux[n2++] = {gauche, droite, sz, loin};
    } else if (rN == rF) {
        if (coinPG)
            morceaux[n2++] = {gauche, sx, pres, loin};
        if (coinDG)
            morceaux[n2++] = {sx, droite, pres, loin};
    } else {
        if (coinPG)
            morceaux[n2++] = {gauche, sx, pres, sz};
        if (coinGL)
            morceaux[n2++] = {gauche, sx, sz, loin};
        if (coinDL)
            morceaux[n2++] = {sx, droite, sz, loin};
        if (coinDG)
            morceaux[n2++] = {sx, droite, pres, sz};
    }
    return n2;
}

void Ombre::commencer()
{
    if (textures == nullptr) {
        textures = CTextureManager::GetInstance();
        texture = textures->LoadTexture(kTextureOmbre, false, 0);
    }
    glColor4d(1, 1, 1, opacity);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void Ombre::terminer()
{
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glColor4d(1, 1, 1, 1);
}

void Ombre::dessinerMorceau(const Morceau& m)
{
    // The texture square covers the whole shadow; a piece takes its part.
    const float z0 = z - height, x0 = x - width;
    auto s = [&](float pz) { return (pz - z0) / (2 * height); };
    auto t = [&](float px) { return (px - x0) / (2 * width); };
    const float h = y - kDessus;
    glPushMatrix();
    glBegin(GL_QUADS);
    glNormal3f(1, 0, 0);
    glTexCoord2f(s(m.pres), t(m.gauche));
    glVertex3f(m.gauche, h, m.pres);
    glTexCoord2f(s(m.pres), t(m.droite));
    glVertex3f(m.droite, h, m.pres);
    glTexCoord2f(s(m.loin), t(m.droite));
    glVertex3f(m.droite, h, m.loin);
    glTexCoord2f(s(m.loin), t(m.gauche));
    glVertex3f(m.gauche, h, m.loin);
    glEnd();
    glPopMatrix();
}

void Ombre::draw()
{
    Morceau morceaux[4];
    const int n = decouper(morceaux);
    commencer();
    for (int i = 0; i < n; ++i)
        dessinerMorceau(morceaux[i]);
    terminer();
}
