#include "WorldTestSupport.h"

#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/BlocMobile.h"
#include "world/FichierNiveau.h"
#include "world/NiveauManager.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SonsManager::getInstance();
        openGLWindow();
        niveau = NiveauManager::getInstance();
    }

    void TearDown() override { NiveauManager::kill(); }

    void build(const std::string& text)
    {
        FichierNiveau level;
        ASSERT_TRUE(FichierNiveau::lire(text, level));
        niveau->construireNiveau(level);
    }

    BlocMobile* mobile(std::size_t i) { return static_cast<BlocMobile*>(niveau->mobileBlocks.at(i)); }

    // Places a moving block and sets its speeds, as if it had been travelling.
    static void place(BlocMobile* b, float x, float z, float speedX, float speedZ)
    {
        b->setX(x);
        b->setZ(z);
        b->previousX = x;
        b->previousZ = z;
        b->speedX = speedX;
        b->speedZ = speedZ;
    }

    // One frame of play for the blocks, in the game manager's order.
    void frame(long dt)
    {
        niveau->refreshFixedBlocs(dt);
        niveau->refreshMobileBlocs(dt);
        niveau->collisionMobileBlocs(dt);
        niveau->collisionFixedBlocs(dt);
    }

    TemporaryGame game;
    NiveauManager* niveau = nullptr;
};

