#include "PlayerWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace fs = std::filesystem;

namespace playertest {

namespace {

fs::path racine;

// Made once per test program: the services are process-wide, so the folders
// they are pointed at must outlive every test of the process.
class DossiersTemporaires : public ::testing::Environment {
public:
    void SetUp() override
    {
        char modele[] = "/tmp/korvelin-player-XXXXXX";
        char* d = mkdtemp(modele);
        ASSERT_NE(d, nullptr);
        racine = d;
        fs::create_directories(racine / "install" / "Levels" / "Official");
        fs::create_directories(racine / "user");
        setenv("APPDATA", (racine / "user").c_str(), 1);
        ASSERT_EQ(chdir((racine / "install").c_str()), 0);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::current_path("/", ec);
        fs::remove_all(racine, ec);
    }
};

::testing::Environment* const environnement =
    ::testing::AddGlobalTestEnvironment(new DossiersTemporaires);

} // namespace

std::string dossierInstallation()
{
    return (racine / "install").string();
}

void ecrireNiveau(const std::string& name, const std::string& text)
{
    std::ofstream out(racine / "install" / "Levels" / "Official" / (name + ".kzl"));
    out << text;
}

bool chargerNiveau(const std::string& name, const std::string& text)
{
    ecrireNiveau(name, text);
    NiveauManager::kill();
    NiveauManager* n = NiveauManager::getInstance();
    n->mode = 1;
    n->chargerNiveau(name);
    return !n->noMoreLevel && n->rows > 0;
}

void reglerMessages(bool on)
{
    OptionsManager* o = OptionsManager::getInstance();
    if (o->isGameMessages(0) != on) {
        o->moveGameMessages();
        o->sauverOptions();
    }
}

void reglerJoueurs(int n)
{
    OptionsManager::getInstance()->setNbJoueurs(n);
}

void touche(int action, int joueur, int etat)
{
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    ClavierManager::clavier->keyState[action][joueur - 1] = etat;
}

void relacherTout()
{
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    ClavierManager::clavier->initTocuhes();
}

void pas(Joueur& j, Joueur* autre, long dt, long& clock)
{
    NiveauManager* n = NiveauManager::getInstance();
    Joueur& b = autre != nullptr ? *autre : j;
    const double positions[6] = {j.getX(), j.getY(), j.getZ(), b.getX(), b.getY(), b.getZ()};
    n->setPlayerPositions(positions);
    n->refreshFixedBlocs(dt);
    n->refreshMobileBlocs(dt);
    n->collisionMobileBlocs(dt);
    n->collisionFixedBlocs(dt);
    clock += dt;
    j.refresh(dt, clock);
    if (autre != nullptr)
        autre->refresh(dt, clock);
}

void pas(Joueur& j, long dt, long& clock)
{
    pas(j, nullptr, dt, clock);
}

void placer(Joueur& j, float x, float y, float z, float vx, float vy, float vz)
{
    j.setXYZ(x, y, z);
    j.setX(x);
    j.setVXYZ(vx, vy, vz);
}

} // namespace playertest

namespace playertest {

std::string niveau(int rows, int cols, const std::vector<int>& cells, int time)
{
    std::string text = std::to_string(time) + " " + std::to_string(rows) + " " + std::to_string(cols) + "\n";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        text += std::to_string(cells[i]);
        text += ((i + 1) % static_cast<std::size_t>(cols) == 0) ? "\n" : " ";
    }
    return text;
}

std::string niveauAvec(int type, int time)
{
    std::vector<int> cells(18, 1);
    cells[(5 - 1) * 3 + (2 - 1)] = type;
    return niveau(6, 3, cells, time);
}

void avancerBlocs(long ms, long dt)
{
    NiveauManager* n = NiveauManager::getInstance();
    const double loin[6] = {100, 0, 100, 100, 0, 100};
    for (long t = 0; t < ms; t += dt) {
        n->setPlayerPositions(loin);
        n->refreshFixedBlocs(dt);
        n->refreshMobileBlocs(dt);
        n->collisionMobileBlocs(dt);
        n->collisionFixedBlocs(dt);
    }
}

} // namespace playertest
