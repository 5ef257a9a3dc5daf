// The application's menu switching: what each menu's result leads to, and
// the start of a game from the difficulty choice or a level list.
#include "application/Jeu.h"

#include "application/GameManager.h"
#include "levelmenus/MenuRecord.h"
#include "levelmenus/MenuScores.h"
#include "levelmenus/MenuSingleOfficialLevels.h"
#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "menus/MenuDifficulte.h"
#include "menus/MenuOptions.h"
#include "menus/MenuPrincipal.h"
#include "menus/MenuSingleMap.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

void Jeu::openMenu(Menu* next)
{
    delete currentMenu;
    currentMenu = next;
}

void Jeu::makeGame()
{
    if (NiveauManager::niveauManager == nullptr)
        NiveauManager::niveauManager = new NiveauManager();
    niveau = NiveauManager::niveauManager;
    if (GameManager::gm == nullptr)
        GameManager::gm = new GameManager();
    gameManager = GameManager::gm;
}

void Jeu::startListGame(int mode)
{
    sons->chargerMusique(sons->intro);
    sons->jouerMusique(1);
    makeGame();
    niveau->mode = mode;
    niveau->difficulty = -1;
    niveau->levelNames = currentMenu->getObject();
    niveau->chargerNiveau();
    gameManager->ajouterJoueur(new Joueur(1));
    if (options->getNbJoueurs() == 2)
        gameManager->ajouterJoueur(new Joueur(2));
    // The list stays, undrawn, as the current menu until the game ends.
    menuMode = 0;
}

void Jeu::initJeu(int difficulty)
{
    makeGame();
    niveau->difficulty = difficulty;
    niveau->mode = 0;
    niveau->chargerNiveau();
    gameManager->ajouterJoueur(new Joueur(1));
    debug->o("Jeu", "initJeu", true, "Game initialized");
}

void Jeu::gestionMenu()
{
    if (currentMenu == nullptr)
        return;
    const std::string nom = currentMenu->getNom();
    const int code = currentMenu->getCode();
    if (code == 0)
        return;
    const bool onePlayer = options->getNbJoueurs() == 1;

    if (nom == "PreMenu") {
        if (code == 1) {
            sons->chargerMusique(sons->menu);
            sons->jouerMusique(-1);
            openMenu(new MenuPrincipal());
        }
    } else if (nom == "MenuPrincipal") {
        switch (code) {
        case 1:
            options->setNbJoueurs(1);
            openMenu(new MenuDifficulte());
            break;
        case 2:
            options->setNbJoueurs(1);
            openMenu(new MenuSingleMap());
            break;
        case 3:
            options->setNbJoueurs(2);
            openMenu(new MenuSingleMap());
            break;
        case 4:
            openMenu(new MenuScores());
            break;
        case 5:
            openMenu(new MenuOptions());
            break;
        case 6:
            quit = true;
            break;
        default:
            break;
        }
    } else if (nom == "MenuDifficulte") {
        if (code == 7) {
            openMenu(new MenuPrincipal());
        } else {
            sons->chargerMusique(sons->intro);
            sons->jouerMusique(1);
            initJeu(code);
            menuMode = 0;
        }
    } else if (nom == "MenuSingleMap") {
        if (code == 3)
            openMenu(new MenuPrincipal());
        else if (code == 2)
            openMenu(onePlayer ? static_cast<Menu*>(new MenuSingleUnofficialLevels())
                               : new MenuVersusUnofficialLevels());
        else if (code == 1)
            openMenu(onePlayer ? static_cast<Menu*>(new MenuSingleOfficialLevels())
                               : new MenuVersusOfficialLevels());
    } else if (nom == "MenuSingleUnofficialLevels" || nom == "MenuVersusUnofficialLevels") {
        if (code == 3)
            openMenu(new MenuSingleMap());
        else if (code == 1)
            startListGame(nom == "MenuSingleUnofficialLevels" ? 2 : 4);
    } else if (nom == "MenuSingleOfficialLevels" || nom == "MenuVersusOfficialLevels") {
        if (code == 2)
            openMenu(new MenuSingleMap());
        else if (code == 1)
            startListGame(nom == "MenuSingleOfficialLevels" ? 1 : 3);
    } else if (nom == "MenuScores") {
        if (code == 7)
            openMenu(new MenuPrincipal());
    } else if (nom == "MenuOptions") {
        if (code == 5) {
            // The new music volume and language are in force from here on.
            sons->reload();
            lang->charger();
            openMenu(new MenuPrincipal());
        }
    } else if (nom == "MenuRecord") {
        if (code == 1) {
            // The run's level manager and game manager outlived the game for
            // the record screen.
            openMenu(new MenuPrincipal());
            NiveauManager::kill();
            niveau = nullptr;
            GameManager::kill();
            gameManager = nullptr;
        }
    }
}
