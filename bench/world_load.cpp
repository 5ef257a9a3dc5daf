// Loading levels: the level-file reader alone (up to the largest size a
// level file may declare, 4096 x 4096), the level's digest, and the full
// build of the blocks and their display lists under OpenGL.
#include "records/md5wrapper.h"
#include "services/CTextureManager.h"
#include "services/SonsManager.h"
#include "world/FichierNiveau.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// A level text of rows x cols cells in the newer generation, with a mix of
// plain blocks, holes, breakable, timed, disposable and a few moving blocks.
std::string levelText(int rows, int cols)
{
    static const int pattern[] = {1, 1, 0, 7, 20, 1, 21, 0, 27, 1, 28, 3, 1, 24, 0, 1};
    std::string text = "KZ2 120 " + std::to_string(rows) + " " + std::to_string(cols) + "\n1 1 1\nblueSky\n";
    text.reserve(text.size() + static_cast<std::size_t>(rows) * cols * 3);
    unsigned int k = 0;
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++, k++) {
            const int type = (k % 97 == 0) ? 53 : pattern[(k * 7 + r) % 16];
            text += std::to_string(type);
            text += (c + 1 == cols) ? '\n' : ' ';
        }
    }
    return text;
}

const std::string& cachedText(int rows, int cols)
{
    static std::map<std::pair<int, int>, std::string> texts;
    auto& text = texts[{rows, cols}];
    if (text.empty())
        text = levelText(rows, cols);
    return text;
}

void BM_ReadLevelFile(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    const std::string& text = cachedText(rows, cols);
    for (auto _ : state) {
        FichierNiveau level;
        bool ok = FichierNiveau::lire(text, level);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(level.cells.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["cells"] = static_cast<double>(rows) * cols;
}
BENCHMARK(BM_ReadLevelFile)->Args({40, 12})->Args({256, 256})->Args({4096, 4096})->Unit(benchmark::kMillisecond);

void BM_LevelDigest(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    FichierNiveau level;
    FichierNiveau::lire(cachedText(rows, cols), level);
    md5wrapper md5;
    for (auto _ : state)
        benchmark::DoNotOptimize(md5.getHashFromString(level.digestText));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(level.digestText.size()));
}
BENCHMARK(BM_LevelDigest)->Args({40, 12})->Args({4096, 4096})->Unit(benchmark::kMillisecond);

// The game's installation in a temporary folder, with a GL window.
bool prepareGame()
{
    static int state = 0; // 0 not tried, 1 ready, -1 failed
    if (state != 0)
        return state == 1;
    state = -1;
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("korvelin-bench-world-" + std::to_string(getpid()));
    fs::create_directories(root / "install" / "Levels" / "Official");
    fs::create_directories(root / "user");
    setenv("APPDATA", (root / "user").c_str(), 1);
    fs::current_path(root / "install");
    // Block images and backgrounds from the staged game, when it is there.
    std::error_code ignored;
    fs::create_directory_symlink(fs::path(KORVELIN_STAGE_DIR) / "Images", root / "install" / "Images", ignored);
    std::ofstream(root / "install" / "Levels" / "Official" / "Typical.kzl") << cachedText(40, 12);
    SonsManager::getInstance();
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(320, 240, 0, SDL_OPENGL) == nullptr)
        return false;
    glEnable(GL_TEXTURE_2D);
    CSingleton<CTextureManager>::GetInstance()->Initialize();
    state = 1;
    return true;
}

// The whole road of a level start: open, read, build the blocks and lists.
void BM_LoadTypicalLevel(benchmark::State& state)
{
    if (!prepareGame()) {
        state.SkipWithError("no OpenGL window (run under Xvfb)");
        return;
    }
    NiveauManager* niveau = NiveauManager::getInstance();
    niveau->mode = 1;
    for (auto _ : state) {
        niveau->chargerNiveau("Typical");
        niveau->detruireNiveau();
    }
    NiveauManager::kill();
}
BENCHMARK(BM_LoadTypicalLevel)->Unit(benchmark::kMillisecond);

// The largest level file the format allows, 4096 x 4096, through the whole
// road of a level start: open, read, digest, the grid of 16.7 million cells
// and its blocks. The cells are holes but for the last two rows of plain
// blocks: every block costs a display list, so a grid full of blocks is
// bounded by the driver (see BM_BuildLevel for the cost per block).
void BM_LoadLargestLevel(benchmark::State& state)
{
    if (!prepareGame()) {
        state.SkipWithError("no OpenGL window (run under Xvfb)");
        return;
    }
    const int size = 4096;
    {
        std::string text = "KZ2 9999 " + std::to_string(size) + " " + std::to_string(size) + "\n1 1 1\nblueSky\n";
        text.reserve(text.size() + static_cast<std::size_t>(size) * size * 2);
        for (int r = 1; r <= size; r++) {
            const char* cell = r > size - 2 ? "1" : "0";
            for (int c = 1; c <= size; c++) {
                text += cell;
                text += (c == size) ? '\n' : ' ';
            }
        }
        std::ofstream("Levels/Official/Largest.kzl") << text;
    }
    NiveauManager* niveau = NiveauManager::getInstance();
    niveau->mode = 1;
    for (auto _ : state) {
        niveau->chargerNiveau("Largest");
        state.PauseTiming();
        if (niveau->noMoreLevel || niveau->rows != size + 1)
            state.SkipWithError("the largest level was not loaded");
        niveau->detruireNiveau();
        state.ResumeTiming();
    }
    NiveauManager::kill();
    state.counters["cells"] = static_cast<double>(size) * size;
}
BENCHMARK(BM_LoadLargestLevel)->Unit(benchmark::kMillisecond);

// Building blocks and display lists from an already read level.
void BM_BuildLevel(benchmark::State& state)
{
    if (!prepareGame()) {
        state.SkipWithError("no OpenGL window (run under Xvfb)");
        return;
    }
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    FichierNiveau level;
    FichierNiveau::lire(cachedText(rows, cols), level);
    NiveauManager* niveau = NiveauManager::getInstance();
    for (auto _ : state) {
        niveau->construireNiveau(level);
        niveau->detruireNiveau();
    }
    NiveauManager::kill();
    state.counters["cells"] = static_cast<double>(rows) * cols;
}
BENCHMARK(BM_BuildLevel)->Args({40, 12})->Args({256, 256})->Unit(benchmark::kMillisecond);

// A player's ground probe during play on a typical level with moving blocks.
void BM_CollisionProbe(benchmark::State& state)
{
    if (!prepareGame()) {
        state.SkipWithError("no OpenGL window (run under Xvfb)");
        return;
    }
    FichierNiveau level;
    FichierNiveau::lire(cachedText(40, 12), level);
    NiveauManager* niveau = NiveauManager::getInstance();
    niveau->construireNiveau(level);
    float x = 1.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(niveau->collision(x, 20.3f, true, false));
        x = x > 12.0f ? 1.0f : x + 0.37f;
    }
    NiveauManager::kill();
}
BENCHMARK(BM_CollisionProbe);

} // namespace
