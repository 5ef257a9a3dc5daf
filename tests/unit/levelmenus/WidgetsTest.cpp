// The scroll thumb and the check box, drawn under a real GL context and read
// back through feedback mode.
#include "LevelMenuTestSupport.h"

#include "menus/CheckBox.h"
#include "menus/ScrollBar.h"
#include "services/CTextureManager.h"
#include "services/OptionsManager.h"

#include <GL/gl.h>

using namespace levelmenus_test;

namespace {

class WidgetsTest : public LevelMenuTest {};

struct ThumbCase {
    const char* name;
    bool wide;
    double total;
    double current;
    double expectedY;
};

TEST_F(WidgetsTest, ThumbStandsByTheCursorsPlaceInTheList)
{
    const ThumbCase cases[] = {
        {"one entry", true, 1, 0, 0.745},
        {"empty list", true, 0, 0, 0.745},
        {"empty list, narrow", false, 0, 0, 0.745},
        {"first of 11", true, 11, 0, 0.745},
        {"last of 11, wide", true, 11, 10, 0.745 - 0.385},
        {"last of 11, narrow", false, 11, 10, 0.745 - 0.368},
        {"middle of 11, wide", true, 11, 5, 0.745 - 0.385 / 2},
        {"second of 3, narrow", false, 3, 1, 0.745 - 0.368 / 2},
    };
    for (const ThumbCase& c : cases) {
        SCOPED_TRACE(c.name);
        useOptions(c.wide ? wideOptions() : narrowOptions());
        OptionsManager::kill();
        ScrollBar bar;
        const double x = c.wide ? 0.616 : 0.567;
        const double ratio = c.wide ? 1.6 : 4.0 / 3.0;
        EXPECT_NEAR(bar.getX(), x, 1e-6);

        QuadCapture capture;
        bar.draw(c.total, c.current);
        const std::vector<DrawnQuad> quads = capture.finish();

        EXPECT_NEAR(bar.getY(), c.expectedY, 1e-5);
        ASSERT_EQ(quads.size(), 1u);
        EXPECT_EQ(quadsAt(quads, x, c.expectedY, 1.0 / 24 / ratio, 0.1).size(), 1u)
            << quads[0].left << " " << quads[0].bottom << " " << quads[0].right << " "
            << quads[0].top;
        // The whole image, first row on top.
        EXPECT_NEAR(quads[0].tAtTop, 0.0, 1e-6);
        EXPECT_NEAR(quads[0].sMax - quads[0].sMin, 1.0, 1e-6);
        EXPECT_NEAR(quads[0].tMax - quads[0].tMin, 1.0, 1e-6);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WidgetsTest, ThumbTakesTheImageOfTheTextureQuality)
{
    const std::string high = "Images/Interface/High/ScrollBar.png";
    writeInstallPng(high);
    ScrollBar bar;
    EXPECT_NE(bar.getTexture(), CTextureManager::GetInstance()->GetTexture("default"));
    EXPECT_EQ(bar.getTexture(), CTextureManager::GetInstance()->GetTexture(high));
}

TEST_F(WidgetsTest, BoxShowsTheLowerHalfUntilTicked)
{
    writeInstallPng("Images/Interface/High/checkBox.png");
    CheckBox box;
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(box.getTexture(),
              CTextureManager::GetInstance()->GetTexture("Images/Interface/High/checkBox.png"));

    struct Step {
        bool checked;
        double tTop;
    };
    // Unticked: the lower half (t 0.5 to 1); ticked: the upper half.
    for (const Step& step : {Step{false, 0.5}, Step{true, 0.0}, Step{false, 0.5}}) {
        box.setChecked(step.checked);
        EXPECT_EQ(box.isChecked(), step.checked);
        QuadCapture capture;
        box.draw(0.2, 0.3);
        const std::vector<DrawnQuad> quads = capture.finish();
        ASSERT_EQ(quads.size(), 1u);
        EXPECT_NEAR(quads[0].tAtTop, step.tTop, 1e-6);
        EXPECT_NEAR(quads[0].tMin, step.tTop, 1e-6);
        EXPECT_NEAR(quads[0].tMax, step.tTop + 0.5, 1e-6);
    }
}

TEST_F(WidgetsTest, BoxKeepsItsShapeOnAWideScreenAndItsPlace)
{
    // 1280 x 800: 1.6 times as wide as high.
    CheckBox box;
    QuadCapture capture;
    box.draw(0.045, 0.786);
    const std::vector<DrawnQuad> quads = capture.finish();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quadsAt(quads, 0.045, 0.786, 0.03125, 0.05).size(), 1u);
    EXPECT_NEAR(box.getX(), 0.045, 1e-6);
    EXPECT_NEAR(box.getY(), 0.786, 1e-6);
}

TEST_F(WidgetsTest, CopiedBoxesShareTheTextureAndKeepTheirOwnState)
{
    CheckBox first;
    first.setChecked(true);
    CheckBox second = first;
    second.setChecked(false);
    EXPECT_TRUE(first.isChecked());
    EXPECT_EQ(first.getTexture(), second.getTexture());
}

} // namespace
