#include "GLFeedback.h"
#include "MediaTestSupport.h"

#include "services/ColorManager.h"
#include "services/OptionsManager.h"
#include "services/TexChar.h"
#include "services/TextFromFontManager.h"
#include "services/Utf8.h"

#include <GL/gl.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace media_test;

namespace {

const char* const SYSTEM_FONT = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf";

TEST(Utf8Splitter, SplitsOnCharacterBoundaries)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> characters;
    };
    const std::vector<Case> cases = {
        {"ascii", "ab", {"a", "b"}},
        {"two bytes", "\xC3\xA9t\xC3\xA9", {"\xC3\xA9", "t", "\xC3\xA9"}},
        {"three bytes E2", "5\xE2\x82\xAC", {"5", "\xE2\x82\xAC"}},
        {"three bytes other lead", "\xE3\x81\x82!", {"\xE3\x81\x82", "!"}},
        {"four bytes", "\xF0\x9F\x98\x80x", {"\xF0\x9F\x98\x80", "x"}},
        {"cut at the end", "a\xE2\x82", {"a", "\xE2\x82"}},
        {"lone lead at the end", "a\xF0", {"a", "\xF0"}},
        {"stray continuation bytes", "\x80\xBF" "a", {"\x80", "\xBF", "a"}},
        {"invalid lead", "\xFF" "a", {"\xFF", "a"}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8::split(c.text), c.characters);
        EXPECT_EQ(Utf8::length(c.text), c.characters.size());
    }
}

TEST(Utf8Splitter, LeftKeepsWholeCharacters)
{
    const std::string title = "Caf\xC3\xA9 \xE2\x82\xAC";
    EXPECT_EQ(Utf8::left(title, 4), "Caf\xC3\xA9");
    EXPECT_EQ(Utf8::left(title, 3), "Caf");
    EXPECT_EQ(Utf8::left(title, 100), title);
    EXPECT_EQ(Utf8::left("ab\xE2\x82", 3), "ab\xE2\x82");
    EXPECT_EQ(Utf8::left("", 2), "");
}

TEST(TextHelpers, PowersOfTwoRoundingAndAspect)
{
    const std::pair<int, int> powers[] = {{1, 1}, {2, 2}, {3, 4}, {64, 64}, {65, 128}, {1000, 1024}};
    for (auto p : powers)
        EXPECT_EQ(TextFromFontManager::nextpoweroftwo(p.first), p.second) << p.first;
    EXPECT_EQ(TextFromFontManager::round(2.5), 3);
    EXPECT_EQ(TextFromFontManager::round(2.49), 2);
    EXPECT_DOUBLE_EQ(TextFromFontManager::aspectFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(TextFromFontManager::aspectFactor(1), 1.0);
    EXPECT_DOUBLE_EQ(TextFromFontManager::aspectFactor(2), 1.1);
    EXPECT_DOUBLE_EQ(TextFromFontManager::aspectFactor(3), 0.95);
    EXPECT_EQ(TextFromFontManager::cacheKey("a", 15), "***15***a");
}

// One drawn quad as feedback mode reports it, in overlay coordinates.
struct Quad {
    float left, right, bottom, top;
    float colour[4];
};

// The polygons drawn in feedback mode, as quads of overlay coordinates.
class QuadFeedback {
public:
    std::vector<Quad> finish()
    {
        std::vector<Quad> quads;
        for (const korvelin_test::FeedbackPolygon& p : feedback.finish())
            quads.push_back({(float)p.left, (float)p.right, (float)p.bottom, (float)p.top,
                             {(float)p.colour[0], (float)p.colour[1], (float)p.colour[2],
                              (float)p.colour[3]}});
        return quads;
    }

private:
    korvelin_test::GLFeedback feedback;
};

// The box round count polygons from first on: one drawn character.
Quad boundingBox(const std::vector<Quad>& quads, std::size_t first, std::size_t count)
{
    Quad box = quads[first];
    for (std::size_t i = first + 1; i < first + count; ++i) {
        box.left = std::min(box.left, quads[i].left);
        box.right = std::max(box.right, quads[i].right);
        box.bottom = std::min(box.bottom, quads[i].bottom);
        box.top = std::max(box.top, quads[i].top);
    }
    return box;
}

class TextRenderingTest : public ::testing::Test {
protected:
    explicit TextRenderingTest(bool withFont = true)
    {
        if (withFont)
            sandbox.writeInstallFile("Fonts/Comfortaa.ttf", korvelin_test::readFile(SYSTEM_FONT));
    }

    void SetUp() override
    {
        ASSERT_TRUE(window.ok());
        ASSERT_EQ(TTF_Init(), 0);
    }

    void TearDown() override
    {
        text.reset();
        TTF_Quit();
    }

    TextFromFontManager* make(const korvelin_test::OptionsText& options)
    {
        text.reset();
        sandbox.writeUserFile("Data/Options.dat", options.str());
        OptionsManager::kill();
        text.reset(new TextFromFontManager());
        return text.get();
    }

    TextFromFontManager* make() { return make(korvelin_test::OptionsText()); }

    GlWindow window;
    MediaSandbox sandbox;
    std::unique_ptr<TextFromFontManager> text;
};

class MissingFontTest : public TextRenderingTest {
protected:
    MissingFontTest() : TextRenderingTest(false) {}
};

korvelin_test::OptionsText screen(int width, int height, int textures = 1)
{
    korvelin_test::OptionsText options;
    options.width = width;
    options.height = height;
    options.textures = textures;
    return options;
}

double black[4] = {0, 0, 0, 1};
double grey[4] = {0.5, 0.5, 0.5, 0.8};

} // namespace

