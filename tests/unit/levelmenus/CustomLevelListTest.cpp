// The one-player custom level list over a real "list.kzo" in the player's
// folder, driven with scripted key states and fixed frame times.
#include "LevelMenuTestSupport.h"

#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"

#include <GL/gl.h>

#include <filesystem>
#include <memory>

using namespace levelmenus_test;

namespace {

using Names = std::vector<std::string>;

class CustomLevelListTest : public LevelMenuTest {
protected:
    void SetUp() override
    {
        LevelMenuTest::SetUp();
        MenuSingleUnofficialLevels::etatStatic = 1;
        MenuSingleUnofficialLevels::choix = 0;
    }

    std::unique_ptr<MenuSingleUnofficialLevels> open()
    {
        auto menu = std::make_unique<MenuSingleUnofficialLevels>();
        menu->refresh(40);
        return menu;
    }

    static int item() { return MenuSingleUnofficialLevels::etatStatic; }
    static int choix() { return MenuSingleUnofficialLevels::choix; }
};

TEST_F(CustomLevelListTest, ReadsTheListInBothOrders)
{
    writeUserList("b.x\na.y c.z\n");
    MenuSingleUnofficialLevels menu;
    EXPECT_EQ(menu.getNom(), "MenuSingleUnofficialLevels");
    EXPECT_EQ(menu.itemCount, 3);
    EXPECT_EQ(menu.labels, (Names{"By title", "By author", "Back"}));
    EXPECT_EQ(menu.title, " - Single level");
    EXPECT_EQ(menu.byTitle, (Names{"a.y", "b.x", "c.z"}));
    EXPECT_EQ(menu.byAuthor, (Names{"b.x", "a.y", "c.z"}));
    EXPECT_NEAR(menu.authorColumnOffset, -0.05, 1e-6);
}

TEST_F(CustomLevelListTest, EachOrderHandsOverItsOwnSelectedName)
{
    installCustomLevels({"b.x", "a.y", "my.map.zed"});
    {
        auto menu = open();
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::DOWN);
        clearSounds();
        press(ClavierManager::VALIDATE);
        menu->refresh(40);
        EXPECT_EQ(menu->getCode(), 1);
        EXPECT_EQ(menu->getObject(), (Names{"my.map.zed"}));
        EXPECT_TRUE(allKeysCleared());
        EXPECT_EQ(validatePlays(), 1);
    }
    MenuSingleUnofficialLevels::choix = 0;
    {
        auto menu = open();
        tap(*menu, ClavierManager::RIGHT);
        ASSERT_EQ(item(), 2);
        // By author: b.x (x), a.y (y), my.map.zed (zed).
        tap(*menu, ClavierManager::UP);
        EXPECT_EQ(choix(), 2);
        tap(*menu, ClavierManager::VALIDATE);
        EXPECT_EQ(menu->getObject(), (Names{"my.map.zed"}));
        EXPECT_EQ(menu->selection, 1);
    }
}

TEST_F(CustomLevelListTest, ItemsWrapAndEveryItemChangeSelectsTheFirstLevel)
{
    installCustomLevels({"a.x", "b.x", "c.x"});
    auto menu = open();
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::LEFT);
    EXPECT_EQ(item(), 3);
    EXPECT_EQ(choix(), 0);
    clearSounds();
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(choix(), 0);
    EXPECT_EQ(movePlays(), 0);
    tap(*menu, ClavierManager::RIGHT);
    EXPECT_EQ(item(), 1);
    EXPECT_EQ(choix(), 0);
    tap(*menu, ClavierManager::UP);
    EXPECT_EQ(choix(), 2);
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(choix(), 0);
    EXPECT_EQ(movePlays(), 3);
}

TEST_F(CustomLevelListTest, OrderAndLevelSurviveTheMenuUntilBack)
{
    installCustomLevels({"a.x", "b.x", "c.x", "d.x"});
    {
        auto menu = open();
        tap(*menu, ClavierManager::RIGHT);
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::DOWN);
        tap(*menu, ClavierManager::VALIDATE);
        ASSERT_EQ(menu->getCode(), 1);
    }
    {
        auto menu = open();
        EXPECT_EQ(item(), 2);
        EXPECT_EQ(choix(), 2);
        EXPECT_EQ(menu->selection, 1);
        tap(*menu, ClavierManager::BACK);
        EXPECT_EQ(menu->getCode(), 3);
        EXPECT_TRUE(menu->getObject().empty());
    }
    auto menu = open();
    EXPECT_EQ(item(), 1);
    EXPECT_EQ(choix(), 0);
    tap(*menu, ClavierManager::LEFT);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getCode(), 3);
    EXPECT_TRUE(menu->getObject().empty());
}

