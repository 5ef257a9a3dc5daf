#pragma once

// Whether the game's texts fit their places: one test process per language,
// window shape and texture quality the player can choose. The screens are
// drawn by their own code with the staged installation (texts, font,
// pictures); the text service tells where every text lands, and the
// pictures are read back from the textures the screens draw with.
#include "GameHarness.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace textfit {

struct ScreenCase {
    int language;         // index in Langs.dat
    std::string code;     // "en", "fr", ...
    int width, height;    // the first resolution of its shape in the table
    int textures;         // 1 high quality, 0 low
};

// Every language of the installation's Langs.dat, every window shape of the
// options' resolution table (one size per distinct width-to-height ratio
// and aspect class) and both texture qualities.
std::vector<ScreenCase> everyScreen();
std::string caseName(const ::testing::TestParamInfo<ScreenCase>& info);
void PrintTo(const ScreenCase& c, std::ostream* out);

// One text as a screen drew it, its passes (outline and text) merged: where
// it was anchored, the overlay x span of all its passes (left, right) and of
// its letters alone (textLeft, textRight), and the width of a blank at its
// size.
struct PlacedText {
    std::string text;
    double x, y;
    int align;
    double left, right;
    double textLeft, textRight;
    double blank;
    // The GL viewport and scissor box when it was drawn, in window pixels.
    int viewport[4];
    bool scissored;
    int scissor[4];
};

// A texture as the screens draw it: row 0 is texture coordinate t = 0.
struct TexturePicture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    bool empty() const { return width == 0 || height == 0; }
    const unsigned char* at(int column, int row) const;
    // A pixel of a light menu panel: pale and mostly opaque.
    bool isPanel(int column, int row) const;
};
TexturePicture readTexture(unsigned int texture);

// A span of overlay x; empty when left > right.
struct Interval {
    double left, right;
    bool empty() const { return left > right; }
};

// The light panel of a picture drawn over the whole screen, along the row
// at overlay height y, around overlay x: the run of panel pixels that holds
// x. topRowFirst tells whether texture row 0 is drawn at the top.
Interval panelAround(const TexturePicture& picture, bool topRowFirst, double x, double y);

class TextFitTest : public ::testing::TestWithParam<ScreenCase> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The texts that draw() puts on screen, in the order first drawn.
    std::vector<PlacedText> record(const std::function<void()>& draw);

    // The key whose text this is, or whose text is the longest part of it.
    std::string keyOf(const std::string& text) const;
    // A text as failures name it: its key and the text itself.
    std::string describe(const std::string& text) const;
    // Overlay width in pixels of the window in force.
    double pixels(double overlay) const;

    // Failures naming the language, the shape, the screen and the overflow.
    void expectEndsBefore(const std::string& screen, const PlacedText& text, double limit,
                          const std::string& what);
    void expectStartsAfter(const std::string& screen, const PlacedText& text, double limit,
                           const std::string& what);
    // Both edges of the text, outline included, inside [box.left, box.right].
    void expectInside(const std::string& screen, const PlacedText& text, const Interval& box,
                      const std::string& what);
    // On every line of texts (one height), each text's letters end before
    // the next text's letters, at least a blank of its size before them when
    // both are proportionally spaced (labels and values); fixed-pitch
    // columns carry their blanks in their own cells. Pale outlines may meet.
    void expectLinesKeepApart(const std::string& screen, const std::vector<PlacedText>& texts);
    // Inside the light panel of a screen's picture, under the text's anchor.
    void expectOnPanel(const std::string& screen, const PlacedText& text,
                       const TexturePicture& picture, bool topRowFirst);

    // The drawn labels of a menu's item row, in item order: the one line
    // that holds every label; empty when there is none.
    static std::vector<PlacedText> itemRow(const std::vector<PlacedText>& texts,
                                           const std::vector<std::string>& labels);
    // The texts but the title and the item row.
    static std::vector<PlacedText> pageTexts(const std::vector<PlacedText>& texts,
                                             const std::string& title,
                                             const std::vector<std::string>& labels);

    std::string shapeName() const;

    korvelin_test::SandboxedGameFolders folders;
    std::map<std::string, std::string> keysByText;

private:
    // Each failure once, however many frames show it.
    void fail(const std::string& message);
    std::vector<std::string> failures;
};

} // namespace textfit
