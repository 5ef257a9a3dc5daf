#include "application/GameManager.h"

#include "menus/MenuPause.h"
#include "records/Ghost.h"
#include "records/Position.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "services/TextFromFontManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <algorithm>

GameManager* GameManager::gm = nullptr;

namespace {

const char* const kLogClass = "Environnement";

bool playingOrFalling(Joueur* j)
{
    return j != nullptr && (j->enJeu() || j->getEtat() == Joueur::kChute);
}

bool finishing(Joueur* j)
{
    return j != nullptr && j->getEtat() == Joueur::kFinArrivee;
}

} // namespace

GameManager::GameManager()
    : options(nullptr), colors(nullptr), niveau(nullptr), textures(nullptr), clavier(nullptr),
      texts(nullptr), lang(nullptr), sons(nullptr), debug(nullptr), pauseMenu(nullptr),
      boardTexture(0), countdown(0.0), endProgress(0.0f), introCamera{0.0f, 0.0f},
      endCamera{0.0f, 0.0f}, state(kIntro), finished(false), players{nullptr, nullptr},
      ghostBody(nullptr), playTime{0, 0}, wins{0, 0}, winner(0),
      playerPositions{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}
{
    options = OptionsManager::getInstance();
    if (NiveauManager::niveauManager == nullptr)
        NiveauManager::niveauManager = new NiveauManager();
    niveau = NiveauManager::niveauManager;
    textures = CTextureManager::GetInstance();
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    clavier = ClavierManager::clavier;
    texts = CSingleton<TextFromFontManager>::GetInstance();
    colors = CSingleton<ColorManager>::GetInstance();
    sons = SonsManager::getInstance();
    lang = LangManager::getInstance();
    debug = DebugManager::GetInstance();

    boardTexture = textures->LoadTexture(
        "Images/Interface/" + options->getPathTextures(0) + "/board.tga", false, 0);
    pauseMenu = new MenuPause();
}

GameManager::~GameManager()
{
    delete players[0];
    delete players[1];
    delete ghostBody;
    // The pause menu lives as long as the game that shows it.
    delete pauseMenu;
}

GameManager* GameManager::getInstance()
{
    if (gm == nullptr)
        gm = new GameManager();
    return gm;
}

void GameManager::kill()
{
    if (gm != nullptr) {
        delete gm;
        gm = nullptr;
    }
}

// --- read-outs -------------------------------------------------------------

float GameManager::getCameraX(int n)
{
    Joueur* j = getJoueur(n);
    return j != nullptr ? j->getCameraX() : 0.0f;
}

float GameManager::getCameraY(int n)
{
    const int slot = n == 2 ? 1 : 0;
    if (state == kLevelEnd || state == kNextLevel)
        return endCamera[slot];
    Joueur* j = getJoueur(n);
    return j != nullptr ? j->getCameraY() : 0.0f;
}

float GameManager::getCameraZ(int n)
{
    const int slot = n == 2 ? 1 : 0;
    if (state == kIntro)
        return introCamera[slot];
    Joueur* j = getJoueur(n);
    return j != nullptr ? j->getCameraZ() : 0.0f;
}

bool GameManager::getFinJeu()
{
    return state == kQuit || state == kAllCleared;
}

bool GameManager::jeuQuitte()
{
    return state == kQuit;
}

std::string GameManager::tempsTexte(long t)
{
    return std::to_string(t / 1000) + "." + std::to_string(t / 100 - (t / 1000) * 10) + " ";
}

std::string GameManager::getTempsJeu(int i)
{
    return tempsTexte(getTempsLong(i));
}

long GameManager::getTempsLong(int i)
{
    return (i == 0 || i == 1) ? playTime[i] : 0;
}

Joueur* GameManager::getJoueur(int n)
{
    if (n == 2 && players[1] != nullptr)
        return players[1];
    return players[0];
}

bool GameManager::isAllLevelsCleared()
{
    return finished;
}

void GameManager::chargerJeu()
{
    debug->o(kLogClass, "chargerJeu", true, "Loading level ...");
    niveau->chargerNiveau();
}

void GameManager::ajouterJoueur(Joueur* j)
{
    if (j == nullptr)
        return;
    const int slot = j->getNumJoueur() == 2 ? 1 : 0;
    delete players[slot];
    players[slot] = j;
    j->setTemps(niveau->levelTime);
    if (slot == 1) {
        spreadPlayers();
        if (players[0] != nullptr)
            players[0]->setModeSolo(false);
        j->setModeSolo(false);
    }
}

// --- the per-frame step ----------------------------------------------------

void GameManager::refresh(long dt)
{
    if (niveau->noMoreLevel) {
        // No level to play (the first one could not be loaded, or a restart
        // lost its file): the game ends at once, with nothing cleared.
        if (state >= 0) {
            debug->o(kLogClass, "refresh", false, "No level to play, the game is over");
            state = kQuit;
        }
        return;
    }
    switch (state) {
    case kIntro:
        refreshIntro(dt);
        break;
    case kCountdown:
        refreshCountdown(dt);
        break;
    case kPlay:
        refreshPlay(dt);
        break;
    case kLevelEnd:
        refreshLevelEnd(dt);
        break;
    case kNextLevel:
        refreshNextLevel();
        break;
    case kPause:
        refreshPause(dt);
        break;
    default:
        break;
    }
}

