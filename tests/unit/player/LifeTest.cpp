// Holes, respawn, lives, the countdown, the timed states and the end
// animations; blocks that change under the player.
#include "PlayerFixture.h"

#include <cstdint>

namespace {

struct Case {
    int row, col, type;
};

// A 6 x 3 level of plain blocks with some cells changed.
std::string niveauCases(const std::vector<Case>& cases, int time = 60)
{
    std::vector<int> cells(18, 1);
    for (const Case& c : cases)
        cells[(c.row - 1) * 3 + (c.col - 1)] = c.type;
    return playertest::niveau(6, 3, cells, time);
}

} // namespace

TEST_F(JoueurTest, FallingIntoAHoleCentresOnTheCellThenRespawnsAtTheSavedPoint)
{
    Joueur& j = commencer(niveauCases({{3, 2, 0}}));
    pas(); // lands on the start block (2, 5), which saves the point
    ASSERT_TRUE(j.hasSauvegarde());
    playertest::placer(j, 1.6f, 0, 3.1f);
    pas();
    ASSERT_EQ(j.getEtat(), Joueur::kChute);
    EXPECT_EQ(j.getAnimation(), 0);
    pas();
    // Centring toward the hole's cell (2, 3): x from the left, z with 0.4.
    EXPECT_FLOAT_EQ(j.getVX(), 1);
    EXPECT_FLOAT_EQ(j.getVZ(), 0);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kJeu; }, 3000));
    EXPECT_EQ(j.getVies(false), 2);
    EXPECT_FLOAT_EQ(j.getX(), 2);
    EXPECT_FLOAT_EQ(j.getZ(), 5);
    EXPECT_FLOAT_EQ(j.getY(), 0);
    EXPECT_FLOAT_EQ(j.getVY(), 0);
}

TEST_F(JoueurTest, RespawnWithoutASavedPointUsesTheStartPosition)
{
    Joueur& j = commencer(niveauCases({{3, 2, 0}, {5, 2, 300}}));
    pas(); // type 300 does not save
    ASSERT_FALSE(j.hasSauvegarde());
    playertest::placer(j, 2, 0, 3);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kChute; }, 100));
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kJeu; }, 3000));
    EXPECT_FLOAT_EQ(j.getX(), 2);
    EXPECT_FLOAT_EQ(j.getZ(), 5);
    EXPECT_FLOAT_EQ(j.getCameraZ(), 5);
}

TEST_F(JoueurTest, ARespawnPointOfAnEarlierLevelIsNotUsedInTheNextOne)
{
    Joueur& j = commencer(niveauCases({{3, 2, 0}}));
    playertest::placer(j, 1, 0, 2);
    pas(); // saves (1, 2)
    ASSERT_TRUE(j.hasSauvegarde());
    ASSERT_FLOAT_EQ(j.getSauvegardeX(), 1);

    // The next level has a solid block at (1, 2) too, and a hole at (3, 3).
    std::vector<int> cells(8 * 5, 1);
    cells[(3 - 1) * 5 + (3 - 1)] = 0;
    ASSERT_TRUE(playertest::chargerNiveau("Next", playertest::niveau(8, 5, cells)));
    j.initJoueur();
    j.setTemps(60);
    EXPECT_FALSE(j.hasSauvegarde());
    EXPECT_FLOAT_EQ(j.getX(), 3);
    EXPECT_FLOAT_EQ(j.getZ(), 7);
    playertest::placer(j, 3, 0, 3);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kChute; }, 100));
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kJeu; }, 3000));
    EXPECT_FLOAT_EQ(j.getX(), 3);
    EXPECT_FLOAT_EQ(j.getZ(), 7);
}

TEST_F(JoueurTest, LastLifeLostInAHoleStartsTheNoLivesEnding)
{
    Joueur& j = commencer(niveauCases({{5, 2, 0}}));
    j.setVies(1);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kFinVies; }, 3000));
    EXPECT_EQ(j.getVies(false), 0);
    EXPECT_EQ(j.getAnimation(), 5);
    // The ending's own step already ran in the frame that started it.
    EXPECT_EQ(j.getTempsAnimation(), Joueur::kDureeAnimation - 16);
    EXPECT_FLOAT_EQ(j.getVX(), 0);
    EXPECT_FLOAT_EQ(j.getVZ(), 0);
    EXPECT_TRUE(j.vivant());
    const float y = j.getY();
    // A body already below -1 keeps falling during the ending.
    pas();
    EXPECT_LT(j.getY(), y);
    long duree = 16;
    while (j.getEtat() == Joueur::kFinVies && duree < 5000) {
        pas();
        duree += 16;
    }
    EXPECT_EQ(j.getEtat(), Joueur::kHorsJeu);
    EXPECT_GE(duree, Joueur::kDureeAnimation);
    EXPECT_LE(duree, Joueur::kDureeAnimation + 32);
    EXPECT_FALSE(j.vivant());
    EXPECT_EQ(j.getVies(false), 0);
}

