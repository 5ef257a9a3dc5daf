#include "LevelMenuTestSupport.h"

#include "GLWindow.h"
#include "menus/Menu.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/SonsManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace levelmenus_test {

namespace {

using korvelin_test::playsOf;
using korvelin_test::silentChunk;

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void putBigEndian(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void putChunk(std::string& png, const std::string& type, const std::string& data)
{
    putBigEndian(png, static_cast<std::uint32_t>(data.size()));
    png += type + data;
    putBigEndian(png, crc32(type + data));
}

// An RGB PNG of one colour; the pixels go in one stored (uncompressed)
// deflate block.
std::string solidPng(int size, unsigned char r, unsigned char g, unsigned char b)
{
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < size; ++x) {
            raw += static_cast<char>(r);
            raw += static_cast<char>(g);
            raw += static_cast<char>(b);
        }
    }
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(size));
    putBigEndian(header, static_cast<std::uint32_t>(size));
    header += std::string("\x08\x02\x00\x00\x00", 5);

    std::string z = "\x78\x01";
    z += '\x01';
    const std::uint16_t length = static_cast<std::uint16_t>(raw.size());
    z += static_cast<char>(length & 0xFF);
    z += static_cast<char>(length >> 8);
    z += static_cast<char>(~length & 0xFF);
    z += static_cast<char>((~length >> 8) & 0xFF);
    z += raw;
    std::uint32_t a = 1, bsum = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521u;
        bsum = (bsum + a) % 65521u;
    }
    putBigEndian(z, (bsum << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", z);
    putChunk(png, "IEND", "");
    return png;
}

const char* const kLevelText = "KZ2\n60 3 3\n1 1 1 blueSky\n1 1 1\n1 100 1\n0 0 0\n";

} // namespace

void LevelMenuTest::SetUp()
{
    // The game's own texts and font, as the installation holds them.
    fs::copy(std::string(KORVELIN_SOURCE_DIR) + "/data/Data", folders.installDir() + "/Data",
             fs::copy_options::recursive);
    fs::create_directories(folders.installDir() + "/Fonts");
    fs::copy_file(std::string(KORVELIN_STAGE_DIR) + "/Fonts/Comfortaa.ttf",
                  folders.installDir() + "/Fonts/Comfortaa.ttf");
    useOptions(startOptions());

    ASSERT_TRUE(korvelin_test::openGLWindow(320, 240));
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    glEnable(GL_TEXTURE_2D);
    CTextureManager::GetInstance()->Initialize();
    ASSERT_EQ(TTF_Init(), 0);
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512), 0) << Mix_GetError();
    Mix_AllocateChannels(16);

    SonsManager* sons = SonsManager::getInstance();
    moveSound = silentChunk();
    validateSound = silentChunk();
    sons->beep = moveSound;
    sons->beep2 = validateSound;
    sons->beep3 = silentChunk();
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    // The game loads the texts of the language in force at start-up.
    LangManager::getInstance()->charger();
}

void LevelMenuTest::TearDown()
{
    Mix_HaltChannel(-1);
}

void LevelMenuTest::useOptions(const korvelin_test::OptionsText& options)
{
    folders.writeUserFile("Data/Options.dat", options.str());
}

void LevelMenuTest::installOfficialLevels(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        folders.writeInstallFile("Levels/Official/" + name + ".kzl", kLevelText);
}

void LevelMenuTest::installOfficialWorlds(const std::vector<int>& levelsPerWorld)
{
    std::vector<std::string> names;
    for (std::size_t w = 0; w < levelsPerWorld.size(); ++w)
        for (int i = 1; i <= levelsPerWorld[w]; ++i)
            names.push_back("Level_" + std::to_string(w + 1) + "-" + std::to_string(i));
    installOfficialLevels(names);
}

void LevelMenuTest::writeUserList(const std::string& text)
{
    folders.writeUserFile("Levels/Custom/list.kzo", text);
}

