// The scene state that the application's own start-up leaves on a real GL
// context (initGL, then resize for the window): one white directional light
// from the left, above and behind the viewer, the front material, clockwise
// front faces with back faces culled, and the perspective of the window.
#include "GameOnScreen.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using play_test::GameOnScreen;
using StartUpState = GameOnScreen;

struct Vector4Case {
    const char* name;
    void (*read)(float* out);
    float expected[4];
};

void PrintTo(const Vector4Case& c, std::ostream* out) { *out << c.name; }

class StartUpLight : public GameOnScreen, public ::testing::WithParamInterface<Vector4Case> {};

TEST_P(StartUpLight, IsAsTheSceneIsLit)
{
    const Vector4Case c = GetParam();
    float value[4] = {-7.0f, -7.0f, -7.0f, -7.0f};
    c.read(value);
    for (int i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(c.expected[i], value[i]) << c.name << "[" << i << "]";
}

INSTANTIATE_TEST_SUITE_P(
    LightAndMaterial, StartUpLight,
    ::testing::Values(
        Vector4Case{"LightAmbient", [](float* v) { glGetLightfv(GL_LIGHT0, GL_AMBIENT, v); },
                    {1.0f, 1.0f, 1.0f, 1.0f}},
        Vector4Case{"LightDiffuse", [](float* v) { glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v); },
                    {1.0f, 1.0f, 1.0f, 1.0f}},
        Vector4Case{"LightSpecular", [](float* v) { glGetLightfv(GL_LIGHT0, GL_SPECULAR, v); },
                    {1.0f, 1.0f, 1.0f, 1.0f}},
        // Directional (w 0), in the viewer's coordinates.
        Vector4Case{"LightDirection", [](float* v) { glGetLightfv(GL_LIGHT0, GL_POSITION, v); },
                    {-2.0f, 1.0f, 2.0f, 0.0f}},
        Vector4Case{"MaterialAmbient",
                    [](float* v) { glGetMaterialfv(GL_FRONT, GL_AMBIENT, v); },
                    {0.2f, 0.2f, 0.2f, 1.0f}},
        Vector4Case{"MaterialDiffuse",
                    [](float* v) { glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v); },
                    {1.0f, 1.0f, 1.0f, 1.0f}},
        Vector4Case{"MaterialSpecular",
                    [](float* v) { glGetMaterialfv(GL_FRONT, GL_SPECULAR, v); },
                    {1.0f, 1.0f, 1.0f, 1.0f}},
        Vector4Case{"MaterialEmission",
                    [](float* v) { glGetMaterialfv(GL_FRONT, GL_EMISSION, v); },
                    {0.0f, 0.0f, 0.0f, 0.0f}},
        Vector4Case{"MaterialShininess",
                    [](float* v) {
                        glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
                        v[1] = v[2] = v[3] = 0.0f;
                    },
                    {10.0f, 0.0f, 0.0f, 0.0f}},
        Vector4Case{"ClearColour", [](float* v) { glGetFloatv(GL_COLOR_CLEAR_VALUE, v); },
                    {0.0f, 0.0f, 0.0f, 0.0f}}),
    [](const ::testing::TestParamInfo<Vector4Case>& info) { return info.param.name; });

TEST_F(StartUpState, DrawsLitTexturedDepthTestedFrontFaces)
{
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(GL_LESS, value);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(GL_CW, value);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(GL_BACK, value);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(GL_SMOOTH, value);
    GLint polygonModes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    EXPECT_EQ(GL_FILL, polygonModes[0]);
}

// --- the window's perspective ------------------------------------------------

struct FrustumCase {
    const char* name;
    int width, height;
    int clipping;       // view distance setting, in grid rows
    double halfWidth;   // left and right of the near plane, at near 1.5
};

void PrintTo(const FrustumCase& c, std::ostream* out) { *out << c.name; }

class WindowPerspective : public GameOnScreen,
                          public ::testing::WithParamInterface<FrustumCase> {
protected:
    korvelin_test::OptionsText screenOptions() const override
    {
        korvelin_test::OptionsText options = GameOnScreen::screenOptions();
        options.clipping = GetParam().clipping;
        return options;
    }
};

TEST_P(WindowPerspective, SpansTheWindowFromTheNearPlaneToTheViewDistance)
{
    const FrustumCase c = GetParam();
    jeu->resize(c.width, c.height);

    GLint viewport[4] = {-1, -1, -1, -1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(c.width, viewport[2]);
    EXPECT_EQ(c.height, viewport[3]);

    // glFrustum(l, r, b, t, n, f) with l = -r, b = -1, t = 1, n = 1.5.
    const double n = 1.5, f = c.clipping;
    double expected[16] = {};
    expected[0] = n / c.halfWidth;
    expected[5] = n;
    expected[10] = -(f + n) / (f - n);
    expected[11] = -1.0;
    expected[14] = -2.0 * f * n / (f - n);
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected[i], projection[i], 1e-4) << "projection[" << i << "]";

    // resize leaves the model-view matrix current, at identity.
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    double model[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(i % 5 == 0 ? 1.0 : 0.0, model[i]) << "model-view[" << i << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowPerspective,
    ::testing::Values(FrustumCase{"Wide1280x720Farthest", 1280, 720, 100, 1.77778},
                      FrustumCase{"Classic640x480Closest", 640, 480, 10, 1.33333},
                      FrustumCase{"Square1280x1024Close", 1280, 1024, 20, 1.25},
                      FrustumCase{"Tall600x800Far", 600, 800, 40, 0.75}),
    [](const ::testing::TestParamInfo<FrustumCase>& info) { return info.param.name; });

} // namespace
