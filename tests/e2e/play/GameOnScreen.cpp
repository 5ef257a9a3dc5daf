#include "GameOnScreen.h"

#include "GLWindow.h"
#include "GameInPlay.h"

#include "application/GameManager.h"
#include "application/GameViews.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <filesystem>
#include <vector>

namespace play_test {

korvelin_test::OptionsText GameOnScreen::screenOptions() const
{
    korvelin_test::OptionsText options;
    options.width = kWidth;
    options.height = kHeight;
    options.debug = false;
    return options;
}

void GameOnScreen::SetUp()
{
    // The installation's images, font and texts.
    std::filesystem::copy(KORVELIN_STAGE_DIR, folders.installDir(),
                          std::filesystem::copy_options::recursive
                              | std::filesystem::copy_options::overwrite_existing);
    folders.writeUserFile("Data/Options.dat", screenOptions().str());
    folders.writeUserFile("Levels/Custom/Views.Tester.kzl",
                          "KZ2\n60 10 3\n1 1 1 blueSky\n"
                          "100 100 100\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n"
                          "1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n");

    ASSERT_TRUE(korvelin_test::openGLWindow(kWidth, kHeight, 32));
    TTF_Init();
    SonsManager::getInstance()->setNoAudio(true);
    LangManager::getInstance()->charger();

    // The scene state of the application's start-up, by its own steps.
    jeu = std::make_unique<Jeu>(Jeu::NoStart());
    jeu->initGL();
    jeu->initTexture();
    jeu->resize(kWidth, kHeight);
}

void GameOnScreen::TearDown()
{
    NiveauManager::kill();
    GameManager::kill();
    jeu.reset();
    SDL_Quit();
}

GameManager* GameOnScreen::startInPlay(int players)
{
    return korvelin_test::startInPlay(players, "Views.Tester");
}

Picture GameOnScreen::readBack()
{
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Picture picture;
    picture.fromGl(kWidth, kHeight, rgb);
    return picture;
}

Picture GameOnScreen::drawFrame(GameManager* gm)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GameViews::drawGame(gm, NiveauManager::niveauManager, OptionsManager::getInstance());
    Picture picture = readBack();
    SDL_GL_SwapBuffers();
    return picture;
}

} // namespace play_test
