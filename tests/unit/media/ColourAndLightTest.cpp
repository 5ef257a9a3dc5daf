// The colour service's one-level save and the light service's colours, read
// back from a real OpenGL context.
#include "MediaTestSupport.h"
#include "services/ColorManager.h"
#include "services/LightManager.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using media_test::GlWindow;

namespace {

void expectGlColour(double r, double g, double b, double a)
{
    GLdouble c[4];
    glGetDoublev(GL_CURRENT_COLOR, c);
    EXPECT_NEAR(r, c[0], 1e-6);
    EXPECT_NEAR(g, c[1], 1e-6);
    EXPECT_NEAR(b, c[2], 1e-6);
    EXPECT_NEAR(a, c[3], 1e-6);
}

} // namespace

TEST(ColourService, SavesOneLevelAndTellsOpenGl)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    ColorManager colours;
    EXPECT_EQ(1.0, colours.getRed() * colours.getGreen() * colours.getBlue() * colours.getAlpha());
    EXPECT_EQ(colours.getColor()[0], colours.getRed());

    glColor4d(0.0, 0.0, 0.0, 0.0);
    colours.restore(); // a fresh service restores white
    expectGlColour(1, 1, 1, 1);

    colours.setColor(0.2, 0.4, 0.6, 0.5);
    colours.setColor(ColorManager::black);
    expectGlColour(0, 0, 0, 1);
    colours.restore(); // back to the colour before black, not before that
    expectGlColour(0.2, 0.4, 0.6, 0.5);
    EXPECT_DOUBLE_EQ(0.5, colours.getAlpha());
    colours.restore(); // the save is kept: the same colour again
    expectGlColour(0.2, 0.4, 0.6, 0.5);
}

TEST(LightService, DiffuseAndAmbientColoursReachLightZero)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    LightManager light;
    EXPECT_EQ(nullptr, light.getAmbient());
    EXPECT_EQ(nullptr, light.getDifuse());

    light.setDifuse(0.9f, 0.8f, 0.7f);
    const float* first = light.getDifuse();
    ASSERT_NE(nullptr, first);
    EXPECT_FLOAT_EQ(1.0f, first[3]);
    light.setDifuse(0.1f, 0.2f, 0.3f, 0.4f);
    const float* second = light.getDifuse();
    EXPECT_FLOAT_EQ(0.3f, second[2]);
    EXPECT_FLOAT_EQ(0.4f, second[3]);
    GLfloat gl[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, gl);
    EXPECT_FLOAT_EQ(0.1f, gl[0]);
    EXPECT_FLOAT_EQ(0.4f, gl[3]);

    light.setAmbient(0.25f, 0.5f, 0.75f);
    EXPECT_FLOAT_EQ(1.0f, light.getAmbient()[3]);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, gl);
    EXPECT_FLOAT_EQ(0.5f, gl[1]);
}
