// The application's game road: the command-line game, the game part of each
// frame (refresh and drawing) and the per-run teardown.
#include "application/Jeu.h"

#include "application/GameManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>

void Jeu::boucle(std::string level)
{
    sons->chargerMusique(sons->intro);
    sons->jouerMusique(1);

    if (NiveauManager::niveauManager == nullptr)
        NiveauManager::niveauManager = new NiveauManager();
    niveau = NiveauManager::niveauManager;
    if (GameManager::gm == nullptr)
        GameManager::gm = new GameManager();
    gameManager = GameManager::gm;

    // One custom level from the player's folder, for one player.
    niveau->mode = 2;
    niveau->difficulty = -1;
    niveau->levelNames.assign(1, level);
    niveau->chargerNiveau();
    gameManager->ajouterJoueur(new Joueur(1));
    menuMode = 0;

    runLoop(false);
    teardownRun();
}

void Jeu::refresh(long dt)
{
    if (menuMode != 0) {
        SDL_Delay(30);
        return;
    }
    if (gameManager == nullptr)
        return;
    if (!gameManager->getFinJeu()) {
        gameManager->refresh(dt);
        return;
    }

    // The game is over. The level lists that follow a game are not part of
    // the program yet, so the game ends the program; the level manager and
    // the game manager are freed first.
    NiveauManager::kill();
    niveau = nullptr;
    GameManager::kill();
    gameManager = nullptr;
    menuMode = 1;
    quit = true;
}

void Jeu::draw()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (menuMode == 0 && gameManager != nullptr && !gameManager->getFinJeu()) {
        const int W = options->getLargeur(0);
        const int H = options->getHauteur(0);
        if (options->getNbJoueurs() != 2) {
            glViewport(0, 0, W, H);
            drawSub(0);
        } else {
            // Each half shows the middle half of a full-window picture.
            glEnable(GL_SCISSOR_TEST);
            glScissor(0, 0, W / 2, H);
            glViewport(-W / 4, 0, W, H);
            drawSub(1);
            glScissor(W / 2, 0, W / 2, H);
            glViewport(W / 4, 0, W, H);
            drawSub(2);
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
            gameManager->draw(3);
        }
    }
    SDL_GL_SwapBuffers();
}

void Jeu::drawSub(int view)
{
    const int n = view == 2 ? 2 : 1;
    GameManager::begin2D();
    glCallList(NiveauManager::backgroundList);
    GameManager::end2D();

    const float cx = gameManager->getCameraX(n);
    const float cy = gameManager->getCameraY(n);
    const float cz = gameManager->getCameraZ(n);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(cx, cy + 1.0f, cz + 3.0f, cx, 0.0, cz, 0.0, 1.0, 0.0);

    // Only the rows within the view distance in front of the camera.
    const int zc = static_cast<int>(cz);
    const int clipping = options->getClipping(0);
    const int first = zc + 6 - clipping;
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
    gameManager->draw(view);
}

void Jeu::teardownRun()
{
    delete ClavierManager::clavier;
    ClavierManager::clavier = nullptr;
    clavier = nullptr;
    NiveauManager::kill();
    niveau = nullptr;
    GameManager::kill();
    gameManager = nullptr;
    // The colour service goes last: the game and its players draw with it.
    delete CSingleton<ColorManager>::m_Singleton;
    CSingleton<ColorManager>::m_Singleton = nullptr;
}
