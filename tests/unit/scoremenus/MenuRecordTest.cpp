// The new-record screen over real table files: ranking, name entry with
// scripted keys, the exact table written, and a write that cannot be made.

#include "../optionsmenu/MenuTestFixture.h"
#include "ScoreTables.h"

#include "levelmenus/MenuRecord.h"
#include "records/DifficultyScoresManager.h"
#include "services/ColorManager.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>

#include <sstream>

namespace {

using menu_test::MenuFixture;
using K = ClavierManager;
using Rows = std::vector<std::pair<std::string, std::string>>;

// The enciphered field of "83.4 ": fifteen digits, the last three the blank.
const char* const kField83_4 = "172158098164089";

std::string emptyLines(int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += "K.Z\t9999.9\n";
    return out;
}

// Ten distinct times, 100.0 s to 190.0 s, names AAB ... AAK.
Rows fullTable()
{
    Rows rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back({ std::string("AA") + static_cast<char>('B' + i), std::to_string(100 + 10 * i) + ".0 " });
    return rows;
}

class RecordScreen : public MenuFixture {
protected:
    void open(const std::string& time, int difficulty = 3)
    {
        openDevices();
        menu = std::make_unique<MenuRecord>(time, "0.0 ", difficulty);
        menu->refresh(40);
    }

    // Validates the three letters as they stand.
    void validateName()
    {
        for (int i = 0; i < 3; ++i)
            tap(*menu, K::VALIDATE);
    }

    std::string table(int difficulty = 3) { return userFile(score_test::tablePath(difficulty)); }

    std::unique_ptr<MenuRecord> menu;
};

TEST_F(RecordScreen, WithoutATableAnyTimeRanksFirstAndIsWrittenWhole)
{
    open("83.4 ");
    EXPECT_EQ(menu->getNom(), "MenuRecord");
    EXPECT_EQ(menu->getRank(), 1);
    EXPECT_EQ(menu->positionText(), "1" + text("st"));
    EXPECT_EQ(menu->getCursor(), 0);
    EXPECT_EQ(menu->getPlayerName(), "AAA");
    ASSERT_EQ(menu->itemCount, 1);
    EXPECT_EQ(menu->labels.at(0), text("choosePseudo"));

    tap(*menu, K::UP);    // A -> Z
    tap(*menu, K::RIGHT);
    tap(*menu, K::DOWN);  // A -> B
    tap(*menu, K::VALIDATE); // onto the third letter
    EXPECT_EQ(menu->getCursor(), 2);
    EXPECT_FALSE(userFileExists(score_test::tablePath(3)));
    silence();
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCursor(), -1);
    EXPECT_EQ(menu->labels.at(0), text("ok"));
    EXPECT_EQ(validateSounds(), 1);
    EXPECT_EQ(table(), std::string("ZBA\t") + kField83_4 + "\n" + emptyLines(9));
    // The store has read the new table.
    EXPECT_EQ(DifficultyScoresManager::scoreManagerInst->getName(2, 0), "ZBA");
    EXPECT_EQ(DifficultyScoresManager::scoreManagerInst->getScore(2, 0), "83.4 ");
    EXPECT_EQ(menu->getCode(), 0);

    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_TRUE(allKeyStatesClear());
}

TEST_F(RecordScreen, WritesOnlyTheTableOfItsOwnDifficulty)
{
    for (int d = 1; d <= 6; ++d)
        folders->writeUserFile(score_test::tablePath(d), emptyLines(10));
    open("83.4 ", 6);
    validateName();
    EXPECT_EQ(table(6), std::string("AAA\t") + kField83_4 + "\n" + emptyLines(9));
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(table(d), emptyLines(10)) << d;
}

