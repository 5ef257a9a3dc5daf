#include "application/Jeu.h"

#include "services/DebugManager.h"
#include "services/SonsManager.h"

#include <SDL/SDL_mixer.h>

namespace {

DebugManager* debugLog()
{
    return CSingleton<DebugManager>::GetInstance();
}

Mix_Music* loadMusic(const char* path)
{
    Mix_Music* music = Mix_LoadMUS(path);
    if (music == nullptr)
        debugLog()->o("Jeu", "initSons", false, "The music couldn't be loaded", path);
    return music;
}

Mix_Chunk* loadSound(const char* path)
{
    Mix_Chunk* sound = Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
    if (sound == nullptr)
        debugLog()->o("Jeu", "initSons", false, "The sound couldn't be loaded", path);
    return sound;
}

} // namespace

// Loads every music and sound into the sound service once. A file that fails
// to load leaves its field null, which the sound service plays as silence,
// and one error line in the log.
void Jeu::initSons()
{
    if (sons == nullptr)
        sons = SonsManager::getInstance();
    SonsManager* s = sons;

    s->premenu = loadMusic("Musics/premenu.wav");
    s->menu = loadMusic("Musics/menu.wav");
    s->intro = loadMusic("Musics/intro.wav");
    s->game = loadMusic("Musics/game.wav");
    s->finNiveau = loadMusic("Musics/finNiveau.wav");
    s->gameOver = loadMusic("Musics/gameOver.wav");

    s->beep = loadSound("Sounds/beep.wav");
    s->beep2 = loadSound("Sounds/beep2.wav");
    s->beep3 = loadSound("Sounds/beep3.wav");
    s->beep4 = loadSound("Sounds/beep4.wav");
    s->bonus = loadSound("Sounds/bonus.wav");
    s->malus = loadSound("Sounds/malus.wav");
    s->bound = loadSound("Sounds/bound.wav");
    s->bound2 = loadSound("Sounds/bound2.wav");
    s->bound3 = loadSound("Sounds/bound3.wav");
    s->open = loadSound("Sounds/open.wav");
    s->s321 = loadSound("Sounds/321.wav");
    s->noTime = loadSound("Sounds/noTime.wav");
    s->switchSound = loadSound("Sounds/switch.wav");

    debugLog()->o("Jeu", "initSons", true, "Sounds initialized");
}
