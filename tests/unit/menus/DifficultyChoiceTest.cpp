// The difficulty choice: which difficulties the score tables unlock, the
// refused choice of a locked one, and "previous".
#include "MenuTestSupport.h"

#include "menus/MenuDifficulte.h"
#include "records/CryptageManager.h"
#include "records/DifficultyScoresManager.h"
#include "services/ClavierManager.h"

using menus_test::MenuTest;

namespace {

using Keys = ClavierManager;

class DifficultyChoice : public MenuTest {
protected:
    // Difficulty d's table with one time (enciphered as the record screen
    // writes it) and nine empty slots.
    void writeTableWithTime(int d, const std::string& time)
    {
        std::string field = time;
        CryptageManager::getInstance()->crypt(field, CryptageManager::difficultyTableKey);
        std::string text = "Ann\t" + field + "\n";
        for (int i = 1; i < 10; ++i)
            text += "K.Z\t9999.9\n";
        folders.writeUserFile("Levels/Official/Scores_" + std::to_string(d) + ".kzs", text);
    }

    void choose(MenuDifficulte& menu, int item)
    {
        menu.selection = item;
        press(Keys::VALIDATE);
        menu.refresh(40);
    }
};

TEST_F(DifficultyChoice, WithEmptyTablesOnlyTheFirstDifficultyOpens)
{
    MenuDifficulte menu;
    EXPECT_EQ((std::vector<std::string>{"Beginner", "?", "?", "?", "?", "?", "Back"}), menu.labels);
    EXPECT_EQ((std::vector<bool>{true, false, false, false, false, false, true}), menu.unlocked);

    choose(menu, 2);
    EXPECT_EQ(0, menu.getCode());
    EXPECT_EQ(1, refusedPlays());
    EXPECT_EQ(0, validatePlays());
    EXPECT_TRUE(allKeysCleared());

    choose(menu, 1);
    EXPECT_EQ(1, menu.getCode());
    EXPECT_EQ(1, validatePlays());
}

TEST_F(DifficultyChoice, ADifficultyOpensWhenOnlyThePreviousOneHasATime)
{
    writeTableWithTime(3, "83.4 ");
    MenuDifficulte menu;
    EXPECT_EQ((std::vector<bool>{true, false, false, true, false, false, true}), menu.unlocked);
    EXPECT_EQ((std::vector<std::string>{"Beginner", "?", "?", "Hard", "?", "?", "Back"}), menu.labels);
    choose(menu, 4);
    EXPECT_EQ(4, menu.getCode());
}

TEST_F(DifficultyChoice, EveryTableWithATimeOpensEveryDifficulty)
{
    for (int d = 1; d <= 5; ++d)
        writeTableWithTime(d, "100.0 ");
    MenuDifficulte menu;
    EXPECT_EQ((std::vector<std::string>{"Beginner", "Easy", "Medium", "Hard", "Expert", "Master",
                                        "Back"}),
              menu.labels);
    choose(menu, 6);
    EXPECT_EQ(6, menu.getCode());
}

TEST_F(DifficultyChoice, BackOnALockedDifficultyGivesPrevious)
{
    MenuDifficulte menu;
    menu.repeatTimer = Menu::kRepeatDelay;
    press(Keys::RIGHT);
    menu.refresh(40);
    ASSERT_EQ(2, menu.selection); // moving onto a locked item is allowed
    releaseAll();
    press(Keys::BACK);
    menu.refresh(40);
    EXPECT_EQ(7, menu.getCode());
    EXPECT_EQ(1, validatePlays());
}

TEST_F(DifficultyChoice, TheTablesAreReadOnceAndKeptByTheNextChoice)
{
    { MenuDifficulte first; }
    // A table written behind the game's back is not read again: the record
    // screen reloads the tables itself after it writes one.
    writeTableWithTime(1, "50.0 ");
    MenuDifficulte second;
    EXPECT_FALSE(second.unlocked[1]);
    DifficultyScoresManager::scoreManagerInst->loadScores();
    MenuDifficulte third;
    EXPECT_TRUE(third.unlocked[1]);
}

} // namespace