void GameManager::startGameMusic()
{
    sons->chargerMusique(sons->game);
    sons->jouerMusique(-1);
}

void GameManager::refreshIntro(long dt)
{
    if (players[0] == nullptr)
        return;
    // The sweep covers the level's length in about six seconds; computed in
    // floating point so that short frames still move it.
    const float step = static_cast<float>(dt * niveau->rows) / 6000.0f;
    introCamera[0] += step;
    introCamera[1] += step;

    if (introCamera[0] > players[0]->getCameraZ()) {
        debug->o(kLogClass, "refresh", true, "The Introduction is Over");
        startGameMusic();
        state = kPlay;
        introCamera[0] = 0.0f;
        introCamera[1] = 0.0f;
    }

    int& validate = clavier->keyState[ClavierManager::VALIDATE][0];
    int& back = clavier->keyState[ClavierManager::BACK][0];
    if (validate == 1 || back == 1) {
        debug->o(kLogClass, "refresh", true, "Introduction interupted");
        validate = 0;
        back = 0;
        startGameMusic();
        if (options->isGameMessages(0)) {
            sons->jouerSon(sons->s321);
            state = kCountdown;
            countdown = 2000.0;
        } else {
            state = kPlay;
        }
    }
}

void GameManager::refreshCountdown(long dt)
{
    countdown -= dt;
    if (countdown <= 0.0) {
        countdown = 0.0;
        state = kPlay;
    }
}

void GameManager::refreshPlay(long dt)
{
    Joueur* p1 = getJoueur(1);
    Joueur* p2 = getJoueur(2);
    if (p1 != nullptr) {
        playerPositions[0] = p1->getX();
        playerPositions[1] = p1->getY();
        playerPositions[2] = p1->getZ();
        playerPositions[3] = p2->getX();
        playerPositions[4] = p2->getY();
        playerPositions[5] = p2->getZ();
    }
    niveau->setPlayerPositions(playerPositions);
    refreshBlocks(dt);

    if (openPause())
        return;
    if (clavier->keyState[ClavierManager::RESTART][0] == 1 && options->getNbJoueurs() == 1) {
        restartLevel();
        return;
    }
    runPlayers(dt);

    if (levelOver()) {
        sons->chargerMusique(sons->finNiveau);
        sons->jouerMusique(1);
        state = kLevelEnd;
        players[0]->setAnimation(0);
        if (players[1] != nullptr)
            players[1]->setAnimation(0);
        countWin();
    }
    if (players[0] != nullptr && !players[0]->vivant()
        && (players[1] == nullptr || !players[1]->vivant())) {
        // Nobody left: the level starts again with three lives.
        restartLevel();
        return;
    }
    updateWinner();
}

void GameManager::refreshBlocks(long dt)
{
    if (niveau->grid == nullptr)
        return;
    niveau->refreshFixedBlocs(dt);
    niveau->refreshMobileBlocs(dt);
    niveau->collisionMobileBlocs(dt);
    niveau->collisionFixedBlocs(dt);
}

bool GameManager::openPause()
{
    int& back = clavier->keyState[ClavierManager::BACK][0];
    if (back != 1)
        return false;
    Joueur* p1 = players[0];
    Joueur* p2 = players[1];
    const bool p1Done = p1 != nullptr
        && (p1->niveauTermine() || p1->getAnimation() == Joueur::kFinArrivee);
    const bool p2Done = p2 != nullptr
        && (p2->niveauTermine() || p2->getAnimation() == Joueur::kFinArrivee);
    pauseMenu->enableNextLevel(p2 != nullptr && !p1Done && !p2Done);
    pauseMenu->enableRestartLevel(!p1Done && !p2Done);
    debug->o(kLogClass, "refresh", true, "Pause");
    state = kPause;
    sons->pauseMusique();
    back = 0;
    return true;
}

void GameManager::runPlayers(long dt)
{
    Joueur* p1 = players[0];
    Joueur* p2 = players[1];
    if (p1 != nullptr) {
        if (playingOrFalling(p1))
            playTime[0] += dt;
        p1->refresh(dt, playTime[0]);
        replayGhost();
    }
    if (p2 != nullptr) {
        // The shared clock runs once per frame while either player plays.
        if (playingOrFalling(p2) && !playingOrFalling(p1))
            playTime[0] += dt;
        p2->refresh(dt, playTime[0]);
    }
}

void GameManager::replayGhost()
{
    if (!niveau->hasGhost() || !options->isGhostEnabled(0) || players[0] == nullptr)
        return;
    Ghost run(*niveau->getGhost());
    if (ghostBody == nullptr)
        ghostBody = new Joueur(3);
    // The ghost follows player 1's own clock.
    const Position pose = run.getPosition(players[0]->getTempsAbsolu());
    ghostBody->setXYZ(pose.getX(), pose.getY(), pose.getZ());
    ghostBody->setRXYZ(pose.getRX(), pose.getRY(), pose.getRZ());
}

