// The real game started from the staged installation: every sound and music
// loads, and the texture and language services report no error at start-up;
// missing or damaged media leave the game running.
#include "GameHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using korvelin_test::GameHarness;
using korvelin_test::OptionsText;

namespace {

const char* const MUSICS[] = {"premenu", "menu", "intro", "game", "finNiveau", "gameOver"};
const char* const SOUNDS[] = {"beep", "beep2", "beep3", "beep4", "bonus", "malus", "bound",
                              "bound2", "bound3", "open", "321", "noTime", "switch"};

bool contains(const std::string& line, const std::string& piece)
{
    return line.find(piece) != std::string::npos;
}

std::vector<std::string> errorLinesOf(const std::vector<std::string>& lines,
                                      const std::vector<std::string>& sources)
{
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.rfind("[ERROR]", 0) != 0)
            continue;
        for (const std::string& source : sources)
            if (contains(line, source))
                found.push_back(line);
    }
    return found;
}

int countLines(const std::vector<std::string>& lines, const std::string& piece)
{
    int n = 0;
    for (const std::string& line : lines)
        n += contains(line, piece) ? 1 : 0;
    return n;
}

// Runs the game on its title screen for a while with debug on, then stops it.
std::vector<std::string> runTitleScreen(GameHarness& game)
{
    OptionsText options;
    options.debug = true;
    game.setOptions(options);
    EXPECT_TRUE(game.start());
    EXPECT_TRUE(game.waitForWindow()) << game.stderrText();
    GameHarness::pause(2500);
    EXPECT_TRUE(game.running()) << game.stderrText();
    EXPECT_EQ(0, game.stop());
    return game.logLines();
}

} // namespace

TEST(MediaStartup, StagedMediaAreComplete)
{
    const std::string stage = KORVELIN_STAGE_DIR;
    for (const char* m : MUSICS)
        EXPECT_TRUE(korvelin_test::fileExists(stage + "/Musics/" + m + ".wav")) << m;
    for (const char* s : SOUNDS)
        EXPECT_TRUE(korvelin_test::fileExists(stage + "/Sounds/" + s + ".wav")) << s;
    EXPECT_TRUE(korvelin_test::fileExists(stage + "/Fonts/Comfortaa.ttf"));
    EXPECT_TRUE(korvelin_test::fileExists(stage + "/Objects/player.md2"));
}

TEST(MediaStartup, LoadsEverySoundAndMusicWithoutTextureOrLanguageErrors)
{
    GameHarness game;
    std::vector<std::string> lines = runTitleScreen(game);
    ASSERT_FALSE(lines.empty());

    EXPECT_EQ(countLines(lines, "[OK]   \tJeu @ initSons : Sounds initialized"), 1);
    for (const std::string& line :
         errorLinesOf(lines, {"Jeu @ initSons", "TexturesManager", "LangManager", "SonsManager",
                              "TextFromFontManager"}))
        ADD_FAILURE() << line;
}

TEST(MediaStartup, MissingOrDamagedMediaAreLoggedAndTheGameRuns)
{
    GameHarness game;
    game.removeInstallFile("Sounds/beep.wav");
    game.removeInstallFile("Musics/premenu.wav");
    game.writeInstallFile("Sounds/bonus.wav", "RIFF....WAVEnot really");
    game.writeInstallFile("Musics/menu.wav", std::string(10, '\0'));
    game.removeInstallFile("Fonts/Comfortaa.ttf");
    std::vector<std::string> lines = runTitleScreen(game);

    EXPECT_EQ(countLines(lines, "[ERROR]\tJeu @ initSons : The sound couldn't be loaded Sounds/beep.wav"), 1);
    EXPECT_EQ(countLines(lines, "[ERROR]\tJeu @ initSons : The sound couldn't be loaded Sounds/bonus.wav"), 1);
    EXPECT_EQ(countLines(lines, "[ERROR]\tJeu @ initSons : The music couldn't be loaded Musics/premenu.wav"), 1);
    EXPECT_EQ(countLines(lines, "[ERROR]\tJeu @ initSons : The music couldn't be loaded Musics/menu.wav"), 1);
    EXPECT_EQ(errorLinesOf(lines, {"Jeu @ initSons"}).size(), 4u);
    EXPECT_EQ(countLines(lines, "Sounds initialized"), 1);
}

TEST(MediaStartup, ACommandLineLevelFindsEveryPictureAndText)
{
    // A sample level with timed, disposable, breakable and moving blocks
    // loads the block faces, the background, the heads-up board, the skin
    // and the shadow, and the heads-up display looks up its texts.
    GameHarness game;
    OptionsText options;
    options.debug = true;
    game.setOptions(options);
    ASSERT_TRUE(game.start({"Clockwork.Ines"}));
    ASSERT_TRUE(game.waitForWindow()) << game.stderrText();
    GameHarness::pause(2500);
    EXPECT_TRUE(game.running()) << game.stderrText();
    EXPECT_EQ(0, game.stop());
    const std::vector<std::string> lines = game.logLines();

    for (const std::string& line : errorLinesOf(lines, {"TexturesManager", "LangManager", "TextFromFontManager"}))
        ADD_FAILURE() << line;
    for (const char* picture :
         {"Images/Blocks/High/21.tga", "Images/Blocks/High/27.tga", "Images/Blocks/High/20.tga",
          "Images/Blocks/High/52.tga", "Images/Blocks/High/100.tga", "Images/Interface/High/board.tga",
          "Images/Player/player_0.tga", "Images/Player/shadow.tga"})
        EXPECT_GE(countLines(lines, std::string("Chargement de la texture :  ") + picture), 1) << picture;
    EXPECT_EQ(1, countLines(lines, "[OK]   \tTexturesManager @ LoadPNG : Loading ...  "
                                   "Images/Backgrounds/High/Ratio-4-3/blueSky.png"));
}
