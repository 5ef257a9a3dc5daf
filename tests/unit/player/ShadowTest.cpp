// The shadows cut to the ground under them, their size and fading, and the
// target marker's turn.
#include "PlayerFixture.h"

#include "world/Cible.h"
#include "world/Ombre.h"
#include "world/OmbreMobile.h"

namespace {

// Plain blocks with a hole at row 3, column 3.
const char* const kTrou = "60 6 3\n1 1 1\n1 1 1\n1 1 0\n1 1 1\n1 1 1\n1 1 1\n";

Ombre ombreEn(float x, float z, float w, float h)
{
    Ombre o;
    o.setXYZ(x, 0.001f, z);
    o.setWidth(w);
    o.setHeight(h);
    return o;
}

} // namespace

TEST_F(JoueurTest, ShadowOverOneSolidCellIsOneWholePiece)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(2, 5, 0.15f, 0.3f);
    Ombre::Morceau m[4];
    ASSERT_EQ(o.decouper(m), 1);
    EXPECT_FLOAT_EQ(m[0].gauche, 1.85f);
    EXPECT_FLOAT_EQ(m[0].droite, 2.15f);
    EXPECT_FLOAT_EQ(m[0].pres, 4.7f);
    EXPECT_FLOAT_EQ(m[0].loin, 5.3f);
}

TEST_F(JoueurTest, ShadowOverAHoleIsNotDrawn)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(3, 3, 0.15f, 0.3f);
    Ombre::Morceau m[4];
    EXPECT_EQ(o.decouper(m), 0);
}

TEST_F(JoueurTest, ShadowOverTheEdgeOfAHoleStopsJustPastTheEdge)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(2.45f, 3, 0.1f, 0.1f);
    Ombre::Morceau m[4];
    ASSERT_EQ(o.decouper(m), 1);
    EXPECT_FLOAT_EQ(m[0].gauche, 2.35f);
    EXPECT_GE(m[0].droite, 2.5f - 1e-4f);
    EXPECT_LT(m[0].droite, 2.515f);
    EXPECT_FLOAT_EQ(m[0].pres, 2.9f);
    EXPECT_FLOAT_EQ(m[0].loin, 3.1f);
}

TEST_F(JoueurTest, ShadowWithFourSolidCornersIsWholeAcrossCells)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(1.5f, 4.5f, 0.15f, 0.3f);
    Ombre::Morceau m[4];
    ASSERT_EQ(o.decouper(m), 1);
    EXPECT_FLOAT_EQ(m[0].gauche, 1.35f);
    EXPECT_FLOAT_EQ(m[0].loin, 4.8f);
}

TEST_F(JoueurTest, ShadowOverFourCellsDropsTheQuarterOverTheHole)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(2.5f, 3.5f, 0.1f, 0.1f);
    Ombre::Morceau m[4];
    ASSERT_EQ(o.decouper(m), 3);
    // Near-right (column 3, row 3) is the missing one.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(m[i].gauche >= 2.49f && m[i].loin <= 3.51f) << i;
}

TEST_F(JoueurTest, ShadowOverTwoRowsKeepsTheSolidRow)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(3, 3.5f, 0.1f, 0.2f);
    Ombre::Morceau m[4];
    ASSERT_EQ(o.decouper(m), 1);
    EXPECT_GE(m[0].pres, 3.5f - 1e-4f);
    EXPECT_LT(m[0].pres, 3.515f);
    EXPECT_FLOAT_EQ(m[0].loin, 3.7f);
}

TEST_F(JoueurTest, AHugeShadowCannotRunTheSplitAway)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Ombre o = ombreEn(2.5f, 3.5f, 100, 100);
    Ombre::Morceau m[4];
    EXPECT_LE(o.decouper(m), 4);
}

TEST_F(JoueurTest, ShadowOnAMovingBlockIsCutToItsSquare)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", "60 6 3\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n0 53 0\n1 1 1\n"));
    OmbreMobile o;
    o.setXYZ(2.45f, 0.001f, 5);
    o.setWidth(0.15f);
    o.setHeight(0.3f);
    Ombre::Morceau m;
    ASSERT_TRUE(o.decouperMobile(m));
    EXPECT_FLOAT_EQ(m.gauche, 2.3f);
    EXPECT_FLOAT_EQ(m.droite, 2.5f);
    EXPECT_FLOAT_EQ(m.pres, 4.7f);
    EXPECT_FLOAT_EQ(m.loin, 5.3f);
    o.setXYZ(3.2f, 0.001f, 5);
    EXPECT_FALSE(o.decouperMobile(m));
}

TEST_F(JoueurTest, ShadowsShrinkWithHeightAndLieAtThePlayersOwnLevel)
{
    ASSERT_TRUE(playertest::chargerNiveau("Test", kTrou));
    Joueur p1(1), p2(2);
    p1.setXYZ(2, 1, 5);
    p2.setXYZ(2, 0, 4);
    p1.placerOmbres();
    p2.placerOmbres();
    EXPECT_FLOAT_EQ(p1.getOmbre().getWidth(), 0.075f);
    EXPECT_FLOAT_EQ(p1.getOmbre().getHeight(), 0.15f);
    EXPECT_FLOAT_EQ(p1.getOmbreMobile().getWidth(), 0.075f);
    EXPECT_FLOAT_EQ(p2.getOmbre().getWidth(), 0.15f);
    EXPECT_FLOAT_EQ(p1.getOmbre().getY(), 0.001f);
    EXPECT_FLOAT_EQ(p2.getOmbre().getY(), 0.002f);
    EXPECT_FLOAT_EQ(p1.getOmbre().getX(), 2);
    EXPECT_FLOAT_EQ(p1.getOmbre().getZ(), 5);
}

TEST(ShadowOpacity, FadesOutHoldsThenFadesBackDuringTransparency)
{
    struct Cas {
        double t, o;
    };
    const Cas cas[] = {
        {-1, 1}, {0, 1}, {6000, 1}, {5000, 1300.0 / 2300}, {3700, 0}, {3000, 0},
        {2300, 0}, {1000, 1300.0 / 2300}, {1, 1 - 1.0 / 2300}, {9000, 1},
    };
    for (const Cas& c : cas)
        EXPECT_NEAR(Joueur::opaciteOmbre(c.t), c.o, 1e-9) << c.t;
}

TEST(Target, TurnsAt150DegreesPerSecondAndWrapsAt360)
{
    Cible c;
    for (int i = 0; i < 250; ++i)
        c.refresh(12);
    EXPECT_NEAR(c.getAngle(), 90, 1e-9);
    Cible d;
    d.refresh(2300); // 345
    d.refresh(2399);
    EXPECT_LE(d.getAngle(), 360);
    EXPECT_NEAR(d.getAngle(), 345 + 359.85 - 360, 1e-9);
}
