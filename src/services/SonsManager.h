#pragma once

#include <SDL/SDL_mixer.h>

#include <vector>

class OptionsManager;
class DebugManager;

// Music and sound effects on SDL_mixer. The media fields are filled once at
// start-up (Jeu::initSons); a null field plays nothing.
class SonsManager {
public:
    SonsManager();
    ~SonsManager();

    static SonsManager* getInstance();
    static void kill();

    void setNoAudio(bool value);
    Mix_Music* getMusique();
    bool estFinie();

    void jouerSon(Mix_Chunk* c);
    void jouerSonUnique(Mix_Chunk* c, int channel);

    void chargerMusique(Mix_Music* m);
    void jouerMusique(int loops);
    void pauseMusique();
    void resumeMusique();
    void stopperMusique();
    void reload();

    // Distance sound: the ticks of one frame merge into one play as loud as
    // the loudest factor collected.
    void demarrerCalculDistanceSon(Mix_Chunk* c);
    void ajouterCalculDistanceSon(double f);
    void joueurCalculDistanceSon();

    // Longest time jouerMusique waits for the music to report playing.
    static const Uint32 attenteMusiqueMax = 200;

    static SonsManager* sonsManagerInst;

private:
    OptionsManager* options;
    DebugManager* debug;
    bool noAudio;
    std::vector<double> distanceFactors;
    Mix_Chunk* distanceSound;

public:
    Mix_Music* premenu = nullptr;
    Mix_Music* menu = nullptr;
    Mix_Music* intro = nullptr;
    Mix_Music* game = nullptr;
    Mix_Music* finNiveau = nullptr;
    Mix_Music* gameOver = nullptr;
    Mix_Chunk* beep = nullptr;
    Mix_Chunk* beep2 = nullptr;
    Mix_Chunk* beep3 = nullptr;
    Mix_Chunk* beep4 = nullptr;
    Mix_Chunk* bonus = nullptr;
    Mix_Chunk* bound = nullptr;
    Mix_Chunk* bound2 = nullptr;
    Mix_Chunk* bound3 = nullptr;
    Mix_Chunk* open = nullptr;
    Mix_Chunk* malus = nullptr;
    Mix_Chunk* s321 = nullptr;
    Mix_Chunk* noTime = nullptr;
    Mix_Chunk* switchSound = nullptr;

private:
    Mix_Music* musique;
};
