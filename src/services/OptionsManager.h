#pragma once

#include <string>
#include <vector>

class DataFileManager;

// The game's settings: the resolution table, the language list, and every
// setting as a pair (index 0 in force, index 1 pending, edited by the options
// screen and put in force by sauverOptions or at the next start).
class OptionsManager {
public:
    static OptionsManager* optionsManagerInst;
    static OptionsManager* getInstance();
    static void kill();

    static const int kNbResolutions = 13;
    // The screen sizes the video page offers, with their aspect classes
    // (0 4:3, 1 16:10, 2 16:9, 3 5:4).
    struct Resolution {
        int width;
        int height;
        int aspectClass;
    };
    static const Resolution kResolutions[kNbResolutions];

    OptionsManager();
    ~OptionsManager();

    int getLargeur(int i);
    int getHauteur(int i);
    double getRatio(int i);
    int getScale(int i);

    int getClipping(int i);
    int getTextures(int i);
    int getAntiAliasing(int i);
    int getAnisotrope(int i);
    bool isFullScreen(int i);
    bool isGameMessages(int i);
    bool isGhostEnabled(int i);
    int getColor(int player, int i);
    int getMusiquesVolume(int i);
    int getSonsVolume(int i);
    bool isMusiquesOn(int i);
    bool isSonsOn(int i);
    int getResolution(int i);
    int getLangIndex(int i);

    bool isDebug();
    int getNbJoueurs();
    void setNbJoueurs(int n);

    std::string getLang(int i);
    std::string getLangCode(int i);
    int getNbLangs();
    std::string getPathTextures(int i);

    void setDefaultResolution();

    // Moves of the pending values (options screen).
    void moveLang(int d);
    void moveColor(int player, int d);
    void moveGameMessages();
    void moveGhostEnabled();
    void moveResolution(int d);
    void moveClipping(int d);
    void moveTextures(int d);
    void moveAntiAliasing(int d);
    void moveAnisotrope(int d);
    void moveFullScreen();
    void moveMusiques(int d);
    void moveSons(int d);

    // Writes "Data/Options.dat" from the pending values; true when written.
    bool sauverOptions();

    void chargerOptions();
    void chargerLangs();

    // Text of the options file for the pending values.
    std::string texteOptions();

private:
    void checkRanges();
    void checkColours();

    DataFileManager* dataFiles;

    int largeurs[kNbResolutions];
    int hauteurs[kNbResolutions];
    int scales[kNbResolutions];

    std::vector<std::string> langs;
    std::vector<std::string> langCodes;

    int lang[2];
    int color1[2];
    int color2[2];
    bool gameMessages[2];
    bool debug;
    int nbJoueurs;
    bool ghostEnabled[2];
    int resolution[2];
    int clipping[2];
    int textures[2];
    int antiAliasing[2];
    int anisotrope[2];
    bool fullScreen[2];
    int musiquesVolume[2];
    int sonsVolume[2];
};
