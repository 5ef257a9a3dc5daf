#include "application/GameViews.h"

#include "application/GameManager.h"
#include "services/OptionsManager.h"
#include "world/Bloc.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>

void GameViews::drawGame(GameManager* gm, NiveauManager* niveau, OptionsManager* options)
{
    const int W = options->getLargeur(0);
    const int H = options->getHauteur(0);
    if (options->getNbJoueurs() != 2) {
        glViewport(0, 0, W, H);
        drawSub(0, gm, niveau, options);
        return;
    }
    // Each half shows the middle half of a full-window picture, with the
    // perspective of a single view.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, W / 2, H);
    glViewport(-W / 4, 0, W, H);
    drawSub(1, gm, niveau, options);
    glScissor(W / 2, 0, W / 2, H);
    glViewport(W / 4, 0, W, H);
    drawSub(2, gm, niveau, options);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, W, H);

    // The separator, left open where the shared progress track stands.
    GameManager::begin2D();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glVertex2d(0.5, 0.0);
    glVertex2d(0.5, 0.202);
    glVertex2d(0.5, 0.898);
    glVertex2d(0.5, 1.0);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor4d(1.0, 1.0, 1.0, 1.0);
    GameManager::end2D();
    gm->draw(3);
}

void GameViews::drawSub(int view, GameManager* gm, NiveauManager* niveau,
                        OptionsManager* options)
{
    const int n = view == 2 ? 2 : 1;
    GameManager::begin2D();
    glCallList(NiveauManager::backgroundList);
    GameManager::end2D();

    const float cx = gm->getCameraX(n);
    const float cy = gm->getCameraY(n);
    const float cz = gm->getCameraZ(n);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(cx, cy + 1.0f, cz + 3.0f, cx, 0.0, cz, 0.0, 1.0, 0.0);

    // Only the rows within the view distance in front of the camera.
    const int zc = static_cast<int>(cz);
    const int first = zc + 6 - options->getClipping(0);
    const int last = zc + 6;
    Bloc*** grid = niveau->grid;
    if (grid != nullptr) {
        // Disposable blocks (27, 28) are drawn after all the others.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = std::max(0, first + 1); i <= niveau->rows - 2 && i < last; ++i) {
                for (int c = 0; c < niveau->cols; ++c) {
                    Bloc* b = grid[i][c];
                    if (b == nullptr)
                        continue;
                    const bool disposable = b->getType() == 27 || b->getType() == 28;
                    if (disposable == (pass == 1))
                        b->draw();
                }
            }
            if (pass == 0) {
                for (Bloc* b : niveau->mobileBlocks)
                    if (b->getZ() > first && b->getZ() < last)
                        b->draw();
            }
        }
    }
    gm->draw(view);
}
