#pragma once

#include <map>
#include <string>

#include "records/Ghost.h"
#include "services/CEntity.h"
#include "services/CMD2Model.h"
#include "world/Cible.h"
#include "world/Objet3DMobile.h"
#include "world/Ombre.h"
#include "world/OmbreMobile.h"

class ClavierManager;
class CTextureManager;
class DebugManager;
class NiveauManager;
class OptionsManager;
class SonsManager;

// The player's body: a bouncing character steered over the block grid of the
// current level. Numbers 1 and 2 are the players, number 3 the body that shows
// the replayed ghost.
//
// The physics never touches OpenGL: the models, skins and shadow textures are
// loaded the first time the body is drawn, so a level can be played through
// refresh() alone, without a window.
class Joueur : public Objet3DMobile {
public:
    // States (getEtat).
    static constexpr int kJeu = 0;          // playing
    static constexpr int kChute = 1;        // falling into a hole
    static constexpr int kTermine = 2;      // level finished
    static constexpr int kHorsJeu = 3;      // out
    static constexpr int kFinTemps = 4;     // time-out ending
    static constexpr int kFinVies = 5;      // no-lives ending
    static constexpr int kFinArrivee = 6;   // finishing animation (two players)
    // Length of the end animations, ms.
    static constexpr int kDureeAnimation = 2600;

    explicit Joueur(int numJoueur);
    ~Joueur();
    Joueur(const Joueur&) = delete;
    Joueur& operator=(const Joueur&) = delete;

    using Objet3DMobile::draw;
    using Objet3DMobile::refresh;

    // Moves the body and the camera point it gives.
    void setX(float x) override;

    virtual int getNumJoueur();
    virtual float getCameraX();
    virtual float getCameraY();
    virtual float getCameraZ();
    virtual float getRX();
    virtual float getRY();
    virtual float getRZ();
    // A copy of the run recorded since the last initJoueur.
    virtual Ghost getGhost();
    virtual void setRXYZ(float rx, float ry, float rz);
    virtual int getColor();
    virtual bool vivant();
    virtual void perdreVie();
    virtual void gagnerVie();
    virtual void setVies(int vies);
    virtual int getVies(bool unused);
    virtual float getPeusenteur();
    // Level time limit in seconds; also arms the last-ten-seconds beeps.
    virtual void setTemps(int seconds);
    // Whole seconds left.
    virtual int getTemps();
    virtual int getTempsAbsolu();
    virtual bool enJeu();
    virtual void setModeSolo(bool solo);
    virtual void setEtat(int etat);
    virtual int getEtat();
    virtual void setAnimation(int animation);
    virtual int getAnimation();
    virtual int getTempsAnimation();
    virtual bool niveauTermine();
    // One frame: dt in ms, now = the play clock of this player in ms.
    virtual void refresh(long dt, long now);
    virtual void drawAsGhost();
    // Shadow pass (true) or body pass (false).
    virtual void draw(bool ombres);

    void init();
    // Start of every level and restart.
    void initJoueur();
    void resetPosition();
    void resetDeplacement();
    void repositionner();
    void gestionDeplacements(long dt);
    void pesenteur(long dt);
    void gestionMorts();
    // Landing test and the effect of the block landed on.
    void collision(long dt);
    void sauvegardePosition(float x, float z);
    void addAbnormalState(std::string name, double ms);
    // Milliseconds left in the named timed state, -1 when absent.
    double getAbnormalState(std::string name);
    void refreshAbnormalStates(long dt);
    void drawJoueur(bool silhouette);

    // Read-outs of the steering and the countdown, for the views and tests.
    float getTempsMs() const { return temps; }
    int getNbBips() const { return nbBips; }
    float getAccelX() const { return accelX; }
    float getAccelZ() const { return accelZ; }
    float getTempsAccelX() const { return tempsAccelX; }
    float getTempsAccelZ() const { return tempsAccelZ; }
    bool hasSauvegarde() const { return sauvegardeValide; }
    float getSauvegardeX() const { return sauvegardeX; }
    float getSauvegardeZ() const { return sauvegardeZ; }
    bool isModeSolo() const { return modeSolo; }
    const std::map<std::string, double>& getAbnormalStates() const { return abnormalStates; }
    // Gravity factor: 0.17 normal, 0.12 low, 0.2 high.
    void setPeusenteur(float p) { peusenteur = p; }
    // Opacity of the shadows for a transparent state with t ms left.
    static double opaciteOmbre(double t);
    // The body's turn for the current speeds, as the body drawing sets it in
    // state 0 (the spin of animation 1 included).
    void calculerRotations();
    // Places both shadows under the player with their size and opacity.
    void placerOmbres();
    Ombre& getOmbre() { return ombre; }
    OmbreMobile& getOmbreMobile() { return ombreMobile; }
    Cible& getCible() { return cible; }

private:
    void prendreServices();
    void chargerModeles();
    bool pointSur(float x, float z);
    bool estPresse(int action, int joueur);
    void jouerSonAtterrissage(int sorte);
    void appliquerType(int type, float px, float pz);
    void viderAccelerations();
    // Two players: back to the game music when the given end music still plays.
    void verifierMusique(bool finNiveau);

    ClavierManager* clavier;
    CTextureManager* textures;
    SonsManager* sons;
    NiveauManager* niveau;
    OptionsManager* options;
    DebugManager* debug;

    Ombre ombre;
    OmbreMobile ombreMobile;
    Cible cible;
    Ghost ghost;
    std::map<std::string, double> abnormalStates;

    bool modeSolo;
    int numJoueur;
    int tempsAnimation;
    int tempsAbsolu;
    float accelZ, accelX;
    float tempsAccelZ, tempsAccelX;
    int etat;
    int animation;
    float peusenteur;
    float temps;
    int nbBips;
    int color;
    bool sauvegardeValide;
    float sauvegardeX, sauvegardeZ;
    float cameraX, cameraY, cameraZ;
    float rx, ry, rz;
    int vies;

    bool modelesCharges;
    CMD2Model modelCorps;
    CEntity entityCorps;
    CMD2Model modelSilhouette;
    CEntity entitySilhouette;
};
