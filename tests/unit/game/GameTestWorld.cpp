#include "GameTestWorld.h"

#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <SDL/SDL.h>
#include <sstream>

namespace game_test {

std::string levelText(int seconds, const std::vector<std::string>& rows)
{
    std::istringstream first(rows.empty() ? std::string() : rows[0]);
    int columns = 0;
    std::string cell;
    while (first >> cell)
        ++columns;
    std::ostringstream out;
    out << "KZ2\n" << seconds << " " << rows.size() << " " << columns << "\n1 1 1 blueSky\n";
    for (const std::string& row : rows)
        out << row << "\n";
    return out.str();
}

GameTestWorld::GameTestWorld(const korvelin_test::OptionsText& options)
{
    sandbox.writeUserFile("Data/Options.dat", options.str());
    context = korvelin_test::openGLWindow(64, 64, 32);
    SonsManager::getInstance()->setNoAudio(true);
}

GameTestWorld::~GameTestWorld()
{
    NiveauManager::kill();
    GameManager::kill();
    SDL_Quit();
}

void GameTestWorld::writeLevel(const std::string& name, const std::string& text)
{
    sandbox.writeUserFile("Levels/Custom/" + name + ".kzl", text);
}

void GameTestWorld::writeOfficialLevel(const std::string& name, const std::string& text)
{
    sandbox.writeInstallFile("Levels/Official/" + name + ".kzl", text);
}

GameManager* GameTestWorld::startDifficultyRun(int difficulty)
{
    OptionsManager::getInstance()->setNbJoueurs(1);
    NiveauManager* niveau = NiveauManager::getInstance();
    gm = GameManager::getInstance();
    niveau->mode = 0;
    niveau->difficulty = difficulty;
    niveau->chargerNiveau();
    gm->ajouterJoueur(new Joueur(1));
    return gm;
}

GameManager* GameTestWorld::start(const std::vector<std::string>& levels, int players)
{
    OptionsManager::getInstance()->setNbJoueurs(players);
    NiveauManager* niveau = NiveauManager::getInstance();
    gm = GameManager::getInstance();
    niveau->mode = players == 2 ? 4 : 2;
    niveau->difficulty = -1;
    niveau->levelNames = levels;
    niveau->chargerNiveau();
    gm->ajouterJoueur(new Joueur(1));
    if (players == 2)
        gm->ajouterJoueur(new Joueur(2));
    return gm;
}

bool GameTestWorld::stepUntil(const std::function<bool()>& condition, long dt, int maxFrames)
{
    for (int i = 0; i < maxFrames; ++i) {
        if (condition())
            return true;
        gm->refresh(dt);
    }
    return condition();
}

void GameTestWorld::step(long dt, int frames)
{
    for (int i = 0; i < frames; ++i)
        gm->refresh(dt);
}

void GameTestWorld::setKey(int action, int player, int state)
{
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    ClavierManager::clavier->keyState[action][player - 1] = state;
}

const std::vector<std::string> kPlainRows(10, "1 1 1");
const std::vector<std::string> kFinishRows = {"1 1 1", "1 1 1", "1 100 1", "1 1 1"};

} // namespace game_test