TEST_F(CustomLevelListTest, RememberedLevelBeyondAShorterListIsBroughtWithinIt)
{
    installCustomLevels({"a.x", "b.x"});
    MenuSingleUnofficialLevels::choix = 6;
    auto menu = open();
    EXPECT_EQ(choix(), 1);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getObject(), (Names{"b.x"}));
}

TEST_F(CustomLevelListTest, NoListFileLeavesOnlyPreviousAndBack)
{
    MenuSingleUnofficialLevels::choix = 3;
    auto menu = open();
    EXPECT_TRUE(menu->byTitle.empty());
    EXPECT_EQ(choix(), 0);
    clearSounds();
    tap(*menu, ClavierManager::DOWN);
    tap(*menu, ClavierManager::UP);
    EXPECT_EQ(movePlays(), 2);
    EXPECT_EQ(choix(), 0);
    std::filesystem::remove(folders.userDir() + "Data/Keyboard.dat");
    press(ClavierManager::VALIDATE);
    menu->refresh(40);
    releaseAll();
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_TRUE(menu->getObject().empty());
    EXPECT_TRUE(allKeysCleared());
    EXPECT_EQ(validatePlays(), 1);
    EXPECT_TRUE(userFileExists("Data/Keyboard.dat"));
    EXPECT_EQ(menu->previewTexture(), 0u);
    EXPECT_EQ(menu->bestTimeText(), "");

    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    EXPECT_TRUE(quadsAt(quads, 0.915 - 0.35 / 1.6, 0.48, 0.35 / 1.6, 0.35).empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    tap(*menu, ClavierManager::BACK);
    EXPECT_EQ(menu->getCode(), 3);
}

TEST_F(CustomLevelListTest, SeedListOfTheInstallationIsReadAndCopied)
{
    folders.writeInstallFile("Levels/Custom/list.kzo", "Zigzag.Ines Clockwork.Ines\n");
    folders.writeInstallFile("Levels/Custom/Zigzag.Ines.kzl", "KZ2\n60 3 3\n1 1 1 blueSky\n");
    MenuSingleUnofficialLevels menu;
    EXPECT_EQ(menu.byTitle, (Names{"Clockwork.Ines", "Zigzag.Ines"}));
    EXPECT_EQ(userFile("Levels/Custom/list.kzo"), "Zigzag.Ines Clockwork.Ines\n");
    EXPECT_TRUE(userFileExists("Levels/Custom/Zigzag.Ines.kzl"));
}

TEST_F(CustomLevelListTest, AByteOrderMarkIsNotPartOfTheFirstName)
{
    // Saved by an editor that marks its UTF-8 files; the first level is
    // installed only, so reading the list must seed it under its plain name.
    folders.writeInstallFile("Levels/Custom/list.kzo", "\xEF\xBB\xBF" "b.x\r\na.y c.z\r\n");
    folders.writeInstallFile("Levels/Custom/b.x.kzl", "KZ2\n60 3 3\n1 1 1 blueSky\n");
    auto menu = open();
    EXPECT_EQ(menu->byTitle, (Names{"a.y", "b.x", "c.z"}));
    EXPECT_EQ(menu->byAuthor, (Names{"b.x", "a.y", "c.z"}));
    EXPECT_TRUE(userFileExists("Levels/Custom/b.x.kzl"));
    // First by author, it is handed over by its plain name.
    tap(*menu, ClavierManager::RIGHT);
    tap(*menu, ClavierManager::VALIDATE);
    EXPECT_EQ(menu->getObject(), (Names{"b.x"}));
}

TEST_F(CustomLevelListTest, ShippedSampleLevelsReachAFreshPlayersFolder)
{
    std::filesystem::create_directories(folders.installDir() + "/Levels");
    std::filesystem::copy(std::string(KORVELIN_STAGE_DIR) + "/Levels/Custom",
                          folders.installDir() + "/Levels/Custom",
                          std::filesystem::copy_options::recursive);
    MenuSingleUnofficialLevels menu;
    EXPECT_EQ(menu.byTitle, (Names{"Clockwork.Ines", "Green_Valley.Ines", "Zigzag.Ines"}));
    for (const std::string& name : menu.byTitle) {
        SCOPED_TRACE(name);
        const std::string level = "Levels/Custom/" + name + ".kzl";
        EXPECT_EQ(userFile(level), korvelin_test::readFile(folders.installDir() + "/" + level));
    }
}

TEST_F(CustomLevelListTest, UnsafeListWordsAreSkippedAndLogged)
{
    writeUserList("ok.zed ../../escape.x /abs.x ab\n");
    MenuSingleUnofficialLevels menu;
    EXPECT_EQ(menu.byTitle, (Names{"ok.zed"}));
    EXPECT_EQ(menu.byAuthor, (Names{"ok.zed"}));
    EXPECT_NE(log().find("../../escape.x"), std::string::npos);
    EXPECT_NE(log().find("/abs.x"), std::string::npos);
}

TEST_F(CustomLevelListTest, PreviewComesFromThePlayersFolder)
{
    installCustomLevels({"a.x", "b.x"});
    writeUserPng("Images/Previews/Custom/b.x.png");
    // A picture in the installation's custom folder is not the player's.
    writeInstallPng("Images/Previews/Custom/a.x.png");
    writeInstallPng("Images/Previews/NoPreview.png");
    CTextureManager* textures = CTextureManager::GetInstance();
    auto menu = open();
    const unsigned int fallback = menu->previewTexture();
    EXPECT_EQ(fallback, textures->GetTexture("Images/Previews/NoPreview.png"));
    EXPECT_NE(fallback, textures->GetTexture("default"));
    tap(*menu, ClavierManager::DOWN);
    const unsigned int own = menu->previewTexture();
    EXPECT_EQ(own, textures->GetTexture(folders.userDir() + "Images/Previews/Custom/b.x.png"));
    EXPECT_NE(own, fallback);
    tap(*menu, ClavierManager::LEFT);
    EXPECT_EQ(menu->previewTexture(), 0u);
}

TEST_F(CustomLevelListTest, BestTimeOfTheSelectedLevelInEitherOrder)
{
    installCustomLevels({"a.zed", "b.amy"});
    LevelScoresManager* scores = LevelScoresManager::getInstance();
    ASSERT_TRUE(scores->addScore("a.zed", 12.34));
    scores->saveScore("a.zed");
    delete LevelScoresManager::scoreManagerInst;
    LevelScoresManager::scoreManagerInst = nullptr;

    auto menu = open();
    EXPECT_EQ(menu->bestTimeText(), "12.3 s");
    tap(*menu, ClavierManager::RIGHT);
    // By author, b.amy comes first.
    EXPECT_EQ(menu->bestTimeText(), "----.- s");
    tap(*menu, ClavierManager::DOWN);
    EXPECT_EQ(menu->bestTimeText(), "12.3 s");
}

struct DrawCase {
    const char* name;
    bool wide;
    int levels;
    int item;
    bool preview;
    bool thumb;
};

void PrintTo(const DrawCase& c, std::ostream* out) { *out << c.name; }

class CustomLevelListDrawTest : public CustomLevelListTest,
                                public ::testing::WithParamInterface<DrawCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam().wide ? wideOptions() : narrowOptions();
    }
};