TEST_F(TextRenderingTest, OneCachedTexturePerCharacterAndBorder)
{
    TextFromFontManager* t = make();
    ASSERT_TRUE(t->hasFont());
    t->draw("ab", black, 0.5, 0.5, 1, 1, 0.012, 1, 0);
    EXPECT_EQ(t->getCacheSize(), 2u);
    TexChar* a = t->getTexChar("a", 0);
    t->draw("ab", black, 0.5, 0.5, 1, 1, 0.012, 1, 0);
    t->draw("ba", black, 0.5, 0.5, 1, 1, 0.012, 3, 0);
    EXPECT_EQ(t->getCacheSize(), 2u);
    EXPECT_EQ(t->getTexChar("a", 0), a);

    TexChar* bordered = t->getTexChar("a", 15);
    ASSERT_NE(bordered, nullptr);
    EXPECT_NE(bordered, a);
    EXPECT_EQ(t->getCacheSize(), 3u);
    // The border fattens the texture, never the measured text.
    EXPECT_EQ(bordered->getWidth(), a->getWidth());
    EXPECT_GE(bordered->getWidthNextPow(), a->getWidthNextPow());
    EXPECT_EQ(a->getWidthNextPow(), TextFromFontManager::nextpoweroftwo(a->getWidth() + 4));
    EXPECT_TRUE(glIsTexture(a->getTexture()));
}

TEST_F(TextRenderingTest, MultiByteCharactersTakeOneTextureEach)
{
    TextFromFontManager* t = make();
    t->draw("\xC3\xA9\xE2\x82\xAC\xE2\x80\xA6", black, 0.5, 0.5, 1, 1, 0.012, 1, 0);
    EXPECT_EQ(t->getCacheSize(), 3u);
    EXPECT_NE(t->getTexChar("\xC3\xA9", 0), nullptr);
    EXPECT_NE(t->getTexChar("\xE2\x82\xAC", 0), nullptr);
    // A broken sequence at the end is drawn or skipped, never read past:
    // the "x" before it still shows, and the tail is one character at most.
    QuadFeedback feedback;
    t->draw("x\xE2\x82", black, 0.5, 0.5, 1, 1, 0.012, 1, 0);
    EXPECT_FALSE(feedback.finish().empty());
    EXPECT_NE(t->getTexChar("x", 0), nullptr);
    EXPECT_LE(t->getCacheSize(), 5u);
}

TEST_F(TextRenderingTest, AlignmentPlacesTheStart)
{
    TextFromFontManager* t = make(screen(1024, 768));
    const std::string word = "Korvelin";
    const double r = t->largeurTexte(word, 0.012, 1, 0);
    EXPECT_GT(r, 0);
    EXPECT_DOUBLE_EQ(t->debutTexte(word, 0.012, 1, 0), 0);
    EXPECT_DOUBLE_EQ(t->debutTexte(word, 0.012, 2, 0), -r);
    EXPECT_DOUBLE_EQ(t->debutTexte(word, 0.012, 3, 0), -r / 2);

    // Fixed pitch: bytes x spacing / scale x H x 1280 / W.
    const double fixed = 8 * 0.075 * 768 * 1280.0 / 1024;
    EXPECT_DOUBLE_EQ(t->largeurTexte(word, 0.075, 4, 0), fixed);
    EXPECT_DOUBLE_EQ(t->debutTexte(word, 0.075, 5, 0), -fixed);
    EXPECT_DOUBLE_EQ(t->debutTexte(word, 0.075, 6, 0), -fixed / 2);

    // Drawn: the first quad starts at x + start x the drawing scale.
    const double toScreen = 768 / 1000.0 * 0.5 / 1024;
    for (int align : {1, 3}) {
        SCOPED_TRACE(align);
        QuadFeedback feedback;
        t->draw(word, black, 0.5, 0.5, 0.5, 0.5, 0.012, align, 0);
        std::vector<Quad> quads = feedback.finish();
        ASSERT_FALSE(quads.empty());
        EXPECT_NEAR(quads.front().left, 0.5 + t->debutTexte(word, 0.012, align, 0) * toScreen, 2e-3);
    }
}

