#pragma once

#include <string>

class OptionsManager;
class ColorManager;
class NiveauManager;
class CTextureManager;
class ClavierManager;
class TextFromFontManager;
class LangManager;
class SonsManager;
class DebugManager;
class Joueur;
class GamePause;

// The game in progress: intro sweep, countdown, play, pause, level end, the
// step to the next level, restarts and the end of the game. It owns the
// players, the ghost body and the pause menu; the level belongs to the level
// manager. One instance while a game runs, held in GameManager::gm.
class GameManager {
public:
    // Game states.
    enum {
        kIntro = 0,
        kCountdown = 1,
        kPlay = 2,
        kLevelEnd = 3,
        kNextLevel = 4,
        kPause = 5,
        kQuit = -1,
        kAllCleared = -2
    };

    GameManager();
    virtual ~GameManager();

    static GameManager* getInstance();
    static void kill();

    // Cameras of player n (1 or 2).
    virtual float getCameraX(int n);
    virtual float getCameraY(int n);
    virtual float getCameraZ(int n);

    virtual bool getFinJeu();
    virtual bool jeuQuitte();
    // Play clock i (from 0) as "seconds.tenths ".
    virtual std::string getTempsJeu(int i);
    virtual long getTempsLong(int i);
    // Player 2 when n is 2 and there is one, player 1 otherwise.
    virtual Joueur* getJoueur(int n);
    virtual void chargerJeu();
    virtual void ajouterJoueur(Joueur* j);
    virtual void refresh(long dt);
    // The players, the ghost and the overlays of one view (0 single, 1 left,
    // 2 right, 3 the shared overlay of a two-player frame).
    virtual void draw(int view);
    virtual bool isAllLevelsCleared();
    virtual void restartLevel();
    // The heads-up display of one view.
    virtual void draw2D(int view);

    // The 2-D overlay: orthographic 0..1 on both axes, y upward.
    static void begin2D();
    static void end2D();

    // Height in the overlay of a progress marker for depth z on a level of
    // `rows` rows (the level manager's count); kept on the track.
    static float progressMarkerY(float z, int rows);
    // The number the countdown shows with `countdown` ms left.
    static int countdownNumber(double countdown);
    // The play time text "seconds.tenths " of a clock in ms.
    static std::string tempsTexte(long ms);

    static GameManager* gm;

    OptionsManager* options;
    ColorManager* colors;
    NiveauManager* niveau;
    CTextureManager* textures;
    ClavierManager* clavier;
    TextFromFontManager* texts;
    LangManager* lang;
    SonsManager* sons;
    DebugManager* debug;
    GamePause* pauseMenu;
    unsigned int boardTexture;
    double countdown;
    float endProgress;
    float introCamera[2];
    float endCamera[2];
    int state;
    bool finished;
    Joueur* players[2];
    Joueur* ghostBody;
    long playTime[2];
    int wins[2];
    int winner;
    // The players' positions handed to the blocks each play frame.
    double playerPositions[6];

private:
    void refreshIntro(long dt);
    void refreshCountdown(long dt);
    void refreshPlay(long dt);
    void refreshLevelEnd(long dt);
    void refreshNextLevel();
    void refreshPause(long dt);

    void refreshBlocks(long dt);
    bool openPause();
    void runPlayers(long dt);
    void replayGhost();
    bool levelOver() const;
    void countWin();
    void updateWinner();

    // Frees the current level's blocks and display lists.
    void detruireNiveau();
    // Puts a player back at the start of the level with its time limit.
    void preparePlayer(Joueur* j);
    void spreadPlayers();
    void startGameMusic();

    // Drawing helpers of the heads-up display.
    void drawText(const std::string& text, double x, double y, double size,
                  double spacing, int align);
    void drawBoardQuad(double x0, double y0, double x1, double y1,
                       double u0, double v0, double u1, double v1);
    void drawMarker(float z, int swatch, double xLeft, double xRight);
    void drawFade(double alpha);
    void drawTransparentOverlay(int view);
    void drawPlayers(int view);
    void drawGhost();
    void drawCommonTail(int view);
};
