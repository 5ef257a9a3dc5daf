// The heads-up display as it stands on screen, in one view and in two: the
// lives from the outer edge of each player's view, the gravity sign, the
// white fades of the level end and of the players' end states with their
// texts, the winner or draw text, the transparent state's veil, the ghost's
// marker on the progress track, and no display at all once no level is left.
// Every check reads pixels back from the framebuffer at the places the
// display uses; texts are compared with the same text drawn alone there.
#include "GameOnScreen.h"
#include "GameInPlay.h"

#include "application/GameManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/TextFromFontManager.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using play_test::GameOnScreen;
using play_test::Picture;

const int W = GameOnScreen::kWidth;
const int H = GameOnScreen::kHeight;
// The display's unit of width: overlay widths are divided by W / H.
const double kR = static_cast<double>(W) / H;

// --- where a view's overlay lands in the window ------------------------------

// Views: 0 the single view, 1 left (player 1), 2 right (player 2), 3 the
// shared overlay of a two-player frame.
double windowX(int view, double x)
{
    const double shift = view == 1 ? -W / 4.0 : view == 2 ? W / 4.0 : 0.0;
    return shift + x * W;
}

// Window row, from the top, of overlay height y.
double windowRow(double y)
{
    return (1.0 - y) * H;
}

// The visible columns of a view.
int viewLeft(int view) { return view == 2 ? W / 2 : 0; }
int viewRight(int view) { return view == 1 ? W / 2 : W; }

int playerView(int players, int player)
{
    return players == 1 ? 0 : player;
}

// The players' views of a frame.
std::vector<int> viewsOf(int players)
{
    return players == 1 ? std::vector<int>{0} : std::vector<int>{1, 2};
}

// --- what the pixels are ---------------------------------------------------

struct Box {
    int x0, y0, x1, y1; // [x0, x1) x [y0, y1), from the top left
};

int countPixels(const Picture& p, const Box& box, const std::function<bool(int, int, int)>& is)
{
    int count = 0;
    for (int y = std::max(0, box.y0); y < std::min(H, box.y1); ++y)
        for (int x = std::max(0, box.x0); x < std::min(W, box.x1); ++x) {
            int r, g, b;
            p.at(x, y, r, g, b);
            count += is(r, g, b);
        }
    return count;
}

// The red of the life hearts and of the gravity dial's needle.
bool isRed(int r, int g, int b) { return r > 170 && g < 110 && b < 130; }
// The dial's near-white face.
bool isDialFace(int r, int g, int b) { return r > 225 && g > 225 && b > 225; }
bool isDark(int r, int g, int b) { return r < 70 && g < 70 && b < 70; }

int differingPixels(const Picture& a, const Picture& b, const Box& box)
{
    int count = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            int r1, g1, b1, r2, g2, b2;
            a.at(x, y, r1, g1, b1);
            b.at(x, y, r2, g2, b2);
            count += std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2) > 12;
        }
    return count;
}

// Opacity of a white veil laid over `before`, read from `after` in the box.
double whiteVeilAlpha(const Picture& before, const Picture& after, const Box& box)
{
    double sum = 0.0;
    int n = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            int b[3], a[3];
            before.at(x, y, b[0], b[1], b[2]);
            after.at(x, y, a[0], a[1], a[2]);
            for (int c = 0; c < 3; ++c)
                if (255 - b[c] > 60) {
                    sum += static_cast<double>(a[c] - b[c]) / (255 - b[c]);
                    ++n;
                }
        }
    return n > 0 ? sum / n : -1.0;
}

// Opacity of `cover` laid over `scene`, read from `after` where the two
// differ clearly (least squares over those pixels); -1 when none do.
double coverAlpha(const Picture& scene, const Picture& cover, const Picture& after,
                  const Box& box)
{
    double num = 0.0, den = 0.0;
    int used = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            int s[3], c[3], a[3];
            scene.at(x, y, s[0], s[1], s[2]);
            cover.at(x, y, c[0], c[1], c[2]);
            after.at(x, y, a[0], a[1], a[2]);
            if (std::abs(c[0] - s[0]) + std::abs(c[1] - s[1]) + std::abs(c[2] - s[2]) < 90)
                continue;
            ++used;
            for (int k = 0; k < 3; ++k) {
                num += static_cast<double>(a[k] - s[k]) * (c[k] - s[k]);
                den += static_cast<double>(c[k] - s[k]) * (c[k] - s[k]);
            }
        }
    return used >= 300 ? num / den : -1.0;
}

