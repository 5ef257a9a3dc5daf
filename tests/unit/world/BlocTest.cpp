#include "WorldTestSupport.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/BlocCassable.h"
#include "world/BlocDisposable.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"

#include <GL/gl.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

class BlocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Made before the audio device opens, as at start-up, so that it
        // reserves no channel.
        SonsManager::getInstance();
        openGLWindow();
        quality = OptionsManager::getInstance()->getPathTextures(0);
        int shade = 10;
        for (int type : {7, 20, 22, 27, 28, 50, 52, 101}) {
            writeTGA(path(type), 8, 4, static_cast<unsigned char>(shade), 100, 200, 255);
            shade += 20;
        }
        textures = CSingleton<CTextureManager>::GetInstance();
    }

    std::string path(int type) { return "Images/Blocks/" + quality + "/" + std::to_string(type) + ".tga"; }
    unsigned int textureOf(int type) { return textures->GetTexture(path(type)); }

    // Where a sound is playing, if anywhere.
    static bool isPlaying(Mix_Chunk* chunk)
    {
        for (int channel = 0; channel < Mix_AllocateChannels(-1); channel++)
            if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk)
                return true;
        return false;
    }

    TemporaryGame game;
    std::string quality;
    CTextureManager* textures = nullptr;
    double players[6] = {0, 0, 0, 0, 0, 0};
};

TEST_F(BlocTest, UsedPlainBlockBecomesType101)
{
    Bloc b(3, -0.6f, 2, 10, 7);
    EXPECT_TRUE(b.isSolid());
    EXPECT_EQ(b.texture, textureOf(7));
    EXPECT_NE(b.texture, textures->GetTexture("default"));
    EXPECT_TRUE(glIsList(10));

    b.refresh(16, players); // not used: nothing changes
    EXPECT_EQ(b.getType(), 7);

    b.utiliser();
    EXPECT_EQ(b.getType(), 7); // the reaction waits for the next refresh
    b.refresh(16, players);
    EXPECT_EQ(b.getType(), Bloc::usedType);
    EXPECT_EQ(b.texture, textureOf(101));
    EXPECT_TRUE(glIsList(10));
    EXPECT_TRUE(b.isSolid());

    b.utiliser();
    b.refresh(16, players);
    EXPECT_EQ(b.getType(), Bloc::usedType);
    EXPECT_EQ(b.texture, textureOf(101));
    b.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BlocTest, BreakableBlockOpensOver200Milliseconds)
{
    BlocCassable b(2, -0.6f, 2, 11, 20);
    EXPECT_TRUE(b.isSolid());
    b.refresh(100, players);
    EXPECT_EQ(b.openTime, 0); // still whole

    b.utiliser();
    b.refresh(0, players); // a frame of 0 ms returns at once
    EXPECT_FALSE(b.isSolid());
    EXPECT_FALSE(b.used);
    EXPECT_EQ(b.openTime, 0);

    b.refresh(100, players);
    EXPECT_EQ(b.openTime, 100); // each half has turned 45 degrees
    b.draw();
    b.refresh(150, players);
    EXPECT_EQ(b.openTime, 200);
    b.refresh(40, players);
    EXPECT_EQ(b.openTime, 200);
    EXPECT_FALSE(b.isSolid());
    b.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BlocTest, TimedBlockSwitchesOnItsCycle)
{
    // Type 22: 2000 ms solid, 4000 ms void.
    BlocTimer b(4, -0.6f, 4, 12, 4000, 2000, 22, true);
    ASSERT_TRUE(b.isSolid());
    for (int frame = 1; frame <= 125; frame++) {
        b.refresh(16, players);
        ASSERT_TRUE(b.isSolid()) << frame;
    }
    EXPECT_EQ(b.clock, 2000); // not above the limit yet
    b.refresh(16, players);
    EXPECT_FALSE(b.isSolid()); // the 126th refresh
    EXPECT_EQ(b.clock, 0);     // the excess is dropped

    for (int frame = 1; frame <= 250; frame++) {
        b.refresh(16, players);
        ASSERT_FALSE(b.isSolid()) << frame;
    }
    b.refresh(16, players);
    EXPECT_TRUE(b.isSolid());

    b.utiliser(); // plays no part
    b.refresh(16, players);
    EXPECT_TRUE(b.isSolid());
}

