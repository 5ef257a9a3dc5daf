#include "GameHarness.h"
#include "WorldTestSupport.h"

#include "records/GhostManager.h"
#include "services/CTextureManager.h"
#include "services/LangManager.h"
#include "services/LightManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/BlocCassable.h"
#include "world/BlocDisposable.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"
#include "world/NiveauManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const char* const kSmallLevel = "60 2 3\n20 1 1\n1 1 1\n";

class NiveauManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SonsManager::getInstance();
        openGLWindow();
        niveau = NiveauManager::getInstance();
    }

    void TearDown() override { NiveauManager::kill(); }

    static void official(const std::string& name, const std::string& text)
    {
        writeFile("Levels/Official/" + name + ".kzl", text);
    }
    void custom(const std::string& name, const std::string& text)
    {
        writeFile(game.userRoot() + "Levels/Custom/" + name + ".kzl", text);
    }

    // Every block the level made, grid and moving ones.
    int blockCount()
    {
        int count = static_cast<int>(niveau->mobileBlocks.size());
        for (int r = 0; r < niveau->rows; r++)
            for (int c = 0; c < niveau->cols; c++)
                count += niveau->grid[r][c] != nullptr;
        return count;
    }

    void drawLevel()
    {
        glCallList(NiveauManager::backgroundList);
        for (int r = 0; r < niveau->rows; r++)
            for (int c = 0; c < niveau->cols; c++)
                if (niveau->grid[r][c] != nullptr)
                    niveau->grid[r][c]->draw();
        for (Bloc* b : niveau->mobileBlocks)
            b->draw();
    }

    TemporaryGame game;
    NiveauManager* niveau = nullptr;
};

TEST_F(NiveauManagerTest, StartsEmpty)
{
    EXPECT_EQ(niveau, NiveauManager::niveauManager);
    EXPECT_EQ(niveau->levelIndex, 1);
    EXPECT_EQ(niveau->difficulty, 1);
    EXPECT_EQ(niveau->grid, nullptr);
    EXPECT_EQ(niveau->rows, 0);
    EXPECT_EQ(niveau->cols, 0);
    EXPECT_FALSE(niveau->noMoreLevel);
    EXPECT_FALSE(niveau->hasGhost());
    EXPECT_EQ(niveau->getGhost(), &niveau->ghost);
    EXPECT_TRUE(niveau->hashes.empty());
    NiveauManager::kill();
    EXPECT_EQ(NiveauManager::niveauManager, nullptr);
    NiveauManager::kill(); // nothing to do
    niveau = NiveauManager::getInstance();
}

TEST_F(NiveauManagerTest, ReadsEachModeFromItsFolder)
{
    official("Level_1-1", kSmallLevel);
    custom("Canyon.Zed", "KZ2 75 2 2 0.5 0.6 0.7 blueSky 1 1 1 1");
    struct Case {
        int mode;
        const char* name;
        bool loads;
    };
    const Case cases[] = {
        {0, "Level_1-1", true}, {1, "Level_1-1", true}, {3, "Level_1-1", true},
        {2, "Canyon.Zed", true}, {4, "Canyon.Zed", true},
        {1, "Canyon.Zed", false},   // custom levels are not in the official folder
        {2, "Level_1-1", false},    // nor official ones among the custom levels
        {4, "Level_1-1.x", false},
    };
    for (const Case& c : cases) {
        NiveauManager::kill();
        niveau = NiveauManager::getInstance();
        niveau->mode = c.mode;
        niveau->chargerNiveau(c.name);
        EXPECT_EQ(niveau->noMoreLevel, !c.loads) << c.mode << " " << c.name;
        EXPECT_EQ(niveau->grid != nullptr, c.loads) << c.mode << " " << c.name;
        EXPECT_EQ(niveau->fileName, c.name);
    }
}

