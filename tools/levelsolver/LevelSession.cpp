#include "LevelSession.h"

#include <cstdlib>
#include <unistd.h>

#include "platform/GameRandom.h"
#include "services/ClavierManager.h"
#include "world/Bloc.h"
#include "world/BlocCassable.h"
#include "world/BlocDisposable.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

uint32_t LevelSession::randomState = 1;

void LevelSession::installRandom(uint32_t seed)
{
    randomState = seed;
    platform::setGameRandomSource([]() {
        randomState = randomState * 1103515245u + 12345u;
        return static_cast<int>((randomState >> 16) & 0x7fff);
    });
}

void LevelSession::prepareFolders(const std::string& installDir, const std::string& userDir)
{
    setenv("APPDATA", userDir.c_str(), 1);
    if (chdir(installDir.c_str()) != 0) std::abort();
}

LevelSession::LevelSession(const std::string& levelName) : name(levelName)
{
    if (ClavierManager::clavier == nullptr) ClavierManager::clavier = new ClavierManager();
    restart();
}

LevelSession::~LevelSession()
{
    joueur.reset();
    NiveauManager::kill();
}

NiveauManager* LevelSession::level() const
{
    return NiveauManager::getInstance();
}

int LevelSession::timeLimit() const
{
    return level()->levelTime;
}

void LevelSession::restart()
{
    joueur.reset();
    NiveauManager::kill();
    NiveauManager* n = NiveauManager::getInstance();
    n->mode = 1;
    n->chargerNiveau(name);
    ok = !n->noMoreLevel && n->rows > 0;
    joueur.reset(new Joueur(1));
    joueur->setTemps(n->levelTime);
    clock = 0;
}

void LevelSession::step(const KeySegment& keys, long dt)
{
    ClavierManager* k = ClavierManager::clavier;
    k->keyState[ClavierManager::UP][0] = keys.up ? 1 : 0;
    k->keyState[ClavierManager::DOWN][0] = keys.down ? 1 : 0;
    k->keyState[ClavierManager::LEFT][0] = keys.left ? 1 : 0;
    k->keyState[ClavierManager::RIGHT][0] = keys.right ? 1 : 0;
    NiveauManager* n = level();
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

std::vector<Bloc*> LevelSession::allBlocks() const
{
    std::vector<Bloc*> all;
    NiveauManager* n = level();
    for (int r = 0; r < n->rows; ++r)
        for (int c = 0; c < n->cols; ++c)
            if (n->grid[r][c] != nullptr) all.push_back(n->grid[r][c]);
    for (Bloc* b : n->mobileBlocks) all.push_back(b);
    return all;
}

LevelSession::Snapshot LevelSession::save()
{
    Snapshot s;
    for (Bloc* b : allBlocks()) {
        BlockState st{};
        st.type = b->type;
        st.solid = b->solid;
        st.used = b->used;
        st.texture = b->texture;
        st.x = b->x;
        st.y = b->y;
        st.z = b->z;
        if (auto* t = dynamic_cast<BlocTimer*>(b)) {
            st.extra[0] = t->clock;
            st.timer = true;
        }
        if (auto* c = dynamic_cast<BlocCassable*>(b)) st.extra[0] = c->openTime;
        if (auto* d = dynamic_cast<BlocDisposable*>(b)) st.uses = d->uses;
        if (auto* m = dynamic_cast<BlocMobile*>(b)) {
            st.extra[0] = m->speedX;
            st.extra[1] = m->speedZ;
            st.extra[2] = m->previousX;
            st.extra[3] = m->previousZ;
            st.moving = true;
        }
        s.blocks.push_back(st);
    }
    Joueur& j = *joueur;
    s.x = j.getX();
    s.y = j.getY();
    s.z = j.getZ();
    s.vx = j.getVX();
    s.vy = j.getVY();
    s.vz = j.getVZ();
    s.gravity = j.getPeusenteur();
    s.lives = j.getVies(false);
    s.clock = clock;
    s.random = randomState;
    return s;
}

void LevelSession::restore(const Snapshot& s)
{
    std::vector<Bloc*> all = allBlocks();
    for (std::size_t i = 0; i < all.size() && i < s.blocks.size(); ++i) {
        Bloc* b = all[i];
        const BlockState& st = s.blocks[i];
        b->type = st.type;
        b->solid = st.solid;
        b->used = st.used;
        b->texture = st.texture;
        b->x = st.x;
        b->y = st.y;
        b->z = st.z;
        if (auto* t = dynamic_cast<BlocTimer*>(b)) t->clock = st.extra[0];
        if (auto* c = dynamic_cast<BlocCassable*>(b)) c->openTime = st.extra[0];
        if (auto* d = dynamic_cast<BlocDisposable*>(b)) d->uses = st.uses;
        if (auto* m = dynamic_cast<BlocMobile*>(b)) {
            m->speedX = st.extra[0];
            m->speedZ = st.extra[1];
            m->previousX = st.extra[2];
            m->previousZ = st.extra[3];
        }
    }
    Joueur& j = *joueur;
    // initJoueur empties the recording and clears the steering; a saved
    // landing has no steering left, so only the body's motion comes back.
    j.initJoueur();
    j.setXYZ(s.x, s.y, s.z);
    j.setX(s.x);
    j.setVXYZ(s.vx, s.vy, s.vz);
    j.setPeusenteur(s.gravity);
    j.setVies(s.lives);
    j.setTemps(9999);
    clock = s.clock;
    randomState = s.random;
}
