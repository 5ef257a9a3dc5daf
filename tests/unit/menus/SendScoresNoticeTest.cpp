// The score-sending notice: drawn alone, leaving the colour opaque white.
#include "MenuTestSupport.h"

#include "menus/MenuSendScores.h"
#include "services/ColorManager.h"

using menus_test::DrawnQuad;
using menus_test::MenuTest;
using menus_test::QuadCapture;

namespace {

TEST_F(MenuTest, SendingNoticeDrawsItsTextAloneAndEndsOpaqueWhite)
{
    MenuSendScores notice;
    EXPECT_EQ("MenuSendScores", notice.getNom());
    EXPECT_EQ(0, notice.getCode());
    ColorManager* colors = notice.colors;
    for (int time = 0; time < 2; ++time) {
        QuadCapture capture;
        notice.draw();
        const std::vector<DrawnQuad> quads = capture.finish();
        // Text only: no background picture over the whole screen.
        EXPECT_TRUE(menus_test::quadsAt(quads, 0, 0, 1, 1).empty());
        EXPECT_GT(quads.size(), 10u) << "the notice's text";
        for (const DrawnQuad& q : quads) {
            EXPECT_GT(q.right, 0.0);
            EXPECT_LT(q.left, 1.0);
        }
        EXPECT_EQ(1.0, colors->getRed());
        EXPECT_EQ(1.0, colors->getGreen());
        EXPECT_EQ(1.0, colors->getBlue());
        EXPECT_EQ(1.0, colors->getAlpha());
    }
}

} // namespace
