#include "MediaTestSupport.h"

#include "services/SonsManager.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

using namespace media_test;

namespace {

// A 16-bit stereo WAV of the given number of silent frames at 22050 Hz.
std::string wav(int frames)
{
    Bytes out = {'R', 'I', 'F', 'F'};
    putU32(out, (uint32_t)(36 + frames * 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putU32(out, 16);
    putU16(out, 1);
    putU16(out, 2);
    putU32(out, 22050);
    putU32(out, 22050 * 4);
    putU16(out, 4);
    putU16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putU32(out, (uint32_t)(frames * 4));
    out.resize(out.size() + (std::size_t)frames * 4, 0);
    return toString(out);
}

korvelin_test::OptionsText volumes(int music, int sound)
{
    korvelin_test::OptionsText options;
    options.musicVolume = music;
    options.soundVolume = sound;
    return options;
}

// Audio on SDL's dummy driver, two seconds of silence as a sound and a music.
class SonsManagerTest : public ::testing::Test {
protected:
    explicit SonsManagerTest(const korvelin_test::OptionsText& options = volumes(100, 100))
        : sandbox(options)
    {
    }

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // As at start-up, the service is made before the device opens, so
        // its channel reservation leaves every channel free.
        sons = SonsManager::getInstance();
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512), 0);
        // The mixer keeps its channel count across a close, so in a process
        // that opened audio before the reservation took channels: free them.
        Mix_ReserveChannels(0);
        sandbox.writeInstallFile("long.wav", wav(2 * 22050));
        sandbox.writeInstallFile("empty.wav", wav(0));
        chunk = Mix_LoadWAV("long.wav");
        music = Mix_LoadMUS("long.wav");
        ASSERT_NE(chunk, nullptr);
        ASSERT_NE(music, nullptr);
    }

    void TearDown() override
    {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        if (music != nullptr)
            Mix_FreeMusic(music);
        if (chunk != nullptr)
            Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        SDL_Quit();
    }

    // Runs jouerMusique with a hard bound so that a hang fails the test.
    bool playMusicWithin(int loops, int seconds)
    {
        auto done = std::async(std::launch::async, [this, loops] { sons->jouerMusique(loops); });
        return done.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready;
    }

    MediaSandbox sandbox;
    Mix_Chunk* chunk = nullptr;
    Mix_Music* music = nullptr;
    SonsManager* sons = nullptr;
};

class SilentSoundsTest : public SonsManagerTest {
protected:
    SilentSoundsTest() : SonsManagerTest(volumes(0, 0)) {}
};

} // namespace

TEST_F(SonsManagerTest, DistanceSoundPlaysOnceAtTheLoudestFactor)
{
    sons->demarrerCalculDistanceSon(chunk);
    for (double f : {0.2, 0.9, 0.5})
        sons->ajouterCalculDistanceSon(f);
    sons->joueurCalculDistanceSon();
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_VolumeChunk(chunk, -1), 90);
    EXPECT_EQ(sandbox.countLogLines("A Sound is played dist :  0.9"), 1);
}

TEST_F(SonsManagerTest, DistanceSoundOfFarBlocksPlaysAtVolumeZero)
{
    sons->demarrerCalculDistanceSon(chunk);
    sons->ajouterCalculDistanceSon(0.0);
    sons->ajouterCalculDistanceSon(-0.5);
    sons->joueurCalculDistanceSon();
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_VolumeChunk(chunk, -1), 0);
}

