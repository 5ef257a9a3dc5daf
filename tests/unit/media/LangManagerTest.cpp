#include "MediaTestSupport.h"

#include "services/LangManager.h"

#include <gtest/gtest.h>

using namespace media_test;

TEST(LangLine, SplitsKeyAndText)
{
    struct Case {
        const char* line;
        bool isText;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"title = Main menu", true, "title", "Main menu"},
        {"title  =  Main menu", true, "title", " Main menu"},
        {"title=x", true, "titl", "x"},
        {"title = a = b  ", true, "title", "a = b  "},
        {"title\tpart = tabbed", true, "title", "tabbed"},
        {"title = ", true, "title", ""},
        {"# title = comment", false, "", ""},
        {" # title = not a comment", true, "", "not a comment"},
        {"no equals sign", false, "", ""},
        {"", false, "", ""},
        {"= starts with equals", false, "", ""},
        {"=", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string key = "unchanged";
        std::string text = "unchanged";
        ASSERT_EQ(LangManager::lireLigne(c.line, key, text), c.isText);
        if (c.isText) {
            EXPECT_EQ(key, c.key);
            EXPECT_EQ(text, c.text);
        }
    }
}

namespace {

class LangManagerTest : public ::testing::Test {
protected:
    LangManagerTest()
    {
        sandbox.writeInstallFile("Data/Lang/Langs.dat", "English\ten\nFrançais\tfr\n");
    }
    MediaSandbox sandbox;
};

} // namespace

TEST_F(LangManagerTest, ReadsFileWithByteOrderMarkAndWindowsLineEnds)
{
    sandbox.writeInstallFile("Data/Lang/en/Game.dat",
                             "\xEF\xBB\xBFplay = Play\r\n"
                             "# comment = ignored\r\n"
                             "\r\n"
                             "=broken\r\n"
                             "exit = Leave\r\n"
                             "euro = 5 \xE2\x82\xAC\n");
    LangManager* lang = LangManager::getInstance();
    lang->charger();
    EXPECT_EQ(lang->get("play"), "Play");
    EXPECT_EQ(lang->get("exit"), "Leave");
    EXPECT_EQ(lang->get("euro"), "5 \xE2\x82\xAC");
    EXPECT_EQ(lang->get("#"), "");
    EXPECT_EQ(sandbox.countLogLines("[OK]", "LangManager @ charger : The lang file is loaded"), 1);
    EXPECT_EQ(sandbox.countLogLines("[ERROR]"), 1);
}

TEST_F(LangManagerTest, MissingTextIsEmptyAndLoggedEveryTime)
{
    sandbox.writeInstallFile("Data/Lang/en/Game.dat", "play = Play\nempty = \n");
    LangManager* lang = LangManager::getInstance();
    lang->charger();
    EXPECT_EQ(lang->get("nothing"), "");
    EXPECT_EQ(lang->get("nothing"), "");
    EXPECT_EQ(lang->get("empty"), "");
    EXPECT_EQ(sandbox.countLogLines("[ERROR]\tLangManager @ get The text does not exists :  : nothing"), 2);
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", ": empty"), 1);
    // The reference is the stored text itself.
    std::string& stored = lang->get("play");
    stored = "changed";
    EXPECT_EQ(lang->get("play"), "changed");
}

TEST_F(LangManagerTest, MissingFileLogsAndKeepsTexts)
{
    LangManager* lang = LangManager::getInstance();
    lang->charger();
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", "The lang file couldn't be opened"), 1);
    EXPECT_EQ(lang->get("play"), "");
}

TEST_F(LangManagerTest, LanguageInForceChoosesTheFolder)
{
    korvelin_test::OptionsText french;
    french.language = 1;
    sandbox.writeUserFile("Data/Options.dat", french.str());
    sandbox.writeInstallFile("Data/Lang/en/Game.dat", "play = Play\n");
    sandbox.writeInstallFile("Data/Lang/fr/Game.dat", "play = Jouer\n");
    LangManager* lang = LangManager::getInstance();
    lang->charger();
    EXPECT_EQ(lang->get("play"), "Jouer");
}

TEST_F(LangManagerTest, SwitchingLanguageKeepsKeysTheNewFileLacks)
{
    sandbox.writeInstallFile("Data/Lang/en/Game.dat", "play = Play\nonlyEnglish = Kept\n");
    sandbox.writeInstallFile("Data/Lang/fr/Game.dat", "play = Jouer\n");
    LangManager* lang = LangManager::getInstance();
    ASSERT_TRUE(lang->chargerFichier("Data/Lang/en/Game.dat"));
    ASSERT_TRUE(lang->chargerFichier("Data/Lang/fr/Game.dat"));
    EXPECT_EQ(lang->get("play"), "Jouer");
    EXPECT_EQ(lang->get("onlyEnglish"), "Kept");
}