TEST_F(JoueurTest, LastLifeLostWithoutGameMessagesIsOutAtOnce)
{
    playertest::reglerMessages(false);
    Joueur& j = commencer(niveauCases({{5, 2, 0}}));
    j.setVies(1);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() != Joueur::kChute && j.getEtat() != Joueur::kJeu; }, 3000));
    EXPECT_EQ(j.getEtat(), Joueur::kHorsJeu);
    EXPECT_EQ(j.getAnimation(), 0);
    EXPECT_FALSE(j.vivant());
}

TEST_F(JoueurTest, LostLifeBlockOnTheLastLifeEndsTheGame)
{
    Joueur& j = commencer(playertest::niveauAvec(3));
    j.setVies(1);
    pas();
    EXPECT_EQ(j.getVies(false), 0);
    EXPECT_EQ(j.getEtat(), Joueur::kFinVies);
}

TEST_F(JoueurTest, TimeOutEndingThenOut)
{
    Joueur& j = commencer(niveauCases({}));
    j.setTemps(1);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() != Joueur::kJeu; }, 1100));
    EXPECT_EQ(j.getEtat(), Joueur::kFinTemps);
    EXPECT_EQ(j.getAnimation(), 4);
    EXPECT_EQ(j.getTemps(), 0);
    EXPECT_FLOAT_EQ(j.getTempsMs(), 0);
    EXPECT_FLOAT_EQ(j.getVY(), 0);
    EXPECT_EQ(j.getVies(false), 3);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kHorsJeu; }, 2700));
    EXPECT_EQ(j.getVies(false), 0);
}

TEST_F(JoueurTest, TimeOutWithoutGameMessagesIsOutAtOnce)
{
    playertest::reglerMessages(false);
    Joueur& j = commencer(niveauCases({}));
    j.setTemps(1);
    ASSERT_TRUE(jusqua([&] { return j.getEtat() != Joueur::kJeu; }, 1100));
    EXPECT_EQ(j.getEtat(), Joueur::kHorsJeu);
    EXPECT_EQ(j.getAnimation(), 0);
}

TEST_F(JoueurTest, WarningBeepsCountDownTheLastSeconds)
{
    Joueur& j = commencer(niveauCases({}));
    j.setTemps(3);
    EXPECT_EQ(j.getNbBips(), 3);
    std::vector<float> bips;
    int avant = j.getNbBips();
    for (int i = 0; i < 200 && j.enJeu(); ++i) {
        pas(16);
        if (j.getNbBips() != avant) {
            EXPECT_EQ(j.getNbBips(), avant - 1);
            bips.push_back(j.getTempsMs());
            avant = j.getNbBips();
        }
    }
    ASSERT_EQ(bips.size(), 3u);
    EXPECT_FLOAT_EQ(bips[0], 3000 - 16);  // at the first frame
    EXPECT_GE(bips[1], 2000 - 16);
    EXPECT_LT(bips[1], 2000);
    EXPECT_GE(bips[2], 1000 - 16);
    EXPECT_LT(bips[2], 1000);

    j.setTemps(25);
    EXPECT_EQ(j.getNbBips(), 10);
    j.setTemps(5);
    EXPECT_EQ(j.getNbBips(), 5);
    EXPECT_EQ(j.getTemps(), 5);
}

TEST_F(JoueurTest, TransparencyRunsDownAndEndsWithOneClosingSound)
{
    struct Cas {
        double avant, apres;
    };
    // Fresh: 6000; 1000 left: 6000 - 1000; 4000 left: kept. Then this frame's 16 ms.
    const Cas cas[] = {{-1, 6000 - 16}, {0, 6000 - 16}, {1000, 5000 - 16}, {4000, 4000 - 16}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.avant);
        Joueur& j = commencer(playertest::niveauAvec(34));
        if (c.avant >= 0)
            j.addAbnormalState("transparent", c.avant);
        pas();
        EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), c.apres);
    }

    Joueur& j = commencer(niveauCases({}));
    j.setXYZ(2, 50, 5);
    j.addAbnormalState("transparent", 20);
    pas();
    EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), 4);
    pas();
    EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), -9999);
    pas();
    EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), -9999 - 16);
}

