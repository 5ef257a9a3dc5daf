// The application's menu switching: what each menu's result opens, the
// number of players it sets, the end of the loop, the start of a game from
// the difficulty choice or a level list, and the screen a finished game
// leads to. The application is driven frame step by frame step, without
// its loop.
#include "MenuTestSupport.h"
#include "../records/LocalHttpServer.h"

#include "application/GameManager.h"
#include "application/Jeu.h"
#include "menus/MenuPrincipal.h"
#include "records/SendScoreManager.h"
#include "services/OptionsManager.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <memory>

using menus_test::MenuTest;

namespace {

// A menu that reports a scripted name, code and level list, and counts its
// destruction.
class ScriptedMenu : public Menu {
public:
    ScriptedMenu(const std::string& name, int result, int* destroyed)
        : Menu(0, 0, 1, 1), destroyed(destroyed)
    {
        nom = name;
        code = result;
    }
    ~ScriptedMenu() override { ++*destroyed; }
    void refresh(long) override {}
    int* destroyed;
};

class MenuSwitch : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        if (HasFatalFailure())
            return;
        installFromStage("Images");
        installFromStage("Levels");
        installFromStage("Objects");
        jeu.reset(new Jeu(Jeu::NoStart()));
    }

    // Makes a scripted menu current and lets the application read it.
    void dispatch(const std::string& name, int code, const std::vector<std::string>& levels = {})
    {
        ScriptedMenu* menu = new ScriptedMenu(name, code, &destroyed);
        menu->objects = levels;
        jeu->currentMenu = menu;
        scripted = menu;
        jeu->gestionMenu();
    }

    std::string currentName() const
    {
        return jeu->currentMenu != nullptr ? jeu->currentMenu->getNom() : std::string("none");
    }

    std::unique_ptr<Jeu> jeu;
    Menu* scripted = nullptr;
    int destroyed = 0;
};

struct SwitchCase {
    const char* name;
    const char* menu;
    int code;
    int playersBefore;
    const char* next; // "" when the current menu stays
    int playersAfter;
    bool quit;
};

class MenuTable : public MenuSwitch, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(MenuTable, OpensTheNextMenuInPlaceOfTheOld)
{
    const SwitchCase c = GetParam();
    OptionsManager::getInstance()->setNbJoueurs(c.playersBefore);
    dispatch(c.menu, c.code);
    const bool opens = std::string(c.next) != "";
    if (opens) {
        EXPECT_EQ(c.next, currentName());
        EXPECT_EQ(1, destroyed);
    } else {
        EXPECT_EQ(scripted, jeu->currentMenu);
        EXPECT_EQ(0, destroyed);
    }
    EXPECT_EQ(c.playersAfter, OptionsManager::getInstance()->getNbJoueurs());
    EXPECT_EQ(c.quit, jeu->quit);
    EXPECT_EQ(1, jeu->menuMode);
    EXPECT_EQ(nullptr, GameManager::gm);
}

