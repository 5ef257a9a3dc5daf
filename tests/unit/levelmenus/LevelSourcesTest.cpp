// Where the level lists take their levels from: the probe of the official
// level files, the custom list file of the user folder, and the window of
// rows a list shows.
#include "LevelMenuTestSupport.h"

#include "levelmenus/CustomLevelList.h"
#include "levelmenus/LevelListWindow.h"
#include "levelmenus/OfficialLevelScan.h"
#include "services/DataFileManager.h"

#include <filesystem>

using namespace levelmenus_test;

namespace {

using Names = std::vector<std::string>;

class LevelSourcesTest : public LevelMenuTest {
protected:
    Names sortedScan()
    {
        Names names = scanOfficialLevels();
        sortLevelNames(names);
        return names;
    }
};

struct ScanCase {
    const char* name;
    Names installed;
    Names listed;
};

TEST_F(LevelSourcesTest, OfficialScanStopsAtTheSecondMissingFileInARow)
{
    const ScanCase cases[] = {
        {"gap in a world", {"Level_1-1", "Level_1-2", "Level_1-4"}, {"Level_1-1", "Level_1-2"}},
        {"missing middle world", {"Level_1-1", "Level_1-2", "Level_3-1"},
         {"Level_1-1", "Level_1-2"}},
        {"no first world", {"Level_2-1", "Level_2-2"}, {"Level_2-1", "Level_2-2"}},
        {"neither of the first two worlds", {"Level_3-1"}, {}},
        {"nothing installed", {}, {}},
        {"leading zero is another file", {"Level_1-01"}, {}},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        korvelin_test::SandboxedGameFolders install;
        for (const std::string& name : c.installed)
            install.writeInstallFile("Levels/Official/" + name + ".kzl", "KZ2\n60 3 3\n");
        EXPECT_EQ(sortedScan(), c.listed);
    }
}

TEST_F(LevelSourcesTest, OfficialListIsInByteOrder)
{
    installOfficialWorlds({12, 3});
    const Names expected = {"Level_1-1",  "Level_1-10", "Level_1-11", "Level_1-12", "Level_1-2",
                            "Level_1-3",  "Level_1-4",  "Level_1-5",  "Level_1-6",  "Level_1-7",
                            "Level_1-8",  "Level_1-9",  "Level_2-1",  "Level_2-2",  "Level_2-3"};
    EXPECT_EQ(sortedScan(), expected);
}

TEST_F(LevelSourcesTest, CustomListWordsAreSeparatedByAnyWhitespace)
{
    writeUserList("b.x a.y\r\n\tc.z\n\n");
    Names byTitle = CustomLevelList::read(DataFileManager::GetInstance());
    Names byAuthor = byTitle;
    sortLevelNames(byTitle);
    CustomLevelList::sortByAuthor(byAuthor);
    EXPECT_EQ(byTitle, (Names{"a.y", "b.x", "c.z"}));
    EXPECT_EQ(byAuthor, (Names{"b.x", "a.y", "c.z"}));
}

TEST_F(LevelSourcesTest, AuthorOrderThenTitleOrder)
{
    Names names = {"zz.zed", "aa.zed", "m.abc", "q.ab", "my.map.zed"};
    CustomLevelList::sortByAuthor(names);
    // "." sorts before letters, so author ab comes before abc.
    EXPECT_EQ(names, (Names{"q.ab", "m.abc", "aa.zed", "my.map.zed", "zz.zed"}));
}

TEST_F(LevelSourcesTest, ShortWordsAreDroppedSilentlyAndUnsafeNamesWithALogLine)
{
    writeUserList("ab x a.b ../up.evil a/b.c dir\\x.y .hidden.z trailing. nodot "
                  "Green_Valley.Ines tab\x01.x " +
                  std::string(201, 'l') + ".x ok.author");
    const Names names = CustomLevelList::read(DataFileManager::GetInstance());
    EXPECT_EQ(names, (Names{"a.b", "Green_Valley.Ines", "ok.author"}));
    const std::string text = log();
    for (const char* refused : {"../up.evil", "a/b.c", "dir\\x.y", ".hidden.z", "trailing.", "nodot"})
        EXPECT_NE(text.find(refused), std::string::npos) << refused;
    // Words of one or two characters are not worth a line.
    EXPECT_EQ(text.find(" ab\n"), std::string::npos);
    // Nothing was created outside the player's custom level folder.
    EXPECT_FALSE(korvelin_test::fileExists(folders.userDir() + "Levels/up.evil.kzl"));
}

TEST_F(LevelSourcesTest, ListAndLevelsAreSeededFromTheInstallation)
{
    folders.writeInstallFile("Levels/Custom/list.kzo", "Canyon.Zed\nLost.Zed\n");
    folders.writeInstallFile("Levels/Custom/Canyon.Zed.kzl", "KZ2\n60 3 3\n1 1 1 blueSky\n");
    const Names names = CustomLevelList::read(DataFileManager::GetInstance());
    EXPECT_EQ(names, (Names{"Canyon.Zed", "Lost.Zed"}));
    EXPECT_TRUE(userFileExists("Levels/Custom/list.kzo"));
    EXPECT_EQ(userFile("Levels/Custom/Canyon.Zed.kzl"), "KZ2\n60 3 3\n1 1 1 blueSky\n");
    // A listed level without a file stays listed; its game will refuse it.
    EXPECT_FALSE(userFileExists("Levels/Custom/Lost.Zed.kzl"));
}

TEST_F(LevelSourcesTest, NoListFileAnywhereGivesAnEmptyList)
{
    EXPECT_TRUE(CustomLevelList::read(DataFileManager::GetInstance()).empty());
    writeUserList("");
    EXPECT_TRUE(CustomLevelList::read(DataFileManager::GetInstance()).empty());
}

TEST_F(LevelSourcesTest, UnreadableListEndsTheReading)
{
    // A list that opens but cannot be read (a folder of that name) must end
    // the reading, not loop on a failing stream.
    std::filesystem::create_directories(folders.userDir() + "Levels/Custom/list.kzo");
    EXPECT_TRUE(CustomLevelList::read(DataFileManager::GetInstance()).empty());
}

TEST_F(LevelSourcesTest, NamesSplitAtTheLastDotAndLongTitlesShortenOnACharacterBoundary)
{
    EXPECT_EQ(CustomLevelList::titleOf("my.map.zed"), "my.map");
    EXPECT_EQ(CustomLevelList::authorOf("my.map.zed"), "zed");
    EXPECT_EQ(CustomLevelList::titleOf("Canyon.Zed"), "Canyon");
    EXPECT_EQ(CustomLevelList::authorOf("Canyon.Zed"), "Zed");

    const std::string t25(25, 't');
    const std::string t26(26, 't');
    EXPECT_EQ(CustomLevelList::shortTitle(t25), t25);
    EXPECT_EQ(CustomLevelList::shortTitle(t26), std::string(23, 't') + "...");
    // Characters, not bytes: 22 letters and "é" are the first 23 characters.
    const std::string accented = std::string(22, 'a') + "\xC3\xA9" + "bcd";
    EXPECT_EQ(CustomLevelList::shortTitle(accented), std::string(22, 'a') + "\xC3\xA9...");
    const std::string shortAccented = std::string(20, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9";
    EXPECT_EQ(CustomLevelList::shortTitle(shortAccented), shortAccented);
}

struct WindowCase {
    const char* name;
    int count;
    int rows;
    int cursor;
    std::vector<int> entries;
    int highlightedRow;
};

TEST_F(LevelSourcesTest, WindowShowsTheCursorOnTopOnlyWhenTheListDoesNotFit)
{
    const WindowCase cases[] = {
        {"20 levels, cursor 18", 20, 8, 18, {18, 19, 0, 1, 2, 3, 4, 5}, 0},
        {"5 levels, cursor 3", 5, 8, 3, {0, 1, 2, 3, 4, -1, -1, -1}, 3},
        {"8 levels fit", 8, 8, 7, {0, 1, 2, 3, 4, 5, 6, 7}, 7},
        {"9 levels", 9, 8, 0, {0, 1, 2, 3, 4, 5, 6, 7}, 0},
        {"10 levels in 10 rows", 10, 10, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 9},
        {"11 levels in 10 rows", 11, 10, 4, {4, 5, 6, 7, 8, 9, 10, 0, 1, 2}, 0},
        {"empty", 0, 8, 0, {-1, -1, -1, -1, -1, -1, -1, -1}, -1},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<LevelListWindow::Row> rows =
            LevelListWindow::rows(c.count, c.rows, c.cursor);
        std::vector<int> entries;
        int highlighted = -1;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            entries.push_back(rows[i].entry);
            if (rows[i].highlighted) {
                EXPECT_EQ(highlighted, -1) << "two highlighted rows";
                highlighted = static_cast<int>(i);
            }
        }
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(highlighted, c.highlightedRow);
    }
}

TEST_F(LevelSourcesTest, CursorWrapsAndARememberedIndexIsBroughtWithinTheList)
{
    EXPECT_EQ(LevelListWindow::step(0, -1, 5), 4);
    EXPECT_EQ(LevelListWindow::step(4, +1, 5), 0);
    EXPECT_EQ(LevelListWindow::step(2, +1, 5), 3);
    EXPECT_EQ(LevelListWindow::step(0, -1, 0), 0);
    EXPECT_EQ(LevelListWindow::step(0, +1, 0), 0);
    EXPECT_EQ(LevelListWindow::clamp(7, 5), 4);
    EXPECT_EQ(LevelListWindow::clamp(3, 5), 3);
    EXPECT_EQ(LevelListWindow::clamp(3, 0), 0);
    EXPECT_EQ(LevelListWindow::clamp(-2, 5), 0);
}

} // namespace