TEST_F(RecordScreen, TimeEqualToTheThirdRanksFourthAndTheTenthDropsOut)
{
    const Rows old = fullTable();
    folders->writeUserFile(score_test::tablePath(3), score_test::table(old));
    open("120.0 "); // equal to the third, below the fourth
    EXPECT_EQ(menu->getRank(), 4);
    EXPECT_EQ(menu->positionText(), "4" + text("th"));
    tap(*menu, K::DOWN);
    tap(*menu, K::DOWN);
    validateName();
    Rows expected(old.begin(), old.begin() + 3);
    expected.push_back({ "CAA", "120.0 " });
    expected.insert(expected.end(), old.begin() + 3, old.begin() + 9);
    EXPECT_EQ(table(), score_test::table(expected));
}

struct RankCase {
    const char* time;
    int rank;
    const char* suffix;
};

class RecordRanks : public RecordScreen, public ::testing::WithParamInterface<RankCase> {
};

TEST_P(RecordRanks, PlaceAgainstTheTableAsRead)
{
    folders->writeUserFile(score_test::tablePath(3), score_test::table(fullTable()));
    open(GetParam().time);
    EXPECT_EQ(menu->getRank(), GetParam().rank);
    if (GetParam().rank > 0) {
        EXPECT_EQ(menu->positionText(), std::to_string(GetParam().rank) + text(GetParam().suffix));
    }
}

INSTANTIATE_TEST_SUITE_P(Places, RecordRanks,
                         ::testing::Values(RankCase{ "99.9 ", 1, "st" }, RankCase{ "100.0 ", 2, "nd" },
                                           RankCase{ "115.3 ", 3, "rd" }, RankCase{ "189.9 ", 10, "th" },
                                           RankCase{ "190.0 ", 0, nullptr }, RankCase{ "5000.0 ", 0, nullptr }));

TEST_F(RecordScreen, NoPlaceMeansNoNameAndNoWrite)
{
    const std::string old = score_test::table(fullTable());
    folders->writeUserFile(score_test::tablePath(3), old);
    open("190.0 ");
    EXPECT_EQ(menu->getRank(), 0);
    EXPECT_EQ(menu->positionText(), text("out"));
    EXPECT_EQ(menu->getCursor(), -1);
    EXPECT_EQ(menu->labels.at(0), text("ok"));
    tap(*menu, K::BACK, 1);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_EQ(table(), old);
}

TEST_F(RecordScreen, LettersWrapAndTheCursorStopsAtBothEnds)
{
    open("83.4 ");
    tap(*menu, K::LEFT);
    EXPECT_EQ(menu->getCursor(), 0);
    tap(*menu, K::UP);
    EXPECT_EQ(menu->getPlayerName(), "ZAA");
    tap(*menu, K::DOWN);
    EXPECT_EQ(menu->getPlayerName(), "AAA");
    tap(*menu, K::UP);
    tap(*menu, K::DOWN, 1);
    EXPECT_EQ(menu->getPlayerName(), "AAA");
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT);
    EXPECT_EQ(menu->getCursor(), 2);
    // Left and up in the same frame: the cursor moves, then its new letter.
    press(K::LEFT);
    press(K::UP, 1);
    menu->refresh(40);
    releaseAll();
    menu->refresh(40);
    EXPECT_EQ(menu->getCursor(), 1);
    EXPECT_EQ(menu->getPlayerName(), "AZA");
}

TEST_F(RecordScreen, LetterHeldStepsEvery200Ms)
{
    open("83.4 ");
    silence();
    press(K::DOWN);
    for (int frame = 0; frame < 13; ++frame) {
        menu->refresh(40);
        EXPECT_EQ(menu->getPlayerName()[0], 'B' + frame / 6) << "frame " << frame;
    }
    EXPECT_EQ(moveSounds(), 3);
}

TEST_F(RecordScreen, BackDuringEntryDoesNothingAndValidateOnlyMovesOn)
{
    open("83.4 ");
    tap(*menu, K::BACK);
    EXPECT_EQ(menu->getCode(), 0);
    EXPECT_EQ(menu->getCursor(), 0);
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCursor(), 1);
    EXPECT_TRUE(allKeyStatesClear());
    tap(*menu, K::VALIDATE, 1);
    EXPECT_EQ(menu->getCursor(), 2);
    EXPECT_FALSE(userFileExists(score_test::tablePath(3)));
    EXPECT_EQ(menu->getCode(), 0);
}