INSTANTIATE_TEST_SUITE_P(
    Results, MenuTable,
    ::testing::Values(
        SwitchCase{"TitleEnds", "PreMenu", 1, 1, "MenuPrincipal", 1, false},
        SwitchCase{"TitleWaits", "PreMenu", 0, 1, "", 1, false},
        SwitchCase{"MainSolo", "MenuPrincipal", 1, 2, "MenuDifficulte", 1, false},
        SwitchCase{"MainSingleLevel", "MenuPrincipal", 2, 2, "MenuSingleMap", 1, false},
        SwitchCase{"MainVersus", "MenuPrincipal", 3, 1, "MenuSingleMap", 2, false},
        SwitchCase{"MainScores", "MenuPrincipal", 4, 1, "MenuScores", 1, false},
        SwitchCase{"MainOptions", "MenuPrincipal", 5, 1, "MenuOptions", 1, false},
        SwitchCase{"MainExit", "MenuPrincipal", 6, 1, "", 1, true},
        SwitchCase{"MainWaits", "MenuPrincipal", 0, 2, "", 2, false},
        SwitchCase{"DifficultyPrevious", "MenuDifficulte", 7, 1, "MenuPrincipal", 1, false},
        SwitchCase{"LevelSetPrevious", "MenuSingleMap", 3, 1, "MenuPrincipal", 1, false},
        SwitchCase{"LevelSetCustomSolo", "MenuSingleMap", 2, 1, "MenuSingleUnofficialLevels", 1, false},
        SwitchCase{"LevelSetCustomVersus", "MenuSingleMap", 2, 2, "MenuVersusUnofficialLevels", 2, false},
        SwitchCase{"LevelSetOfficialSolo", "MenuSingleMap", 1, 1, "MenuSingleOfficialLevels", 1, false},
        SwitchCase{"LevelSetOfficialVersus", "MenuSingleMap", 1, 2, "MenuVersusOfficialLevels", 2, false},
        SwitchCase{"CustomSoloBack", "MenuSingleUnofficialLevels", 3, 1, "MenuSingleMap", 1, false},
        SwitchCase{"CustomVersusBack", "MenuVersusUnofficialLevels", 3, 2, "MenuSingleMap", 2, false},
        SwitchCase{"CustomListOtherCode", "MenuSingleUnofficialLevels", 2, 1, "", 1, false},
        SwitchCase{"OfficialSoloBack", "MenuSingleOfficialLevels", 2, 1, "MenuSingleMap", 1, false},
        SwitchCase{"OfficialVersusBack", "MenuVersusOfficialLevels", 2, 2, "MenuSingleMap", 2, false},
        SwitchCase{"OfficialListOtherCode", "MenuSingleOfficialLevels", 3, 1, "", 1, false},
        SwitchCase{"ScoresBack", "MenuScores", 7, 1, "MenuPrincipal", 1, false},
        SwitchCase{"ScoresOtherCode", "MenuScores", 3, 1, "", 1, false},
        SwitchCase{"OptionsLeft", "MenuOptions", 5, 1, "MenuPrincipal", 1, false},
        SwitchCase{"OptionsOtherCode", "MenuOptions", 2, 1, "", 1, false},
        SwitchCase{"UnknownMenu", "Menu", 1, 1, "", 1, false}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

TEST_F(MenuSwitch, LeavingTheOptionsPutsTheNewLanguageInForce)
{
    // The options screen saved French as the language; leaving it reloads
    // the texts before the main menu is built.
    OptionsManager* options = OptionsManager::getInstance();
    for (int i = 0; i < options->getNbLangs() && options->getLangCode(1) != "fr"; ++i)
        options->moveLang(1);
    ASSERT_EQ("fr", options->getLangCode(1));
    ASSERT_TRUE(options->sauverOptions());
    dispatch("MenuOptions", 5);
    ASSERT_EQ("MenuPrincipal", currentName());
    EXPECT_EQ("Quitter", jeu->currentMenu->labels[5]);
}

struct StartCase {
    const char* name;
    const char* menu;
    int code;
    int players;
    std::vector<std::string> levels;
    int mode;
    int difficulty;
};

class GameStart : public MenuSwitch, public ::testing::WithParamInterface<StartCase> {};

TEST_P(GameStart, LoadsTheFirstLevelWithItsPlayersAndKeepsTheMenu)
{
    const StartCase c = GetParam();
    folders.writeUserFile("Levels/Custom/Run.Tester.kzl",
                          "KZ2\n60 4 3\n1 1 1 blueSky\n100 100 100\n1 1 1\n1 1 1\n1 1 1\n");
    folders.writeUserFile("Levels/Custom/Walk.Tester.kzl",
                          "KZ2\n60 4 3\n1 1 1 blueSky\n100 100 100\n1 1 1\n1 1 1\n1 1 1\n");
    OptionsManager::getInstance()->setNbJoueurs(c.players);
    dispatch(c.menu, c.code, c.levels);

    EXPECT_EQ(0, jeu->menuMode);
    // The menu stays, undrawn, until the game ends.
    EXPECT_EQ(scripted, jeu->currentMenu);
    EXPECT_EQ(0, destroyed);
    ASSERT_NE(nullptr, GameManager::gm);
    ASSERT_NE(nullptr, NiveauManager::niveauManager);
    EXPECT_EQ(GameManager::gm, jeu->gameManager);
    EXPECT_EQ(NiveauManager::niveauManager, jeu->niveau);
    NiveauManager* niveau = NiveauManager::niveauManager;
    EXPECT_EQ(c.mode, niveau->mode);
    EXPECT_EQ(c.difficulty, niveau->difficulty);
    if (c.difficulty == -1) {
        EXPECT_EQ(c.levels, niveau->levelNames);
    }
    EXPECT_FALSE(niveau->noMoreLevel) << log();
    EXPECT_NE(nullptr, GameManager::gm->players[0]);
    EXPECT_EQ(c.players == 2, GameManager::gm->players[1] != nullptr);
    EXPECT_EQ(c.difficulty != -1, log().find("Game initialized") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, GameStart,
    ::testing::Values(
        StartCase{"DifficultyOne", "MenuDifficulte", 1, 1, {}, 0, 1},
        StartCase{"DifficultyThree", "MenuDifficulte", 3, 1, {}, 0, 3},
        StartCase{"OfficialSolo", "MenuSingleOfficialLevels", 1, 1, {"Level_1-2"}, 1, -1},
        StartCase{"CustomSolo", "MenuSingleUnofficialLevels", 1, 1, {"Run.Tester"}, 2, -1},
        StartCase{"OfficialVersus", "MenuVersusOfficialLevels", 1, 2, {"Level_1-1", "Level_1-3"}, 3, -1},
        StartCase{"CustomVersus", "MenuVersusUnofficialLevels", 1, 2, {"Walk.Tester", "Run.Tester"}, 4, -1}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

struct EndCase {
    const char* name;
    const char* menu; // the menu that started the game
    int code;
    int players;
    std::vector<std::string> levels;
    bool cleared; // the game reached its end, else it was abandoned
    const char* next;
};

class GameEnd : public MenuSwitch, public ::testing::WithParamInterface<EndCase> {};

TEST_P(GameEnd, OpensTheScreenOfTheGamesKindAndFreesTheGame)
{
    const EndCase c = GetParam();
    folders.writeUserFile("Levels/Custom/Run.Tester.kzl",
                          "KZ2\n60 4 3\n1 1 1 blueSky\n100 100 100\n1 1 1\n1 1 1\n1 1 1\n");
    OptionsManager::getInstance()->setNbJoueurs(c.players);
    dispatch(c.menu, c.code, c.levels);
    ASSERT_EQ(0, jeu->menuMode);
    GameManager* gm = GameManager::gm;
    ASSERT_NE(nullptr, gm);
    jeu->refresh(40);
    EXPECT_FALSE(gm->getFinJeu());

    if (c.cleared) {
        gm->finished = true;
        gm->state = NiveauManager::niveauManager->difficulty == -1 ? GameManager::kQuit
                                                                   : GameManager::kAllCleared;
    } else {
        gm->state = GameManager::kQuit; // "abandon" in the pause menu
    }
    jeu->refresh(40);
    EXPECT_EQ(1, jeu->menuMode);
    EXPECT_EQ(c.next, currentName());
    EXPECT_EQ(1, destroyed);
    const bool record = std::string(c.next) == "MenuRecord";
    // Only the record screen keeps the run's game alive.
    EXPECT_EQ(record, GameManager::gm != nullptr);
    EXPECT_EQ(record, NiveauManager::niveauManager != nullptr);
    EXPECT_EQ(record, jeu->gameManager != nullptr);
    if (record) {
        // Leaving the record screen frees the game and opens the main menu.
        jeu->currentMenu->code = 1;
        jeu->gestionMenu();
        EXPECT_EQ("MenuPrincipal", currentName());
        EXPECT_EQ(nullptr, GameManager::gm);
        EXPECT_EQ(nullptr, NiveauManager::niveauManager);
        EXPECT_EQ(nullptr, jeu->gameManager);
        EXPECT_EQ(nullptr, jeu->niveau);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, GameEnd,
    ::testing::Values(
        EndCase{"DifficultyCleared", "MenuDifficulte", 1, 1, {}, true, "MenuRecord"},
        EndCase{"DifficultyAbandoned", "MenuDifficulte", 2, 1, {}, false, "MenuPrincipal"},
        EndCase{"OfficialSoloCleared", "MenuSingleOfficialLevels", 1, 1, {"Level_1-1"}, true,
                "MenuSingleOfficialLevels"},
        EndCase{"OfficialSoloAbandoned", "MenuSingleOfficialLevels", 1, 1, {"Level_1-1"}, false,
                "MenuSingleOfficialLevels"},
        EndCase{"CustomSoloAbandoned", "MenuSingleUnofficialLevels", 1, 1, {"Run.Tester"}, false,
                "MenuSingleUnofficialLevels"},
        EndCase{"OfficialVersusCleared", "MenuVersusOfficialLevels", 1, 2, {"Level_1-1"}, true,
                "MenuVersusOfficialLevels"},
        EndCase{"CustomVersusAbandoned", "MenuVersusUnofficialLevels", 1, 2, {"Run.Tester"}, false,
                "MenuVersusUnofficialLevels"}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(MenuSwitch, AClearedChosenLevelIsRecordedBeforeTheListOpensAgain)
{
    OptionsManager::getInstance()->setNbJoueurs(1);
    dispatch("MenuSingleOfficialLevels", 1, {"Level_1-1"});
    GameManager* gm = GameManager::gm;
    ASSERT_NE(nullptr, gm);
    gm->playTime[0] = 12345;
    gm->finished = true;
    gm->state = GameManager::kQuit;
    jeu->refresh(40);
    ASSERT_EQ("MenuSingleOfficialLevels", currentName());
    EXPECT_TRUE(korvelin_test::fileExists(folders.userDir() + "Levels/Official/Level_1-1.kzs"))
        << log();
}

TEST_F(MenuSwitch, AnAbandonedRunRecordsNothing)
{
    OptionsManager::getInstance()->setNbJoueurs(1);
    dispatch("MenuSingleOfficialLevels", 1, {"Level_1-1"});
    GameManager* gm = GameManager::gm;
    ASSERT_NE(nullptr, gm);
    gm->playTime[0] = 12345;
    gm->state = GameManager::kQuit;
    jeu->refresh(40);
    ASSERT_EQ("MenuSingleOfficialLevels", currentName());
    EXPECT_FALSE(korvelin_test::fileExists(folders.userDir() + "Levels/Official/Level_1-1.kzs"));
}

TEST_F(MenuSwitch, MenuModeDrawsTheCurrentMenuInTheOverlayAndRestoresTheState)
{
    jeu->currentMenu = new MenuPrincipal();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    GLint projectionDepth = 0, modelviewDepth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);

    menus_test::QuadCapture capture;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    jeu->draw();
    const std::vector<menus_test::DrawnQuad> quads = capture.finish();
    // The background and its four slides over the whole window.
    EXPECT_EQ(5u, menus_test::quadsAt(quads, 0, 0, 1, 1).size());

    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(projectionDepth, depth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(modelviewDepth, depth);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

class SendingNotice : public MenuSwitch, public ::testing::WithParamInterface<bool> {};

// Lit pixels of the picture last drawn and swapped onto the screen. The
// software renderer of the test runs keeps it in the back buffer after the
// swap, where it can be read back.
int litPixelsOnScreen()
{
    const int width = 320, height = 240; // the test window
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 4));
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] > 40 || pixels[i + 1] > 40 || pixels[i + 2] > 40)
            ++lit;
    return lit;
}

TEST_P(SendingNotice, IsOnScreenWhileAClearedRunIsPostedOnlyWithAnAccount)
{
    const bool account = GetParam();
    LocalHttpServer server;
    korvelin_test::ScopedEnv address("KORVELIN_SCORE_SERVER", server.address());
    if (account) {
        folders.writeUserFile("Data/Account.dat", "77\tsecond\tsecrethash\n");
        SendScoreManager::getInstance()->load();
    }
    ASSERT_EQ(account, SendScoreManager::getInstance()->isLogged());
    OptionsManager::getInstance()->setNbJoueurs(1);
    dispatch("MenuSingleOfficialLevels", 1, {"Level_1-1"});
    GameManager* gm = GameManager::gm;
    ASSERT_NE(nullptr, gm);
    gm->playTime[0] = 12345;
    gm->finished = true;
    gm->state = GameManager::kQuit;

    // A black picture on screen, then the frame that ends the game.
    glViewport(0, 0, 320, 240);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    ASSERT_EQ(0, litPixelsOnScreen());
    jeu->refresh(40);
    ASSERT_EQ("MenuSingleOfficialLevels", currentName());

    if (account) {
        // The notice's text stands alone on the cleared screen.
        EXPECT_GT(litPixelsOnScreen(), 200);
        const std::vector<HttpRequest> requests = server.requests();
        ASSERT_EQ(2u, requests.size());
        EXPECT_EQ("/Game/sendLevelScore.php", requests[1].path);
    } else {
        EXPECT_EQ(0, litPixelsOnScreen());
        EXPECT_TRUE(server.requests().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Accounts, SendingNotice, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithAccount" : "WithoutAccount");
                         });

} // namespace
