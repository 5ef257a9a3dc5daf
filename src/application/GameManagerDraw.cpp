// The game manager's part of a frame: the players, the ghost, the fades and
// the heads-up display of each view.
#include "application/GameManager.h"

#include "application/GamePause.h"
#include "services/ColorManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

namespace {

// Regions of the board atlas, in texture coordinates.
const double kLifeU1 = 0.625;
const double kLifeV0 = 0.908203125;
const double kLifeV1 = 0.9853515625;
const double kGravityU1 = 0.625;
const double kGravityV0 = 0.8291015625;
const double kGravityV1 = 0.9072265625;
const double kTrackU0 = 0.859375;
const double kTrackU1 = 1.0;
const double kTrackV0 = 0.482421875;
const double kTrackV1 = 1.0;
const double kSwatchWidth = 0.109375;
const double kSwatchV0 = 0.986328125;
const double kSwatchV1 = 1.0;
const int kGhostSwatch = 5;

// The progress track stands from 0.2 to 0.9; a marker is 0.014 high.
const float kTrackBottom = 0.2f;
const float kMarkerTop = 0.88f;
const double kMarkerHeight = 0.014;

// One quad in the overlay, corners in the front-facing (clockwise) order.
void quad(double x0, double y0, double x1, double y1)
{
    glBegin(GL_QUADS);
    glVertex2d(x0, y0);
    glVertex2d(x0, y1);
    glVertex2d(x1, y1);
    glVertex2d(x1, y0);
    glEnd();
}

void whiteVeil(double alpha)
{
    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 1.0, 1.0, std::min(1.0, alpha));
    quad(0.0, 0.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

void GameManager::begin2D()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    // Flat overlay quads face the viewer whichever way they are wound.
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void GameManager::end2D()
{
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

float GameManager::progressMarkerY(float z, int rows)
{
    // Fraction of the level still ahead; the divisors never reach 0, so a
    // tiny level keeps its marker on the track.
    const float f = (z / static_cast<float>(std::max(rows - 1, 1)) + (z - 3.0f))
        / static_cast<float>(std::max(rows - 4, 1));
    const float y = 0.9f - f * 0.7f + 0.005f;
    return std::max(kTrackBottom, std::min(kMarkerTop, y));
}

int GameManager::countdownNumber(double left)
{
    return static_cast<int>(left / 1000.0 + 0.8);
}

// --- one view ---------------------------------------------------------------

void GameManager::draw(int view)
{
    if (view != 3) {
        drawTransparentOverlay(view);
        drawPlayers(view);
        drawGhost();
    }
    draw2D(view);
}

void GameManager::drawTransparentOverlay(int view)
{
    Joueur* p = getJoueur(view == 2 ? 2 : 1);
    if (p == nullptr)
        return;
    const double t = p->getAbnormalState("transparent");
    if (t <= 0.0)
        return;
    // The background covers the blocks from 3700 ms to 2300 ms before the
    // state ends, fading in before and out after.
    double a;
    if (t > 3700.0)
        a = (t - 3700.0) / 2300.0;
    else if (t >= 2300.0)
        a = 0.0;
    else
        a = 1.0 - t / 2300.0;
    a = std::max(0.0, std::min(1.0, a));

    begin2D();
    glColor4d(1.0, 1.0, 1.0, 1.0 - a);
    glBindTexture(GL_TEXTURE_2D, niveau->backgroundTexture);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(0.0, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(0.0, 1.0);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(1.0, 1.0);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(1.0, 0.0);
    glEnd();
    glColor4d(1.0, 1.0, 1.0, 1.0);
    end2D();
}

void GameManager::drawPlayers(int view)
{
    Joueur* p1 = players[0];
    Joueur* p2 = players[1];
    // A player standing just behind the viewer's own would fill the camera.
    bool showP1 = p1 != nullptr;
    bool showP2 = p2 != nullptr;
    if (p1 != nullptr && p2 != nullptr) {
        if (view == 2)
            showP1 = p1->getCameraZ() < p2->getCameraZ() + 1.0f;
        else
            showP2 = p2->getCameraZ() < p1->getCameraZ() + 1.0f;
    }
    for (bool shadows : {true, false}) {
        if (showP1)
            p1->draw(shadows);
        if (showP2)
            p2->draw(shadows);
    }
}

void GameManager::drawGhost()
{
    if (ghostBody == nullptr || !options->isGhostEnabled(0) || players[0] == nullptr)
        return;
    const float cameraPoint = players[0]->getCameraZ() + 3.0f;
    if (std::fabs(ghostBody->getZ() - cameraPoint) >= 1.9f || endCamera[0] > 0.5f)
        ghostBody->drawAsGhost();
}

// --- heads-up display -------------------------------------------------------

void GameManager::drawText(const std::string& text, double x, double y, double size,
                           double spacing, int align)
{
    texts->drawWithBorder(text, ColorManager::black, ColorManager::white40, x, y, size, size,
                          spacing, align, 5);
}

void GameManager::drawBoardQuad(double x0, double y0, double x1, double y1, double u0,
                                double v0, double u1, double v1)
{
    glBindTexture(GL_TEXTURE_2D, boardTexture);
    glBegin(GL_QUADS);
    glTexCoord2d(u0, v0);
    glVertex2d(x0, y0);
    glTexCoord2d(u0, v1);
    glVertex2d(x0, y1);
    glTexCoord2d(u1, v1);
    glVertex2d(x1, y1);
    glTexCoord2d(u1, v0);
    glVertex2d(x1, y0);
    glEnd();
}

void GameManager::drawMarker(float z, int swatch, double xLeft, double xRight)
{
    const double y = progressMarkerY(z, niveau->rows);
    drawBoardQuad(xLeft, y, xRight, y + kMarkerHeight, swatch * kSwatchWidth, kSwatchV1,
                  (swatch + 1) * kSwatchWidth, kSwatchV0);
}

void GameManager::drawFade(double alpha)
{
    whiteVeil(alpha);
}

void GameManager::draw2D(int view)
{
    if (niveau->noMoreLevel)
        return;
    const double W = options->getLargeur(0);
    const double H = options->getHauteur(0);
    const double R = H > 0.0 ? W / H : 1.0;
    const int nbJoueurs = options->getNbJoueurs();
    const double off = nbJoueurs == 2 ? 0.25 : 0.0;
    Joueur* p = getJoueur(view == 2 ? 2 : 1);

    begin2D();
    glColor4d(1.0, 1.0, 1.0, 1.0);

    if (view == 3) {
        drawBoardQuad(0.5 - 0.0125 / R, kTrackBottom, 0.5 + 0.0125 / R, 0.9, kTrackU0, kTrackV0,
                      kTrackU1, kTrackV1);
        for (int n : {2, 1}) {
            Joueur* j = players[n - 1];
            if (j != nullptr)
                drawMarker(j->getZ(), j->getColor(), 0.5 - 0.0075 / R, 0.5 + 0.0075 / R);
        }
        drawCommonTail(view);
        return;
    }
    if (p == nullptr) {
        end2D();
        return;
    }

    if (view == 0) {
        if (niveau->difficulty == -1)
            drawText(niveau->title, 0.99, 0.961, 0.45, 0.008, 2);
        else
            drawText(lang->get("level") + " " + std::to_string(niveau->difficulty) + "-"
                         + std::to_string(niveau->levelIndex),
                     0.99, 0.961, 0.45, 0.012, 2);
    }
    drawText(lang->get("timeLeft") + " " + std::to_string(p->getTemps()) + "s", off + 0.01, 0.03,
             0.4, 0.012, 1);
    if (view == 0 && debug->isDebug())
        drawText("DEBUG MODE", 0.3, 0.93, 0.4, 0.012, 3);

    // Lives: player 1 counts from the left edge, player 2 from the right.
    const int vies = p->getVies(false);
    const double lifeWidth = 0.05 / R;
    for (int i = 0; i < vies; ++i) {
        double x0, x1;
        if (view == 2) {
            x0 = (1.0 - off) - 0.015 / R - (i + 1) * lifeWidth;
            x1 = (1.0 - off) - 0.015 / R - i * lifeWidth;
        } else {
            x0 = off + 0.015 / R + i * lifeWidth;
            x1 = off + 0.015 / R + (i + 1) * lifeWidth;
        }
        drawBoardQuad(x0, 0.94, x1, 0.99, 0.0, kLifeV0, kLifeU1, kLifeV1);
    }

    if (view == 1)
        drawText(std::to_string(wins[0]), (1.0 - off) - 0.015 / R, 0.961, 0.45, 0.012, 2);
    else if (view == 2)
        drawText(std::to_string(wins[1]), off + 0.015, 0.961, 0.45, 0.012, 1);

    if (view == 0) {
        drawBoardQuad((1.0 - 0.055 / R) - off, kTrackBottom, (1.0 - 0.03 / R) - off, 0.9,
                      kTrackU0, kTrackV0, kTrackU1, kTrackV1);
        const double xLeft = (1.0 - 0.05 / R) - off;
        const double xRight = (1.0 - 0.035 / R) - off;
        drawMarker(p->getZ(), p->getColor(), xLeft, xRight);
        if (ghostBody != nullptr && options->isGhostEnabled(0))
            drawMarker(ghostBody->getZ(), kGhostSwatch, xLeft, xRight);
    }

    // Gravity sign: upright for low gravity, mirrored for high.
    const float gravity = p->getPeusenteur();
    const double gx0 = (1.0 - 0.095 / R) - off;
    const double gx1 = (1.0 - 0.015 / R) - off;
    if (gravity == 0.12f)
        drawBoardQuad(gx0, 0.005, gx1, 0.085, 0.0, kGravityV0, kGravityU1, kGravityV1);
    else if (gravity == 0.2f)
        drawBoardQuad(gx0, 0.005, gx1, 0.085, kGravityU1, kGravityV0, 0.0, kGravityV1);

    if (state == kCountdown)
        drawText(std::to_string(countdownNumber(countdown)), 0.5, 0.8, 0.9, 0.012, 3);

    if (endProgress > 0.0f && p->niveauTermine()) {
        drawFade(nbJoueurs * endProgress);
        drawText(lang->get("levelClear"), 0.5, 0.5, view == 0 ? 1.0 : 0.6, 0.012, 3);
        glColor4d(1.0, 1.0, 1.0, 1.0);
    }

    const int animation = p->getAnimation();
    if (animation == 4 || animation == 5 || animation == 6) {
        drawFade(1.0 - p->getTempsAnimation() / 2600.0);
        const char* key = animation == 4 ? "timeOver" : animation == 5 ? "youLose" : "youWin";
        drawText(lang->get(key), 0.5, 0.5, 1.0, 0.012, 3);
        glColor4d(1.0, 1.0, 1.0, 1.0);
    }

    if (view == 0)
        drawCommonTail(view);
    else
        end2D();
}

void GameManager::drawCommonTail(int view)
{
    if (view == 0) {
        const long t = playTime[0];
        drawText(std::to_string(t / 1000) + "." + std::to_string(t / 100 - (t / 1000) * 10), 0.5,
                 0.961, 0.45, 0.08, 6);
    }
    if (state == kPause && pauseMenu != nullptr)
        pauseMenu->draw();
    if (view == 3 && endProgress > 0.0f) {
        const double a = std::min(1.0, options->getNbJoueurs() * static_cast<double>(endProgress));
        colors->setColor(colors->getRed(), colors->getGreen(), colors->getBlue(), a);
        const std::string text = winner <= 2
            ? lang->get("winnerPlayer") + " " + std::to_string(winner)
            : lang->get("draw");
        drawText(text, 0.5, 0.8, 1.0, 0.012, 3);
        colors->setColor(colors->getRed(), colors->getGreen(), colors->getBlue(), 1.0);
    }
    end2D();
}