TEST_F(RecordScreen, DirectionHeldWhenTheScreenOpensWaitsForTheRepeatDelay)
{
    openDevices();
    menu = std::make_unique<MenuRecord>("83.4 ", "0.0 ", 3);
    press(K::UP);
    for (int frame = 0; frame < 5; ++frame)
        menu->refresh(40);
    EXPECT_EQ(menu->getPlayerName(), "AAA");
    menu->refresh(40);
    EXPECT_EQ(menu->getPlayerName(), "ZAA");
}

TEST_F(RecordScreen, FieldsThatAreNoTimeAreEmptySlotsAndNoEmptyFieldIsWritten)
{
    folders->writeUserFile(score_test::tablePath(3),
                           "ABC\tgarbage\nDEF\t" + score_test::field("83.4 ") + "\nGHI\t17215809\n" +
                               "JKL\t" + score_test::field("") + "X\nMNO\t9999.9\nPQR");
    open("90.0 ");
    EXPECT_EQ(menu->getTableName(0), "K.Z");
    EXPECT_EQ(menu->getTableTime(0), "9999.9");
    EXPECT_EQ(menu->getTableName(1), "DEF");
    EXPECT_EQ(menu->getTableTime(1), "83.4 ");
    EXPECT_EQ(menu->getTableName(2), "K.Z");
    EXPECT_EQ(menu->getTableName(4), "MNO");
    EXPECT_EQ(menu->getTableName(5), "PQR");
    EXPECT_EQ(menu->getTableTime(5), "9999.9");
    // The empty first slot counts as 9999.9 s.
    EXPECT_EQ(menu->getRank(), 1);
    validateName();
    std::istringstream written(table());
    std::string line;
    int lines = 0;
    while (std::getline(written, line)) {
        ++lines;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_GT(tab, 0u) << line;
        EXPECT_LT(tab + 1, line.size()) << line;
    }
    EXPECT_EQ(lines, 10);
    EXPECT_EQ(table(), "AAA\t" + score_test::field("90.0 ") + "\nK.Z\t9999.9\nDEF\t" + kField83_4 +
                           "\n" + emptyLines(2) + "MNO\t9999.9\nPQR\t9999.9\n" + emptyLines(3));
}

class RecordTimes : public RecordScreen, public ::testing::WithParamInterface<const char*> {
};

TEST_P(RecordTimes, ATimeThatIsNoRunTimeTakesNoPlace)
{
    open(GetParam());
    EXPECT_EQ(menu->getRank(), 0);
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCode(), 1);
    EXPECT_FALSE(userFileExists(score_test::tablePath(3)));
}

INSTANTIATE_TEST_SUITE_P(Unusable, RecordTimes, ::testing::Values("", " ", "abc", "12", "1.2.3"));

TEST_F(RecordScreen, TheSecondPlayersTimeIsNeverRanked)
{
    open("83.4 ");
    EXPECT_EQ(menu->comparer(1), 0);
    EXPECT_EQ(menu->comparer(0), 1);
}

TEST_F(RecordScreen, DifficultyWithoutATableTakesNoPlace)
{
    open("83.4 ", 0);
    EXPECT_EQ(menu->getRank(), 0);
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCode(), 1);
}

