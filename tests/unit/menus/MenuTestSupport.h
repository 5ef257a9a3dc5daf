#pragma once

// A menu world for one test process: temporary installation and user
// folders holding the game's texts, font and menu pictures, a GL window
// (Xvfb in the test runs), the dummy audio device with long silent sounds
// standing for the move, validate and refused sounds, and scripted keys.
#include "GLFeedback.h"
#include "GameHarness.h"
#include "MenuTestKit.h"
#include "TestFiles.h"

#include "menus/Menu.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace menus_test {

using korvelin_test::narrowOptions;
using korvelin_test::wideOptions;

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The options file written before any service is made.
    virtual korvelin_test::OptionsText startOptions() const { return narrowOptions(); }

    // Copies a file or folder of the staged installation into the test's.
    void installFromStage(const std::string& relative);

    void press(int action, int player = 1, int state = 1);
    void releaseAll();
    // One frame with the key pressed, then one with every key released.
    void tap(Menu& menu, int action, long dt = 40);
    bool allKeysCleared() const;

    int movePlays() const;
    int validatePlays() const;
    int refusedPlays() const;
    void clearSounds();

    std::string log() const;

    korvelin_test::SandboxedGameFolders folders;
    Mix_Chunk* moveSound = nullptr;
    Mix_Chunk* validateSound = nullptr;
    Mix_Chunk* refusedSound = nullptr;
};

// A quad drawn while capturing, in overlay coordinates (0..1).
struct DrawnQuad {
    double left, right, bottom, top;
    // Texture coordinate t at the top edge (the image row shown on top).
    double tAtTop;
    // Colour of the first vertex.
    double r, g, b, a;
};

// Captures what a menu draws through OpenGL's feedback mode, in the 2-D
// overlay the menus draw in.
class QuadCapture {
public:
    QuadCapture();
    std::vector<DrawnQuad> finish();

private:
    korvelin_test::GLFeedback feedback;
};

// The game's culling of faces wound counter-clockwise, which stays on while
// the menus draw.
void useGameCulling();

// Quads whose corners are these (within 1e-4).
std::vector<DrawnQuad> quadsAt(const std::vector<DrawnQuad>& quads, double left, double bottom,
                               double right, double top);

} // namespace menus_test
