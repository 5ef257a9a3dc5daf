#include "TextFitWorld.h"

#include "GLWindow.h"

#include "application/GameManager.h"
#include "records/CryptageManager.h"
#include "services/CSingleton.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "services/TextFromFontManager.h"
#include "platform/TextLine.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace fs = std::filesystem;

namespace textfit {

namespace {

// "Name<TAB>code" lines, as the options read them.
std::vector<std::pair<std::string, std::string>> installedLanguages()
{
    std::vector<std::pair<std::string, std::string>> languages;
    std::ifstream in(std::string(KORVELIN_STAGE_DIR) + "/Data/Lang/Langs.dat");
    std::string line;
    while (platform::readTextLine(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            languages.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return languages;
}

bool sameShape(const OptionsManager::Resolution& a, const OptionsManager::Resolution& b)
{
    return a.width * b.height == a.height * b.width && a.aspectClass == b.aspectClass;
}

const char* qualityName(int textures)
{
    return textures != 0 ? "High" : "Low";
}

} // namespace

std::vector<ScreenCase> everyScreen()
{
    std::vector<OptionsManager::Resolution> shapes;
    for (const OptionsManager::Resolution& r : OptionsManager::kResolutions)
        if (std::none_of(shapes.begin(), shapes.end(),
                         [&](const OptionsManager::Resolution& s) { return sameShape(s, r); }))
            shapes.push_back(r);
    const auto languages = installedLanguages();
    std::vector<ScreenCase> cases;
    for (std::size_t l = 0; l < languages.size(); ++l)
        for (const OptionsManager::Resolution& s : shapes)
            for (int textures : {1, 0})
                cases.push_back(
                    {static_cast<int>(l), languages[l].second, s.width, s.height, textures});
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<ScreenCase>& info)
{
    const ScreenCase& c = info.param;
    return c.code + "_" + std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
           qualityName(c.textures);
}

void PrintTo(const ScreenCase& c, std::ostream* out)
{
    *out << c.code << " " << c.width << "x" << c.height << " " << qualityName(c.textures);
}

// --- pictures -----------------------------------------------------------------

const unsigned char* TexturePicture::at(int column, int row) const
{
    column = std::clamp(column, 0, width - 1);
    row = std::clamp(row, 0, height - 1);
    return &rgba[(static_cast<std::size_t>(row) * width + column) * 4];
}

bool TexturePicture::isPanel(int column, int row) const
{
    const unsigned char* p = at(column, row);
    return std::min({p[0], p[1], p[2]}) >= 200 && p[3] >= 128;
}

TexturePicture readTexture(unsigned int texture)
{
    TexturePicture picture;
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    if (w <= 0 || h <= 0)
        return picture;
    picture.width = w;
    picture.height = h;
    picture.rgba.resize(static_cast<std::size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
}

Interval panelAround(const TexturePicture& picture, bool topRowFirst, double x, double y)
{
    if (picture.empty())
        return {1, 0};
    const int row = static_cast<int>((topRowFirst ? 1.0 - y : y) * picture.height);
    const int start = static_cast<int>(x * picture.width);
    if (!picture.isPanel(start, row))
        return {1, 0};
    int left = start, right = start;
    while (left > 0 && picture.isPanel(left - 1, row))
        --left;
    while (right < picture.width - 1 && picture.isPanel(right + 1, row))
        ++right;
    return {static_cast<double>(left) / picture.width,
            static_cast<double>(right + 1) / picture.width};
}

// --- the world of one screen case ---------------------------------------------

void TextFitTest::SetUp()
{
    const ScreenCase& c = GetParam();
    // The installation is read only: its folders stand for the staged ones.
    for (const char* folder : {"Data", "Fonts", "Images", "Levels", "Objects", "Sounds", "Musics"})
        fs::create_directory_symlink(fs::path(KORVELIN_STAGE_DIR) / folder,
                                     fs::path(folders.installDir()) / folder);

    korvelin_test::OptionsText options;
    options.width = c.width;
    options.height = c.height;
    options.language = c.language;
    options.textures = c.textures;
    options.debug = false;
    folders.writeUserFile("Data/Options.dat", options.str());
    // Tables of the widest names and of four-digit times for difficulties
    // 1 to 5, every difficulty open; none for 6, whose rows show the marks
    // of empty slots.
    for (int d = 1; d <= 5; ++d) {
        std::string table;
        for (int i = 0; i < 10; ++i) {
            std::string time = std::to_string(1000 + 100 * i) + "." + std::to_string(i) + " ";
            CryptageManager::getInstance()->crypt(time, CryptageManager::difficultyTableKey);
            table += "WWW\t" + time + "\n";
        }
        folders.writeUserFile("Levels/Official/Scores_" + std::to_string(d) + ".kzs", table);
    }
    // A level of ten rows of three columns for the game views.
    folders.writeUserFile("Levels/Custom/Fit.Tester.kzl",
                          "KZ2\n60 10 3\n1 1 1 blueSky\n"
                          "100 100 100\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n"
                          "1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n");

    ASSERT_TRUE(korvelin_test::openGLWindow(320, 240, 32));
    glEnable(GL_TEXTURE_2D);
    CTextureManager::GetInstance()->Initialize();
    ASSERT_EQ(TTF_Init(), 0);
    SonsManager::getInstance()->setNoAudio(true);
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    LangManager::getInstance()->charger();
    ASSERT_EQ(c.width, OptionsManager::getInstance()->getLargeur(0));
    ASSERT_EQ(c.language, OptionsManager::getInstance()->getLangIndex(0));

    std::ifstream texts(std::string(KORVELIN_STAGE_DIR) + "/Data/Lang/" + c.code + "/Game.dat");
    std::string line, key, text;
    while (platform::readTextLine(texts, line))
        if (LangManager::lireLigne(line, key, text))
            keysByText.emplace(text, key);
    ASSERT_FALSE(keysByText.empty());
}

void TextFitTest::TearDown()
{
    for (const std::string& message : failures)
        ADD_FAILURE() << message;
    if (CSingleton<TextFromFontManager>::m_Singleton != nullptr)
        CSingleton<TextFromFontManager>::m_Singleton->setDrawListener({});
    NiveauManager::kill();
    GameManager::kill();
    SDL_Quit();
}

std::vector<PlacedText> TextFitTest::record(const std::function<void()>& draw)
{
    std::vector<PlacedText> placed;
    TextFromFontManager* text = CSingleton<TextFromFontManager>::GetInstance();
    text->setDrawListener([&](const TextFromFontManager::DrawnText& d) {
        if (d.span.left > d.span.right)
            return;
        // The outline and the text of one place are one text on screen.
        PlacedText* p = nullptr;
        for (PlacedText& q : placed)
            if (q.text == d.text && q.x == d.x && q.y == d.y && q.align == d.align)
                p = &q;
        if (p == nullptr) {
            placed.push_back({});
            p = &placed.back();
            p->text = d.text;
            p->x = d.x;
            p->y = d.y;
            p->align = d.align;
            p->left = p->textLeft = 1e300;
            p->right = p->textRight = -1e300;
            p->blank = text->blankWidth(d.sx, d.spacing, d.align);
            glGetIntegerv(GL_VIEWPORT, p->viewport);
            p->scissored = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
            glGetIntegerv(GL_SCISSOR_BOX, p->scissor);
        }
        p->left = std::min(p->left, d.span.left);
        p->right = std::max(p->right, d.span.right);
        if (d.border == 0) {
            p->textLeft = std::min(p->textLeft, d.span.left);
            p->textRight = std::max(p->textRight, d.span.right);
        }
    });
    draw();
    text->setDrawListener({});
    return placed;
}

std::string TextFitTest::keyOf(const std::string& text) const
{
    auto exact = keysByText.find(text);
    if (exact != keysByText.end())
        return exact->second;
    std::string best;
    std::size_t bestLength = 0;
    // Short texts ("e", "OK") would be found inside any word.
    for (const auto& entry : keysByText)
        if (entry.first.size() >= 4 && entry.first.size() > bestLength &&
            text.find(entry.first) != std::string::npos) {
            best = entry.second;
            bestLength = entry.first.size();
        }
    return best;
}

std::string TextFitTest::describe(const std::string& text) const
{
    const std::string key = keyOf(text);
    return (key.empty() ? std::string() : key + " ") + "\"" + text + "\"";
}

double TextFitTest::pixels(double overlay) const
{
    return overlay * OptionsManager::getInstance()->getLargeur(0);
}

std::string TextFitTest::shapeName() const
{
    std::ostringstream out;
    PrintTo(GetParam(), &out);
    return out.str();
}

namespace {

std::string px(double value)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(1) << value << " px";
    return out.str();
}

} // namespace

void TextFitTest::expectEndsBefore(const std::string& screen, const PlacedText& text,
                                   double limit, const std::string& what)
{
    if (text.right < limit)
        return;
    fail(screen + ": " + describe(text.text) + " runs " + px(pixels(text.right - limit)) + " " +
         what);
}

void TextFitTest::expectStartsAfter(const std::string& screen, const PlacedText& text,
                                    double limit, const std::string& what)
{
    if (text.left > limit)
        return;
    fail(screen + ": " + describe(text.text) + " starts " + px(pixels(limit - text.left)) + " " +
         what);
}

void TextFitTest::expectInside(const std::string& screen, const PlacedText& text,
                               const Interval& box, const std::string& what)
{
    if (box.empty()) {
        fail(screen + ": " + describe(text.text) + " is not drawn on " + what);
        return;
    }
    expectStartsAfter(screen, text, box.left, "left of the left edge of " + what);
    expectEndsBefore(screen, text, box.right, "past the right edge of " + what);
}

void TextFitTest::expectLinesKeepApart(const std::string& screen,
                                       const std::vector<PlacedText>& texts)
{
    std::vector<const PlacedText*> sorted;
    for (const PlacedText& t : texts)
        sorted.push_back(&t);
    std::sort(sorted.begin(), sorted.end(), [](const PlacedText* a, const PlacedText* b) {
        return a->y != b->y ? a->y < b->y : a->textLeft < b->textLeft;
    });
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const PlacedText& a = *sorted[i - 1];
        const PlacedText& b = *sorted[i];
        if (std::fabs(a.y - b.y) >= 1e-6)
            continue;
        // Fixed-pitch columns carry their blanks in their own cells.
        const bool blankBetween = a.align <= 3 && b.align <= 3;
        const double shortBy = a.textRight + (blankBetween ? a.blank : 0.0) - b.textLeft;
        if (shortBy >= 0)
            fail(screen + ": " + describe(a.text) + " runs " + px(pixels(shortBy)) + " into " +
                 (blankBetween ? "the blank before " : "") + describe(b.text));
    }
}

void TextFitTest::expectOnPanel(const std::string& screen, const PlacedText& text,
                                const TexturePicture& picture, bool topRowFirst)
{
    expectInside(screen, text, panelAround(picture, topRowFirst, text.x, text.y),
                 "its panel of the screen's picture");
}

std::vector<PlacedText> TextFitTest::itemRow(const std::vector<PlacedText>& texts,
                                             const std::vector<std::string>& labels)
{
    for (const PlacedText& first : texts) {
        if (labels.empty() || first.text != labels[0])
            continue;
        std::vector<PlacedText> row;
        for (const std::string& label : labels)
            for (const PlacedText& t : texts)
                if (t.text == label && t.y == first.y &&
                    (row.empty() || t.x > row.back().x)) {
                    row.push_back(t);
                    break;
                }
        if (row.size() == labels.size())
            return row;
    }
    return {};
}

std::vector<PlacedText> TextFitTest::pageTexts(const std::vector<PlacedText>& texts,
                                               const std::string& title,
                                               const std::vector<std::string>& labels)
{
    const std::vector<PlacedText> row = itemRow(texts, labels);
    std::vector<PlacedText> rest;
    for (const PlacedText& t : texts) {
        const bool inRow = std::any_of(row.begin(), row.end(), [&](const PlacedText& r) {
            return r.text == t.text && r.x == t.x && r.y == t.y;
        });
        if (!inRow && !(t.text == title && !title.empty()))
            rest.push_back(t);
    }
    return rest;
}

void TextFitTest::fail(const std::string& message)
{
    const std::string full = shapeName() + ", " + message;
    if (std::find(failures.begin(), failures.end(), full) == failures.end())
        failures.push_back(full);
}

} // namespace textfit
