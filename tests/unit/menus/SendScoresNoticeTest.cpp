// The score-sending notice: drawn alone, leaving the colour opaque white.
#include "MenuTestSupport.h"

#include "menus/MenuSendScores.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TexChar.h"
#include "services/TextFromFontManager.h"
#include "services/Utf8.h"

using menus_test::DrawnQuad;
using menus_test::MenuTest;
using menus_test::QuadCapture;

namespace {

void expectColour(const DrawnQuad& q, double r, double g, double b, double a)
{
    EXPECT_NEAR(q.r, r, 0.01);
    EXPECT_NEAR(q.g, g, 0.01);
    EXPECT_NEAR(q.b, b, 0.01);
    EXPECT_NEAR(q.a, a, 0.01);
}

// A wide screen, where the whole notice stands inside the captured overlay.
class SendScoresNotice : public MenuTest {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return korvelin_test::wideOptions();
    }
};

TEST_F(SendScoresNotice, DrawsItsTextAloneCentredInItsColoursAndEndsOpaqueWhite)
{
    MenuSendScores notice;
    EXPECT_EQ("MenuSendScores", notice.getNom());
    EXPECT_EQ(0, notice.getCode());
    ColorManager* colors = notice.colors;
    TextFromFontManager* text = notice.text;
    const std::string words = notice.lang->get("sendingData");
    const std::vector<std::string> characters = Utf8::split(words);
    const double W = notice.options->getLargeur(0);
    const double H = notice.options->getHauteur(0);
    for (int time = 0; time < 2; ++time) {
        SCOPED_TRACE(time);
        QuadCapture capture;
        notice.draw();
        const std::vector<DrawnQuad> quads = capture.finish();
        // Text only: no background picture over the whole screen.
        EXPECT_TRUE(menus_test::quadsAt(quads, 0, 0, 1, 1).empty());
        // One quad per character for the outline, then one for the text.
        ASSERT_GT(characters.size(), 10u) << "the notice's text";
        ASSERT_EQ(quads.size(), 2 * characters.size());
        const std::size_t count = characters.size();

        // The outline in 70 % white, the text in light blue, both faded by
        // the notice's alpha of 0.4.
        for (std::size_t i = 0; i < count; ++i) {
            SCOPED_TRACE(characters[i]);
            expectColour(quads[i], 1.0, 1.0, 1.0, 0.7 * 0.4);
            expectColour(quads[count + i], 0.42, 0.63, 1.0, 0.4);
        }

        // The text is centred on the screen's middle: it starts half its
        // width left of 0.5, and every character is centred on 0.5 upright.
        TexChar* first = text->getTexChar(characters.front(), 0);
        ASSERT_NE(first, nullptr);
        const DrawnQuad& start = quads[count];
        const double screenPerPixel = (start.right - start.left) / first->getWidthNextPow();
        const double textWidth = text->largeurTexte(words, 0.012, 3, 0) * screenPerPixel;
        EXPECT_NEAR(start.left, 0.5 - textWidth / 2, 1e-4);
        for (std::size_t i = 0; i < count; ++i) {
            SCOPED_TRACE(characters[i]);
            const DrawnQuad& plain = quads[count + i];
            EXPECT_NEAR((plain.top + plain.bottom) / 2, 0.5, 1e-4);
            // The outline is fattened by a border of 5 % of the glyph's
            // height and shifted up and left by as much to stay centred.
            TexChar* fat = text->getTexChar(characters[i], 5);
            ASSERT_NE(fat, nullptr);
            const int v = (int)(5 * fat->getHeight() / 100.0);
            ASSERT_GT(v, 0);
            const DrawnQuad& outline = quads[i];
            EXPECT_NEAR(outline.left - plain.left, -v * screenPerPixel, 1e-4);
            EXPECT_NEAR((outline.top + outline.bottom) / 2, 0.5 + v * screenPerPixel * W / H, 1e-4);
        }

        EXPECT_EQ(1.0, colors->getRed());
        EXPECT_EQ(1.0, colors->getGreen());
        EXPECT_EQ(1.0, colors->getBlue());
        EXPECT_EQ(1.0, colors->getAlpha());
    }
}

} // namespace
