// Landing on every block type: the sound and its recorded event, the bounce,
// the animation, the speed and the other effects of the type.
#include "PlayerFixture.h"

#include <cmath>

namespace {

struct Atterrissage {
    int type;
    const char* son;   // recorded word, "" for none
    int animation;
    float vy;          // NAN: unchanged
    float vx, vz;      // from vx 1, vz -1 before the landing
    int vies;          // from 3
    bool utilise;      // block marked used
    bool sauve;        // respawn point saved
    int etat;
};

const float kInchange = NAN;

std::ostream& operator<<(std::ostream& os, const Atterrissage& a)
{
    return os << "type " << a.type;
}

class TypeDeBloc : public JoueurTest, public ::testing::WithParamInterface<Atterrissage> {};

} // namespace

TEST_P(TypeDeBloc, LandingAppliesTheRowOfItsType)
{
    const Atterrissage a = GetParam();
    Joueur& j = commencer(playertest::niveauAvec(a.type));
    j.setVXYZ(1, 0, -1);
    pas();

    EXPECT_EQ(j.getEtat(), a.etat);
    const std::vector<std::string> mots = sons();
    if (std::string(a.son).empty()) {
        EXPECT_TRUE(mots.empty());
    } else {
        EXPECT_EQ(mots, std::vector<std::string>{a.son});
    }
    EXPECT_EQ(j.getAnimation(), a.animation);
    if (std::isnan(a.vy)) {
        EXPECT_LT(j.getVY(), 0);
        // A block of a type without a row still sets y back to 0; only an
        // empty cell or a negative type leaves the body sinking.
        if (a.type <= 0) {
            EXPECT_LT(j.getY(), 0.0f);
        } else {
            EXPECT_FLOAT_EQ(j.getY(), 0.0f);
        }
    } else {
        EXPECT_FLOAT_EQ(j.getVY(), a.vy);
        EXPECT_FLOAT_EQ(j.getY(), 0.0f);
    }
    EXPECT_NEAR(j.getVX(), a.vx, 1e-5);
    EXPECT_NEAR(j.getVZ(), a.vz, 1e-5);
    EXPECT_EQ(j.getVies(false), a.vies);
    EXPECT_EQ(j.hasSauvegarde(), a.sauve);
    if (a.sauve) {
        EXPECT_FLOAT_EQ(j.getSauvegardeX(), 2);
        EXPECT_FLOAT_EQ(j.getSauvegardeZ(), 5);
    }
    Bloc* b = bloc(5, 2);
    if (b != nullptr) {
        EXPECT_EQ(b->used, a.utilise);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryType, TypeDeBloc, ::testing::Values(
    Atterrissage{1, "rebond", 0, 5, 1, -1, 3, false, true, 0},
    Atterrissage{101, "rebond", 0, 5, 1, -1, 3, false, true, 0},
    Atterrissage{2, "bonus", 1, 5.5f, 1.4f, -1.4f, 4, true, false, 0},
    Atterrissage{3, "malus", 1, 2.5f, 0, 0, 2, true, false, 0},
    Atterrissage{4, "rebond2", 2, 6, 0, -2, 3, true, false, 0},
    Atterrissage{5, "rebond2", 2, 6, 0, 2, 3, true, false, 0},
    Atterrissage{6, "rebond2", 2, 6, -3, 0, 3, true, false, 0},
    Atterrissage{7, "rebond2", 2, 6, 3, 0, 3, true, false, 0},
    Atterrissage{9, "rebond2", 3, 9, 1, -1, 3, false, false, 0},
    Atterrissage{10, "rebond2", 2, 7, 1, -4, 3, false, false, 0},
    Atterrissage{11, "rebond2", 2, 5, 0.5f, -0.5f, 3, true, false, 0},
    Atterrissage{12, "rebond2", 2, 5, 0, 0, 3, false, false, 0},
    Atterrissage{13, "rebond2", 2, 7, 1, 4, 3, false, false, 0},
    Atterrissage{14, "rebond2", 2, 7, 4, -1, 3, false, false, 0},
    Atterrissage{15, "rebond2", 2, 7, -4, -1, 3, false, false, 0},
    Atterrissage{17, "", 0, 0, 1, -1, 3, false, false, 0},
    Atterrissage{20, "open", 0, 5, 1, -1, 3, true, false, 0},
    Atterrissage{21, "rebond", 0, 5, 1, -1, 3, false, false, 0},
    Atterrissage{23, "rebond", 0, 5, 1, -1, 3, false, false, 0},
    Atterrissage{27, "rebond", 0, 5, 1, -1, 3, true, false, 0},
    Atterrissage{28, "rebond", 0, 5, 1, -1, 3, true, false, 0},
    Atterrissage{30, "bonus", 1, 5.5f, 1.4f, -1.4f, 3, true, false, 0},
    Atterrissage{31, "malus", 1, 5.5f, 1.4f, -1.4f, 3, true, false, 0},
    Atterrissage{32, "bonus", 1, 5.5f, 1.4f, -1.4f, 3, true, false, 0},
    Atterrissage{33, "malus", 1, 5.5f, 1.4f, -1.4f, 3, true, false, 0},
    Atterrissage{34, "malus", 0, 5.5f, 1.4f, -1.4f, 3, true, false, 0},
    Atterrissage{100, "rebond", 0, 0, 0, 0, 3, false, false, 2},
    Atterrissage{200, "rebond", 0, 5, 1, -1, 3, false, true, 0},
    Atterrissage{299, "rebond", 0, 5, 1, -1, 3, false, true, 0},
    Atterrissage{300, "rebond", 0, 5, 1, -1, 3, false, false, 0},
    Atterrissage{399, "rebond", 0, 5, 1, -1, 3, false, false, 0},
    // Types without a row of their own, and an empty cell, are holes.
    Atterrissage{0, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{18, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{29, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{49, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{99, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{150, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{400, "malus", 0, kInchange, 1, -1, 3, false, false, 1},
    Atterrissage{-5, "malus", 0, kInchange, 1, -1, 3, false, false, 1}));

TEST_F(JoueurTest, HoleTypeWithABlockSetsYBackToZeroButKeepsTheFall)
{
    Joueur& j = commencer(playertest::niveauAvec(150));
    pas();
    EXPECT_EQ(j.getEtat(), Joueur::kChute);
    EXPECT_FLOAT_EQ(j.getY(), 0.0f);
}

TEST_F(JoueurTest, NoLandingAtExactlyZeroHeight)
{
    Joueur& j = commencer(playertest::niveauAvec(2));
    j.setVY(0.136f); // cancels this frame's gravity: y stays 0
    pas();
    EXPECT_TRUE(sons().empty());
    EXPECT_GE(j.getY(), 0.0f);
    pas();
    EXPECT_EQ(sons(), std::vector<std::string>{"bonus"});
}

TEST_F(JoueurTest, PushesKeepTheFastSpeedWhenAlreadyThatFast)
{
    struct Cas {
        int type;
        float vx, vz, attenduX, attenduZ;
    };
    const Cas cas[] = {
        {4, 0, -2, 0, -4}, {5, 0, 2, 0, 4}, {6, -3, 0, -6, 0}, {7, 3, 0, 6, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.type);
        Joueur& j = commencer(playertest::niveauAvec(c.type));
        j.setVXYZ(c.vx, 0, c.vz);
        pas();
        EXPECT_FLOAT_EQ(j.getVX(), c.attenduX);
        EXPECT_FLOAT_EQ(j.getVZ(), c.attenduZ);
    }
}

TEST_F(JoueurTest, RandomPushFollowsTheDrawnValue)
{
    struct Cas {
        int tirage;
        float vz0, attenduX, attenduZ;
    };
    // 0: right, 1: left, 2: back, 3: forward with 3 and 6.
    const Cas cas[] = {{0, -1, 3, 0}, {1, -1, -3, 0}, {2, -1, 0, 2}, {3, -1, 0, -3}, {7, -3, 0, -6}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.tirage);
        int valeur = c.tirage;
        platform::setGameRandomSource([&valeur] { return valeur; });
        Joueur& j = commencer(playertest::niveauAvec(8));
        j.setVXYZ(0, 0, c.vz0);
        pas();
        EXPECT_FLOAT_EQ(j.getVX(), c.attenduX);
        EXPECT_FLOAT_EQ(j.getVZ(), c.attenduZ);
        EXPECT_EQ(sons(), std::vector<std::string>{"rebond2"});
        EXPECT_TRUE(bloc(5, 2)->used);
    }
}

TEST_F(JoueurTest, RandomBlockTurnsIntoTheDrawnTypeOfItsTable)
{
    struct Cas {
        int tirage;
        const char* son;
        int vies;
        float vx;
        float peusenteur;
    };
    // index = (value * 17) >> 15 into {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 30, 31, 32, 33}
    const Cas cas[] = {
        {0, "bonus", 4, 1.4f, 0.17f},        // index 0: extra life
        {1927, "bonus", 4, 1.4f, 0.17f},     // still index 0
        {1928, "malus", 2, 0, 0.17f},        // index 1: lost life
        {23131, "rebond2", 3, -4, 0.17f},    // index 12: high bounce left (15)
        {32767, "malus", 3, 1.4f, 0.2f},     // index 16: heavier gravity (33)
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.tirage);
        const int valeur = c.tirage;
        platform::setGameRandomSource([valeur] { return valeur; });
        Joueur& j = commencer(playertest::niveauAvec(16));
        j.setVXYZ(1, 0, -1);
        pas();
        EXPECT_EQ(sons(), std::vector<std::string>{c.son});
        EXPECT_EQ(j.getVies(false), c.vies);
        EXPECT_NEAR(j.getVX(), c.vx, 1e-5);
        EXPECT_FLOAT_EQ(j.getPeusenteur(), c.peusenteur);
        EXPECT_TRUE(bloc(5, 2)->used);
    }
}

TEST_F(JoueurTest, RandomBlockWithSeededSourceNeverGivesTypesOutsideItsTable)
{
    // 14 (high bounce right) and 34 (transparency) are not in the table: a
    // vx of exactly 4 or a transparent state would betray them.
    platform::seedGameRandom(1234);
    for (int i = 0; i < 60; ++i) {
        Joueur& j = commencer(playertest::niveauAvec(16));
        j.setVXYZ(1, 0, -1);
        pas();
        ASSERT_EQ(sons().size(), 1u);
        EXPECT_NE(j.getVX(), 4.0f);
        EXPECT_EQ(j.getAbnormalState("transparent"), -1);
        EXPECT_EQ(j.getEtat(), Joueur::kJeu);
    }
}

TEST_F(JoueurTest, UsedEffectBlockBecomesAPlainUsedBlockThatSaves)
{
    Joueur& j = commencer(playertest::niveauAvec(2));
    pas();
    EXPECT_EQ(j.getVies(false), 4);
    pas();
    EXPECT_EQ(bloc(5, 2)->getType(), 101);
    ASSERT_TRUE(jusqua([&] { return sons().size() == 2; }, 3000));
    EXPECT_EQ(sons()[1], "rebond");
    EXPECT_EQ(j.getVies(false), 4);
    EXPECT_TRUE(j.hasSauvegarde());
}

TEST_F(JoueurTest, ExtraLifeStopsAtSix)
{
    Joueur& j = commencer(playertest::niveauAvec(2));
    j.setVies(6);
    pas();
    EXPECT_EQ(sons(), std::vector<std::string>{"bonus"});
    EXPECT_EQ(j.getVies(false), 6);
    j.setVies(5);
    j.gagnerVie();
    EXPECT_EQ(j.getVies(false), 6);
}

TEST_F(JoueurTest, TimeBonusAddsTenSecondsAndRearmsTheBeeps)
{
    Joueur& j = commencer(playertest::niveauAvec(30, 20));
    j.setTemps(5);
    ASSERT_EQ(j.getNbBips(), 5);
    pas();
    EXPECT_FLOAT_EQ(j.getTempsMs(), 15000 - 16);
    EXPECT_EQ(j.getNbBips(), 10);
}

TEST_F(JoueurTest, TimeMalusLeavesTheRightBeepsOrEndsTheTime)
{
    {
        // 15.5 s left at the landing: 5.5 s and 5 beeps to come.
        Joueur& j = commencer(playertest::niveauAvec(31));
        j.setTemps(16);
        j.setXYZ(2, 10, 5);
        j.refresh(500, 500); // half a second high in the air
        ASSERT_TRUE(sons().empty());
        ASSERT_FLOAT_EQ(j.getTempsMs(), 15500);
        j.setXYZ(2, -0.0001f, 5);
        j.setVXYZ(0, 0, 0);
        j.refresh(0, 500);
        EXPECT_EQ(sons(), std::vector<std::string>{"malus"});
        EXPECT_FLOAT_EQ(j.getTempsMs(), 5500);
        EXPECT_EQ(j.getNbBips(), 5);
        EXPECT_EQ(j.getEtat(), Joueur::kJeu);
    }
    {
        // 8 s left: -2 s, and the time-out follows in the same frame.
        Joueur& j = commencer(playertest::niveauAvec(31));
        j.setTemps(8);
        pas();
        EXPECT_EQ(j.getEtat(), Joueur::kFinTemps);
        EXPECT_EQ(j.getAnimation(), 4);
        EXPECT_FLOAT_EQ(j.getTempsMs(), 0);
    }
}