TEST_F(NiveauManagerTest, HeaderLightAndBackgroundOfBothGenerations)
{
    official("Old", "120 2 2 1 1 1 1");
    official("New", "KZ2 75 3 4 0.25 0.5 0.75 blueSky 1 1 1 1 1 1 1 1 1 1 1 1");
    niveau->mode = 1;

    niveau->chargerNiveau("New");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(niveau->levelTime, 75);
    EXPECT_EQ(niveau->rows, 4);
    EXPECT_EQ(niveau->cols, 5);
    float* difuse = LightManager::light->getDifuse();
    ASSERT_NE(difuse, nullptr);
    EXPECT_FLOAT_EQ(difuse[0], 0.25f);
    EXPECT_FLOAT_EQ(difuse[1], 0.5f);
    EXPECT_FLOAT_EQ(difuse[2], 0.75f);
    EXPECT_FLOAT_EQ(difuse[3], 1.0f);
    EXPECT_EQ(niveau->backgroundName, "blueSky");

    niveau->detruireNiveau();
    niveau->chargerNiveau("Old");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(niveau->levelTime, 120);
    EXPECT_EQ(niveau->rows, 3);
    EXPECT_EQ(niveau->cols, 3);
    difuse = LightManager::light->getDifuse();
    EXPECT_FLOAT_EQ(difuse[0], 1.0f);
    EXPECT_FLOAT_EQ(difuse[1], 1.0f);
    EXPECT_FLOAT_EQ(difuse[2], 1.0f);
    EXPECT_EQ(niveau->backgroundName, "blueSky");
}

TEST_F(NiveauManagerTest, EveryCellTypeMakesItsBlock)
{
    // Row 1: hole, breakable, three timers starting solid, three void.
    // Row 2: single use, double use, a moving block, plain 7, -3, 101, 62, 49.
    official("Kinds", "30 2 8\n"
                      "0 20 21 22 23 24 25 26\n"
                      "27 28 53 7 -3 101 62 49\n");
    niveau->mode = 1;
    niveau->chargerNiveau("Kinds");
    ASSERT_FALSE(niveau->noMoreLevel);

    enum Kind { Hole, Plain, Breakable, Timer, Disposable, Mobile };
    struct Case {
        int row, col, type;
        Kind kind;
        bool solid;
        int solidTime, voidTime, uses;
    };
    const Case cases[] = {
        {1, 1, 0, Hole, false, 0, 0, 0},
        {1, 2, 20, Breakable, true, 0, 0, 0},
        {1, 3, 21, Timer, true, 2000, 2000, 0},
        {1, 4, 22, Timer, true, 2000, 4000, 0},
        {1, 5, 23, Timer, true, 4000, 2000, 0},
        {1, 6, 24, Timer, false, 2000, 2000, 0},
        {1, 7, 25, Timer, false, 2000, 4000, 0},
        {1, 8, 26, Timer, false, 4000, 2000, 0},
        {2, 1, 27, Disposable, true, 0, 0, 1},
        {2, 2, 28, Disposable, true, 0, 0, 2},
        {2, 3, 53, Mobile, true, 0, 0, 0},
        {2, 4, 7, Plain, true, 0, 0, 0},
        {2, 5, -3, Plain, true, 0, 0, 0},
        {2, 6, 101, Plain, true, 0, 0, 0},
        {2, 7, 62, Plain, true, 0, 0, 0},
        {2, 8, 49, Plain, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Bloc* b = niveau->grid[c.row][c.col];
        const int list = 10 + (c.row - 1) * 8 + (c.col - 1);
        if (c.kind == Hole) {
            EXPECT_EQ(b, nullptr);
            continue;
        }
        if (c.kind == Mobile) {
            EXPECT_EQ(b, nullptr) << "a moving block's cell stays empty";
            ASSERT_EQ(niveau->mobileBlocks.size(), 1u);
            b = niveau->mobileBlocks[0];
            EXPECT_NE(dynamic_cast<BlocMobile*>(b), nullptr);
        }
        ASSERT_NE(b, nullptr) << c.type;
        EXPECT_EQ(b->getType(), c.type);
        EXPECT_EQ(b->isSolid(), c.solid) << c.type;
        EXPECT_EQ(b->getNumeroObjet(), list) << c.type;
        EXPECT_FLOAT_EQ(b->getX(), static_cast<float>(c.col));
        EXPECT_FLOAT_EQ(b->getZ(), static_cast<float>(c.row));
        EXPECT_FLOAT_EQ(b->getY(), -0.6f);
        switch (c.kind) {
        case Plain:
            EXPECT_EQ(dynamic_cast<BlocCassable*>(b), nullptr);
            EXPECT_EQ(dynamic_cast<BlocTimer*>(b), nullptr);
            EXPECT_EQ(dynamic_cast<BlocDisposable*>(b), nullptr);
            EXPECT_EQ(dynamic_cast<BlocMobile*>(b), nullptr);
            break;
        case Breakable:
            EXPECT_NE(dynamic_cast<BlocCassable*>(b), nullptr);
            break;
        case Timer: {
            BlocTimer* t = dynamic_cast<BlocTimer*>(b);
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->solidTime, c.solidTime) << c.type;
            EXPECT_EQ(t->voidTime, c.voidTime) << c.type;
            break;
        }
        case Disposable: {
            BlocDisposable* d = dynamic_cast<BlocDisposable*>(b);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->uses, c.uses);
            break;
        }
        default:
            break;
        }
    }
}

