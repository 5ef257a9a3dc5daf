// Drawing of the player: body, silhouette, shadows, target marker and the
// ghost body. The models and skins are loaded at the first draw.
#include "world/Joueur.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "services/CTextureManager.h"
#include "services/DebugManager.h"

namespace {
const char* const kModele = "Objects/player.md2";
constexpr int kFrame = 1;
constexpr int kFlags = CEntity::DRAW | CEntity::TEXTURED;
} // namespace

void Joueur::chargerModeles()
{
    if (modelesCharges)
        return;
    modelesCharges = true;
    textures = CTextureManager::GetInstance();

    const std::string peau = "Images/Player/player_" + std::to_string(color) + ".tga";
    debug->o("Joueur", "init", true, "Textures loaded");
    modelCorps.LoadModel(kModele);
    modelCorps.SetTexture(textures->LoadTexture(peau, true, 0));

    const std::string seconde = (numJoueur == 3) ? "Images/Player/player_ghost.tga"
                                                 : "Images/Player/player_shadow.tga";
    modelSilhouette.LoadModel(kModele);
    modelSilhouette.SetTexture(textures->LoadTexture(seconde, true, 0));

    entityCorps.SetModel(&modelCorps);
    entitySilhouette.SetModel(&modelSilhouette);
    entityCorps.SetScale(0.3f);
    entitySilhouette.SetScale(0.3f);
    debug->o("Joueur", "init", true, "Model loaded");
}

void Joueur::calculerRotations()
{
    rx = vz * 20 / 6;
    ry = vx * (-80) / 6;
    rz = vx * (-20) / 6;
    if (animation == 1)
        ry += y * 270;
}

double Joueur::opaciteOmbre(double t)
{
    double o;
    if (t <= 0)
        o = 1;
    else if (t > 3700)
        o = (t - 3000 - 700) / 2300;
    else if (t < 2300)
        o = 1 - t / 2300;
    else
        o = 0;
    return std::max(0.0, std::min(1.0, o));
}

void Joueur::drawJoueur(bool silhouette)
{
    chargerModeles();
    float inutile[3] = {0, 0, 0};
    glPushMatrix();
    glTranslatef(x, y - (silhouette ? 0.595f : 0.6f), z);
    if (etat == kJeu) {
        calculerRotations();
        glRotatef(rx, 1, 0, 0);
        glRotatef(vx * (-20) / 6, 0, 0, 1);
        glRotatef(vx * (-80) / 6, 0, 1, 0);
        if (animation == 1)
            glRotatef(y * 270, 0, 1, 0);
    }
    glDisable(GL_LIGHTING);
    if (silhouette) {
        // Drawn over everything before it and, being larger, around the body.
        glDisable(GL_DEPTH_TEST);
        glScalef(0.45f, 0.4f, 0.45f);
        entitySilhouette.DrawEntity(kFrame, kFlags, inutile);
        glEnable(GL_DEPTH_TEST);
    } else {
        glScalef(0.4f, 0.4f, 0.4f);
        entityCorps.DrawEntity(kFrame, kFlags, inutile);
    }
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void Joueur::placerOmbres()
{
    const float a = 1 - y * 0.5f;
    const double o = opaciteOmbre(getAbnormalState("transparent"));
    for (Ombre* s : {static_cast<Ombre*>(&ombre), static_cast<Ombre*>(&ombreMobile)}) {
        s->setXYZ(x, numJoueur * 0.001f, z);
        s->setWidth(a * 0.15f);
        s->setHeight(a * 0.3f);
        s->setOpacity(o);
    }
}

void Joueur::draw(bool ombres)
{
    if (y <= -200)
        return;
    if (!ombres) {
        drawJoueur(false);
        return;
    }
    if (etat == kChute || (etat == kHorsJeu && y < 0)) {
        drawJoueur(false);
        return;
    }
    if (y < 0)
        return;
    if (1 - y * 0.5f > 0) {
        placerOmbres();
        ombre.draw();
        ombreMobile.draw();
    }
    if (animation == 3) {
        cible.setXYZ(x, cible.getY(), z);
        cible.draw();
    }
    drawJoueur(true);
}

void Joueur::drawAsGhost()
{
    if (y <= -200)
        return;
    chargerModeles();
    float inutile[3] = {0, 0, 0};
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    glTranslatef(x, y - 0.6f, z);
    glRotatef(rx, 1, 0, 0);
    glRotatef(rz, 0, 0, 1);
    glRotatef(ry, 0, 1, 0);
    glScalef(0.4f, 0.4f, 0.4f);
    entitySilhouette.DrawEntity(kFrame, kFlags, inutile);
    glPopMatrix();
    glEnable(GL_LIGHTING);
}
