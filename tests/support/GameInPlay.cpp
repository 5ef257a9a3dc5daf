#include "GameInPlay.h"

#include "application/GameManager.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace korvelin_test {

GameManager* startInPlay(int players, const std::string& levelName)
{
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    OptionsManager::getInstance()->setNbJoueurs(players);
    NiveauManager* niveau = NiveauManager::getInstance();
    GameManager* gm = GameManager::getInstance();
    niveau->mode = players == 2 ? 4 : 2;
    niveau->difficulty = -1;
    niveau->levelNames = {levelName};
    niveau->chargerNiveau();
    gm->ajouterJoueur(new Joueur(1));
    if (players == 2)
        gm->ajouterJoueur(new Joueur(2));
    ClavierManager::clavier->keyState[ClavierManager::VALIDATE][0] = 1;
    for (int i = 0; i < 220 && gm->state != GameManager::kPlay; ++i)
        gm->refresh(10);
    for (int i = 0; i < 3; ++i)
        gm->refresh(10);
    return gm;
}

void enterEnding(GameManager* gm, int n, Ending ending, int msLeft, float progress)
{
    Joueur* p = gm->getJoueur(n);
    switch (ending) {
    case Ending::LevelEnd:
        gm->endProgress = progress;
        p->setEtat(Joueur::kTermine);
        return;
    case Ending::TimeOut:
        p->setTemps(0);
        break;
    case Ending::NoLives:
        p->setVies(0);
        break;
    case Ending::Finishing:
        p->setEtat(Joueur::kFinArrivee);
        p->setAnimation(Joueur::kFinArrivee);
        return; // its animation time is 0: the fade is full
    }
    p->gestionMorts();
    p->refresh(Joueur::kDureeAnimation - msLeft, 0);
}

} // namespace korvelin_test
