// Every text of the game ends before the next thing on its line or the edge
// of its box, in every language, window shape and texture quality: the
// options pages, the pause menu, the messages of one view and of a half
// view, the item rows, the versus lists beside their check boxes, the score
// and record screens and the score-sending notice. The level previews sit
// in their frames with no band of the frame showing beside them.
#include "TextFitWorld.h"

#include "GLFeedback.h"
#include "GameInPlay.h"

#include "application/GameManager.h"
#include "application/GameViews.h"
#include "levelmenus/MenuRecord.h"
#include "levelmenus/MenuScores.h"
#include "levelmenus/MenuSingleOfficialLevels.h"
#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "levelmenus/VersusLevelMenu.h"
#include "menus/CheckBox.h"
#include "menus/MenuDifficulte.h"
#include "menus/MenuOptions.h"
#include "menus/MenuPause.h"
#include "menus/MenuPrincipal.h"
#include "menus/MenuSendScores.h"
#include "menus/MenuSingleMap.h"
#include "services/OptionsManager.h"
#include "world/NiveauManager.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace textfit {
namespace {

using MenuMaker = std::function<std::unique_ptr<Menu>()>;

template <typename T>
MenuMaker maker()
{
    return [] { return std::unique_ptr<Menu>(new T()); };
}

// --- options pages ------------------------------------------------------------

TEST_P(TextFitTest, OptionsLabelsEndBeforeTheirValuesAndEveryTextStaysOnThePanel)
{
    MenuOptions menu;
    OptionsManager* options = OptionsManager::getInstance();
    const TexturePicture picture = readTexture(menu.background);
    ASSERT_FALSE(picture.empty());
    const char* pages[] = {"", "options, game page", "options, video page",
                           "options, audio page", "options, keyboard page"};
    // Every value a row can show: each round steps every setting once.
    for (int round = 0; round < OptionsManager::kNbResolutions; ++round) {
        for (int page = 1; page <= 4; ++page) {
            menu.selection = page;
            const std::vector<PlacedText> texts =
                pageTexts(record([&] { menu.draw(); }), menu.title, menu.labels);
            ASSERT_FALSE(texts.empty()) << pages[page];
            expectLinesKeepApart(pages[page], texts);
            for (const PlacedText& t : texts)
                expectOnPanel(pages[page], t, picture, true);
        }
        options->moveLang(1);
        options->moveGameMessages();
        options->moveGhostEnabled();
        options->moveColor(0, 1);
        options->moveColor(1, 1);
        options->moveResolution(1);
        options->moveFullScreen();
        options->moveAntiAliasing(1);
        options->moveAnisotrope(1);
        options->moveClipping(1);
        options->moveTextures(1);
        options->moveMusiques(1);
        options->moveSons(-4);
    }
}

// --- pause menu -----------------------------------------------------------------

TEST_P(TextFitTest, PauseTextsStayOnThePanelOfThePausePicture)
{
    MenuPause pause;
    const TexturePicture picture = readTexture(pause.background);
    ASSERT_FALSE(picture.empty());
    for (bool restart : {true, false})
        for (bool next : {true, false}) {
            pause.enableRestartLevel(restart);
            pause.enableNextLevel(next);
            const std::vector<PlacedText> texts = record([&] { pause.draw(); });
            ASSERT_GE(texts.size(), 3u);
            // The pause picture is drawn with its first row at the bottom.
            for (const PlacedText& t : texts)
                expectOnPanel("pause menu", t, picture, false);
        }
}

// --- messages of the game views ---------------------------------------------------

using korvelin_test::Ending;

struct Message {
    const char* name;
    int players;
    // Who ends, and how; a winner of 3 is a draw.
    int player;
    Ending ending;
    int winner;
};

// Player n at the end of its ending's fade (or the level end at its
// fullest), where its view shows the ending's text.
void enterEnding(GameManager* gm, int n, Ending ending)
{
    korvelin_test::enterEnding(gm, n, ending, 0, 1.0f);
}

TEST_P(TextFitTest, GameMessagesStayInsideTheVisiblePartOfTheirView)
{
    const Message messages[] = {
        {"one view, level cleared", 1, 1, Ending::LevelEnd, 0},
        {"one view, time over", 1, 1, Ending::TimeOut, 0},
        {"one view, no lives left", 1, 1, Ending::NoLives, 0},
        {"left half view, level cleared", 2, 1, Ending::LevelEnd, 1},
        {"left half view, time over", 2, 1, Ending::TimeOut, 0},
        {"left half view, no lives left", 2, 1, Ending::NoLives, 0},
        {"left half view, finishing", 2, 1, Ending::Finishing, 0},
        {"right half view, level cleared", 2, 2, Ending::LevelEnd, 2},
        {"right half view, time over", 2, 2, Ending::TimeOut, 0},
        {"right half view, no lives left", 2, 2, Ending::NoLives, 0},
        {"right half view, finishing", 2, 2, Ending::Finishing, 0},
        {"split screen, a draw", 2, 1, Ending::LevelEnd, 3},
    };
    const double W = OptionsManager::getInstance()->getLargeur(0);
    for (const Message& m : messages) {
        SCOPED_TRACE(m.name);
        GameManager* gm = korvelin_test::startInPlay(m.players, "Fit.Tester");
        ASSERT_EQ(GameManager::kPlay, gm->state);
        enterEnding(gm, m.player, m.ending);
        if (m.winner == 3)
            enterEnding(gm, 2, m.ending);
        gm->winner = m.winner;
        const std::string levelTitle = NiveauManager::niveauManager->title;
        const std::vector<PlacedText> texts = record([&] {
            GameViews::drawGame(gm, NiveauManager::niveauManager, OptionsManager::getInstance());
        });
        ASSERT_GE(texts.size(), 2u);
        for (const PlacedText& t : texts) {
            if (t.text == levelTitle)
                continue; // the level's own title, as its maker wrote it
            // What of the window the text's view shows, in the view's units.
            double visibleLeft = 0.0, visibleRight = W;
            if (t.scissored) {
                visibleLeft = std::max(visibleLeft, static_cast<double>(t.scissor[0]));
                visibleRight = std::min(visibleRight, static_cast<double>(t.scissor[0] + t.scissor[2]));
            }
            const Interval view = {(visibleLeft - t.viewport[0]) / t.viewport[2],
                                   (visibleRight - t.viewport[0]) / t.viewport[2]};
            expectInside(m.name, t, view, "its view");
        }
        NiveauManager::kill();
        GameManager::kill();
    }
}

// --- item rows ----------------------------------------------------------------------

TEST_P(TextFitTest, ItemLabelsStayInTheirColumnsAndTitlesOnTheirBanner)
{
    const std::pair<const char*, MenuMaker> menus[] = {
        {"main menu", maker<MenuPrincipal>()},
        {"level-set choice", maker<MenuSingleMap>()},
        {"difficulty choice", maker<MenuDifficulte>()},
        {"options", maker<MenuOptions>()},
        {"official level list", maker<MenuSingleOfficialLevels>()},
        {"custom level list", maker<MenuSingleUnofficialLevels>()},
        {"versus official list", maker<MenuVersusOfficialLevels>()},
        {"versus custom list", maker<MenuVersusUnofficialLevels>()},
        {"score screen", maker<MenuScores>()},
        {"new-record screen, name entry",
         [] { return std::unique_ptr<Menu>(new MenuRecord("83.4 ", "0.0 ", 1)); }},
        {"new-record screen, no record",
         [] {
             auto menu = std::unique_ptr<Menu>(new MenuRecord("1950.0 ", "0.0 ", 1));
             menu->refresh(40);
             return menu;
         }},
    };
    for (const auto& entry : menus) {
        SCOPED_TRACE(entry.first);
        std::unique_ptr<Menu> menu = entry.second();
        const TexturePicture picture = readTexture(menu->background);
        ASSERT_FALSE(picture.empty());
        const std::vector<PlacedText> texts = record([&] { menu->draw(); });
        const std::vector<PlacedText> row = itemRow(texts, menu->labels);
        ASSERT_EQ(menu->labels.size(), row.size()) << "the item row is not drawn on one line";
        const double n = static_cast<double>(row.size());
        for (std::size_t i = 0; i < row.size(); ++i) {
            expectInside(entry.first, row[i], {i / n, (i + 1) / n}, "its column of the item row");
            expectOnPanel(entry.first, row[i], picture, true);
        }
        for (const PlacedText& t : texts)
            if (!menu->title.empty() && t.text == menu->title)
                expectOnPanel(entry.first, t, picture, true);
    }
}

// --- versus lists -------------------------------------------------------------------

// The rightmost column of the picture's rows [rowFrom, rowTo) that shows
// anything, as a share of its width.
double inkRight(const TexturePicture& picture, int rowFrom, int rowTo)
{
    for (int column = picture.width - 1; column >= 0; --column)
        for (int row = rowFrom; row < rowTo; ++row)
            if (picture.at(column, row)[3] >= 64)
                return static_cast<double>(column + 1) / picture.width;
    return 0.0;
}

TEST_P(TextFitTest, VersusRowsStartAfterTheirCheckBoxes)
{
    const auto check = [this](VersusLevelMenu& menu, const std::string& screen) {
        ASSERT_FALSE(menu.checkBoxes.empty()) << screen << ": no level to list";
        const TexturePicture box = readTexture(menu.checkBoxes[0].getTexture());
        ASSERT_FALSE(box.empty());
        for (bool checked : {true, false}) {
            for (CheckBox& b : menu.checkBoxes)
                b.setChecked(checked);
            std::vector<korvelin_test::FeedbackPolygon> quads;
            const std::vector<PlacedText> texts = record([&] {
                korvelin_test::GLFeedback capture;
                menu.draw();
                quads = capture.finish();
            });
            int boxes = 0;
            for (const korvelin_test::FeedbackPolygon& q : quads) {
                // A check box shows one half of its picture.
                if (std::fabs(q.tMax - q.tMin - 0.5) > 1e-3)
                    continue;
                ++boxes;
                const double ink = inkRight(box, static_cast<int>(q.tMin * box.height),
                                            static_cast<int>(q.tMax * box.height));
                const double boxRight = q.left + ink * (q.right - q.left);
                const double middle = (q.bottom + q.top) / 2;
                // The row's first text: the nearest line, its leftmost text.
                const PlacedText* first = nullptr;
                for (const PlacedText& t : texts)
                    if (std::fabs(t.y - middle) < 0.02 && t.x > q.left &&
                        (first == nullptr || t.left < first->left))
                        first = &t;
                ASSERT_NE(first, nullptr) << screen << ": a check box at " << middle
                                          << " has no row text";
                expectStartsAfter(screen, *first, boxRight,
                                  "left of the right edge of its check box");
            }
            EXPECT_GT(boxes, 0) << screen;
        }
    };
    MenuVersusOfficialLevels official;
    check(official, "versus official list");
    MenuVersusUnofficialLevels custom;
    check(custom, "versus custom list");
}

// --- score and record screens -----------------------------------------------------------

TEST_P(TextFitTest, ScoreScreenColumnsKeepApartOnThePanel)
{
    MenuScores menu;
    const TexturePicture picture = readTexture(menu.background);
    for (int difficulty = 1; difficulty <= 6; ++difficulty) {
        menu.selection = difficulty;
        const std::string screen = "score screen, difficulty " + std::to_string(difficulty);
        const std::vector<PlacedText> texts =
            pageTexts(record([&] { menu.draw(); }), menu.title, menu.labels);
        ASSERT_GE(texts.size(), 30u) << screen;
        expectLinesKeepApart(screen, texts);
        for (const PlacedText& t : texts)
            expectOnPanel(screen, t, picture, true);
    }
}

// The letters of a typed name, drawn one by one, as the one name they make:
// how a player's name stands is the player's business.
std::vector<PlacedText> nameAsOneText(const std::vector<PlacedText>& texts)
{
    const auto capitals = [](const std::string& s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    };
    std::vector<PlacedText> merged;
    for (const PlacedText& t : texts) {
        // A name has three letters: a fourth capital starts another text.
        if (t.text.size() == 1 && capitals(t.text) && !merged.empty() && merged.back().y == t.y &&
            merged.back().text.size() < 3 && capitals(merged.back().text)) {
            PlacedText& name = merged.back();
            name.text += t.text;
            name.right = std::max(name.right, t.right);
            name.textRight = std::max(name.textRight, t.textRight);
            continue;
        }
        merged.push_back(t);
    }
    return merged;
}

TEST_P(TextFitTest, RecordScreenColumnsKeepApartOnThePanel)
{
    // Difficulty 1 holds times from 1000.0 to 1900.9: each of these ranks
    // from 1st to 10th, and the last one makes no place.
    std::vector<std::pair<int, std::string>> runs;
    for (int rank = 1; rank <= 10; ++rank)
        runs.emplace_back(1, std::to_string(850 + 100 * rank) + ".0 ");
    runs.emplace_back(1, "1950.0 ");
    for (int difficulty = 2; difficulty <= 6; ++difficulty)
        runs.emplace_back(difficulty, "83.4 ");
    for (const auto& run : runs) {
        MenuRecord menu(run.second, "0.0 ", run.first);
        menu.refresh(40);
        const std::string screen = "new-record screen, difficulty " + std::to_string(run.first) +
                                   ", rank " + std::to_string(menu.getRank());
        const TexturePicture picture = readTexture(menu.background);
        const std::vector<PlacedText> texts =
            nameAsOneText(pageTexts(record([&] { menu.draw(); }), menu.title, menu.labels));
        ASSERT_GE(texts.size(), 7u) << screen;
        expectLinesKeepApart(screen, texts);
        for (const PlacedText& t : texts)
            expectOnPanel(screen, t, picture, true);
    }
}

// --- score-sending notice --------------------------------------------------------------

TEST_P(TextFitTest, SendingNoticeFitsTheWindow)
{
    MenuSendScores notice;
    const std::vector<PlacedText> texts = record([&] { notice.draw(); });
    ASSERT_FALSE(texts.empty());
    for (const PlacedText& t : texts)
        expectInside("score-sending notice", t, {0.0, 1.0}, "the window");
}

// --- level previews -------------------------------------------------------------------

TEST_P(TextFitTest, LevelPreviewSitsInItsFrameWithNoBandBeside)
{
    MenuSingleOfficialLevels::choix = 0;
    MenuSingleOfficialLevels menu;
    const TexturePicture picture = readTexture(menu.background);
    ASSERT_FALSE(picture.empty());
    korvelin_test::GLFeedback capture;
    menu.draw();
    const std::vector<korvelin_test::FeedbackPolygon> quads = capture.finish();
    // The preview: the one tall picture that is not the background.
    const korvelin_test::FeedbackPolygon* preview = nullptr;
    for (const korvelin_test::FeedbackPolygon& q : quads)
        if (q.top - q.bottom > 0.3 && q.right - q.left < 0.9)
            preview = &q;
    ASSERT_NE(preview, nullptr);

    // Just outside each side of the preview, the frame's light panel.
    const korvelin_test::FeedbackPolygon& q = *preview;
    const double gap = 0.004;
    struct Side {
        const char* name;
        double x0, y0, x1, y1; // from one end of the side to the other
    };
    const Side sides[] = {
        {"left", q.left - gap, q.bottom, q.left - gap, q.top},
        {"right", q.right + gap, q.bottom, q.right + gap, q.top},
        {"top", q.left, q.top + gap, q.right, q.top + gap},
        {"bottom", q.left, q.bottom - gap, q.right, q.bottom - gap},
    };
    const int samples = 50;
    for (const Side& side : sides) {
        int dark = 0;
        for (int i = 1; i < samples; ++i) {
            const double f = static_cast<double>(i) / samples;
            const double x = side.x0 + f * (side.x1 - side.x0);
            const double y = side.y0 + f * (side.y1 - side.y0);
            dark += !picture.isPanel(static_cast<int>(x * picture.width),
                                     static_cast<int>((1.0 - y) * picture.height));
        }
        EXPECT_EQ(0, dark) << shapeName() << ": the frame beside the " << side.name
                           << " edge of the level preview is not its light panel at " << dark
                           << " of " << samples - 1 << " points";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguageAndShape, TextFitTest, ::testing::ValuesIn(everyScreen()),
                         caseName);

} // namespace
} // namespace textfit