TEST_F(NiveauManagerTest, ShortFileLeavesHolesAndExtraNumbersAreIgnored)
{
    official("Short", "60 3 3 1 1 1 1");
    official("Long", "60 2 2 1 1 1 1 5 5 5 5 5");
    niveau->mode = 1;
    niveau->chargerNiveau("Short");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(blockCount(), 4);
    EXPECT_NE(niveau->grid[2][1], nullptr);
    EXPECT_EQ(niveau->grid[2][2], nullptr);
    EXPECT_EQ(niveau->grid[3][3], nullptr);
    niveau->detruireNiveau();

    niveau->chargerNiveau("Long");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(blockCount(), 4);
    EXPECT_EQ(niveau->grid[2][2]->getType(), 1);
}

TEST_F(NiveauManagerTest, ANumberRunIntoLettersIsPlacedAndEndsTheCells)
{
    // "12abc" places 12; the read after it fails, so the rest are holes.
    official("Tail", "60 3 2\n4 12abc\n9 9\n9 9\n");
    niveau->mode = 1;
    niveau->chargerNiveau("Tail");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(blockCount(), 2);
    ASSERT_NE(niveau->grid[1][1], nullptr);
    ASSERT_NE(niveau->grid[1][2], nullptr);
    EXPECT_EQ(niveau->grid[1][1]->getType(), 4);
    EXPECT_EQ(niveau->grid[1][2]->getType(), 12);
    EXPECT_EQ(niveau->grid[2][1], nullptr);
    // The digest follows the cells placed: md5 of "6032412".
    EXPECT_EQ(niveau->hashes, std::vector<std::string>{"7f5e84a71bcda61b3993f2122be13d92"});
}