// The middle band of a view, clear of every part of the display.
Box middleBand(int view)
{
    const int left = viewLeft(view), right = viewRight(view);
    const int margin = (right - left) / 5;
    return {left + margin, static_cast<int>(windowRow(0.7)), right - margin,
            static_cast<int>(windowRow(0.3))};
}

class HudOnScreen : public GameOnScreen {
protected:
    void startGame(int players)
    {
        gm = startInPlay(players);
        ASSERT_EQ(GameManager::kPlay, gm->state);
    }

    Joueur* player(int n) { return gm->getJoueur(n); }

    // Bodies below -200 are not drawn: only the level and the display stay.
    void hideBodies()
    {
        for (Joueur* p : gm->players)
            if (p != nullptr)
                p->setY(-300.0f);
    }

    // The view's viewport and scissor, as the game frame sets them.
    static void enterView(int view)
    {
        if (view == 1 || view == 2) {
            glEnable(GL_SCISSOR_TEST);
            glScissor(viewLeft(view), 0, W / 2, H);
            glViewport(view == 1 ? -W / 4 : W / 4, 0, W, H);
        } else {
            glViewport(0, 0, W, H);
        }
    }

    static void leaveView()
    {
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, W, H);
    }

    // The level's background alone in a view.
    Picture bareBackground(int view)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        enterView(view);
        GameManager::begin2D();
        glCallList(NiveauManager::backgroundList);
        GameManager::end2D();
        leaveView();
        Picture picture = readBack();
        SDL_GL_SwapBuffers();
        return picture;
    }

    // A text of the display (bordered, black on the white of a full fade)
    // drawn alone on white at its place in a view.
    Picture textAlone(int view, const std::string& text, double x, double y, double size)
    {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        enterView(view);
        GameManager::begin2D();
        glColor4d(1.0, 1.0, 1.0, 1.0);
        CSingleton<TextFromFontManager>::GetInstance()->drawWithBorder(
            text, ColorManager::black, ColorManager::white40, x, y, size, size, 0.012, 3, 5);
        GameManager::end2D();
        leaveView();
        Picture picture = readBack();
        SDL_GL_SwapBuffers();
        return picture;
    }

    GameManager* gm = nullptr;
};

// --- lives -------------------------------------------------------------------

struct LivesCase {
    const char* name;
    int players;
    int player;
    int lives;
};

void PrintTo(const LivesCase& c, std::ostream* out) { *out << c.name; }

class Lives : public HudOnScreen, public ::testing::WithParamInterface<LivesCase> {};

// The heart of life i, counted from the outer edge of the player's view:
// the left edge for player 1, the right edge for player 2.
Box heart(int view, int i, bool fromRight)
{
    const double inset = 0.015 / kR * W, width = 0.05 / kR * W;
    const int edge = fromRight ? viewRight(view) : viewLeft(view);
    const double near = inset + i * width, far = inset + (i + 1) * width;
    const double a = fromRight ? edge - far : edge + near;
    const double b = fromRight ? edge - near : edge + far;
    return {static_cast<int>(a) + 3, static_cast<int>(windowRow(0.99)) + 3, static_cast<int>(b) - 3,
            static_cast<int>(windowRow(0.94)) - 3};
}

