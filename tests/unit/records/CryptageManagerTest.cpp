// Scrambling of best times, table times and score posts.

#include <gtest/gtest.h>

#include "records/CryptageManager.h"

#include <string>

namespace {

std::string crypted(std::string text, const std::string& key)
{
    CryptageManager::getInstance()->crypt(text, key);
    return text;
}

std::string decrypted(std::string text, const std::string& key)
{
    CryptageManager::getInstance()->deCrypt(text, key);
    return text;
}

TEST(CryptageManager, KeysAreTheGamesFixedTexts)
{
    EXPECT_STREQ(CryptageManager::levelScoreKey, "qwpmzrtk93vbnxlo27hfjcya5dse");
    EXPECT_STREQ(CryptageManager::difficultyTableKey, "tk4p9wmz2hq7xvb3rnl");
    EXPECT_STREQ(CryptageManager::levelUploadKey, "ve53180qmxpw2lk7ra904zdcy");
    EXPECT_STREQ(CryptageManager::difficultyUploadKey, "pzmdrw4tyvak7hnqobxe2cslufj");
}

TEST(CryptageManager, ExactCryptTextsAndRoundTripForEachKey)
{
    struct Case {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    const Case cases[] = {
        { CryptageManager::levelScoreKey, "12.5", "162169158162" },
        { CryptageManager::difficultyTableKey, "12.5", "165157098165" },
        { CryptageManager::levelUploadKey, "12.5", "167151099104" },
        { CryptageManager::difficultyUploadKey, "12.5", "161172155153" },
        // Table times keep the trailing blank of the game's time text.
        { CryptageManager::difficultyTableKey, "83.4 ", "172158098164089" },
        { CryptageManager::levelUploadKey, "Canyon\tZed\t83.472",
          "185198163172160166057203210220121175101154159110164" },
        // Longer than the key: the key starts again from its first character.
        { CryptageManager::levelScoreKey, "abcdefghijklmnopqrstuvwxyz0123",
          "210217211209223216219211162157225206219230219223163169219218223217240217174222163150"
          "163170" },
        { CryptageManager::levelScoreKey, "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(crypted(c.plain, c.key), c.cipher);
        EXPECT_EQ(decrypted(c.cipher, c.key), c.plain);
    }
}

TEST(CryptageManager, AnotherKeyGivesOtherCharacters)
{
    std::string cipher = crypted("12.5", CryptageManager::levelScoreKey);
    EXPECT_NE(decrypted(cipher, CryptageManager::difficultyTableKey), "12.5");
    EXPECT_EQ(decrypted(cipher, CryptageManager::difficultyTableKey).size(), 4u);
}

TEST(CryptageManager, NegativeSumsArePaddedBeforeTheSign)
{
    struct Case {
        std::string key;
        std::string plain;
        const char* cipher;
    };
    const Case cases[] = {
        { "0", "\xcb", "0-5" },      // -53 + 48
        { "0", "\x80", "-80" },      // -128 + 48
        { "\x10", "\xe9", "0-7" },   // -23 + 16
        { "\x05", "\xe9", "-18" },   // -23 + 5
        { "\x80", "\xe9", "-151" },  // -23 - 128: four characters
        { "\x10", "A\xe9" "B", "0810-7082" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cipher);
        EXPECT_EQ(crypted(c.plain, c.key), c.cipher);
    }
    // Such groups do not decode to the scrambled character.
    EXPECT_NE(decrypted("0-5", "0"), "\xcb");
}

TEST(CryptageManager, IncompleteTrailingGroupsAreDropped)
{
    const std::string cipher = crypted("12.5", CryptageManager::levelScoreKey);
    EXPECT_EQ(decrypted(cipher + "1", CryptageManager::levelScoreKey), "12.5");
    EXPECT_EQ(decrypted(cipher + "12", CryptageManager::levelScoreKey), "12.5");
    EXPECT_EQ(decrypted("1", CryptageManager::levelScoreKey), "");
    EXPECT_EQ(decrypted("12", CryptageManager::levelScoreKey), "");
    EXPECT_EQ(decrypted("", CryptageManager::levelScoreKey), "");
    // Garbage gives some characters, never a failure.
    EXPECT_EQ(decrypted("abcdef", CryptageManager::levelScoreKey).size(), 2u);
}

TEST(CryptageManager, EmptyKeyLeavesTheTextAlone)
{
    EXPECT_EQ(crypted("12.5", ""), "12.5");
    EXPECT_EQ(decrypted("162169", ""), "162169");
}

TEST(CryptageManager, InstanceIsMadeOnceAndCanBeKilled)
{
    CryptageManager* first = CryptageManager::getInstance();
    EXPECT_EQ(first, CryptageManager::getInstance());
    EXPECT_EQ(first, CryptageManager::cryptM);
    CryptageManager::kill();
    EXPECT_EQ(CryptageManager::cryptM, nullptr);
}

} // namespace
