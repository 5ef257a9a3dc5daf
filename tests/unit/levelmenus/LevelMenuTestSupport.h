#pragma once

// A level-list world for one test process: temporary installation and user
// folders, the game's language texts and font, a GL window (Xvfb in the test
// runs), the dummy audio device with silent sounds for the menu's move and
// validate sounds, and scripted key states.
#include "GLFeedback.h"
#include "GameHarness.h"
#include "MenuTestKit.h"
#include "TestFiles.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

class Menu;

namespace levelmenus_test {

// Screen sizes of the two layout classes.
using korvelin_test::narrowOptions;
using korvelin_test::wideOptions;

class LevelMenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The options file written before any service is made.
    virtual korvelin_test::OptionsText startOptions() const { return wideOptions(); }

    // Writes the options file the settings are read from; call before the
    // first menu or widget is made.
    void useOptions(const korvelin_test::OptionsText& options);

    // "Levels/Official/<name>.kzl" in the installation.
    void installOfficialLevels(const std::vector<std::string>& names);
    // Level_<world>-1 ... Level_<world>-<count> for each world from 1.
    void installOfficialWorlds(const std::vector<int>& levelsPerWorld);
    // "Levels/Custom/list.kzo" in the user folder.
    void writeUserList(const std::string& text);
    // A custom level list with these names, and their level files, in the
    // user folder.
    void installCustomLevels(const std::vector<std::string>& names);
    // A real PNG image at a path of the installation or of the user folder.
    void writeInstallPng(const std::string& relative);
    void writeUserPng(const std::string& relative);
    // A PNG of one opaque colour, 4 x 4 pixels.
    void writeInstallSolidPng(const std::string& relative, unsigned char r, unsigned char g,
                              unsigned char b);

    // Key states: pressed (1) for player 1 or 2; everything released.
    void press(int action, int player = 1);
    void releaseAll();
    // One frame of a held key: press, refresh, release.
    void tap(Menu& menu, int action, long dt = 40);
    // Whether every key state, the last key, the joystick flags and the axes
    // are cleared.
    bool allKeysCleared() const;

    // Plays of the move and validate sounds since the last clearSounds().
    int movePlays() const;
    int validatePlays() const;
    void clearSounds();

    std::string log() const;
    std::string userFile(const std::string& relative) const;
    bool userFileExists(const std::string& relative) const;

    korvelin_test::SandboxedGameFolders folders;
    Mix_Chunk* moveSound = nullptr;
    Mix_Chunk* validateSound = nullptr;
};

// The colour of one pixel of the window, read back from OpenGL (0..255).
struct Pixel {
    int r, g, b;
};
Pixel readPixel(int x, int y);

// The textured quads drawn while capturing, in overlay coordinates (0..1),
// with their texture coordinates.
struct DrawnQuad {
    double left, right, bottom, top;
    double sMin, sMax, tMin, tMax;
    // Texture coordinate t at the top edge (the image row shown on top).
    double tAtTop;
    // The colour it was drawn in (r, g, b, a).
    double colour[4];
};

class QuadCapture {
public:
    // Sets the 2-D overlay of the menus and starts feedback mode.
    QuadCapture();
    std::vector<DrawnQuad> finish();

private:
    korvelin_test::GLFeedback feedback;
};

// Quads with this geometry (within 1e-4).
std::vector<DrawnQuad> quadsAt(const std::vector<DrawnQuad>& quads, double left, double bottom,
                               double width, double height);

// Quads whose vertical centre is y (within 1e-4) and whose colour is rgba
// (within 0.01): the characters of a text line drawn without a border.
std::vector<DrawnQuad> textAt(const std::vector<DrawnQuad>& quads, double y, const double* rgba);

} // namespace levelmenus_test
