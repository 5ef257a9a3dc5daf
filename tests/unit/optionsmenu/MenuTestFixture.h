#pragma once

// A sandboxed game for driving one menu screen: the installation folder (the
// working directory) holds the real language texts and seeds and the font,
// APPDATA points at a temporary player's folder, a small GL window and the
// dummy audio device are open, and the three menu sounds are told apart by
// the chunk each mixer channel plays. Keys are scripted through the key
// service's states; every frame has a fixed dt.

#include "GLWindow.h"
#include "GameHarness.h"
#include "TestFiles.h"

#include "application/GameManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/SonsManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace menu_test {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        folders = std::make_unique<korvelin_test::SandboxedGameFolders>();
        fs::copy(std::string(KORVELIN_SOURCE_DIR) + "/data/Data", folders->installDir() + "/Data",
                 fs::copy_options::recursive);
        fs::create_directories(folders->installDir() + "/Fonts");
        fs::copy_file("/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf",
                      folders->installDir() + "/Fonts/Comfortaa.ttf");
    }

    // Opens the window and the audio device; call after preparing files and
    // before the first menu is made.
    void openDevices()
    {
        ASSERT_TRUE(korvelin_test::openGLWindow(kWindowWidth, kWindowHeight));
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(TTF_Init(), 0);
        glEnable(GL_TEXTURE_2D);
        // The game's start-up culls faces wound counter-clockwise; menus
        // draw under that state.
        glFrontFace(GL_CW);
        glEnable(GL_CULL_FACE);
        CSingleton<CTextureManager>::GetInstance()->Initialize();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512), 0) << Mix_GetError();
        Mix_AllocateChannels(32);
        // The texts of the language in force, as the start-up loads them.
        LangManager::getInstance()->charger();
        SonsManager* sounds = SonsManager::getInstance();
        sounds->beep = silentChunk();
        sounds->beep2 = silentChunk();
        sounds->beep3 = silentChunk();
    }

    // The text of a language key; every key the menus use has one.
    static std::string text(const std::string& key)
    {
        const std::string t = LangManager::getInstance()->get(key);
        EXPECT_FALSE(t.empty()) << key;
        return t;
    }

    ClavierManager* keys()
    {
        if (ClavierManager::clavier == nullptr)
            ClavierManager::clavier = new ClavierManager();
        return ClavierManager::clavier;
    }

    // Sets the state of an action for a player (0 or 1).
    void press(int action, int player = 0) { keys()->keyState[action][player] = 1; }
    void release(int action, int player = 0) { keys()->keyState[action][player] = 0; }
    void releaseAll()
    {
        for (int a = 0; a < ClavierManager::kNbActions; ++a)
            for (int p = 0; p < 2; ++p)
                keys()->keyState[a][p] = 0;
    }

    // One press held for one frame, then released with an idle frame after
    // it, so that the next press acts at once.
    template <typename M>
    void tap(M& menu, int action, int player = 0, long dt = 40)
    {
        press(action, player);
        menu.refresh(dt);
        releaseAll();
        menu.refresh(dt);
    }

    // How many times each menu sound is playing (sounds last two seconds).
    int plays(Mix_Chunk* chunk)
    {
        int n = 0;
        for (int c = 0; c < Mix_AllocateChannels(-1); ++c)
            if (Mix_Playing(c) && Mix_GetChunk(c) == chunk)
                ++n;
        return n;
    }
    int moveSounds() { return plays(SonsManager::getInstance()->beep); }
    int validateSounds() { return plays(SonsManager::getInstance()->beep2); }
    int refusedSounds() { return plays(SonsManager::getInstance()->beep3); }
    void silence() { Mix_HaltChannel(-1); }

    bool allKeyStatesClear()
    {
        for (int a = 0; a < ClavierManager::kNbActions; ++a)
            for (int p = 0; p < 2; ++p)
                if (keys()->keyState[a][p] != 0)
                    return false;
        return true;
    }

    // Draws a menu in the 2-D overlay as the game does frame after frame
    // (the last of the frames is the one read back) and reads the window. With
    // MENU_TEST_DUMP set, each picture is also saved as a PPM file whose
    // name begins with its value, for a look at a failing layout.
    template <typename M>
    std::vector<unsigned char> render(M& menu, int frames = 2)
    {
        for (int frame = 0; frame < frames; ++frame) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            GameManager::begin2D();
            menu.draw();
            GameManager::end2D();
        }
        glFinish();
        std::vector<unsigned char> pixels(kWindowWidth * kWindowHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        if (const char* dump = std::getenv("MENU_TEST_DUMP")) {
            static int n = 0;
            FILE* f = std::fopen((std::string(dump) + std::to_string(n++) + ".ppm").c_str(), "wb");
            std::fprintf(f, "P6 %d %d 255\n", kWindowWidth, kWindowHeight);
            for (int y = kWindowHeight - 1; y >= 0; --y)
                for (int x = 0; x < kWindowWidth; ++x)
                    std::fwrite(&pixels[(y * kWindowWidth + x) * 4], 1, 3, f);
            std::fclose(f);
        }
        return pixels;
    }

    // Pixels in a band of screen heights (0..1, from the bottom) tinted by
    // the light blue of a highlighted text (blue well above red).
    static int bluePixels(const std::vector<unsigned char>& pixels, double yLow = 0.0,
                          double yHigh = 1.0, double xLow = 0.0, double xHigh = 1.0)
    {
        int n = 0;
        for (int y = static_cast<int>(yLow * kWindowHeight);
             y < static_cast<int>(yHigh * kWindowHeight) && y < kWindowHeight; ++y)
            for (int x = static_cast<int>(xLow * kWindowWidth);
                 x < static_cast<int>(xHigh * kWindowWidth) && x < kWindowWidth; ++x) {
                const unsigned char* p = &pixels[(y * kWindowWidth + x) * 4];
                if (p[2] > p[0] + 15)
                    ++n;
            }
        return n;
    }

    // Pixels in a band that are not the black of the cleared window.
    static int litPixels(const std::vector<unsigned char>& pixels, double yLow, double yHigh,
                         double xLow = 0.0, double xHigh = 1.0)
    {
        int n = 0;
        for (int y = static_cast<int>(yLow * kWindowHeight);
             y < static_cast<int>(yHigh * kWindowHeight) && y < kWindowHeight; ++y)
            for (int x = static_cast<int>(xLow * kWindowWidth);
                 x < static_cast<int>(xHigh * kWindowWidth) && x < kWindowWidth; ++x) {
                const unsigned char* p = &pixels[(y * kWindowWidth + x) * 4];
                if (p[0] > 30 || p[1] > 30 || p[2] > 30)
                    ++n;
            }
        return n;
    }

    // A plain white picture as the menus' background (before the menu is
    // made), so that dark texts and the selection shade show against it.
    void useWhiteBackground()
    {
        // A 24-bit BMP; the image loader knows the format by its content.
        const int side = 16;
        std::string bmp = "BM";
        auto put32 = [&bmp](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        auto put16 = [&bmp](uint16_t v) {
            bmp += static_cast<char>(v & 0xFF);
            bmp += static_cast<char>(v >> 8);
        };
        const uint32_t pixels = side * side * 3;
        put32(54 + pixels);
        put32(0);
        put32(54);
        put32(40);
        put32(side);
        put32(side);
        put16(1);
        put16(24);
        put32(0);
        put32(pixels);
        put32(2835);
        put32(2835);
        put32(0);
        put32(0);
        bmp += std::string(pixels, '\xFF');
        for (const char* quality : { "High", "Low" })
            for (const char* ratio : { "Ratio-4-3", "Ratio-16-10" })
                folders->writeInstallFile(std::string("Images/Menus/") + quality + "/" + ratio + "/menuKZ2.png",
                                          bmp);
    }

    // Mean brightness (0..255) of the pixels in a box of the window.
    static double brightness(const std::vector<unsigned char>& pixels, double xLow, double xHigh,
                             double yLow, double yHigh)
    {
        double sum = 0.0;
        int n = 0;
        for (int y = static_cast<int>(yLow * kWindowHeight); y < static_cast<int>(yHigh * kWindowHeight); ++y)
            for (int x = static_cast<int>(xLow * kWindowWidth); x < static_cast<int>(xHigh * kWindowWidth); ++x) {
                const unsigned char* p = &pixels[(y * kWindowWidth + x) * 4];
                sum += (p[0] + p[1] + p[2]) / 3.0;
                ++n;
            }
        return n > 0 ? sum / n : 0.0;
    }

    // Pixels in a box that are nearly black (dark text on a light picture).
    static int darkPixels(const std::vector<unsigned char>& pixels, double yLow, double yHigh)
    {
        int n = 0;
        for (int y = static_cast<int>(yLow * kWindowHeight); y < static_cast<int>(yHigh * kWindowHeight); ++y)
            for (int x = 0; x < kWindowWidth; ++x) {
                const unsigned char* p = &pixels[(y * kWindowWidth + x) * 4];
                if (p[0] < 60 && p[1] < 60 && p[2] < 60)
                    ++n;
            }
        return n;
    }

    std::string userFile(const std::string& relative) { return folders->readUserFile(relative); }
    bool userFileExists(const std::string& relative)
    {
        return korvelin_test::fileExists(folders->userDir() + relative);
    }

    std::unique_ptr<korvelin_test::SandboxedGameFolders> folders;

private:
    static Mix_Chunk* silentChunk()
    {
        // Two seconds of stereo 16-bit silence; kept until the process ends.
        static std::vector<std::vector<Uint8>> buffers;
        buffers.emplace_back(22050 * 4 * 2, 0);
        return Mix_QuickLoad_RAW(buffers.back().data(), static_cast<Uint32>(buffers.back().size()));
    }
};

} // namespace menu_test
