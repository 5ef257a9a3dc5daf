// The title screen and the main menu: how the title ends, where its picture
// stands, the main menu's slideshow and the pictures each menu loads.
#include "MenuTestSupport.h"

#include "menus/MenuPrincipal.h"
#include "menus/PreMenu.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"

#include <GL/gl.h>

#include <memory>

using menus_test::DrawnQuad;
using menus_test::MenuTest;
using menus_test::QuadCapture;

namespace {

using Keys = ClavierManager;

TEST_F(MenuTest, TheTitleEndsOnPlayerOneValidateInItsFirstFrame)
{
    PreMenu title;
    EXPECT_EQ(0, title.getCode());
    press(Keys::VALIDATE);
    title.refresh(40);
    EXPECT_EQ(1, title.getCode());
    EXPECT_EQ(1, validatePlays());
}

TEST_F(MenuTest, TheTitleEndsOnPlayerOneBackAndClearsOnlyPlayerOnesInput)
{
    PreMenu title;
    ClavierManager* keys = ClavierManager::clavier;
    press(Keys::BACK, 1);
    press(Keys::UP, 1);
    press(Keys::LEFT, 2);
    keys->lastKey = 32;
    keys->joystickUsed[0] = keys->joystickUsed[1] = true;
    for (int i = 0; i < 4; ++i)
        keys->joystickAxis[i] = 0.5;
    title.refresh(40);
    EXPECT_EQ(1, title.getCode());
    for (int a = 0; a < Keys::kNbActions; ++a)
        EXPECT_EQ(0, keys->keyState[a][0]) << "action " << a;
    EXPECT_EQ(1, keys->keyState[Keys::LEFT][1]);
    EXPECT_EQ(0, keys->lastKey);
    EXPECT_FALSE(keys->joystickUsed[0]);
    EXPECT_TRUE(keys->joystickUsed[1]);
    // Joystick 0 is x in slot 0 and z in slot 2; joystick 1's stay.
    EXPECT_EQ(0.0, keys->joystickAxis[0]);
    EXPECT_EQ(0.5, keys->joystickAxis[1]);
    EXPECT_EQ(0.0, keys->joystickAxis[2]);
    EXPECT_EQ(0.5, keys->joystickAxis[3]);
}

TEST_F(MenuTest, PlayerTwoCannotEndTheTitle)
{
    PreMenu title;
    press(Keys::VALIDATE, 2);
    press(Keys::BACK, 2);
    title.refresh(40);
    EXPECT_EQ(0, title.getCode());
    EXPECT_EQ(0, validatePlays());
}

TEST_F(MenuTest, TheTitleShowsForFourSecondsOfFrames)
{
    PreMenu title;
    for (int f = 0; f < 99; ++f)
        title.refresh(40);
    EXPECT_EQ(0, title.getCode()); // 3960 ms
    title.refresh(40);
    EXPECT_EQ(1, title.getCode()); // 4000 ms
    EXPECT_EQ(0, validatePlays());
}

TEST_F(MenuTest, TheTitleFreesItsPictureWhenItGoes)
{
    CTextureManager* textures = CTextureManager::GetInstance();
    unsigned int picture = 0;
    {
        PreMenu title;
        picture = title.background;
        EXPECT_EQ(PreMenu::kImagePath, textures->GetTextureName(picture));
    }
    EXPECT_EQ(GL_FALSE, glIsTexture(picture));
}

class TitleOnAScreen : public MenuTest {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        korvelin_test::OptionsText options;
        options.width = 1024;
        options.height = 768;
        return options;
    }
};

TEST_F(TitleOnAScreen, ThePictureKeepsItsPixelsInTheMiddleAndDrawsAlone)
{
    PreMenu title;
    QuadCapture capture;
    title.draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    ASSERT_EQ(1u, quads.size());
    EXPECT_NEAR(0.25, quads[0].left, 1e-4);
    EXPECT_NEAR(0.75, quads[0].right, 1e-4);
    EXPECT_NEAR(1.0 / 6.0, quads[0].bottom, 1e-4);
    EXPECT_NEAR(5.0 / 6.0, quads[0].top, 1e-4);
    // The image's first row at the top.
    EXPECT_EQ(0.0, quads[0].tAtTop);
}

struct SlideCase {
    const char* name;
    std::vector<long> frames; // dt of each refresh
    int clock;
    double alpha[4];
};

