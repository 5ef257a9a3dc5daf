// The game views drawn in this process on a real GL window, in the GL state
// the application's own start-up sets: one view for one player, two
// side-by-side views with the separator and both heads-up displays for two
// players, and the players themselves in their views.
#include "GameOnScreen.h"

#include "application/GameManager.h"
#include "world/Joueur.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using GameViewsOnScreen = play_test::GameOnScreen;

TEST_F(GameViewsOnScreen, OnePlayerHasOneViewWithItsTimeAtTheLeftEdge)
{
    GameManager* gm = startInPlay(1);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    const play_test::Picture picture = drawFrame(gm);
    EXPECT_GT(picture.darkPixels(2, 455, 150, 478), 40);
    // Nothing stands at the left edge of a right-hand view.
    EXPECT_LT(picture.darkPixels(326, 455, 470, 478), 5);
}

TEST_F(GameViewsOnScreen, TwoPlayersHaveTwoViewsWithTheSeparatorBetween)
{
    GameManager* gm = startInPlay(2);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    gm->wins[0] = 1;
    gm->wins[1] = 2;
    const play_test::Picture picture = drawFrame(gm);

    // Each view's time left stands at the left edge of its visible half.
    EXPECT_GT(picture.darkPixels(2, 455, 150, 478), 40);
    EXPECT_GT(picture.darkPixels(326, 455, 470, 478), 40);
    // The win counts stand on either side of the separator, at the top.
    EXPECT_GT(picture.darkPixels(280, 5, 316, 30), 10);
    EXPECT_GT(picture.darkPixels(325, 5, 360, 30), 10);

    // The separator: black at the bottom and the top, open in the middle.
    int blackBottom = 0, blackTop = 0, blackMiddle = 0;
    for (int x = 318; x <= 321; ++x) {
        int r, g, b;
        picture.at(x, 460, r, g, b);
        blackBottom += r + g + b < 30;
        picture.at(x, 20, r, g, b);
        blackTop += r + g + b < 30;
        picture.at(x, 150, r, g, b);
        blackMiddle += r + g + b < 30;
    }
    EXPECT_GE(blackBottom, 1);
    EXPECT_GE(blackTop, 1);
    EXPECT_EQ(0, blackMiddle);

    // Both views show the lit grey tops of the row nearest their camera.
    auto greyTops = [&](int x0, int x1) {
        int grey = 0;
        for (int y = 290; y < 320; ++y)
            for (int x = x0; x < x1; ++x) {
                int r, g, b;
                picture.at(x, y, r, g, b);
                grey += r > 100 && std::abs(r - g) < 25 && std::abs(g - b) < 25 && std::abs(r - b) < 35;
            }
        return grey;
    };
    EXPECT_GT(greyTops(220, 300), 80 * 30 / 2) << "left view";
    EXPECT_GT(greyTops(340, 420), 80 * 30 / 2) << "right view";
}

TEST_F(GameViewsOnScreen, EachViewShowsThePlayers)
{
    GameManager* gm = startInPlay(2);
    ASSERT_EQ(GameManager::kPlay, gm->state);
    const play_test::Picture withPlayers = drawFrame(gm);
    // A body below -200 is not drawn at all.
    Joueur* p1 = gm->getJoueur(1);
    Joueur* p2 = gm->getJoueur(2);
    const float y1 = p1->getY(), y2 = p2->getY();
    p1->setY(-300.0f);
    p2->setY(-300.0f);
    const play_test::Picture without = drawFrame(gm);
    p1->setY(y1);
    p2->setY(y2);

    // Each camera centres its own player in its half.
    auto changed = [&](int x0, int x1) {
        int count = 0;
        for (int y = 120; y < 420; ++y)
            for (int x = x0; x < x1; ++x) {
                int r1, g1, b1, r2, g2, b2;
                withPlayers.at(x, y, r1, g1, b1);
                without.at(x, y, r2, g2, b2);
                count += std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2) > 30;
            }
        return count;
    };
    EXPECT_GT(changed(60, 260), 100) << "no player drawn in the left view";
    EXPECT_GT(changed(380, 580), 100) << "no player drawn in the right view";
}

} // namespace