TEST_F(SonsManagerTest, DistanceSoundNeedsFactorsAndASound)
{
    sons->demarrerCalculDistanceSon(chunk);
    sons->joueurCalculDistanceSon();
    sons->demarrerCalculDistanceSon(nullptr);
    sons->ajouterCalculDistanceSon(1.0);
    sons->joueurCalculDistanceSon();
    EXPECT_EQ(Mix_Playing(-1), 0);
    // A new frame forgets the factors of the last one.
    sons->demarrerCalculDistanceSon(chunk);
    sons->joueurCalculDistanceSon();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SonsManagerTest, SoundsPlayAtTheSoundVolume)
{
    sons->jouerSon(chunk);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_VolumeChunk(chunk, -1), 100);
    sons->jouerSonUnique(chunk, 3);
    EXPECT_EQ(Mix_Playing(3), 1);
    sons->jouerSonUnique(chunk, 3);
    EXPECT_EQ(Mix_Playing(-1), 2);
    sons->jouerSon(nullptr);
    EXPECT_EQ(sandbox.countLogLines("A Sound is played"), 3);
}

TEST_F(SonsManagerTest, NoAudioSilencesEverything)
{
    sons->setNoAudio(true);
    sons->jouerSon(chunk);
    sons->demarrerCalculDistanceSon(chunk);
    sons->ajouterCalculDistanceSon(1.0);
    sons->joueurCalculDistanceSon();
    EXPECT_EQ(Mix_Playing(-1), 0);

    Mix_PlayMusic(music, -1);
    sons->chargerMusique(music);
    sons->reload();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    ASSERT_TRUE(playMusicWithin(-1, 5));
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(SonsManagerTest, MusicStartsPausesResumesAndReloads)
{
    EXPECT_EQ(sons->getMusique(), nullptr);
    sons->chargerMusique(nullptr);
    EXPECT_EQ(sons->getMusique(), nullptr);
    // With no current music, playing halts whatever plays.
    Mix_PlayMusic(music, -1);
    ASSERT_TRUE(playMusicWithin(-1, 5));
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    sons->chargerMusique(music);
    EXPECT_EQ(sons->getMusique(), music);
    EXPECT_FALSE(sons->estFinie());
    ASSERT_TRUE(playMusicWithin(-1, 5));
    EXPECT_NE(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 100);
    EXPECT_TRUE(sons->estFinie());

    sons->pauseMusique();
    EXPECT_EQ(Mix_PausedMusic(), 1);
    ASSERT_TRUE(playMusicWithin(-1, 5));
    EXPECT_EQ(Mix_PausedMusic(), 0);

    // A null music keeps the current one; loading the same one halts it.
    sons->chargerMusique(nullptr);
    EXPECT_EQ(sons->getMusique(), music);
    sons->chargerMusique(music);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    sons->reload();
    EXPECT_NE(Mix_PlayingMusic(), 0);
    sons->stopperMusique();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(sandbox.countLogLines("[ERROR]"), 0);
}

TEST_F(SonsManagerTest, MusicThatNeverStartsIsWaitedForBriefly)
{
    // An empty music played once never reports playing; a closed device
    // refuses to start at all. Either way the call comes back.
    Mix_Music* empty = Mix_LoadMUS("empty.wav");
    ASSERT_NE(empty, nullptr);
    sons->chargerMusique(empty);
    ASSERT_TRUE(playMusicWithin(0, 5));
    const std::string error = "SonsManager @ jouerMusique : The music did not start";
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", error), 1);
    EXPECT_EQ(sandbox.countLogLines("The function is over"), 1);

    Mix_HaltMusic();
    Mix_FreeMusic(empty);
    sons->chargerMusique(music);
    Mix_CloseAudio();
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(playMusicWithin(-1, 5));
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(150));
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", error), 2);
    EXPECT_EQ(sandbox.countLogLines("The function is over"), 2);
    Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512);
}

TEST_F(SilentSoundsTest, VolumeZeroPlaysNothingButStillLogs)
{
    sons->jouerSon(chunk);
    sons->jouerSonUnique(chunk, 2);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(sandbox.countLogLines("A Sound is played"), 2);

    Mix_PlayMusic(music, -1);
    sons->chargerMusique(music);
    Mix_PlayMusic(music, -1);
    ASSERT_TRUE(playMusicWithin(-1, 5));
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    Mix_PlayMusic(music, -1);
    sons->reload();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}