TEST_F(NiveauManagerTest, MissingOrRefusedFilesStopTheGameAndKeepTheLevel)
{
    official("Good", kSmallLevel);
    official("Empty", "");
    official("NoRows", "60 1 3 1 1 1");
    official("Huge", "60 5000 5000");
    official("TimeZero", "0 2 3 1 1 1 1 1 1");
    official("Garbled", "KZ2 sixty 2 3");
    const char* bad[] = {"Missing", "Empty", "NoRows", "Huge", "TimeZero", "Garbled", "../Official/Good"};
    for (const char* name : bad) {
        NiveauManager::kill();
        niveau = NiveauManager::getInstance();
        niveau->mode = 1;
        niveau->chargerNiveau("Good");
        ASSERT_FALSE(niveau->noMoreLevel);
        Bloc*** grid = niveau->grid;
        const std::size_t hashes = niveau->hashes.size();

        niveau->chargerNiveau(name);
        EXPECT_TRUE(niveau->noMoreLevel) << name;
        EXPECT_EQ(niveau->fileName, name);
        EXPECT_EQ(niveau->title, name);
        EXPECT_EQ(niveau->grid, grid) << name;
        EXPECT_EQ(niveau->rows, 3);
        EXPECT_EQ(niveau->cols, 4);
        EXPECT_EQ(niveau->levelTime, 60);
        EXPECT_EQ(niveau->hashes.size(), hashes);

        // Nothing further is loaded once noMoreLevel is set.
        niveau->chargerNiveau();
        EXPECT_EQ(niveau->fileName, name);
    }
}

TEST_F(NiveauManagerTest, UnsafeCustomNamesBuildNoPath)
{
    custom("Canyon.Zed", kSmallLevel);
    const char* names[] = {"../Custom/Canyon.Zed", "Canyon", ".Zed", "Canyon.", "Can\nyon.Zed", ""};
    for (const char* name : names) {
        NiveauManager::kill();
        niveau = NiveauManager::getInstance();
        niveau->mode = 2;
        niveau->chargerNiveau(name);
        EXPECT_TRUE(niveau->noMoreLevel) << name;
        EXPECT_EQ(niveau->grid, nullptr);
    }
}

TEST_F(NiveauManagerTest, DisplayTitles)
{
    writeFile("by.dat", "by = by\n");
    ASSERT_TRUE(LangManager::getInstance()->chargerFichier("by.dat"));
    struct Case {
        int mode;
        const char* name;
        const char* title;
    };
    const Case cases[] = {
        {2, "Long_Level_Name.someone", "Long Level... by someone"},
        {4, "Long_Level_Name.someone", "Long Level... by someone"},
        {2, "ab.cd", "ab by cd"},
        {2, "noauthor", "noauthor"},
        {2, "no_author", "no author"},
        {2, ".hidden", ".hidden"},
        {2, "Exactly_13_ch.someone", "Exactly 13 ch by someone"},
        {2, "Title.an_author_with_25_chars", "T... by an author with 25 chars"},
        {2, "T\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.someone",
         "T\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9... by someone"}, // cut between characters
        {0, "Level_1-2", "Level_1-2"},
        {1, "Level_1-2", "Level_1-2"},
        {3, "Some_official.name", "Some_official.name"},
    };
    for (const Case& c : cases) {
        niveau->mode = c.mode;
        niveau->renommeNiveau(c.name);
        EXPECT_EQ(niveau->fileName, c.name);
        EXPECT_EQ(niveau->title, c.title) << c.name;
    }

    writeFile("par.dat", "by = par\n");
    ASSERT_TRUE(LangManager::getInstance()->chargerFichier("par.dat"));
    niveau->mode = 2;
    niveau->renommeNiveau("ab.cd");
    EXPECT_EQ(niveau->title, "ab par cd");
}

TEST_F(NiveauManagerTest, DifficultyRunWalksTheOfficialLevels)
{
    official("Level_3-12", kSmallLevel);
    niveau->mode = 0;
    niveau->difficulty = 3;
    niveau->levelIndex = 12;
    niveau->chargerNiveau();
    EXPECT_FALSE(niveau->noMoreLevel);
    EXPECT_EQ(niveau->fileName, "Level_3-12");
    EXPECT_NE(niveau->grid, nullptr);

    // Level_3-13 is missing: the run is over.
    niveau->detruireNiveau();
    niveau->levelIndex = 13;
    niveau->chargerNiveau();
    EXPECT_TRUE(niveau->noMoreLevel);
    EXPECT_EQ(niveau->grid, nullptr);
}