TEST_F(JoueurTest, ALostLifeEndsTheTransparencyAtTheNextFrame)
{
    Joueur& j = commencer(niveauCases({}));
    j.setXYZ(2, 50, 5);
    j.addAbnormalState("transparent", 3000);
    j.perdreVie();
    EXPECT_EQ(j.getVies(false), 2);
    EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), -1);
    pas();
    EXPECT_DOUBLE_EQ(j.getAbnormalState("transparent"), -9999);
    j.setVies(-2);
    EXPECT_EQ(j.getVies(false), 0);
    j.perdreVie();
    EXPECT_EQ(j.getVies(false), 0);
}

TEST_F(JoueurTest, BreakableBlockOpensAndTheNextLandingFallsThrough)
{
    Joueur& j = commencer(playertest::niveauAvec(20));
    pas();
    EXPECT_EQ(sons(), std::vector<std::string>{"open"});
    pas();
    EXPECT_FALSE(bloc(5, 2)->isSolid());
    ASSERT_TRUE(jusqua([&] { return j.getEtat() != Joueur::kJeu; }, 3000));
    EXPECT_EQ(j.getEtat(), Joueur::kChute);
    EXPECT_EQ(sons(), (std::vector<std::string>{"open", "malus"}));
}

TEST_F(JoueurTest, DisposableBlockCarriesTwiceThenFallsAway)
{
    Joueur& j = commencer(playertest::niveauAvec(28));
    pas();
    pas();
    EXPECT_TRUE(bloc(5, 2)->isSolid());
    ASSERT_TRUE(jusqua([&] { return sons().size() == 2; }, 3000));
    EXPECT_EQ(sons()[1], "rebond");
    pas();
    EXPECT_FALSE(bloc(5, 2)->isSolid());
    ASSERT_TRUE(jusqua([&] { return j.getEtat() != Joueur::kJeu; }, 3000));
    EXPECT_EQ(j.getEtat(), Joueur::kChute);
}

TEST_F(JoueurTest, TimedBlocksCarryOnlyWhileSolid)
{
    {
        Joueur& j = commencer(playertest::niveauAvec(21));
        playertest::avancerBlocs(2100, 16); // 2000 ms solid, now void
        pas();
        EXPECT_EQ(j.getEtat(), Joueur::kChute);
    }
    {
        Joueur& j = commencer(playertest::niveauAvec(24)); // void at the start
        pas();
        EXPECT_EQ(j.getEtat(), Joueur::kChute);
    }
    {
        Joueur& j = commencer(playertest::niveauAvec(24));
        playertest::avancerBlocs(2100, 16);
        pas();
        EXPECT_EQ(j.getEtat(), Joueur::kJeu);
        EXPECT_EQ(sons(), std::vector<std::string>{"rebond"});
    }
}

TEST_F(JoueurTest, MovingBlockCarriesWithAPlainBounceAndSavesNothing)
{
    Joueur& j = commencer(niveauCases({{5, 1, 0}, {5, 2, 53}, {5, 3, 0}}));
    ASSERT_EQ(bloc(5, 2), nullptr);
    pas();
    EXPECT_EQ(j.getEtat(), Joueur::kJeu);
    EXPECT_EQ(sons(), std::vector<std::string>{"rebond"});
    EXPECT_FLOAT_EQ(j.getVY(), 5);
    EXPECT_FALSE(j.hasSauvegarde());
}

TEST_F(JoueurTest, FlatBlockSlidesWithoutSoundAndKeepsTheSteering)
{
    Joueur& j = commencer(playertest::niveauAvec(17));
    playertest::touche(ClavierManager::UP, 1, 1);
    for (int i = 0; i < 10; ++i) {
        pas(10);
        ASSERT_FLOAT_EQ(j.getY(), 0);
    }
    EXPECT_TRUE(sons().empty());
    EXPECT_FLOAT_EQ(j.getTempsAccelZ(), 100);
    EXPECT_FLOAT_EQ(j.getVY(), 0);
    EXPECT_LT(j.getVZ(), 0);
}