TEST_P(CustomLevelListDrawTest, DrawsPreviewAndThumbOnlyWhereTheyBelong)
{
    const DrawCase& c = GetParam();
    Names names;
    for (int i = 0; i < c.levels; ++i)
        names.push_back("level" + std::to_string(10 + i) + ".author");
    installCustomLevels(names);
    auto menu = open();
    EXPECT_NEAR(menu->authorColumnOffset, c.wide ? -0.05 : -0.097, 1e-6);
    for (int i = 1; i < c.item; ++i)
        tap(*menu, ClavierManager::RIGHT);
    tap(*menu, ClavierManager::UP);

    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();
    const double ratio = c.wide ? 1.6 : 4.0 / 3.0;
    EXPECT_EQ(quadsAt(quads, 0.915 - 0.35 / ratio, 0.48, 0.35 / ratio, 0.35).size(),
              c.preview ? 1u : 0u);
    const double thumbX = c.wide ? 0.616 : 0.567;
    const double travel = c.wide ? 0.385 : 0.368;
    // Up from the first level: the cursor is on the last one, the thumb at the bottom.
    EXPECT_EQ(quadsAt(quads, thumbX, 0.745 - travel, 1.0 / 24 / ratio, 0.1).size(),
              c.thumb ? 1u : 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CustomLevelListDrawTest,
    ::testing::Values(DrawCase{"TenLevelsNoThumb", true, 10, 1, true, false},
                      DrawCase{"ElevenLevelsThumb", true, 11, 1, true, true},
                      DrawCase{"ByAuthorNarrow", false, 11, 2, true, true},
                      DrawCase{"PreviousShowsNoList", true, 11, 3, false, false}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

} // namespace