TEST_F(NiveauManagerTest, ListsPlayTheirNamesInOrder)
{
    custom("First.me", kSmallLevel);
    custom("Second.me", "60 2 2 1 1 1 1");
    niveau->mode = 4;
    niveau->difficulty = -1;
    niveau->levelNames = {"First.me", "Second.me"};
    niveau->chargerNiveau();
    EXPECT_EQ(niveau->fileName, "First.me");
    EXPECT_EQ(niveau->cols, 4);
    niveau->detruireNiveau();
    niveau->levelIndex = 2;
    niveau->chargerNiveau();
    EXPECT_EQ(niveau->fileName, "Second.me");
    EXPECT_EQ(niveau->cols, 3);
    EXPECT_FALSE(niveau->noMoreLevel);
    niveau->detruireNiveau();

    // Past the end of the list (the game manager normally stops first).
    niveau->levelIndex = 3;
    niveau->chargerNiveau();
    EXPECT_TRUE(niveau->noMoreLevel);
}

TEST_F(NiveauManagerTest, EmptyListLoadsNothing)
{
    niveau->mode = 1;
    niveau->difficulty = -1;
    niveau->chargerNiveau();
    EXPECT_TRUE(niveau->noMoreLevel);
    EXPECT_EQ(niveau->grid, nullptr);
}

TEST_F(NiveauManagerTest, DigestsOfTheLevelsOfAGame)
{
    official("A", kSmallLevel);
    official("B", "60 2 3\n20 1 1\n7 7 7\n"); // same layout but for the last row
    official("C", "60 2 2 1 1 1 1");
    const std::string a = "2cc50a06fbabbede7454f03eeafef232";

    // A chosen list: a restart of its first level replaces the digest.
    niveau->mode = 1;
    niveau->difficulty = -1;
    niveau->levelNames = {"A", "C"};
    niveau->chargerNiveau();
    ASSERT_EQ(niveau->hashes, std::vector<std::string>{a});
    niveau->detruireNiveau();
    niveau->chargerNiveau();
    EXPECT_EQ(niveau->hashes, std::vector<std::string>{a});
    niveau->detruireNiveau();
    niveau->levelIndex = 2;
    niveau->chargerNiveau();
    ASSERT_EQ(niveau->hashes.size(), 2u);
    EXPECT_EQ(niveau->hashes[0], a);
    const std::string c = niveau->hashes[1];
    EXPECT_NE(c, a);
    // A restart of the second level of a list empties it first.
    niveau->detruireNiveau();
    niveau->chargerNiveau();
    EXPECT_EQ(niveau->hashes, std::vector<std::string>{c});

    // The last row is not part of a level's identity.
    NiveauManager::kill();
    niveau = NiveauManager::getInstance();
    niveau->mode = 1;
    niveau->chargerNiveau("B");
    EXPECT_EQ(niveau->hashes, std::vector<std::string>{a});

    // A difficulty run keeps its digests on a restart.
    NiveauManager::kill();
    niveau = NiveauManager::getInstance();
    official("Level_2-1", kSmallLevel);
    official("Level_2-2", "60 2 2 1 1 1 1");
    niveau->mode = 0;
    niveau->difficulty = 2;
    niveau->chargerNiveau();
    niveau->detruireNiveau();
    niveau->levelIndex = 2;
    niveau->chargerNiveau();
    niveau->detruireNiveau();
    niveau->chargerNiveau();
    EXPECT_EQ(niveau->hashes, (std::vector<std::string>{a, c}));
}