TEST_F(CollisionTest, PointsFallInTheCellTheyRoundTo)
{
    // Row 3: a solid block in column 2, a hole in column 3.
    build("60 3 4\n"
          "0 0 0 0\n"
          "0 0 0 0\n"
          "0 7 0 0\n");
    struct Case {
        float x, z;
        bool hit;
    };
    const Case cases[] = {
        {2.49f, 3.0f, true},   // column 2
        {2.5f, 3.0f, false},   // column 3
        {1.5f, 3.0f, true},    // column 2 begins at 1.5
        {1.49f, 3.0f, false},
        {2.0f, 2.5f, true},    // row 3 begins at 2.5
        {2.0f, 3.49f, true},
        {2.0f, 3.5f, false},   // row 4 is outside the grid
        {-0.6f, 1.0f, false},  // truncated toward zero: column 0, never a block
        {-100.0f, -100.0f, false},
        {1e30f, 3.0f, false},
        {NAN, 3.0f, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(niveau->collision(c.x, c.z, true, false), c.hit) << c.x << ", " << c.z;
        EXPECT_EQ(niveau->getBloc(c.x, c.z) != nullptr, c.hit) << c.x << ", " << c.z;
    }
    EXPECT_EQ(niveau->getBloc(2.2f, 2.9f), niveau->grid[3][2]);
}

TEST_F(CollisionTest, OpenAndVoidBlocksCountOnlyForTimedProbes)
{
    // A breakable, a void timer, a solid timer and a falling one-use block.
    build("60 2 4\n"
          "20 24 21 27\n"
          "0 0 0 0\n");
    niveau->utiliser(1, 1);
    niveau->utiliser(4, 1);
    niveau->refreshFixedBlocs(16);
    ASSERT_FALSE(niveau->grid[1][1]->isSolid());
    ASSERT_FALSE(niveau->grid[1][4]->isSolid());

    struct Case {
        float x;
        bool plain, timed;
    };
    const Case cases[] = {
        {1, false, true},  // broken open
        {2, false, true},  // void timed block
        {3, true, true},   // solid timed block
        {4, false, false}, // used-up disposable: no type from 20 to 26
    };
    for (const Case& c : cases) {
        EXPECT_EQ(niveau->collision(c.x, 1, true, false), c.plain) << c.x;
        EXPECT_EQ(niveau->collision(c.x, 1, false, true), c.timed) << c.x;
    }
}

TEST_F(CollisionTest, PointsOnMovingBlocks)
{
    build("60 3 6\n"
          "0 0 0 0 0 0\n"
          "0 53 0 0 52 0\n"
          "0 0 0 0 0 0\n");
    ASSERT_EQ(niveau->mobileBlocks.size(), 2u);
    place(mobile(0), 3.2f, 2.0f, 1, 0);
    place(mobile(1), 3.9f, 2.0f, -1, 0); // overlapping the first one on purpose

    struct Case {
        float x, z;
        int block; // index in the list, -1 for none
    };
    const Case cases[] = {
        {3.2f, 2.0f, 0},
        {2.71f, 2.49f, 0},
        {3.7f, 2.0f, 1},    // on the edge of the first: not on it
        {2.7f, 2.0f, -1},   // left edge of the first
        {3.2f, 2.5f, -1},   // far edge
        {3.5f, 2.0f, 0},    // on both: the first in list order
        {4.39f, 1.51f, 1},
        {4.4f, 2.0f, -1},
    };
    for (const Case& c : cases) {
        Bloc* expected = c.block < 0 ? nullptr : niveau->mobileBlocks[c.block];
        EXPECT_EQ(niveau->getMobileBloc(c.x, c.z), expected) << c.x << ", " << c.z;
        EXPECT_EQ(niveau->collision(c.x, c.z, true, false), c.block >= 0) << c.x << ", " << c.z;
        EXPECT_FALSE(niveau->collision(c.x, c.z, false, false)) << "moving blocks counted only when asked";
    }
}

TEST_F(CollisionTest, UsingACellMarksItsBlockOnly)
{
    build("60 2 2 7 0 0 0");
    niveau->utiliser(1, 1);
    EXPECT_TRUE(niveau->grid[1][1]->used);
    niveau->utiliser(2, 1);   // a hole
    niveau->utiliser(-5, 40); // outside the grid
    niveau->refreshFixedBlocs(16);
    EXPECT_EQ(niveau->grid[1][1]->getType(), Bloc::usedType);
}

TEST_F(CollisionTest, QueriesWithoutALevel)
{
    EXPECT_FALSE(niveau->collision(1, 1, true, true));
    EXPECT_EQ(niveau->getBloc(1, 1), nullptr);
    EXPECT_EQ(niveau->getMobileBloc(1, 1), nullptr);
    niveau->utiliser(1, 1);
    frame(16);
}

TEST_F(CollisionTest, BlocksMovingTogetherArePushedApartAndTurned)
{
    build("60 2 10\n"
          "53 53 0 0 0 0 0 0 0 0\n"
          "0 0 0 0 0 0 0 0 0 0\n");
    struct Case {
        float ax, aSpeed, bx, bSpeed;
        float aSpeedAfter, bSpeedAfter;
    };
    const Case cases[] = {
        {5.0f, 1, 5.9f, -1, -1, 1},  // head-on: both turn back
        {5.0f, 3, 5.9f, 1, -3, 1},   // a catches up moving +x: a turns back
        {5.0f, -3, 5.9f, -1, -3, 1}, // moving -x at -3 and -1: the one at -1 turns
        {5.0f, 2, 5.9f, 2, -2, -2},  // same speed: both turn
    };
    for (const Case& c : cases) {
        place(mobile(0), c.ax, 1, c.aSpeed, 0);
        place(mobile(1), c.bx, 1, c.bSpeed, 0);
        niveau->collisionMobileBlocs(16);
        const float push = (1 - 0.9f) / 1.9f;
        EXPECT_NEAR(mobile(0)->getX(), c.ax - push, 1e-5) << c.aSpeed << " " << c.bSpeed;
        EXPECT_NEAR(mobile(1)->getX(), c.bx + push, 1e-5);
        EXPECT_GT(mobile(1)->getX() - mobile(0)->getX(), 1.0f);
        EXPECT_EQ(mobile(0)->getSpeedX(), c.aSpeedAfter) << c.aSpeed << " " << c.bSpeed;
        EXPECT_EQ(mobile(1)->getSpeedX(), c.bSpeedAfter) << c.aSpeed << " " << c.bSpeed;
    }
}

TEST_F(CollisionTest, BlocksMovingAlongZArePushedOnZ)
{
    build("60 10 2\n"
          "51 51\n");
    place(mobile(0), 1, 5.5f, 0, 1);
    place(mobile(1), 1, 5.0f, 0, 2);
    niveau->collisionMobileBlocs(16);
    const float push = (1 - 0.5f) / 1.9f;
    EXPECT_NEAR(mobile(0)->getZ(), 5.5f + push, 1e-5);
    EXPECT_NEAR(mobile(1)->getZ(), 5.0f - push, 1e-5);
    EXPECT_EQ(mobile(0)->getSpeedZ(), 1);
    EXPECT_EQ(mobile(1)->getSpeedZ(), -2); // the faster one, behind, turns back
}

TEST_F(CollisionTest, CrossingBlocksGoBackAndBothTurn)
{
    build("60 10 10\n"
          "53 51\n");
    BlocMobile* a = mobile(0);
    BlocMobile* b = mobile(1);
    place(a, 4.0f, 5.0f, 1, 0);
    place(b, 5.0f, 4.0f, 0, 1);
    a->refresh(400, niveau->playerPositions);
    b->refresh(400, niveau->playerPositions);
    ASSERT_NEAR(a->getX(), 4.4f, 1e-5);
    ASSERT_NEAR(b->getZ(), 4.4f, 1e-5);
    niveau->collisionMobileBlocs(400);
    EXPECT_FLOAT_EQ(a->getX(), 4.0f);
    EXPECT_FLOAT_EQ(a->getZ(), 5.0f);
    EXPECT_FLOAT_EQ(b->getX(), 5.0f);
    EXPECT_FLOAT_EQ(b->getZ(), 4.0f);
    EXPECT_EQ(a->getSpeedX(), -1);
    EXPECT_EQ(b->getSpeedZ(), -1);
}

TEST_F(CollisionTest, MovingBlocksTurnAtWallsAndEdges)
{
    // Row 1: solid in column 4 and column 2, with room between.
    // Row 2: a broken breakable in column 4, a void timer in column 6.
    // Row 3: a used-up disposable block in column 4.
    build("60 4 8\n"
          "0 7 0 7 0 0 0 0\n"
          "0 0 0 20 0 24 0 0\n"
          "0 0 0 27 0 0 0 0\n"
          "53 0 0 0 0 0 0 0\n");
    niveau->utiliser(4, 2);
    niveau->utiliser(4, 3);
    niveau->refreshFixedBlocs(16);
    ASSERT_FALSE(niveau->grid[2][4]->isSolid());
    ASSERT_FALSE(niveau->grid[3][4]->isSolid());
    BlocMobile* b = mobile(0);

    struct Case {
        float x, z, speedX, speedZ;
        bool turns;
        float xAfter, zAfter;
    };
    const Case cases[] = {
        {3.0f, 1, 1, 0, true, 3.0f, 1},     // solid block in column 4 ahead: turns at once
        {2.99f, 1, -1, 0, true, 3.0f, 1},   // solid in column 2 ahead: turns, back to 3
        {3.2f, 1, -1, 0, false, 3.2f, 1},   // column 2 not reached yet
        {3.0f, 2, 1, 0, true, 3.0f, 2},     // broken breakable still turns moving blocks
        {5.0f, 2, 1, 0, true, 5.0f, 2},     // void timed block too
        {3.0f, 3, 1, 0, false, 3.0f, 3},    // a fallen disposable block does not
        {0.99f, 4, -1, 0, true, 1.0f, 4},   // left edge of the grid
        {8.01f, 4, 2, 0, true, 8.0f, 4},    // right edge: x + 1 > cols
        {8.0f, 4, 2, 0, false, 8.0f, 4},
        {7.0f, 0.9f, 0, -1, true, 7.0f, 1}, // near edge along z
        {7.0f, 4.2f, 0, 3, true, 7.0f, 4},  // far edge along z
        {6.0f, 2.6f, 0, -1, true, 6.0f, 3}, // the void timer in row 2 stops it along z
    };
    for (const Case& c : cases) {
        place(b, c.x, c.z, c.speedX, c.speedZ);
        niveau->collisionFixedBlocs(16);
        const bool turned = (c.speedX != 0) ? b->getSpeedX() == -c.speedX : b->getSpeedZ() == -c.speedZ;
        EXPECT_EQ(turned, c.turns) << c.x << ", " << c.z;
        EXPECT_FLOAT_EQ(b->getX(), c.xAfter) << c.x << ", " << c.z;
        EXPECT_FLOAT_EQ(b->getZ(), c.zAfter) << c.x << ", " << c.z;
    }
}

TEST_F(CollisionTest, TravelBetweenWallsForAMinute)
{
    // Two blocks share a corridor between walls in columns 1 and 10; a
    // third travels along z between the grid's edges.
    build("60 5 10\n"
          "0 0 0 0 0 0 0 0 0 0\n"
          "7 53 0 0 61 0 0 0 0 7\n"
          "0 0 0 0 0 0 0 0 0 0\n"
          "0 0 0 0 0 0 0 0 0 0\n"
          "0 0 0 0 0 0 0 55 0 0\n");
    int turnsA = 0, turnsZ = 0;
    float lastA = mobile(0)->getSpeedX(), lastZ = mobile(2)->getSpeedZ();
    for (int step = 0; step < 3750; step++) {
        frame(16);
        for (std::size_t i = 0; i < 2; i++) {
            ASSERT_GE(mobile(i)->getX(), 1.5f) << step;
            ASSERT_LE(mobile(i)->getX(), 9.5f) << step;
            ASSERT_FLOAT_EQ(mobile(i)->getZ(), 2.0f);
        }
        // They push each other back and never pass through one another
        // (turning at a wall snaps to a cell centre, so a frame may end with
        // a slight overlap that the next frame's push resolves).
        ASSERT_GT(mobile(1)->getX() - mobile(0)->getX(), 0.9f) << step;
        ASSERT_GE(mobile(2)->getZ(), 0.9f);
        ASSERT_LE(mobile(2)->getZ(), 5.1f);
        turnsA += mobile(0)->getSpeedX() != lastA;
        turnsZ += mobile(2)->getSpeedZ() != lastZ;
        lastA = mobile(0)->getSpeedX();
        lastZ = mobile(2)->getSpeedZ();
    }
    EXPECT_GT(turnsA, 10);
    EXPECT_GT(turnsZ, 10);
}

TEST_F(CollisionTest, TimedBlocksTickOncePerFrame)
{
    openAudio();
    SonsManager* sounds = SonsManager::getInstance();
    sounds->switchSound = makeSilentChunk();
    const int volume = OptionsManager::getInstance()->getSonsVolume(0);
    ASSERT_GT(volume, 0);
    // Three timed blocks on one cycle, in columns 1, 4 and 7 of row 1.
    build("60 2 7\n"
          "21 0 0 21 0 0 21\n"
          "0 0 0 0 0 0 0\n");
    const int columns[] = {1, 4, 7};
    // Player 1 stands on the middle block, three units from the others;
    // player 2 is far off.
    const double y = niveau->grid[1][4]->getY();
    const double players[6] = {4, y, 1, 4, y, 40};

    struct Tick {
        int frame;
        int channels;
        int volume;
    };
    std::vector<Tick> ticks;
    for (int f = 1; f <= 260; f++) {
        std::copy(players, players + 6, niveau->playerPositions);
        frame(16);
        int channels = 0;
        for (int channel = 0; channel < Mix_AllocateChannels(-1); channel++)
            channels += Mix_Playing(channel) && Mix_GetChunk(channel) == sounds->switchSound;
        if (channels > 0)
            ticks.push_back({f, channels, Mix_VolumeChunk(sounds->switchSound, -1)});
        Mix_HaltChannel(-1);

        // Nothing switches during the first 2000 ms, then all three at once.
        if (f == 125 || f == 126) {
            SCOPED_TRACE(f);
            for (int c : columns)
                EXPECT_EQ(niveau->grid[1][c]->isSolid(), f == 125) << c;
        }
    }
    // One tick in each frame where the blocks switch, however many switch,
    // as loud as the block nearest to a player makes it; none in between.
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].frame, 126);
    EXPECT_EQ(ticks[1].frame, 252);
    for (const Tick& t : ticks) {
        SCOPED_TRACE(t.frame);
        EXPECT_EQ(t.channels, 1);
        EXPECT_EQ(t.volume, volume);
    }
}

} // namespace
