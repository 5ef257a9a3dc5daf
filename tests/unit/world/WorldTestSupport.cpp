#include "WorldTestSupport.h"

#include "GLWindow.h"
#include "services/CTextureManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string makeTempDir(const char* pattern)
{
    std::string templ = (fs::temp_directory_path() / pattern).string();
    std::vector<char> buffer(templ.begin(), templ.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    return buffer.data();
}

} // namespace

TemporaryGame::TemporaryGame()
{
    previousDir = fs::current_path().string();
    install = makeTempDir("korvelin-world-install-XXXXXX");
    user = makeTempDir("korvelin-world-user-XXXXXX");
    setenv("APPDATA", user.c_str(), 1);
    fs::current_path(install);
}

TemporaryGame::~TemporaryGame()
{
    std::error_code ignored;
    fs::current_path(previousDir, ignored);
    fs::remove_all(install, ignored);
    fs::remove_all(user, ignored);
}

void writeFile(const std::string& path, const std::string& content)
{
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    ASSERT_TRUE(out.good()) << path;
}

void writeTGA(const std::string& path, int width, int height, unsigned char r, unsigned char g,
              unsigned char b, unsigned char a)
{
    std::string data(18, '\0');
    data[2] = 2; // uncompressed true colour
    data[12] = static_cast<char>(width & 0xFF);
    data[13] = static_cast<char>(width >> 8);
    data[14] = static_cast<char>(height & 0xFF);
    data[15] = static_cast<char>(height >> 8);
    data[16] = 32;
    data[17] = 8;
    for (int i = 0; i < width * height; i++) {
        data += static_cast<char>(b);
        data += static_cast<char>(g);
        data += static_cast<char>(r);
        data += static_cast<char>(a);
    }
    writeFile(path, data);
}

void openGLWindow()
{
    ASSERT_TRUE(korvelin_test::openGLWindow(320, 240));
    glEnable(GL_TEXTURE_2D);
    CSingleton<CTextureManager>::GetInstance()->Initialize();
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

void openAudio()
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512), 0) << Mix_GetError();
    Mix_AllocateChannels(8);
}

Mix_Chunk* makeSilentChunk()
{
    // Two seconds of stereo 16-bit silence; never freed (the test process ends).
    static std::vector<std::vector<Uint8>> buffers;
    buffers.emplace_back(22050 * 4 * 2, 0);
    return Mix_QuickLoad_RAW(buffers.back().data(), static_cast<Uint32>(buffers.back().size()));
}
