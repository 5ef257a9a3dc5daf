#include "LevelRun.h"

#include "platform/GameRandom.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace leveltest {

LevelRun::LevelRun(const OfficialLevel& level)
{
    folders.writeInstallFile("Levels/Official/" + level.name + ".kzl", readText(level.path));
    // One player: with two, the finish starts an animation instead of ending.
    OptionsManager::getInstance()->setNbJoueurs(1);
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    ClavierManager::clavier->initTocuhes();

    NiveauManager::kill();
    NiveauManager* n = NiveauManager::getInstance();
    n->mode = 1;
    n->chargerNiveau(level.name);
    ok = !n->noMoreLevel && n->rows > 0;
    joueur = std::make_unique<Joueur>(1);
    joueur->setTemps(n->levelTime);
}

LevelRun::~LevelRun()
{
    joueur.reset();
    NiveauManager::kill();
}

int LevelRun::timeLimitSeconds() const
{
    return NiveauManager::getInstance()->levelTime;
}

void LevelRun::step(const KeySegment& keys, long dt)
{
    int (&state)[ClavierManager::kNbActions][2] = ClavierManager::clavier->keyState;
    state[ClavierManager::UP][0] = keys.up ? 1 : 0;
    state[ClavierManager::DOWN][0] = keys.down ? 1 : 0;
    state[ClavierManager::LEFT][0] = keys.left ? 1 : 0;
    state[ClavierManager::RIGHT][0] = keys.right ? 1 : 0;

    NiveauManager* n = NiveauManager::getInstance();
    Joueur& j = *joueur;
    const double positions[6] = {j.getX(), j.getY(), j.getZ(), j.getX(), j.getY(), j.getZ()};
    n->setPlayerPositions(positions);
    n->refreshFixedBlocs(dt);
    n->refreshMobileBlocs(dt);
    n->collisionMobileBlocs(dt);
    n->collisionFixedBlocs(dt);
    clock += dt;
    j.refresh(dt, clock);
}

void LevelRun::play(const KeyScript& script)
{
    platform::setGameRandomSource({});
    platform::seedGameRandom(script.seed);
    for (const KeySegment& s : script.segments)
        for (int i = 0; i < s.frames; ++i) {
            if (!joueur->enJeu() && joueur->getEtat() != Joueur::kChute)
                return;
            step(s, script.dt);
        }
}

} // namespace leveltest
