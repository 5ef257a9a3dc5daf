#include "application/Jeu.h"

#include "services/DebugManager.h"
#include "services/SonsManager.h"

#include <SDL/SDL_mixer.h>

namespace {

Mix_Chunk* loadSound(const char* path)
{
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

} // namespace

// Loads every music and sound into the sound service once. A file that fails
// to load leaves its field null, which the sound service plays as silence.
void Jeu::initSons()
{
    if (sons == nullptr)
        sons = SonsManager::getInstance();
    SonsManager* s = sons;

    s->premenu = Mix_LoadMUS("Musics/premenu.wav");
    s->menu = Mix_LoadMUS("Musics/menu.wav");
    s->intro = Mix_LoadMUS("Musics/intro.wav");
    s->game = Mix_LoadMUS("Musics/game.wav");
    s->finNiveau = Mix_LoadMUS("Musics/finNiveau.wav");
    s->gameOver = Mix_LoadMUS("Musics/gameOver.wav");

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

    CSingleton<DebugManager>::GetInstance()->o("Jeu", "initSons", true, "Sounds initialized");
}