void LevelMenuTest::installCustomLevels(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) {
        list += name + "\n";
        folders.writeUserFile("Levels/Custom/" + name + ".kzl", kLevelText);
    }
    writeUserList(list);
}

void LevelMenuTest::writeInstallPng(const std::string& relative)
{
    folders.writeInstallFile(relative, korvelin_test::readFile(std::string(KORVELIN_STAGE_DIR) +
                                                               "/Images/Previews/NoPreview.png"));
}

void LevelMenuTest::writeUserPng(const std::string& relative)
{
    folders.writeUserFile(relative, korvelin_test::readFile(std::string(KORVELIN_STAGE_DIR) +
                                                            "/Images/Previews/NoPreview.png"));
}

void LevelMenuTest::writeInstallSolidPng(const std::string& relative, unsigned char r,
                                         unsigned char g, unsigned char b)
{
    folders.writeInstallFile(relative, solidPng(4, r, g, b));
}

void LevelMenuTest::press(int action, int player)
{
    korvelin_test::pressAction(action, player);
}

void LevelMenuTest::releaseAll()
{
    korvelin_test::releaseAllActions();
}

void LevelMenuTest::tap(Menu& menu, int action, long dt)
{
    korvelin_test::tapAction(menu, action, dt);
}

bool LevelMenuTest::allKeysCleared() const
{
    return korvelin_test::allKeysCleared();
}

int LevelMenuTest::movePlays() const { return playsOf(moveSound); }

int LevelMenuTest::validatePlays() const { return playsOf(validateSound); }

void LevelMenuTest::clearSounds() { Mix_HaltChannel(-1); }

std::string LevelMenuTest::log() const
{
    return korvelin_test::readFile(folders.installDir() + "/Debug.txt");
}

std::string LevelMenuTest::userFile(const std::string& relative) const
{
    return folders.readUserFile(relative);
}

bool LevelMenuTest::userFileExists(const std::string& relative) const
{
    return korvelin_test::fileExists(folders.userDir() + relative);
}

Pixel readPixel(int x, int y)
{
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

QuadCapture::QuadCapture() {}

std::vector<DrawnQuad> QuadCapture::finish()
{
    std::vector<DrawnQuad> quads;
    for (const korvelin_test::FeedbackPolygon& p : feedback.finish()) {
        DrawnQuad q = {p.left, p.right, p.bottom, p.top, p.sMin, p.sMax, p.tMin, p.tMax, p.tAtTop,
                       {p.colour[0], p.colour[1], p.colour[2], p.colour[3]}};
        // A quad may come back as its two triangles, one after the other.
        if (!quads.empty()) {
            const DrawnQuad& last = quads.back();
            if (last.left == q.left && last.right == q.right && last.bottom == q.bottom &&
                last.top == q.top && last.tMin == q.tMin && last.tMax == q.tMax)
                continue;
        }
        quads.push_back(q);
    }
    return quads;
}

std::vector<DrawnQuad> quadsAt(const std::vector<DrawnQuad>& quads, double left, double bottom,
                               double width, double height)
{
    std::vector<DrawnQuad> found;
    const double tolerance = 1e-4;
    for (const DrawnQuad& q : quads)
        if (std::fabs(q.left - left) < tolerance && std::fabs(q.bottom - bottom) < tolerance &&
            std::fabs(q.right - q.left - width) < tolerance &&
            std::fabs(q.top - q.bottom - height) < tolerance)
            found.push_back(q);
    return found;
}

std::vector<DrawnQuad> textAt(const std::vector<DrawnQuad>& quads, double y, const double* rgba)
{
    std::vector<DrawnQuad> found;
    for (const DrawnQuad& q : quads) {
        if (std::fabs((q.top + q.bottom) / 2 - y) > 1e-4)
            continue;
        bool same = true;
        for (int c = 0; c < 4; ++c)
            same = same && std::fabs(q.colour[c] - rgba[c]) < 0.01;
        if (same)
            found.push_back(q);
    }
    return found;
}

} // namespace levelmenus_test