class Slideshow : public MenuTest, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(Slideshow, CrossFadesThePicturesInTurn)
{
    const SlideCase c = GetParam();
    MenuPrincipal menu;
    for (long dt : c.frames)
        menu.refresh(dt);
    EXPECT_EQ(c.clock, menu.slideClock);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(c.alpha[k], menu.slideAlpha[k], 1e-6) << "picture " << k + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Clock, Slideshow,
    ::testing::Values(SlideCase{"Start", {40}, 40, {1, 0, 0, 0}},
                      SlideCase{"FirstFade", {4000, 500}, 4500, {0.5, 0.5, 0, 0}},
                      SlideCase{"Second", {5000}, 5000, {0, 1, 0, 0}},
                      SlideCase{"SecondFade", {9000, 250}, 9250, {0, 0.75, 0.25, 0}},
                      SlideCase{"Third", {12000}, 12000, {0, 0, 1, 0}},
                      SlideCase{"ThirdFade", {14900}, 14900, {0, 0, 0.1, 0.9}},
                      SlideCase{"Fourth", {18999}, 18999, {0, 0, 0, 1}},
                      SlideCase{"LastFade", {19500}, 19500, {0.5, 0, 0, 0.5}},
                      SlideCase{"EndOfCycleStays", {20000}, 20000, {1, 0, 0, 0}},
                      SlideCase{"Wraps", {19990, 40}, 30, {1, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<SlideCase>& info) { return std::string(info.param.name); });

struct PictureCase {
    const char* name;
    int width, height, textures;
    const char* folder;
};

class MenuPictures : public MenuTest, public ::testing::WithParamInterface<PictureCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        korvelin_test::OptionsText options;
        options.width = GetParam().width;
        options.height = GetParam().height;
        options.textures = GetParam().textures;
        return options;
    }
};

TEST_P(MenuPictures, ComeFromTheQualityAndAspectFolder)
{
    MenuPrincipal menu;
    CTextureManager* textures = CTextureManager::GetInstance();
    const std::string folder = std::string("Images/Menus/") + GetParam().folder + "/";
    EXPECT_EQ(folder + "menu.png", textures->GetTextureName(menu.background));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(folder + "menu" + std::to_string(k + 1) + ".png",
                  textures->GetTextureName(menu.slides[k]));
    EXPECT_EQ(std::string::npos, log().find("Unable to load")) << log();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, MenuPictures,
    ::testing::Values(PictureCase{"Narrow4x3High", 1024, 768, 1, "High/Ratio-4-3"},
                      PictureCase{"Wide16x10High", 1280, 800, 1, "High/Ratio-16-10"},
                      PictureCase{"Wide16x9Low", 1280, 720, 0, "Low/Ratio-16-10"},
                      PictureCase{"Narrow5x4Low", 1280, 1024, 0, "Low/Ratio-4-3"}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

class MainMenuDrawing : public MenuTest,
                        public ::testing::WithParamInterface<bool> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam() ? menus_test::wideOptions() : menus_test::narrowOptions();
    }
};

TEST_P(MainMenuDrawing, ShowsTheSlidesAtTheirOpacityAndShadesEveryColumnButTheSelected)
{
    const bool wide = GetParam();
    MenuPrincipal menu;
    menu.refresh(4500); // the first two pictures half shown each
    menu.selection = 3;
    // The second of two frames, under the game's culling.
    QuadCapture capture;
    menus_test::useGameCulling();
    menu.draw();
    capture.finish();
    QuadCapture second;
    menus_test::useGameCulling();
    menu.draw();
    const std::vector<DrawnQuad> quads = second.finish();
    const std::vector<DrawnQuad> full = menus_test::quadsAt(quads, 0, 0, 1, 1);
    ASSERT_EQ(5u, full.size());
    EXPECT_NEAR(1.0, full[0].a, 1e-3); // background
    EXPECT_NEAR(0.5, full[1].a, 1e-3);
    EXPECT_NEAR(0.5, full[2].a, 1e-3);
    EXPECT_NEAR(0.0, full[3].a, 1e-3);
    EXPECT_NEAR(0.0, full[4].a, 1e-3);
    for (const DrawnQuad& q : full)
        EXPECT_EQ(0.0, q.tAtTop);

    const double bottom = wide ? 0.14 : 0.195;
    const double top = wide ? 0.29 : 0.323;
    const auto left = menus_test::quadsAt(quads, 0, bottom, 2.0 / 6.0, top);
    const auto right = menus_test::quadsAt(quads, 3.0 / 6.0, bottom, 1, top);
    ASSERT_EQ(1u, left.size());
    ASSERT_EQ(1u, right.size());
    EXPECT_NEAR(0.3, left[0].a, 1e-3);
    EXPECT_NEAR(0.0, left[0].r, 1e-3);
    // Text of the six labels was drawn between the pictures and the shade,
    // opaque: the shade of the frame before fades none of it.
    ASSERT_GT(quads.size(), 5u + 2u + 6u);
    for (std::size_t i = 5; i + 2 < quads.size(); ++i)
        EXPECT_NEAR(1.0, quads[i].a, 1e-3) << "quad " << i;
}

INSTANTIATE_TEST_SUITE_P(Screens, MainMenuDrawing, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Wide" : "Narrow");
                         });

} // namespace
