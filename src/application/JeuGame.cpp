// The application's game road: the command-line game, the game part of each
// frame (refresh and drawing) and the per-run teardown.
#include "application/Jeu.h"

#include "application/GameManager.h"
#include "application/GameViews.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>

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

    // The game is over: a finished one-player result is recorded first.
    // The level lists that follow a game are not part of the program yet,
    // so the game then ends the program; the level manager and the game
    // manager are freed first.
    recordResults();
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
    if (menuMode == 0 && gameManager != nullptr && !gameManager->getFinJeu())
        GameViews::drawGame(gameManager, niveau, options);
    SDL_GL_SwapBuffers();
}

void Jeu::drawSub(int view)
{
    GameViews::drawSub(view, gameManager, niveau, options);
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
