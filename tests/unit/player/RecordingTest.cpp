// The player's own recording: poses through the filter, landing sounds as
// events, a fresh run at every level start.
#include "PlayerFixture.h"

#include "services/OptionsManager.h"

namespace {
const char* const kPlat = "60 6 3\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n";
} // namespace

TEST_F(JoueurTest, PosesAreKeptEvery50msInTheAirAndEveryFrameNearTheBlocks)
{
    Joueur& j = commencer(kPlat);
    int frames = 0;
    for (; frames < 200; ++frames)
        pas(16);
    const Ghost run = j.getGhost();
    const std::vector<Position>& poses = run.getPositions();
    ASSERT_GT(poses.size(), 10u);
    EXPECT_LT(poses.size(), static_cast<std::size_t>(frames));
    EXPECT_EQ(poses.front().getTime(), 16);
    bool basGarde = false, hautSaute = false;
    for (std::size_t i = 1; i < poses.size(); ++i) {
        const long ecart = poses[i].getTime() - poses[i - 1].getTime();
        EXPECT_TRUE(ecart > 50 || poses[i].getY() < 0.15f) << "pose " << i;
        basGarde = basGarde || (ecart == 16 && poses[i].getY() < 0.15f);
        hautSaute = hautSaute || (ecart > 50 && poses[i].getY() >= 0.15f);
    }
    EXPECT_TRUE(basGarde);
    EXPECT_TRUE(hautSaute);
    EXPECT_EQ(run.getLastRecordedTime(), poses.back().getTime());
    // The recording follows the body.
    EXPECT_FLOAT_EQ(poses.back().getX(), 2);
}

TEST_F(JoueurTest, LandingSoundsAreRecordedAtTheLevelTime)
{
    Joueur& j = commencer(playertest::niveauAvec(2));
    pas(16);
    ASSERT_TRUE(jusqua([&] { return sons().size() == 2; }, 3000));
    const Ghost run = j.getGhost();
    const std::vector<Instruction>& ev = run.getInstructions();
    EXPECT_EQ(ev[0].getTime(), 16);
    EXPECT_EQ(ev[0].getParameter(), "bonus");
    EXPECT_EQ(ev[1].getTime(), clock);
    EXPECT_EQ(ev[1].getParameter(), "rebond");
    EXPECT_FALSE(ev[1].isDone());
}

TEST_F(JoueurTest, GetGhostHandsOutACopyAndInitJoueurStartsAFreshRun)
{
    Joueur& j = commencer(kPlat);
    for (int i = 0; i < 20; ++i)
        pas(16);
    Ghost copie = j.getGhost();
    const std::size_t n = copie.getPositions().size();
    ASSERT_GT(n, 0u);
    copie.getPositions().clear();
    EXPECT_EQ(j.getGhost().getPositions().size(), n);

    j.initJoueur();
    EXPECT_TRUE(j.getGhost().isEmpty());
    EXPECT_EQ(j.getGhost().getLastRecordedTime(), -51);
    EXPECT_EQ(j.getTempsAbsolu(), 0);
}

TEST_F(JoueurTest, RecordedRotationsAreThoseOfTheLastBodyDrawing)
{
    Joueur& j = commencer(kPlat);
    j.setXYZ(2, 1, 5);
    j.setVXYZ(3, 0, -1.2f);
    j.setAnimation(1);
    j.calculerRotations();
    EXPECT_FLOAT_EQ(j.getRX(), -4);
    EXPECT_FLOAT_EQ(j.getRY(), -40 + 270); // the spin of animation 1 is included
    EXPECT_FLOAT_EQ(j.getRZ(), -10);
    j.refresh(16, 500);
    const Position p = j.getGhost().getPositions().back();
    EXPECT_EQ(p.getTime(), 500);
    EXPECT_FLOAT_EQ(p.getRX(), -4);
    EXPECT_FLOAT_EQ(p.getRY(), 230);
    EXPECT_FLOAT_EQ(p.getRZ(), -10);
}

TEST_F(JoueurTest, ReplayedRunPlacesTheGhostBody)
{
    Joueur& j = commencer(kPlat);
    for (int i = 0; i < 100; ++i)
        pas(16);
    Ghost run = j.getGhost();
    run.reset();
    Joueur corps(3);
    const Position p = run.getPosition(800);
    corps.setXYZ(p.getX(), p.getY(), p.getZ());
    corps.setRXYZ(p.getRX(), p.getRY(), p.getRZ());
    EXPECT_FLOAT_EQ(corps.getX(), 2);
    EXPECT_GE(corps.getY(), 0);
    EXPECT_EQ(corps.getNumJoueur(), 3);
    EXPECT_EQ(corps.getColor(), 0);
}

TEST_F(JoueurTest, ColourComesFromTheSettingOfThePlayersOwnNumber)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kPlat));
    OptionsManager* o = OptionsManager::getInstance();
    Joueur p1(1), p2(2);
    EXPECT_EQ(p1.getColor(), o->getColor(0, 0));
    EXPECT_EQ(p2.getColor(), o->getColor(1, 0));
    // The defaults differ (0 and 3), so a shifted index would show.
    EXPECT_NE(p1.getColor(), p2.getColor());
}

TEST_F(JoueurTest, StartPositionAndCameraComeFromTheGridSize)
{
    std::vector<int> cells(10 * 7, 1);
    Joueur& j = commencer(playertest::niveau(10, 7, cells));
    EXPECT_FLOAT_EQ(j.getX(), 4);  // 8 columns * 0.5
    EXPECT_FLOAT_EQ(j.getZ(), 9);  // 11 rows - 2
    EXPECT_FLOAT_EQ(j.getCameraX(), 4);
    EXPECT_FLOAT_EQ(j.getCameraZ(), 9);
    EXPECT_EQ(j.getVies(false), 3);
    EXPECT_TRUE(j.enJeu());
    j.setX(3);
    EXPECT_FLOAT_EQ(j.getCameraX(), 3);
}

TEST_F(JoueurTest, CameraFollowsTheAnimation)
{
    Joueur& j = commencer(playertest::niveauAvec(9));
    pas(16);
    ASSERT_EQ(j.getAnimation(), 3);
    const double angle = j.getCible().getAngle();
    for (int i = 0; i < 10; ++i)
        pas(16);
    EXPECT_FLOAT_EQ(j.getCameraY(), j.getY() / 3);
    EXPECT_NEAR(j.getCible().getAngle(), angle + 10 * 16 * 0.15, 1e-6);

    Joueur& k = commencer(playertest::niveauAvec(1));
    for (int i = 0; i < 10; ++i)
        pas(16);
    EXPECT_GT(k.getY(), 0);
    EXPECT_FLOAT_EQ(k.getCameraY(), 0);
    EXPECT_FLOAT_EQ(k.getCameraZ(), k.getZ());
}