TEST_P(Lives, StandFromTheOuterEdgeOfThePlayersView)
{
    const LivesCase c = GetParam();
    startGame(c.players);
    for (int n = 1; n <= c.players; ++n)
        player(n)->setVies(n == c.player ? c.lives : 0);
    const Picture picture = drawFrame(gm);

    const int view = playerView(c.players, c.player);
    const bool fromRight = c.player == 2;
    for (int i = 0; i < 5; ++i) {
        const int red = countPixels(picture, heart(view, i, fromRight), isRed);
        if (i < c.lives)
            EXPECT_GT(red, 40) << "no heart for life " << i;
        else
            EXPECT_EQ(0, red) << "a heart beyond the lives at " << i;
        EXPECT_EQ(0, countPixels(picture, heart(view, i, !fromRight), isRed))
            << "a heart counted from the wrong edge at " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoViews, Lives,
    ::testing::Values(LivesCase{"OnePlayerThreeLives", 1, 1, 3},
                      LivesCase{"OnePlayerOneLife", 1, 1, 1},
                      LivesCase{"OnePlayerNoLife", 1, 1, 0},
                      LivesCase{"TwoPlayersPlayerOneTwoLives", 2, 1, 2},
                      LivesCase{"TwoPlayersPlayerTwoThreeLives", 2, 2, 3},
                      LivesCase{"TwoPlayersPlayerTwoOneLife", 2, 2, 1}),
    [](const ::testing::TestParamInfo<LivesCase>& info) { return info.param.name; });

// --- gravity sign ------------------------------------------------------------

enum class Sign { None, Upright, Mirrored };

struct GravityCase {
    const char* name;
    int players;
    int player;
    float gravity;
    Sign sign;
};

void PrintTo(const GravityCase& c, std::ostream* out) { *out << c.name; }

class GravitySign : public HudOnScreen, public ::testing::WithParamInterface<GravityCase> {};

TEST_P(GravitySign, IsUprightForLowGravityMirroredForHighAndAbsentOtherwise)
{
    const GravityCase c = GetParam();
    startGame(c.players);
    for (int n = 1; n <= c.players; ++n)
        player(n)->setPeusenteur(n == c.player ? c.gravity : 0.17f);
    const Picture picture = drawFrame(gm);

    // The sign stands in the bottom right corner of the player's view; its
    // red needle points to the left in the upright picture.
    const int right = viewRight(playerView(c.players, c.player));
    const int x0 = static_cast<int>(right - 0.095 / kR * W);
    const int x1 = static_cast<int>(right - 0.015 / kR * W);
    const int xm = (x0 + x1) / 2;
    const int y0 = static_cast<int>(windowRow(0.085)), y1 = static_cast<int>(windowRow(0.005));
    const int face = countPixels(picture, {x0, y0, x1, y1}, isDialFace);
    const int redLeft = countPixels(picture, {x0, y0, xm, y1}, isRed);
    const int redRight = countPixels(picture, {xm, y0, x1, y1}, isRed);
    switch (c.sign) {
    case Sign::None:
        EXPECT_EQ(0, face);
        EXPECT_EQ(0, redLeft + redRight);
        break;
    case Sign::Upright:
        EXPECT_GT(face, 300);
        EXPECT_GT(redLeft, 10);
        EXPECT_EQ(0, redRight);
        break;
    case Sign::Mirrored:
        EXPECT_GT(face, 300);
        EXPECT_GT(redRight, 10);
        EXPECT_EQ(0, redLeft);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoViews, GravitySign,
    ::testing::Values(GravityCase{"OnePlayerLow", 1, 1, 0.12f, Sign::Upright},
                      GravityCase{"OnePlayerHigh", 1, 1, 0.2f, Sign::Mirrored},
                      GravityCase{"OnePlayerNormal", 1, 1, 0.17f, Sign::None},
                      GravityCase{"PlayerOneLow", 2, 1, 0.12f, Sign::Upright},
                      GravityCase{"PlayerOneHigh", 2, 1, 0.2f, Sign::Mirrored},
                      GravityCase{"PlayerTwoLow", 2, 2, 0.12f, Sign::Upright},
                      GravityCase{"PlayerTwoHigh", 2, 2, 0.2f, Sign::Mirrored},
                      GravityCase{"PlayerTwoNormal", 2, 2, 0.17f, Sign::None}),
    [](const ::testing::TestParamInfo<GravityCase>& info) { return info.param.name; });

// --- fades of the level end and of the players' end states -------------------

using korvelin_test::Ending;
using korvelin_test::enterEnding;

struct FadeCase {
    const char* name;
    int players;
    int player;
    Ending ending;
    int msLeft;
    float progress;
    double alpha[2]; // single view, or left and right views
};

void PrintTo(const FadeCase& c, std::ostream* out) { *out << c.name; }

class Fade : public HudOnScreen, public ::testing::WithParamInterface<FadeCase> {};

TEST_P(Fade, WhitensThePlayersViewAsTheEndingGoesOn)
{
    const FadeCase c = GetParam();
    startGame(c.players);
    const Picture before = drawFrame(gm);
    enterEnding(gm, c.player, c.ending, c.msLeft, c.progress);
    const Picture after = drawFrame(gm);

    // Sky above the level, away from every text.
    for (int view : viewsOf(c.players)) {
        const int v = view == 0 ? 0 : view - 1;
        const int x = static_cast<int>(windowX(view, 0.35));
        const int y = static_cast<int>(windowRow(0.68));
        EXPECT_NEAR(c.alpha[v], whiteVeilAlpha(before, after, {x, y, x + 12, y + 12}), 0.03)
            << "view " << view;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoViews, Fade,
    ::testing::Values(
        FadeCase{"OnePlayerLevelEnd", 1, 1, Ending::LevelEnd, 0, 0.3f, {0.3, 0.0}},
        FadeCase{"OnePlayerLevelEndFull", 1, 1, Ending::LevelEnd, 0, 1.0f, {1.0, 0.0}},
        FadeCase{"PlayerOneLevelEndCountsTwice", 2, 1, Ending::LevelEnd, 0, 0.3f, {0.6, 0.0}},
        FadeCase{"PlayerTwoLevelEndAtMostFull", 2, 2, Ending::LevelEnd, 0, 0.8f, {0.0, 1.0}},
        FadeCase{"OnePlayerTimeOut", 1, 1, Ending::TimeOut, 1950, 0.0f, {0.25, 0.0}},
        FadeCase{"OnePlayerNoLives", 1, 1, Ending::NoLives, 1300, 0.0f, {0.5, 0.0}},
        FadeCase{"PlayerOneTimeOut", 2, 1, Ending::TimeOut, 650, 0.0f, {0.75, 0.0}},
        FadeCase{"PlayerTwoNoLives", 2, 2, Ending::NoLives, 1950, 0.0f, {0.0, 0.25}},
        FadeCase{"PlayerTwoFinishing", 2, 2, Ending::Finishing, 0, 0.0f, {0.0, 1.0}}),
    [](const ::testing::TestParamInfo<FadeCase>& info) { return info.param.name; });

// --- texts of the fades and of the winner ------------------------------------

struct TextCase {
    const char* name;
    int players;
    // Each player's ending (the level end with `progress`); fades are full.
    bool ends[2];
    Ending ending;
    float progress;
    int winner;
    // The text expected: its key, what follows it, its view, height and size.
    const char* key;
    const char* suffix;
    int view;
    double y;
    double size;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class FadeText : public HudOnScreen, public ::testing::WithParamInterface<TextCase> {};

TEST_P(FadeText, StandsCentredInItsViewInThePlaceOfTheKeysText)
{
    const TextCase c = GetParam();
    startGame(c.players);
    for (int n = 1; n <= c.players; ++n)
        if (c.ends[n - 1])
            enterEnding(gm, n, c.ending, 0, c.progress);
    gm->winner = c.winner;
    const Picture picture = drawFrame(gm);
    const std::string text = LangManager::getInstance()->get(c.key) + c.suffix;
    const Picture expected = textAlone(c.view, text, 0.5, c.y, c.size);

    // Dark text pixels around the text's height across its view; the shared
    // progress track in the middle of a two-player frame is left out.
    const Box band = {viewLeft(c.view), static_cast<int>(windowRow(c.y + 0.08)),
                      viewRight(c.view), static_cast<int>(windowRow(c.y - 0.08))};
    int inked = 0, mismatched = 0;
    for (int y = band.y0; y < band.y1; ++y)
        for (int x = band.x0; x < band.x1; ++x) {
            if (c.view == 3 && std::abs(x - W / 2) <= 10)
                continue;
            int r, g, b;
            expected.at(x, y, r, g, b);
            const bool want = isDark(r, g, b);
            picture.at(x, y, r, g, b);
            const bool got = isDark(r, g, b);
            inked += want;
            mismatched += want != got;
        }
    ASSERT_GT(inked, 200) << "\"" << text << "\" draws no ink";
    EXPECT_LT(mismatched, inked / 50 + 5) << "\"" << text << "\": " << mismatched
                                          << " of " << inked << " pixels differ";
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoViews, FadeText,
    ::testing::Values(
        TextCase{"OnePlayerLevelClear", 1, {true, false}, Ending::LevelEnd, 1.0f, 0,
                 "levelClear", "", 0, 0.5, 1.0},
        TextCase{"OnePlayerTimeOver", 1, {true, false}, Ending::TimeOut, 0.0f, 0,
                 "timeOver", "", 0, 0.5, 1.0},
        TextCase{"OnePlayerYouLose", 1, {true, false}, Ending::NoLives, 0.0f, 0,
                 "youLose", "", 0, 0.5, 1.0},
        TextCase{"PlayerOneLevelClearIsSmaller", 2, {true, false}, Ending::LevelEnd, 1.0f, 1,
                 "levelClear", "", 1, 0.5, 0.6},
        TextCase{"PlayerTwoLevelClearIsSmaller", 2, {false, true}, Ending::LevelEnd, 1.0f, 2,
                 "levelClear", "", 2, 0.5, 0.6},
        TextCase{"PlayerTwoYouWin", 2, {false, true}, Ending::Finishing, 0.0f, 0,
                 "youWin", "", 2, 0.5, 1.0},
        TextCase{"PlayerOneTimeOver", 2, {true, false}, Ending::TimeOut, 0.0f, 0,
                 "timeOver", "", 1, 0.5, 1.0},
        TextCase{"WinnerPlayerOne", 2, {true, true}, Ending::LevelEnd, 0.5f, 1,
                 "winnerPlayer", " 1", 3, 0.8, 1.0},
        TextCase{"WinnerPlayerTwo", 2, {true, true}, Ending::LevelEnd, 0.5f, 2,
                 "winnerPlayer", " 2", 3, 0.8, 1.0},
        TextCase{"Draw", 2, {true, true}, Ending::LevelEnd, 0.5f, 3, "draw", "", 3, 0.8, 1.0}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

// --- the transparent state's veil --------------------------------------------

struct VeilCase {
    const char* name;
    int players;
    int player;
    double msLeft;
    double opacity; // of the background laid over the player's view
};

void PrintTo(const VeilCase& c, std::ostream* out) { *out << c.name; }

class TransparentVeil : public HudOnScreen, public ::testing::WithParamInterface<VeilCase> {};

TEST_P(TransparentVeil, LaysTheBackgroundOverTheBlocksOfThePlayersView)
{
    const VeilCase c = GetParam();
    startGame(c.players);
    hideBodies();
    const Picture scene = drawFrame(gm);
    player(c.player)->addAbnormalState("transparent", c.msLeft);
    const Picture veiled = drawFrame(gm);

    for (int view : viewsOf(c.players)) {
        const bool own = view == playerView(c.players, c.player);
        const double alpha = coverAlpha(scene, bareBackground(view), veiled, middleBand(view));
        ASSERT_GE(alpha, 0.0) << "no blocks to hide in view " << view;
        EXPECT_NEAR(own ? c.opacity : 0.0, alpha, 0.03) << "view " << view;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoViews, TransparentVeil,
    ::testing::Values(VeilCase{"JustStarted", 1, 1, 6000.0, 0.0},
                      VeilCase{"FadingIn", 1, 1, 4850.0, 0.5},
                      VeilCase{"FadingInLater", 1, 1, 4275.0, 0.75},
                      VeilCase{"FullFrom3700", 1, 1, 3700.0, 1.0},
                      VeilCase{"Full", 1, 1, 3000.0, 1.0},
                      VeilCase{"FullTo2300", 1, 1, 2300.0, 1.0},
                      VeilCase{"FadingOut", 1, 1, 1150.0, 0.5},
                      VeilCase{"PlayerOneFull", 2, 1, 3000.0, 1.0},
                      VeilCase{"PlayerTwoFadingOut", 2, 2, 575.0, 0.25},
                      VeilCase{"PlayerTwoFull", 2, 2, 3000.0, 1.0}),
    [](const ::testing::TestParamInfo<VeilCase>& info) { return info.param.name; });

// --- the ghost's marker ------------------------------------------------------

struct GhostCase {
    const char* name;
    bool ghostOption;
    float ghostZ;
};

void PrintTo(const GhostCase& c, std::ostream* out) { *out << c.name; }

class GhostMarker : public HudOnScreen, public ::testing::WithParamInterface<GhostCase> {
protected:
    korvelin_test::OptionsText screenOptions() const override
    {
        korvelin_test::OptionsText options = HudOnScreen::screenOptions();
        options.ghost = GetParam().ghostOption;
        return options;
    }
};

bool isGrey(int r, int g, int b)
{
    return std::abs(r - g) < 30 && std::abs(g - b) < 30 && std::abs(r - b) < 40 && r > 60 && r < 200;
}

TEST_P(GhostMarker, StandsOnTheTrackAtTheGhostsDepthOnlyWithTheGhostOption)
{
    const GhostCase c = GetParam();
    startGame(1);
    const Picture without = drawFrame(gm);
    gm->ghostBody = new Joueur(3);
    gm->ghostBody->setXYZ(1.0f, -300.0f, c.ghostZ); // the body itself out of sight
    const Picture with = drawFrame(gm);

    // The marker column of the single view's track.
    const Box column = {static_cast<int>(W - 0.05 / kR * W) + 1, 0,
                        static_cast<int>(W - 0.035 / kR * W) - 1, H};
    int top = H, bottom = -1, grey = 0, changed = 0;
    for (int y = column.y0; y < column.y1; ++y)
        for (int x = column.x0; x < column.x1; ++x) {
            if (differingPixels(without, with, {x, y, x + 1, y + 1}) == 0)
                continue;
            ++changed;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            int r, g, b;
            with.at(x, y, r, g, b);
            grey += isGrey(r, g, b);
        }
    if (!c.ghostOption) {
        EXPECT_EQ(0, changed);
        return;
    }
    const double y = GameManager::progressMarkerY(c.ghostZ, NiveauManager::niveauManager->rows);
    EXPECT_NEAR(windowRow(y + 0.007), (top + bottom) / 2.0, 2.0);
    EXPECT_LE(bottom - top, 0.014 * H + 2);
    EXPECT_GT(grey * 2, changed) << "the ghost's marker is its grey swatch";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GhostMarker,
    ::testing::Values(GhostCase{"HalfWay", true, 5.0f}, GhostCase{"NearTheStart", true, 8.0f},
                      GhostCase{"AtTheFinish", true, 1.0f},
                      GhostCase{"OptionOff", false, 5.0f}),
    [](const ::testing::TestParamInfo<GhostCase>& info) { return info.param.name; });

// --- no level left -----------------------------------------------------------

class NoLevelLeft : public HudOnScreen, public ::testing::WithParamInterface<int> {};

TEST_P(NoLevelLeft, LeavesTheViewsWithoutDisplay)
{
    const int players = GetParam();
    startGame(players);
    for (int n = 1; n <= players; ++n)
        player(n)->setPeusenteur(0.12f);
    gm->wins[0] = 1;
    gm->wins[1] = 2;
    const Picture shown = drawFrame(gm);
    NiveauManager::niveauManager->noMoreLevel = true;
    const Picture empty = drawFrame(gm);

    for (int view : viewsOf(players)) {
        const int left = viewLeft(view), right = viewRight(view);
        const int bottom = static_cast<int>(windowRow(0.0)), top = static_cast<int>(windowRow(1.0));
        const Box lives = {left, top, left + (right - left) / 3, static_cast<int>(windowRow(0.93))};
        const Box livesRight = {right - (right - left) / 3, top, right,
                                static_cast<int>(windowRow(0.93))};
        const Box timeLeft = {left, static_cast<int>(windowRow(0.07)), left + (right - left) / 2,
                              bottom};
        const Box sign = {right - 50, static_cast<int>(windowRow(0.09)), right, bottom};
        EXPECT_GT(countPixels(shown, lives, isRed) + countPixels(shown, livesRight, isRed), 40);
        EXPECT_EQ(0, countPixels(empty, lives, isRed) + countPixels(empty, livesRight, isRed))
            << "view " << view;
        EXPECT_GT(countPixels(shown, timeLeft, isDark), 40);
        EXPECT_EQ(0, countPixels(empty, timeLeft, isDark)) << "view " << view;
        EXPECT_GT(countPixels(shown, sign, isDialFace), 300);
        EXPECT_EQ(0, countPixels(empty, sign, isDialFace)) << "view " << view;
        // The level itself is still drawn.
        EXPECT_EQ(0, differingPixels(shown, empty, middleBand(view))) << "view " << view;
    }
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoViews, NoLevelLeft, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? std::string("OnePlayer")
                                                    : std::string("TwoPlayers");
                         });

} // namespace
