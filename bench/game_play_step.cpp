// One frame of play on a large level: the game manager's step (blocks,
// moving-block collisions, the player, the clock, the ghost replay) and the
// drawing of the frame, on a level of 100 rows x 30 columns with 40 moving
// blocks.
#include "application/GameManager.h"
#include "application/GameViews.h"
#include "records/Ghost.h"
#include "records/Position.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const int kRows = 100;
const int kCols = 30;
const int kMovingBlocks = 40;

// Plain blocks everywhere, with a timed block every seventh cell and the
// moving blocks (horizontal ones, types 52 and 53) spread over the rows.
std::string bigLevel()
{
    std::string text = "KZ2\n9999 " + std::to_string(kRows) + " " + std::to_string(kCols)
        + "\n1 1 1 blueSky\n";
    int moving = 0;
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kCols; ++c) {
            int type = (r * kCols + c) % 7 == 0 ? 21 : 1;
            if (moving < kMovingBlocks && r > 2 && r < kRows - 4 && r % 2 == 0 && c == 5 + (r % 20)) {
                type = moving % 2 == 0 ? 52 : 53;
                ++moving;
            }
            text += std::to_string(type) + (c == kCols ? "\n" : " ");
        }
    }
    return text;
}

// A process-wide game: temporary folders, a GL window and the level.
struct BenchGame {
    BenchGame()
    {
        char installTemplate[] = "/tmp/korvelin-bench-game-XXXXXX";
        char userTemplate[] = "/tmp/korvelin-bench-user-XXXXXX";
        install = mkdtemp(installTemplate);
        user = mkdtemp(userTemplate);
        setenv("APPDATA", user.c_str(), 1);
        std::filesystem::create_directories(user + "/Korvelin/Levels/Custom");
        std::ofstream(user + "/Korvelin/Levels/Custom/Big.Bench.kzl") << bigLevel();
        if (chdir(install.c_str()) != 0)
            std::abort();

        SDL_Init(SDL_INIT_VIDEO);
        ready = SDL_SetVideoMode(640, 480, 32, SDL_OPENGL) != nullptr;
        SonsManager::getInstance()->setNoAudio(true);
        CTextureManager::GetInstance()->Initialize();
        glEnable(GL_DEPTH_TEST);
        glFrontFace(GL_CW);
        glEnable(GL_CULL_FACE);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-4.0 / 3.0, 4.0 / 3.0, -1.0, 1.0, 1.5, 100.0);
        glMatrixMode(GL_MODELVIEW);

        OptionsManager::getInstance()->setNbJoueurs(1);
        NiveauManager* niveau = NiveauManager::getInstance();
        gm = GameManager::getInstance();
        niveau->mode = 2;
        niveau->difficulty = -1;
        niveau->levelNames = {"Big.Bench"};
        niveau->chargerNiveau();
        gm->ajouterJoueur(new Joueur(1));
        // Straight into play.
        ClavierManager::clavier->keyState[ClavierManager::VALIDATE][0] = 1;
        OptionsManager* options = OptionsManager::getInstance();
        for (int i = 0; i < 400 && gm->state != GameManager::kPlay; ++i)
            gm->refresh(10);
        (void)options;
    }

    ~BenchGame()
    {
        NiveauManager::kill();
        GameManager::kill();
        SDL_Quit();
        std::error_code ignored;
        std::filesystem::remove_all(install, ignored);
        std::filesystem::remove_all(user, ignored);
    }

    // Gives the level a recorded best run of the given number of poses.
    void setGhost(int poses)
    {
        NiveauManager* niveau = NiveauManager::niveauManager;
        niveau->ghost = Ghost();
        for (int i = 0; i < poses; ++i)
            niveau->ghost.addPosition(Position(i * 60L, 15.0f, 0.5f, 98.0f - i * 0.01f, 0, 0, 0));
        niveau->ghost.reset();
        niveau->ghostLoaded = poses > 0;
    }

    std::string install;
    std::string user;
    bool ready = false;
    GameManager* gm = nullptr;
};

BenchGame& game()
{
    static BenchGame instance;
    return instance;
}

void playStep(benchmark::State& state)
{
    BenchGame& g = game();
    if (!g.ready || g.gm->state != GameManager::kPlay) {
        state.SkipWithError("no GL context or the game is not in play");
        return;
    }
    g.setGhost(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        g.gm->refresh(10);
        if (g.gm->state != GameManager::kPlay) {
            state.PauseTiming();
            g.gm->state = GameManager::kPlay;
            state.ResumeTiming();
        }
    }
    state.counters["moving"] = static_cast<double>(NiveauManager::niveauManager->mobileBlocks.size());
    state.SetItemsProcessed(state.iterations());
}

void drawFrame(benchmark::State& state)
{
    BenchGame& g = game();
    if (!g.ready) {
        state.SkipWithError("no GL context");
        return;
    }
    g.setGhost(0);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        GameViews::drawGame(g.gm, NiveauManager::niveauManager, OptionsManager::getInstance());
        glFinish();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

// Argument: poses in the level's ghost (0: no ghost to replay).
BENCHMARK(playStep)->Arg(0)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(drawFrame)->Unit(benchmark::kMillisecond);