bool GameManager::levelOver() const
{
    Joueur* p1 = players[0];
    Joueur* p2 = players[1];
    if (p1 != nullptr && p1->niveauTermine()
        && (p2 == nullptr || p2->niveauTermine() || !p2->vivant()))
        return true;
    return p2 != nullptr && p2->niveauTermine() && p1 != nullptr && !p1->vivant();
}

void GameManager::countWin()
{
    if (winner == 1 || winner == 3)
        wins[0] += 1;
    if (winner == 2 || winner == 3)
        wins[1] += 1;
}

void GameManager::updateWinner()
{
    Joueur* p1 = players[0];
    Joueur* p2 = players[1];
    switch (winner) {
    case 0:
        if (finishing(p1) && finishing(p2))
            winner = 3;
        else if (finishing(p1))
            winner = 1;
        else if (finishing(p2))
            winner = 2;
        break;
    case 1:
        // The loser's finishing animation is cut short.
        if (finishing(p2))
            p2->setEtat(Joueur::kTermine);
        break;
    case 2:
        if (finishing(p1))
            p1->setEtat(Joueur::kTermine);
        break;
    default:
        break;
    }
}

void GameManager::refreshLevelEnd(long dt)
{
    const float nbJoueurs = static_cast<float>(std::max(1, options->getNbJoueurs()));
    for (int i = 0; i < 2; ++i) {
        Joueur* j = players[i];
        if (j == nullptr || !j->niveauTermine())
            continue;
        endCamera[i] += static_cast<float>(dt * 3) / 1000.0f / nbJoueurs;
        endProgress = endCamera[i] / 5.0f;
        if (endCamera[i] > 5.0f) {
            debug->o(kLogClass, "refresh", true, "Level Over");
            state = kNextLevel;
        }
    }
}

void GameManager::detruireNiveau()
{
    niveau->detruireNiveau();
}

void GameManager::preparePlayer(Joueur* j)
{
    j->initJoueur();
    j->setTemps(niveau->levelTime);
}

void GameManager::spreadPlayers()
{
    if (players[0] == nullptr || players[1] == nullptr)
        return;
    players[0]->setX(players[0]->getX() - 1.0f);
    players[1]->setX(players[1]->getX() + 1.0f);
}

void GameManager::refreshNextLevel()
{
    debug->o(kLogClass, "refresh", true, "is There a next level ?");
    detruireNiveau();
    niveau->levelIndex += 1;
    if (niveau->mode != 0 && static_cast<int>(niveau->levelNames.size()) < niveau->levelIndex)
        niveau->noMoreLevel = true;
    debug->o("NiveauManager", "niveauSuivant", true, "Go to the Next Level");
    niveau->chargerNiveau();

    if (niveau->noMoreLevel) {
        finished = true;
        if (niveau->difficulty == -1) {
            debug->o(kLogClass, "refresh", true, "The level is over");
            state = kQuit;
        } else {
            debug->o(kLogClass, "refresh", true, "All level is cleared");
            state = kAllCleared;
        }
        return;
    }

    for (int i = 0; i < 2; ++i) {
        Joueur* j = players[i];
        if (j == nullptr)
            continue;
        preparePlayer(j);
        // Lives are topped up to three; a player with more keeps them.
        if (j->getVies(false) <= 2)
            j->setVies(3);
    }
    spreadPlayers();
    sons->chargerMusique(sons->intro);
    sons->jouerMusique(0);
    state = kIntro;
    introCamera[0] = introCamera[1] = 0.0f;
    endCamera[0] = endCamera[1] = 0.0f;
    endProgress = 0.0f;
    winner = 0;
}

void GameManager::refreshPause(long dt)
{
    pauseMenu->refresh(dt);
    switch (pauseMenu->getCode()) {
    case 1: // continue
        pauseMenu->reset();
        state = kPlay;
        sons->resumeMusique();
        break;
    case 2: // restart the level
        pauseMenu->reset();
        restartLevel();
        break;
    case 3: // next level, no win counted
        pauseMenu->reset();
        state = kNextLevel;
        break;
    case 4: // abandon: the game ends, nothing cleared
        state = kQuit;
        break;
    default:
        break;
    }
}

void GameManager::restartLevel()
{
    debug->o(kLogClass, "restartLevel", true, "Restart the level");
    detruireNiveau();
    niveau->chargerNiveau();

    for (int i = 0; i < 2; ++i) {
        Joueur* j = players[i];
        if (j == nullptr)
            continue;
        j->setVies(3);
        preparePlayer(j);
    }
    spreadPlayers();

    delete ghostBody;
    ghostBody = nullptr;

    sons->chargerMusique(sons->intro);
    sons->jouerMusique(-1);
    introCamera[0] = introCamera[1] = 0.0f;
    endCamera[0] = endCamera[1] = 0.0f;
    // A restart inside a difficulty run keeps the time of the earlier levels.
    if (niveau->levelIndex == 1 || niveau->difficulty == -1)
        playTime[0] = 0;
    state = kIntro;
}