TEST_F(JoueurTest, ProbesDecideOverTheSeamsInTheirOrder)
{
    struct Cas {
        std::vector<Case> cases;
        float x, z;
        const char* son;
    };
    const Cas cas[] = {
        // (x, z) on a hole, then z + 0.07 before z - 0.1.
        {{{4, 2, 0}, {5, 2, 2}, {3, 2, 3}}, 2, 4.45f, "bonus"},
        {{{4, 2, 0}, {3, 2, 3}}, 2, 3.55f, "malus"},
        // x + 0.05 before x - 0.05.
        {{{4, 1, 3}, {4, 2, 0}, {4, 3, 2}}, 2.47f, 4, "bonus"},
        {{{4, 1, 3}, {4, 2, 0}, {4, 3, 2}}, 1.53f, 4, "malus"},
        // The point itself first.
        {{{4, 2, 2}, {5, 2, 3}}, 2, 4.45f, "bonus"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.x * 100 + c.z);
        Joueur& j = commencer(niveauCases(c.cases));
        playertest::placer(j, c.x, 0, c.z);
        pas(1);
        EXPECT_EQ(sons(), std::vector<std::string>{c.son});
        EXPECT_EQ(j.getEtat(), Joueur::kJeu);
    }
}

TEST_F(JoueurTest, OutsideTheGridIsAHole)
{
    Joueur& j = commencer(niveauCases({}));
    playertest::placer(j, 2, 0, -3);
    pas();
    EXPECT_EQ(j.getEtat(), Joueur::kChute);
    EXPECT_EQ(sons(), std::vector<std::string>{"malus"});
}

class MusiqueTest : public JoueurTest {
protected:
    void SetUp() override
    {
        JoueurTest::SetUp();
        sonsManager = SonsManager::getInstance();
        sonsManager->setNoAudio(true);
        sonsManager->finNiveau = reinterpret_cast<Mix_Music*>(&faux[0]);
        sonsManager->gameOver = reinterpret_cast<Mix_Music*>(&faux[1]);
        sonsManager->game = reinterpret_cast<Mix_Music*>(&faux[2]);
    }
    void TearDown() override
    {
        sonsManager->chargerMusique(nullptr);
        sonsManager->finNiveau = sonsManager->gameOver = sonsManager->game = nullptr;
        JoueurTest::TearDown();
    }
    SonsManager* sonsManager = nullptr;
    std::uint64_t faux[3] = {0, 0, 0};
};

TEST_F(MusiqueTest, OnePlayerFinishesAtOnceWithoutMusicChange)
{
    Joueur& j = commencer(playertest::niveauAvec(100));
    pas();
    EXPECT_TRUE(j.niveauTermine());
    EXPECT_EQ(j.getAnimation(), 0);
    EXPECT_EQ(sonsManager->getMusique(), nullptr);
}

TEST_F(MusiqueTest, TwoPlayersFinishWithTheAnimationAndBackToTheGameMusic)
{
    playertest::reglerJoueurs(2);
    Joueur& j = commencer(playertest::niveauAvec(100));
    pas();
    EXPECT_EQ(j.getEtat(), Joueur::kFinArrivee);
    EXPECT_EQ(j.getAnimation(), 6);
    EXPECT_EQ(j.getTempsAnimation(), Joueur::kDureeAnimation - 16);
    EXPECT_EQ(sonsManager->getMusique(), sonsManager->finNiveau);
    EXPECT_FALSE(j.niveauTermine());
    ASSERT_TRUE(jusqua([&] { return j.niveauTermine(); }, 2700));
    EXPECT_EQ(j.getTempsAnimation(), 0);
    EXPECT_EQ(sonsManager->getMusique(), sonsManager->game);
}

TEST_F(MusiqueTest, TwoPlayerTimeOutSwitchesBackOnlyWhenTheGameOverMusicStillPlays)
{
    for (bool encore : {true, false}) {
        SCOPED_TRACE(encore);
        playertest::reglerJoueurs(2);
        Joueur& j = commencer(niveauCases({}));
        j.setTemps(1);
        ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kFinTemps; }, 1100));
        EXPECT_EQ(sonsManager->getMusique(), sonsManager->gameOver);
        if (!encore) // the other player reached the finish meanwhile
            sonsManager->chargerMusique(sonsManager->finNiveau);
        ASSERT_TRUE(jusqua([&] { return j.getEtat() == Joueur::kHorsJeu; }, 2700));
        EXPECT_EQ(sonsManager->getMusique(), encore ? sonsManager->game : sonsManager->finNiveau);
    }
}
