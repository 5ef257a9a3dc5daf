#pragma once

#include <SDL/SDL.h>
#include <string>

class Menu;
class OptionsManager;
class ClavierManager;
class NiveauManager;
class LangManager;
class CTextureManager;
class LightManager;
class SendScoreManager;
class LevelScoresManager;
class GhostManager;
class DebugManager;
class GameManager;
class SonsManager;
class Ghost;

// The application: its constructor runs the whole program (start-up, the
// main loop, the loop's teardown) and returns when the player has left.
class Jeu {
public:
    // Start-up on the title screen.
    Jeu();
    // Start-up straight into a one-player game of one custom level.
    explicit Jeu(std::string level);
    // The application object alone, without start-up or loop: its frame
    // steps (refresh, gestionMenu, draw) are then driven by the caller.
    struct NoStart {};
    explicit Jeu(NoStart);
    // Frees the current menu (the loops have freed everything else).
    ~Jeu();

    // --- start-up (Jeu.cpp, JeuInitSons.cpp) ---
    void initSDL();
    void initSons();
    void initGL();
    void initTexture();
    void resize(int w, int h);

    // --- main loops and input (Jeu.cpp, JeuGame.cpp) ---
    void boucle();
    void boucle(std::string level);
    void gestionClavier();

    // --- one frame of the application (JeuGame.cpp) ---
    void refresh(long dt);
    void draw();
    // One 3-D view of the game: 0 the single view, 1 left, 2 right.
    void drawSub(int view);

    // --- menus and game starts (JeuMenus.cpp) ---
    // Reads the current menu's result and opens the next menu, sets the
    // number of players, ends the loop or starts a game.
    void gestionMenu();
    // Starts a one-player run of difficulty d through the official levels.
    void initJeu(int difficulty);

    // --- end-of-game recording (JeuResults.cpp) ---
    // Records a finished one-player game (best time, ghost on a new best,
    // score posts); called once at the game-over step, before the level
    // manager and the game manager are freed.
    void recordResults();
    // The same from the game's facts: difficulty -1 for chosen levels,
    // digests the level digests joined, playTimeMs player 1's play time.
    static void recordResults(bool cleared, bool solo, int difficulty, const std::string& fileName,
                              const std::string& digests, long playTimeMs, const Ghost& run);
    // The level's name with its last "." replaced by a tab, or with a tab
    // and the default author appended when it has none.
    static std::string levelScoreTitle(const std::string& fileName);

private:
    // Services in the start-up order; both constructors share the tail.
    void fetchServices(bool commandLineOrder);
    void startUp();
    // Runs frames until quit is set; pacing adds the short sleeps after
    // quick frames (title-screen loop only).
    void runLoop(bool pacing);
    // Frees the per-run objects when a loop ends (JeuGame.cpp).
    void teardownRun();
    // Opens the video mode of width x height, with the fall-backs.
    void openVideoMode();

    // The new menu replaces the current one, which is destroyed.
    void openMenu(Menu* next);
    // Starts a game of the levels the current list menu hands over.
    void startListGame(int mode);
    // Makes the level manager and the game manager of a new game.
    void makeGame();
    // The game is over: records it, then opens the next screen (JeuGame.cpp).
    void endGame();
    // The one-second notice drawn alone before a result is posted.
    void showSendingNotice();

public:
    int menuMode;
    Menu* currentMenu;
    OptionsManager* options;
    ClavierManager* clavier;
    NiveauManager* niveau;
    LangManager* lang;
    CTextureManager* textures;
    LightManager* light;
    SendScoreManager* sendScore;
    LevelScoresManager* levelScores;
    GhostManager* ghosts;
    DebugManager* debug;
    GameManager* gameManager;
    SonsManager* sons;
    SDL_Surface* screen;
    int width;
    int height;
    bool quit;

    // --- fields added by the game, media and records code ---
};
