// The application's frame: the command-line game, the refresh and drawing of
// each frame in menu or game mode, the end of a game and the per-run teardown.
#include "application/Jeu.h"

#include "application/GameManager.h"
#include "application/GameViews.h"
#include "levelmenus/MenuRecord.h"
#include "levelmenus/MenuSingleOfficialLevels.h"
#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "menus/MenuPrincipal.h"
#include "menus/MenuSendScores.h"
#include "platform/Sleep.h"
#include "records/SendScoreManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>

void Jeu::boucle(std::string level)
{
    sons->chargerMusique(sons->intro);
    sons->jouerMusique(1);

    makeGame();

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
        platform::sleepMs(30);
        if (currentMenu != nullptr) {
            currentMenu->refresh(dt);
            gestionMenu();
        }
        return;
    }
    if (gameManager == nullptr)
        return;
    if (!gameManager->getFinJeu()) {
        gameManager->refresh(dt);
        return;
    }
    endGame();
}

void Jeu::showSendingNotice()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GameManager::begin2D();
    MenuSendScores* notice = new MenuSendScores();
    notice->draw();
    delete notice;
    GameManager::end2D();
    SDL_GL_SwapBuffers();
    // The notice stays on screen while the posts that follow block.
    platform::sleepMs(1000);
}

void Jeu::endGame()
{
    const bool cleared = gameManager->isAllLevelsCleared();
    const bool solo = options->getNbJoueurs() == 1;
    if (sendScore->isLogged() && cleared && solo)
        showSendingNotice();
    recordResults();

    if (!gameManager->jeuQuitte() && niveau->mode == 0 && cleared) {
        // The level manager and the game manager stay until the record
        // screen closes.
        openMenu(new MenuRecord(gameManager->getTempsJeu(0), gameManager->getTempsJeu(1),
                                niveau->difficulty));
    } else {
        Menu* next = nullptr;
        const bool custom = niveau->mode == 2 || niveau->mode == 4;
        if (niveau->difficulty != -1)
            next = new MenuPrincipal();
        else if (solo)
            next = custom ? static_cast<Menu*>(new MenuSingleUnofficialLevels())
                          : new MenuSingleOfficialLevels();
        else
            next = custom ? static_cast<Menu*>(new MenuVersusUnofficialLevels())
                          : new MenuVersusOfficialLevels();
        openMenu(next);
        NiveauManager::kill();
        niveau = nullptr;
        GameManager::kill();
        gameManager = nullptr;
    }
    sons->chargerMusique(sons->menu);
    sons->jouerMusique(-1);
    menuMode = 1;
}

void Jeu::draw()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (menuMode != 0) {
        if (currentMenu != nullptr) {
            GameManager::begin2D();
            currentMenu->draw();
            GameManager::end2D();
        }
    } else if (gameManager != nullptr && !gameManager->getFinJeu()) {
        GameViews::drawGame(gameManager, niveau, options);
    }
    SDL_GL_SwapBuffers();
}

void Jeu::drawSub(int view)
{
    GameViews::drawSub(view, gameManager, niveau, options);
}

void Jeu::teardownRun()
{
    // The menu goes before the services it draws with.
    delete currentMenu;
    currentMenu = nullptr;
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
