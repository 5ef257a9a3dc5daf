// Cost of one player step (Joueur::refresh) on large levels, and of a whole
// frame of play (blocks, then the player) for comparison.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "services/ClavierManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

namespace fs = std::filesystem;

namespace {

// A temporary installation and user folder for the whole program.
void preparerDossiers()
{
    static bool fait = false;
    if (fait)
        return;
    fait = true;
    char modele[] = "/tmp/korvelin-bench-player-XXXXXX";
    const char* d = mkdtemp(modele);
    if (d == nullptr)
        std::abort();
    const fs::path racine = d;
    fs::create_directories(racine / "install" / "Levels" / "Official");
    fs::create_directories(racine / "user");
    setenv("APPDATA", (racine / "user").c_str(), 1);
    if (chdir((racine / "install").c_str()) != 0)
        std::abort();
}

// rows x cols plain blocks; every `pasMobile`-th cell (0: none) a moving block.
void chargerGrandNiveau(int rows, int cols, int pasMobile)
{
    preparerDossiers();
    std::ofstream out("Levels/Official/Grand.kzl");
    out << "KZ2 999 " << rows << " " << cols << " 1 1 1 blueSky\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int k = r * cols + c;
            const bool mobile = pasMobile > 0 && k % pasMobile == 0 && r < rows - 3;
            out << (mobile ? 53 : 1) << (c + 1 == cols ? '\n' : ' ');
        }
    }
    out.close();
    NiveauManager::kill();
    NiveauManager* n = NiveauManager::getInstance();
    n->mode = 1;
    n->chargerNiveau("Grand");
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
}

// The run recorded near the blocks grows by one pose per frame: start a new
// attempt now and then so the recording stays the size of a real level.
constexpr long kFramesParEssai = 4096;

void pasJoueur(benchmark::State& state, int pasMobile)
{
    chargerGrandNiveau(2000, 30, pasMobile);
    Joueur j(1);
    j.setTemps(999);
    // Forward over the level: at 4 units/s a 4096-frame attempt stays in it.
    ClavierManager::clavier->keyState[ClavierManager::UP][0] = 1;
    long horloge = 0, essai = 0;
    for (auto _ : state) {
        horloge += 16;
        j.refresh(16, horloge);
        if (++essai == kFramesParEssai) {
            essai = 0;
            horloge = 0;
            j.initJoueur();
            j.setTemps(999);
        }
        benchmark::DoNotOptimize(j.getY());
    }
    if (!j.enJeu())
        state.SkipWithError("the player left the play state");
    ClavierManager::clavier->keyState[ClavierManager::UP][0] = 0;
    NiveauManager::kill();
}

void BM_JoueurRefresh_GrandNiveauSimple(benchmark::State& state) { pasJoueur(state, 0); }
void BM_JoueurRefresh_GrandNiveau500Mobiles(benchmark::State& state) { pasJoueur(state, 120); }

// A whole frame of play as the game manager runs it, player included.
void BM_FrameDeJeu_GrandNiveau500Mobiles(benchmark::State& state)
{
    chargerGrandNiveau(2000, 30, 120);
    NiveauManager* n = NiveauManager::getInstance();
    Joueur j(1);
    j.setTemps(999);
    long horloge = 0, essai = 0;
    for (auto _ : state) {
        const double p[6] = {j.getX(), j.getY(), j.getZ(), j.getX(), j.getY(), j.getZ()};
        n->setPlayerPositions(p);
        n->refreshFixedBlocs(16);
        n->refreshMobileBlocs(16);
        n->collisionMobileBlocs(16);
        n->collisionFixedBlocs(16);
        horloge += 16;
        j.refresh(16, horloge);
        if (++essai == kFramesParEssai) {
            essai = 0;
            horloge = 0;
            j.initJoueur();
            j.setTemps(999);
        }
    }
    NiveauManager::kill();
}

// The frame of a landing: the probes, the block's effect and the save; over
// a hole (here outside the grid) all nine probes scan every moving block.
void atterrissage(benchmark::State& state, float x)
{
    chargerGrandNiveau(2000, 30, 120);
    Joueur j(1);
    j.setTemps(999);
    const float z = j.getZ();
    long horloge = 0, essai = 0;
    for (auto _ : state) {
        j.setEtat(Joueur::kJeu);
        j.setXYZ(x, -0.001f, z);
        j.setVXYZ(0, 0, 0);
        horloge += 16;
        j.refresh(16, horloge);
        if (++essai == kFramesParEssai) {
            essai = 0;
            horloge = 0;
            j.initJoueur();
            j.setTemps(999);
        }
    }
    NiveauManager::kill();
}

void BM_JoueurAtterrissage_Bloc_500Mobiles(benchmark::State& state) { atterrissage(state, 15); }
void BM_JoueurAtterrissage_Trou_500Mobiles(benchmark::State& state) { atterrissage(state, -5); }

} // namespace

BENCHMARK(BM_JoueurAtterrissage_Bloc_500Mobiles);
BENCHMARK(BM_JoueurAtterrissage_Trou_500Mobiles);
BENCHMARK(BM_JoueurRefresh_GrandNiveauSimple);
BENCHMARK(BM_JoueurRefresh_GrandNiveau500Mobiles);
BENCHMARK(BM_FrameDeJeu_GrandNiveau500Mobiles)->Unit(benchmark::kMicrosecond);
