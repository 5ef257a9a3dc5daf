#include "services/SonsManager.h"

#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <SDL/SDL.h>

SonsManager* SonsManager::sonsManagerInst = nullptr;

SonsManager::SonsManager()
    : options(OptionsManager::getInstance()),
      debug(CSingleton<DebugManager>::GetInstance()),
      noAudio(false),
      distanceSound(nullptr),
      musique(nullptr)
{
    int reserved = Mix_ReserveChannels(8);
    debug->o("SonsManager", "SonsManager", true, "Réservation de channels : ", reserved);
}

SonsManager::~SonsManager() = default;

SonsManager* SonsManager::getInstance()
{
    if (sonsManagerInst == nullptr)
        sonsManagerInst = new SonsManager();
    return sonsManagerInst;
}

void SonsManager::kill()
{
    delete sonsManagerInst;
    sonsManagerInst = nullptr;
}

void SonsManager::setNoAudio(bool value)
{
    noAudio = value;
}

Mix_Music* SonsManager::getMusique()
{
    return musique;
}

bool SonsManager::estFinie()
{
    return musique != nullptr && Mix_PlayingMusic() != 0;
}

void SonsManager::jouerSon(Mix_Chunk* c)
{
    jouerSonUnique(c, -1);
}

void SonsManager::jouerSonUnique(Mix_Chunk* c, int channel)
{
    if (c == nullptr)
        return;
    debug->o("SonsManager", channel < 0 ? "jouerSon" : "jouerSonUnique", true, "A Sound is played");
    int volume = options->getSonsVolume(0);
    if (volume > 0 && !noAudio) {
        Mix_VolumeChunk(c, volume);
        Mix_PlayChannelTimed(channel, c, 0, -1);
    }
}

void SonsManager::chargerMusique(Mix_Music* m)
{
    if (m == nullptr)
        return;
    debug->o("SonsManager", "chargerMusique", true, "Ask for loading a music");
    if (Mix_PlayingMusic())
        Mix_HaltMusic();
    musique = m;
    debug->o("SonsManager", "chargerMusique", true, "The music is loaded correctly");
}

void SonsManager::jouerMusique(int loops)
{
    debug->o("SonsManager", "jouerMusique", true, "Ready to play a music");
    int volume = options->getMusiquesVolume(0);
    if (musique == nullptr || volume < 1 || noAudio) {
        Mix_HaltMusic();
    } else {
        Mix_VolumeMusic(volume);
        if (Mix_PlayingMusic() == 0)
            Mix_PlayMusic(musique, loops);
        else if (Mix_PausedMusic() == 1)
            Mix_ResumeMusic();

        // A music that cannot start (unreadable file, lost device) must not
        // hang the game: wait a bounded time only.
        Uint32 start = SDL_GetTicks();
        while (Mix_PlayingMusic() == 0) {
            if (SDL_GetTicks() - start >= attenteMusiqueMax) {
                debug->o("SonsManager", "jouerMusique", false, "The music did not start");
                break;
            }
            SDL_Delay(5);
        }
    }
    debug->o("SonsManager", "jouerMusique", true, "The function is over");
}

void SonsManager::pauseMusique()
{
    if (musique == nullptr)
        return;
    debug->o("SonsManager", "pauseMusique", true, "Pause music");
    Mix_PauseMusic();
}

void SonsManager::resumeMusique()
{
    if (musique == nullptr)
        return;
    debug->o("SonsManager", "resumeMusique", true, "Resume the music");
    Mix_ResumeMusic();
}

void SonsManager::stopperMusique()
{
    if (musique == nullptr)
        return;
    debug->o("SonsManager", "stopperMusique", true, "Stop music");
    Mix_HaltMusic();
}

void SonsManager::reload()
{
    debug->o("SonsManager", "reload", true, "Try to reset all the sound configs");
    int volume = options->getMusiquesVolume(0);
    Mix_VolumeMusic(volume);
    if (musique != nullptr && volume > 0 && !noAudio) {
        if (Mix_PlayingMusic() == 0)
            Mix_PlayMusic(musique, -1);
    } else {
        Mix_HaltMusic();
    }
    debug->o("SonsManager", "reload", true, "The sound are reloaded");
}

void SonsManager::demarrerCalculDistanceSon(Mix_Chunk* c)
{
    distanceSound = c;
    distanceFactors.clear();
}

void SonsManager::ajouterCalculDistanceSon(double f)
{
    distanceFactors.push_back(f);
}

void SonsManager::joueurCalculDistanceSon()
{
    if (distanceSound == nullptr || distanceFactors.empty())
        return;
    double loudest = 0;
    for (double f : distanceFactors)
        if (f > loudest)
            loudest = f;
    debug->o("SonsManager", "joueurCalculDistanceSon", true, "A Sound is played dist : ", loudest);
    int volume = options->getSonsVolume(0);
    if (volume > 0 && !noAudio) {
        Mix_VolumeChunk(distanceSound, (int)(volume * loudest));
        Mix_PlayChannelTimed(-1, distanceSound, 0, -1);
    }
}