TEST_F(NiveauManagerTest, GhostOfASingleLevel)
{
    official("Level_1-1", kSmallLevel);
    official("Level_1-2", kSmallLevel);
    Ghost run;
    run.addPosition(Position(0, 1, 0, 1, 0, 0, 0));
    run.addPosition(Position(100, 2, 0, 1, 0, 0, 0));
    GhostManager::getInstance()->addGhost("Level_1-1", run);

    niveau->mode = 1;
    niveau->difficulty = -1;
    niveau->levelNames = {"Level_1-1", "Level_1-2"};
    niveau->chargerNiveau();
    EXPECT_TRUE(niveau->hasGhost());
    EXPECT_EQ(niveau->getGhost()->getPositions().size(), 2u);
    EXPECT_EQ(niveau->getGhost()->getLastRecordedTime(), -51);

    niveau->detruireNiveau();
    niveau->levelIndex = 2;
    niveau->chargerNiveau();
    EXPECT_FALSE(niveau->hasGhost());

    // Versus lists do not look for ghosts: the flag keeps its value.
    NiveauManager::kill();
    niveau = NiveauManager::getInstance();
    niveau->mode = 3;
    niveau->difficulty = -1;
    niveau->levelNames = {"Level_1-1"};
    niveau->chargerNiveau();
    EXPECT_FALSE(niveau->hasGhost());
}

TEST_F(NiveauManagerTest, BackgroundFollowsQualityAndAspect)
{
    // Set apart from the fixture's options: Low textures at 1920 x 1080 (16:9).
    NiveauManager::kill();
    OptionsManager::kill();
    std::ifstream seed(std::string(KORVELIN_SOURCE_DIR) + "/data/Data/Options.dat");
    std::vector<std::string> lines;
    for (std::string line; std::getline(seed, line);)
        lines.push_back(line);
    ASSERT_GE(lines.size(), 9u);
    lines[1] = "1920";
    lines[2] = "1080";
    lines[7] = "0"; // texture quality: low
    std::ostringstream options;
    for (const std::string& line : lines)
        options << line << "\n";
    writeFile(game.userRoot() + "Data/Options.dat", options.str());
    OptionsManager* settings = OptionsManager::getInstance();
    ASSERT_EQ(settings->getPathTextures(0), "Low");
    ASSERT_EQ(settings->getScale(0), 2);

    // Any image SDL_image reads will do; the file's name is what is tested.
    const std::string path = "Images/Backgrounds/Low/Ratio-16-10/blueSky.png";
    writeFile(path, "");
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_EQ(SDL_SaveBMP(picture, path.c_str()), 0);
    SDL_FreeSurface(picture);

    official("Level_1-1", kSmallLevel);
    niveau = NiveauManager::getInstance();
    niveau->mode = 1;
    niveau->chargerNiveau("Level_1-1");
    CTextureManager* textures = CSingleton<CTextureManager>::GetInstance();
    EXPECT_NE(niveau->backgroundTexture, textures->GetTexture("default"));
    EXPECT_EQ(niveau->backgroundTexture, textures->GetTexture(path));
}

// The same level world with the debug log on, for the error lines.
class NiveauManagerLogTest : public NiveauManagerTest {
protected:
    void SetUp() override
    {
        korvelin_test::OptionsText options; // 640 x 480, high textures, debug on
        writeFile(game.userRoot() + "Data/Options.dat", options.str());
        NiveauManagerTest::SetUp();
    }

    static std::string log() { return korvelin_test::readFile("Debug.txt"); }
};

TEST_F(NiveauManagerLogTest, BackgroundNamesLeavingTheirFolderArePlayedOverTheDefaultTexture)
{
    // Real pictures where "../x" would lead from the backgrounds folder,
    // and in that folder itself: neither may be read for these names.
    for (const char* path : {"Images/Backgrounds/High/x.png", "Images/Backgrounds/High/Ratio-4-3/x.png"}) {
        writeFile(path, "");
        SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xFF, 0xFF00, 0xFF0000, 0);
        ASSERT_EQ(SDL_SaveBMP(picture, path), 0);
        SDL_FreeSurface(picture);
    }
    const unsigned int fallback = CSingleton<CTextureManager>::GetInstance()->GetTexture("default");
    for (const char* name : {"../x", "..", "..\\x", "sub/x", "/x"}) {
        SCOPED_TRACE(name);
        NiveauManager::kill();
        niveau = NiveauManager::getInstance();
        niveau->mode = 1;
        official("Sky", std::string("KZ2 60 2 3 1 1 1 ") + name + " 20 1 1 1 1 1");
        niveau->chargerNiveau("Sky");
        ASSERT_FALSE(niveau->noMoreLevel);
        EXPECT_EQ(blockCount(), 6);
        EXPECT_EQ(niveau->backgroundName, name);
        EXPECT_EQ(niveau->backgroundTexture, fallback);
        EXPECT_NE(log().find("[ERROR]\tNiveauManager @ chargerNiveau : Unusable background name : " +
                             std::string(name) + "\n"),
                  std::string::npos);
        EXPECT_EQ(niveau->hashes.size(), 1u);
    }
    EXPECT_EQ(log().find("x.png"), std::string::npos) << "a path was built from a refused name";
}

