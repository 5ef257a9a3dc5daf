// The game views drawn in this process on a real GL window: one view for one
// player, two side-by-side views with the separator and both heads-up
// displays for two players, and the players themselves in their views.
#include "GLWindow.h"
#include "GameHarness.h"
#include "Picture.h"
#include "TestFiles.h"

#include "application/GameManager.h"
#include "application/GameViews.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

const int kWidth = 640;
const int kHeight = 480;

class GameViewsOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The installation's images and font, for the backgrounds and texts.
        std::filesystem::copy(KORVELIN_STAGE_DIR, folders.installDir(),
                              std::filesystem::copy_options::recursive
                                  | std::filesystem::copy_options::overwrite_existing);
        korvelin_test::OptionsText options;
        options.width = kWidth;
        options.height = kHeight;
        options.debug = false;
        folders.writeUserFile("Data/Options.dat", options.str());
        folders.writeUserFile("Levels/Custom/Views.Tester.kzl",
                              "KZ2\n60 10 3\n1 1 1 blueSky\n"
                              "100 100 100\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n"
                              "1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n");

        ASSERT_TRUE(korvelin_test::openGLWindow(kWidth, kHeight, 32));
        TTF_Init();
        SonsManager::getInstance()->setNoAudio(true);
        LangManager::getInstance()->charger();
        setUpGl();
        CTextureManager::GetInstance()->Initialize();
    }

    void TearDown() override
    {
        NiveauManager::kill();
        GameManager::kill();
        SDL_Quit();
    }

    // The scene state the application sets at start-up.
    static void setUpGl()
    {
        glEnable(GL_TEXTURE_2D);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        // The game's light: white, from the left, above and behind.
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        const GLfloat position[4] = {-2.0f, 1.0f, 2.0f, 0.0f};
        const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
        glLightfv(GL_LIGHT0, GL_AMBIENT, white);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
        glFrontFace(GL_CW);
        glEnable(GL_CULL_FACE);
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const float ratio = static_cast<float>(kWidth) / kHeight;
        glFrustum(-ratio, ratio, -1.0, 1.0, 1.5, OptionsManager::getInstance()->getClipping(0));
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // A game of the test level in play, the countdown over.
    GameManager* startInPlay(int players)
    {
        OptionsManager::getInstance()->setNbJoueurs(players);
        NiveauManager* niveau = NiveauManager::getInstance();
        GameManager* gm = GameManager::getInstance();
        niveau->mode = players == 2 ? 4 : 2;
        niveau->difficulty = -1;
        niveau->levelNames = {"Views.Tester"};
        niveau->chargerNiveau();
        gm->ajouterJoueur(new Joueur(1));
        if (players == 2)
            gm->ajouterJoueur(new Joueur(2));
        ClavierManager::clavier->keyState[ClavierManager::VALIDATE][0] = 1;
        for (int i = 0; i < 220 && gm->state != GameManager::kPlay; ++i)
            gm->refresh(10);
        for (int i = 0; i < 3; ++i)
            gm->refresh(10);
        return gm;
    }

    play_test::Picture drawFrame(GameManager* gm)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        GameViews::drawGame(gm, NiveauManager::niveauManager, OptionsManager::getInstance());
        glFinish();
        std::vector<unsigned char> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        play_test::Picture picture;
        picture.fromGl(kWidth, kHeight, rgb);
        SDL_GL_SwapBuffers();
        return picture;
    }

    korvelin_test::SandboxedGameFolders folders;
};

TEST_F(GameViewsOnScreen, OnePlayerHasOneViewWithItsTimeAtTheLeftEdge)
{
    GameManager* gm = startInPlay(1);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    const play_test::Picture picture = drawFrame(gm);
    EXPECT_GT(picture.darkPixels(2, 455, 150, 478), 40);
    // Nothing stands at the left edge of a right-hand view.
    EXPECT_LT(picture.darkPixels(326, 455, 470, 478), 5);
}

TEST_F(GameViewsOnScreen, TwoPlayersHaveTwoViewsWithTheSeparatorBetween)
{
    GameManager* gm = startInPlay(2);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    gm->wins[0] = 1;
    gm->wins[1] = 2;
    const play_test::Picture picture = drawFrame(gm);

    // Each view's time left stands at the left edge of its visible half.
    EXPECT_GT(picture.darkPixels(2, 455, 150, 478), 40);
    EXPECT_GT(picture.darkPixels(326, 455, 470, 478), 40);
    // The win counts stand on either side of the separator, at the top.
    EXPECT_GT(picture.darkPixels(280, 5, 316, 30), 10);
    EXPECT_GT(picture.darkPixels(325, 5, 360, 30), 10);

    // The separator: black at the bottom and the top, open in the middle.
    int blackBottom = 0, blackTop = 0, blackMiddle = 0;
    for (int x = 318; x <= 321; ++x) {
        int r, g, b;
        picture.at(x, 460, r, g, b);
        blackBottom += r + g + b < 30;
        picture.at(x, 20, r, g, b);
        blackTop += r + g + b < 30;
        picture.at(x, 150, r, g, b);
        blackMiddle += r + g + b < 30;
    }
    EXPECT_GE(blackBottom, 1);
    EXPECT_GE(blackTop, 1);
    EXPECT_EQ(0, blackMiddle);

    // Both views show the lit grey tops of the row nearest their camera.
    auto greyTops = [&](int x0, int x1) {
        int grey = 0;
        for (int y = 290; y < 320; ++y)
            for (int x = x0; x < x1; ++x) {
                int r, g, b;
                picture.at(x, y, r, g, b);
                grey += r > 100 && std::abs(r - g) < 25 && std::abs(g - b) < 25 && std::abs(r - b) < 35;
            }
        return grey;
    };
    EXPECT_GT(greyTops(220, 300), 80 * 30 / 2) << "left view";
    EXPECT_GT(greyTops(340, 420), 80 * 30 / 2) << "right view";
}

TEST_F(GameViewsOnScreen, EachViewShowsThePlayers)
{
    GameManager* gm = startInPlay(2);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    const play_test::Picture withPlayers = drawFrame(gm);
    // A body below -200 is not drawn at all.
    Joueur* p1 = gm->getJoueur(1);
    Joueur* p2 = gm->getJoueur(2);
    const float y1 = p1->getY(), y2 = p2->getY();
    p1->setY(-300.0f);
    p2->setY(-300.0f);
    const play_test::Picture without = drawFrame(gm);
    p1->setY(y1);
    p2->setY(y2);

    // Each camera centres its own player in its half.
    auto changed = [&](int x0, int x1) {
        int count = 0;
        for (int y = 120; y < 420; ++y)
            for (int x = x0; x < x1; ++x) {
                int r1, g1, b1, r2, g2, b2;
                withPlayers.at(x, y, r1, g1, b1);
                without.at(x, y, r2, g2, b2);
                count += std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2) > 30;
            }
        return count;
    };
    EXPECT_GT(changed(60, 260), 100) << "no player drawn in the left view";
    EXPECT_GT(changed(380, 580), 100) << "no player drawn in the right view";
}

} // namespace
