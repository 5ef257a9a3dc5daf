#pragma once

// A game drawn in this process on a real GL window of 640 x 480: the staged
// installation (images, font, texts), the application's own GL start-up
// state (initGL, the texture service, resize), a custom level of ten rows of
// three columns, and frames read back from the framebuffer.
#include "GameHarness.h"
#include "Picture.h"
#include "TestFiles.h"

#include "application/Jeu.h"

#include <gtest/gtest.h>

#include <memory>

class GameManager;

namespace play_test {

class GameOnScreen : public ::testing::Test {
public:
    static const int kWidth = 640;
    static const int kHeight = 480;

protected:

    void SetUp() override;
    void TearDown() override;
    // The options file written before any service is made.
    virtual korvelin_test::OptionsText screenOptions() const;

    // A game of the test level in play, the countdown over.
    GameManager* startInPlay(int players);

    // Clears, draws the game frame as the application does, reads it back
    // and swaps.
    Picture drawFrame(GameManager* gm);

    // Reads the back buffer as it stands.
    static Picture readBack();

    korvelin_test::SandboxedGameFolders folders;
    std::unique_ptr<Jeu> jeu;
};

} // namespace play_test