TEST_F(NiveauManagerTest, DrawsAndFreesExactlyItsDisplayLists)
{
    // Lists the level does not own: they must survive its teardown.
    const GLuint others[] = {2, 9, 10 + 12, 10 + 12 + 1};
    for (GLuint list : others) {
        glNewList(list, GL_COMPILE);
        glEndList();
    }
    official("Big", "KZ2 60 3 4 1 1 1 blueSky\n"
                    "7 20 21 24\n"
                    "27 28 50 0\n"
                    "1 1 53 1\n");
    official("Small", "60 2 2 1 1 1 1");
    niveau->mode = 1;
    niveau->chargerNiveau("Big");
    ASSERT_FALSE(niveau->noMoreLevel);
    EXPECT_TRUE(glIsList(1));
    for (int k = 0; k < 12; k++) {
        if (k != 7) { // the hole
            EXPECT_TRUE(glIsList(10 + k)) << k;
        }
    }

    // Play a little so that blocks recompile their lists, then draw.
    niveau->utiliser(1, 1);
    niveau->utiliser(2, 1);
    niveau->utiliser(2, 2);
    for (int frame = 0; frame < 20; frame++) {
        niveau->refreshFixedBlocs(16);
        niveau->refreshMobileBlocs(16);
        niveau->collisionMobileBlocs(16);
        niveau->collisionFixedBlocs(16);
        drawLevel();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    niveau->detruireNiveau();
    EXPECT_EQ(niveau->grid, nullptr);
    EXPECT_EQ(niveau->rows, 0);
    EXPECT_EQ(niveau->cols, 0);
    EXPECT_TRUE(niveau->mobileBlocks.empty());
    EXPECT_FALSE(glIsList(1));
    for (int k = 0; k < 12; k++)
        EXPECT_FALSE(glIsList(10 + k)) << k;
    for (GLuint list : others)
        EXPECT_TRUE(glIsList(list)) << list;

    // A second level, and the manager's own destruction, do the same.
    niveau->chargerNiveau("Small");
    EXPECT_TRUE(glIsList(1));
    EXPECT_TRUE(glIsList(13));
    drawLevel();
    NiveauManager::kill();
    niveau = NiveauManager::getInstance();
    EXPECT_FALSE(glIsList(1));
    for (int k = 0; k < 4; k++)
        EXPECT_FALSE(glIsList(10 + k)) << k;
    for (GLuint list : others)
        EXPECT_TRUE(glIsList(list)) << list;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(NiveauManagerTest, LoadingOverAStandingLevelFreesItFirst)
{
    official("Big", "60 3 3 1 1 1 1 1 1 1 1 1");
    official("Small", "60 2 1 1 1");
    niveau->mode = 1;
    niveau->chargerNiveau("Big");
    EXPECT_TRUE(glIsList(18));
    niveau->chargerNiveau("Small");
    EXPECT_FALSE(glIsList(18));
    EXPECT_TRUE(glIsList(11));
    EXPECT_EQ(niveau->rows, 3);
    EXPECT_EQ(niveau->cols, 2);
    EXPECT_EQ(blockCount(), 2);
}

} // namespace