TEST_F(TextRenderingTest, BorderPassDrawsUnderTheTextInItsColour)
{
    const double W = 1024;
    const double H = 768;
    TextFromFontManager* t = make(screen((int)W, (int)H));
    ColorManager* colours = CSingleton<ColorManager>::GetInstance();
    colours->setColor(1, 1, 1, 0.5);
    QuadFeedback feedback;
    t->drawWithBorder("ab", black, grey, 0.5, 0.5, 1, 1, 0.012, 1, 5);
    std::vector<Quad> quads = feedback.finish();
    // Two passes of two characters; the renderer may split each quad.
    ASSERT_FALSE(quads.empty());
    ASSERT_EQ(quads.size() % 4, 0u);
    // First the border colour, then the text colour, each faded by the
    // alpha current before the call.
    EXPECT_NEAR(quads.front().colour[0], 0.5, 0.01);
    EXPECT_NEAR(quads.front().colour[3], 0.4, 0.01);
    EXPECT_NEAR(quads.back().colour[0], 0.0, 0.01);
    EXPECT_NEAR(quads.back().colour[3], 0.5, 0.01);
    EXPECT_DOUBLE_EQ(colours->getAlpha(), 0.5);
    EXPECT_EQ(t->getCacheSize(), 4u);

    // Each fattened character sits up and to the left of its plain one by the
    // border's width in pixels, so that it spreads evenly round it.
    const double toScreen = H / 1000.0;
    const char* const characters[] = {"a", "b"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(characters[i]);
        TexChar* fat = t->getTexChar(characters[i], 5);
        ASSERT_NE(fat, nullptr);
        const int v = (int)(5 * fat->getHeight() / 100.0);
        ASSERT_GT(v, 0);
        const std::size_t pieces = quads.size() / 4;
        const Quad border = boundingBox(quads, i * pieces, pieces);
        const Quad plain = boundingBox(quads, (i + 2) * pieces, pieces);
        EXPECT_NEAR(border.left - plain.left, -v / W * toScreen, 1e-5);
        EXPECT_NEAR((border.top + border.bottom) / 2, 0.5 + v / H * toScreen, 1e-5);
        EXPECT_NEAR((plain.top + plain.bottom) / 2, 0.5, 1e-5);
    }

    // The glyphs are rendered white over black: a pixel's coverage, read from
    // its blue, becomes its opacity, in the plain and the fattened textures.
    for (int b : {0, 5}) {
        SCOPED_TRACE(b);
        TexChar* tex = t->getTexChar("a", b);
        ASSERT_NE(tex, nullptr);
        const std::size_t pixels = (std::size_t)tex->getWidthNextPow() * tex->getHeightNextPow();
        std::vector<unsigned char> rgba(pixels * 4);
        glBindTexture(GL_TEXTURE_2D, tex->getTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        int opaque = 0;
        int mismatched = 0;
        for (std::size_t p = 0; p < rgba.size(); p += 4) {
            mismatched += rgba[p + 3] != rgba[p + 2];
            opaque += rgba[p + 3] == 255;
        }
        EXPECT_EQ(mismatched, 0);
        EXPECT_GT(opaque, 0);
    }
}

TEST_F(TextRenderingTest, SizeFollowsScreenHeightAspectAndQuality)
{
    auto height = [this](const korvelin_test::OptionsText& options) {
        TextFromFontManager* t = make(options);
        QuadFeedback feedback;
        t->draw("H", black, 0.5, 0.5, 1, 1, 0.012, 1, 0);
        std::vector<Quad> quads = feedback.finish();
        return quads.empty() ? 0.0 : (double)(quads.front().top - quads.front().bottom);
    };
    const double classic = height(screen(1024, 768));
    ASSERT_GT(classic, 0);
    EXPECT_NEAR(height(screen(640, 480)), classic, 1e-3);
    EXPECT_NEAR(height(screen(1280, 720)) / classic, 1.1, 1e-3);
    EXPECT_NEAR(height(screen(1280, 1024)) / classic, 0.95, 1e-3);

    // Low quality renders at 20 points but scales by 4.9: about the same size.
    auto width = [this](int textures) {
        TextFromFontManager* t = make(screen(1024, 768, textures));
        return t->largeurTexte("Korvelin", 0.012, 1, 0) * (textures ? 1.0 : 4.9);
    };
    const double high = width(1);
    const double low = width(0);
    EXPECT_NEAR(low / high, 1.0, 0.1);
}

// Where a text's characters stand: from 2 pixels into the first shown
// character's quad to the end of the last one's letters, fattened by the
// border; blanks and "_" (drawn as a blank) show nothing. The listener hears
// every draw with that span.
TEST_F(TextRenderingTest, SpanCoversTheShownCharactersOfEachDraw)
{
    TextFromFontManager* t = make(screen(1280, 720));
    const std::string word = "_Ab c_";
    const std::vector<std::string> characters = Utf8::split(word);
    std::vector<TextFromFontManager::DrawnText> heard;
    t->setDrawListener([&](const TextFromFontManager::DrawnText& d) { heard.push_back(d); });
    struct Case {
        int align;
        int border;
        double sx;
    };
    for (const Case& c : {Case{1, 0, 0.4}, Case{2, 5, 0.5}, Case{3, 7, 1.0}, Case{4, 0, 0.43},
                          Case{5, 5, 0.5}, Case{6, 0, 0.45}}) {
        SCOPED_TRACE(c.align);
        SCOPED_TRACE(c.border);
        heard.clear();
        QuadFeedback feedback;
        t->draw(word, black, 0.3, 0.5, c.sx, c.sx, c.align <= 3 ? 0.012 : 0.075, c.align, c.border);
        const std::vector<Quad> drawn = feedback.finish();
        // A quad may come back as its two triangles.
        ASSERT_FALSE(drawn.empty());
        ASSERT_EQ(drawn.size() % characters.size(), 0u);
        const std::size_t perCharacter = drawn.size() / characters.size();
        std::vector<Quad> quads;
        for (std::size_t i = 0; i < characters.size(); ++i)
            quads.push_back(boundingBox(drawn, i * perCharacter, perCharacter));
        double left = 1e9, right = -1e9;
        for (std::size_t i = 0; i < characters.size(); ++i) {
            if (characters[i] == " " || characters[i] == "_")
                continue;
            TexChar* tex = t->getTexChar(characters[i], c.border);
            const double perPixel = (quads[i].right - quads[i].left) / tex->getWidthNextPow();
            const int v = (int)(c.border * tex->getHeight() / 100.0);
            left = std::min(left, quads[i].left + 2 * perPixel);
            right = std::max(right, quads[i].left + (2 + 2 * v + tex->getWidth()) * perPixel);
        }
        ASSERT_EQ(heard.size(), 1u);
        const TextFromFontManager::DrawnText& d = heard.front();
        EXPECT_EQ(d.text, word);
        EXPECT_EQ(d.x, 0.3);
        EXPECT_EQ(d.y, 0.5);
        EXPECT_EQ(d.align, c.align);
        EXPECT_EQ(d.border, c.border);
        // Feedback coordinates are single-precision window pixels of 1/64.
        EXPECT_NEAR(d.span.left, left, 1e-5);
        EXPECT_NEAR(d.span.right, right, 1e-5);
        const TextFromFontManager::Span again =
            t->textSpan(word, 0.3, c.sx, c.align <= 3 ? 0.012 : 0.075, c.align, c.border);
        EXPECT_EQ(again.left, d.span.left);
        EXPECT_EQ(again.right, d.span.right);

        // With proportional spacing a blank moves the pen from its quad to
        // the next character's.
        if (c.align <= 3) {
            EXPECT_NEAR(quads[4].left - quads[3].left, t->blankWidth(c.sx, 0.012, c.align), 1e-5);
        }
    }
    t->setDrawListener({});
    t->draw(word, black, 0.3, 0.5, 1, 1, 0.012, 1, 0);
    EXPECT_EQ(heard.size(), 1u);
    const TextFromFontManager::Span nothing = t->textSpan(" _ ", 0.5, 1, 0.012, 1, 0);
    EXPECT_GT(nothing.left, nothing.right);
}

TEST_F(TextRenderingTest, EmptyTextDrawsNothing)
{
    TextFromFontManager* t = make();
    QuadFeedback feedback;
    t->draw("", black, 0.5, 0.5, 1, 1, 0.012, 3, 0);
    EXPECT_TRUE(feedback.finish().empty());
    EXPECT_EQ(t->getCacheSize(), 0u);
}

TEST_F(MissingFontTest, DrawsNothingAndLogs)
{
    TextFromFontManager* t = make();
    EXPECT_FALSE(t->hasFont());
    EXPECT_EQ(t->getTexChar("a", 0), nullptr);
    QuadFeedback feedback;
    t->drawWithBorder("abc", black, grey, 0.5, 0.5, 1, 1, 0.012, 3, 5);
    EXPECT_TRUE(feedback.finish().empty());
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", "The font couldn't be opened"), 1);
}
