#include "MenuTestSupport.h"

#include "GLWindow.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/SonsManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace menus_test {

using korvelin_test::playsOf;
using korvelin_test::silentChunk;

void MenuTest::SetUp()
{
    installFromStage("Data");
    installFromStage("Fonts");
    installFromStage("Images/Menus");
    folders.writeUserFile("Data/Options.dat", startOptions().str());

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
    refusedSound = silentChunk();
    sons->beep = moveSound;
    sons->beep2 = validateSound;
    sons->beep3 = refusedSound;
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    LangManager::getInstance()->charger();
}

void MenuTest::TearDown()
{
    Mix_HaltChannel(-1);
}

void MenuTest::installFromStage(const std::string& relative)
{
    const fs::path from = fs::path(KORVELIN_STAGE_DIR) / relative;
    const fs::path to = fs::path(folders.installDir()) / relative;
    fs::create_directories(to.parent_path());
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void MenuTest::press(int action, int player, int state)
{
    korvelin_test::pressAction(action, player, state);
}

void MenuTest::releaseAll()
{
    korvelin_test::releaseAllActions();
}

void MenuTest::tap(Menu& menu, int action, long dt)
{
    korvelin_test::tapAction(menu, action, dt);
}

bool MenuTest::allKeysCleared() const
{
    return korvelin_test::allKeysCleared();
}

int MenuTest::movePlays() const { return playsOf(moveSound); }
int MenuTest::validatePlays() const { return playsOf(validateSound); }
int MenuTest::refusedPlays() const { return playsOf(refusedSound); }
void MenuTest::clearSounds() { Mix_HaltChannel(-1); }

std::string MenuTest::log() const
{
    return korvelin_test::readFile(folders.installDir() + "/Debug.txt");
}

QuadCapture::QuadCapture()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(1.0, 1.0, 1.0, 1.0);
}

std::vector<DrawnQuad> QuadCapture::finish()
{
    std::vector<DrawnQuad> quads;
    bool firstHalfSeen = false;
    for (const korvelin_test::FeedbackPolygon& p : feedback.finish()) {
        // A quad may come back as its two triangles, one after the other:
        // the second half of a pair is not a quad of its own.
        if (p.vertices == 3) {
            if (firstHalfSeen) {
                firstHalfSeen = false;
                continue;
            }
            firstHalfSeen = true;
        } else {
            firstHalfSeen = false;
        }
        quads.push_back({p.left, p.right, p.bottom, p.top, p.tAtTop, p.colour[0], p.colour[1],
                         p.colour[2], p.colour[3]});
    }
    return quads;
}

void useGameCulling()
{
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
}

std::vector<DrawnQuad> quadsAt(const std::vector<DrawnQuad>& quads, double left, double bottom,
                               double right, double top)
{
    std::vector<DrawnQuad> found;
    const double tolerance = 1e-4;
    for (const DrawnQuad& q : quads)
        if (std::fabs(q.left - left) < tolerance && std::fabs(q.bottom - bottom) < tolerance &&
            std::fabs(q.right - right) < tolerance && std::fabs(q.top - top) < tolerance)
            found.push_back(q);
    return found;
}

} // namespace menus_test