TEST_F(BlocTest, TimedBlocksStartingVoidAndDrawingOnlyWhenSolid)
{
    BlocTimer b(4, -0.6f, 4, 12, 2000, 4000, 26, false);
    EXPECT_FALSE(b.isSolid());
    b.draw(); // nothing drawn while void
    b.refresh(2000, players);
    EXPECT_FALSE(b.isSolid());
    b.refresh(1, players);
    EXPECT_TRUE(b.isSolid());
    b.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BlocTest, TickLoudnessFollowsTheNearestPlayer)
{
    EXPECT_DOUBLE_EQ(BlocTimer::tickFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(BlocTimer::tickFactor(15), 0.5);
    EXPECT_DOUBLE_EQ(BlocTimer::tickFactor(40), 0.0);

    openAudio();
    SonsManager* sounds = SonsManager::getInstance();
    const int volume = OptionsManager::getInstance()->getSonsVolume(0);
    ASSERT_GT(volume, 0);

    struct Case {
        double players[6];
        int expectedVolume;
    };
    // Block at (4, -0.6, 4): player 2 at 15 units along z, player 1 at 40.
    const Case cases[] = {
        {{4, -0.6f, 44, 4, -0.6f, 19}, static_cast<int>(volume * 0.5)},
        {{44, -0.6f, 4, 4, -0.6f, 44}, 0},
        {{4, -0.6f, 4, 4, -0.6f, 4}, volume},
    };
    for (const Case& c : cases) {
        Mix_Chunk* tick = makeSilentChunk();
        Mix_VolumeChunk(tick, 77);
        BlocTimer b(4, -0.6f, 4, 12, 2000, 2000, 21, true);
        double positions[6];
        std::copy(c.players, c.players + 6, positions);
        sounds->demarrerCalculDistanceSon(tick);
        b.refresh(2001, positions);
        ASSERT_FALSE(b.isSolid());
        sounds->joueurCalculDistanceSon();
        EXPECT_EQ(Mix_VolumeChunk(tick, -1), c.expectedVolume);
    }
}

TEST_F(BlocTest, DisposableBlockLosesItsUsesThenFalls)
{
    openAudio();
    SonsManager* sounds = SonsManager::getInstance();
    sounds->bound3 = makeSilentChunk();
    sounds->beep4 = makeSilentChunk();

    BlocDisposable b(5, -0.6f, 5, 13, 28);
    EXPECT_EQ(b.uses, 2);
    EXPECT_EQ(b.initialUses, 2);
    EXPECT_EQ(b.texture, textureOf(28));
    EXPECT_TRUE(b.isSolid());

    b.utiliser();
    b.refresh(16, players);
    EXPECT_EQ(b.uses, 1);
    EXPECT_EQ(b.texture, textureOf(27));
    EXPECT_TRUE(b.isSolid());
    EXPECT_TRUE(isPlaying(sounds->bound3));
    EXPECT_FALSE(isPlaying(sounds->beep4));
    EXPECT_FLOAT_EQ(b.getY(), -0.6f);

    b.utiliser();
    b.refresh(0, players); // used up; a frame of 0 ms does not hold the game
    EXPECT_EQ(b.uses, 0);
    EXPECT_FALSE(b.isSolid());
    EXPECT_TRUE(isPlaying(sounds->beep4));
    EXPECT_FLOAT_EQ(b.getY(), -0.6f);

    b.refresh(250, players); // falls at 4 units per second
    EXPECT_FLOAT_EQ(b.getY(), -1.6f);
    b.draw();

    b.utiliser(); // raised while falling: stays raised, changes nothing
    b.refresh(250, players);
    EXPECT_TRUE(b.used);
    EXPECT_EQ(b.uses, 0);
    EXPECT_FLOAT_EQ(b.getY(), -2.6f);

    for (int frame = 0; frame < 2000 && b.getY() > BlocDisposable::bottom; frame++)
        b.refresh(40, players);
    EXPECT_LE(b.getY(), BlocDisposable::bottom);
    const float resting = b.getY();
    b.refresh(40, players);
    EXPECT_EQ(b.getY(), resting);
    b.draw(); // nothing drawn below -50
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BlocTest, SingleUseBlockStartsOnImage27)
{
    BlocDisposable b(5, -0.6f, 5, 13, 27);
    EXPECT_EQ(b.uses, 1);
    EXPECT_EQ(b.texture, textureOf(27));
    b.utiliser();
    b.refresh(16, players);
    EXPECT_FALSE(b.isSolid());
}

TEST_F(BlocTest, MovingBlockSpeedsAndImages)
{
    struct Case {
        int type;
        float speedX, speedZ;
        int textureType;
    };
    const Case cases[] = {
        {50, 0, -1, 50}, {51, 0, 1, 50}, {52, -1, 0, 52}, {53, 1, 0, 52},
        {54, 0, -2, 50}, {55, 0, 2, 50}, {56, -2, 0, 52}, {57, 2, 0, 52},
        {58, 0, -3, 50}, {59, 0, 3, 50}, {60, -3, 0, 52}, {61, 3, 0, 52},
    };
    for (const Case& c : cases) {
        BlocMobile b(3, -0.6f, 3, 14, c.type);
        EXPECT_EQ(b.getSpeedX(), c.speedX) << c.type;
        EXPECT_EQ(b.getSpeedZ(), c.speedZ) << c.type;
        EXPECT_EQ(b.textureType, c.textureType) << c.type;
        EXPECT_EQ(b.texture, textureOf(c.textureType)) << c.type;
        EXPECT_EQ(b.getType(), c.type);
        EXPECT_TRUE(b.isSolid());
    }
}

TEST_F(BlocTest, MovingBlockStepsInvertsAndGoesBack)
{
    BlocMobile b(3, -0.6f, 3, 14, 57); // +2 along x
    b.refresh(250, players);
    EXPECT_FLOAT_EQ(b.getX(), 3.5f);
    EXPECT_FLOAT_EQ(b.getZ(), 3.0f);
    b.replace();
    EXPECT_FLOAT_EQ(b.getX(), 3.0f);

    b.invert();
    EXPECT_EQ(b.getSpeedX(), -2);
    EXPECT_EQ(b.getSpeedXUnit(), -1);
    EXPECT_EQ(b.getSpeedZUnit(), 0);
    b.invert();
    EXPECT_EQ(b.getSpeedX(), 2);
    EXPECT_EQ(b.getSpeedZ(), 0);
    b.invertX();
    EXPECT_EQ(b.getSpeedX(), -2);

    BlocMobile z(3, -0.6f, 3, 15, 54); // -2 along z
    z.refresh(500, players);
    EXPECT_FLOAT_EQ(z.getZ(), 2.0f);
    z.invertZ();
    EXPECT_EQ(z.getSpeedZ(), 2);
    z.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A block of one kind that counts its own destruction, so that a delete
// through a base pointer shows whether the whole object was destroyed.
template <class Kind>
class Watched : public Kind {
public:
    template <class... Args>
    explicit Watched(int& destroyed, Args... args) : Kind(args...), destroyed(destroyed)
    {
    }
    ~Watched() { ++destroyed; }

private:
    int& destroyed;
};

TEST_F(BlocTest, BlocksDeletedThroughTheBasePointer)
{
    // The level manager holds every block as a Bloc* and deletes it so.
    int destroyed = 0;
    std::unique_ptr<Bloc> blocks[] = {
        std::make_unique<Watched<Bloc>>(destroyed, 1, -0.6f, 1, 10, 7),
        std::make_unique<Watched<BlocCassable>>(destroyed, 2, -0.6f, 1, 11, 20),
        std::make_unique<Watched<BlocTimer>>(destroyed, 3, -0.6f, 1, 12, 2000, 2000, 21, true),
        std::make_unique<Watched<BlocDisposable>>(destroyed, 4, -0.6f, 1, 13, 28),
        std::make_unique<Watched<BlocMobile>>(destroyed, 5, -0.6f, 1, 14, 50),
    };
    for (auto& b : blocks)
        b->draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    int expected = 0;
    for (auto& b : blocks) {
        b.reset();
        EXPECT_EQ(destroyed, ++expected);
    }
}

} // namespace