TEST_F(RecordScreen, TableThatCannotBeWrittenStaysAsItWas)
{
    const std::string old = score_test::table({ { "OLD", "150.0 " } });
    folders->writeUserFile(score_test::tablePath(3), old);
    open("83.4 ");
    ASSERT_EQ(menu->getRank(), 1);
    tap(*menu, K::VALIDATE);
    tap(*menu, K::VALIDATE);

    // From here no file may grow beyond a few bytes, as on a full disk.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limit = saved;
    limit.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    tap(*menu, K::VALIDATE);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);

    EXPECT_EQ(table(), old);
    // No temporary file is left beside it.
    std::vector<std::string> names;
    if (DIR* dir = opendir((folders->userDir() + "Levels/Official").c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.push_back(entry->d_name);
        closedir(dir);
    }
    EXPECT_EQ(names, std::vector<std::string>{ "Scores_3.kzs" });
    // The screen goes on as after a write: store read again, label "ok".
    EXPECT_EQ(menu->getCursor(), -1);
    EXPECT_EQ(menu->labels.at(0), text("ok"));
    EXPECT_EQ(DifficultyScoresManager::scoreManagerInst->getName(2, 0), "OLD");
    tap(*menu, K::VALIDATE);
    EXPECT_EQ(menu->getCode(), 1);
}

TEST_F(RecordScreen, TableThatCannotBeWrittenIsLoggedAsAnError)
{
    korvelin_test::OptionsText options;
    options.debug = true;
    folders->writeUserFile("Data/Options.dat", options.str());
    open("83.4 ");
    // A plain file where the folder should be: no temporary file can be made.
    std::filesystem::remove_all(folders->userDir() + "Levels/Official");
    folders->writeUserFile("Levels/Official", "not a folder");
    validateName();
    const std::string log = korvelin_test::readFile(folders->installDir() + "/Debug.txt");
    EXPECT_NE(log.find("[ERROR]\tMenuRecord @ enregistrer : Cannot write Levels/Official/Scores_3.kzs : "),
              std::string::npos)
        << log;
    EXPECT_EQ(userFile("Levels/Official"), "not a folder");
    EXPECT_EQ(menu->getCursor(), -1);
}

TEST_F(RecordScreen, DrawsTheNameRowOnlyForAPlaceWithTheCursorLetterInBlue)
{
    open("83.4 ");
    // Narrow screen: the name row stands at 0.455, letters from x 0.38.
    std::vector<unsigned char> first = render(*menu);
    EXPECT_GT(litPixels(first, 0.44, 0.5), 0);
    EXPECT_GT(bluePixels(first, 0.44, 0.5, 0.37, 0.405), 0);
    EXPECT_EQ(bluePixels(first, 0.44, 0.5, 0.41, 1.0), 0);
    tap(*menu, K::RIGHT);
    tap(*menu, K::RIGHT);
    std::vector<unsigned char> third = render(*menu);
    EXPECT_EQ(bluePixels(third, 0.44, 0.5, 0.0, 0.43), 0);
    EXPECT_GT(bluePixels(third, 0.44, 0.5, 0.43, 0.47), 0);
}

TEST_F(RecordScreen, DrawsNoNameRowWithoutAPlace)
{
    folders->writeUserFile(score_test::tablePath(3), score_test::table(fullTable()));
    open("500.0 ");
    std::vector<unsigned char> shown = render(*menu);
    EXPECT_GT(litPixels(shown, 0.5, 0.8), 0);
    EXPECT_EQ(litPixels(shown, 0.44, 0.5), 0);
    EXPECT_EQ(bluePixels(shown), 0);
}

TEST_F(RecordScreen, TextsAreDarkFromTheFirstFrame)
{
    useWhiteBackground();
    open("83.4 ");
    // The colour as the selection shade of the screen before leaves it.
    CSingleton<ColorManager>::GetInstance()->setColor(0.0, 0.0, 0.0, 0.3);
    for (int frames : { 1, 2 }) {
        const std::vector<unsigned char> shown = render(*menu, frames);
        // Dark texts on the picture, which shows in its own white.
        EXPECT_GT(darkPixels(shown, 0.5, 0.8), 200) << frames;
        EXPECT_GT(brightness(shown, 0.8, 0.98, 0.5, 0.8), 240) << frames;
    }
}

} // namespace
