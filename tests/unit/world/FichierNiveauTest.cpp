#include "world/FichierNiveau.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FichierNiveau, SecondGenerationHeader)
{
    FichierNiveau level;
    ASSERT_TRUE(FichierNiveau::lire("KZ2 90 2 3\n0.5 0.75 1\nnightSky\n20 1 1\n1 1 1\n", level));
    EXPECT_EQ(level.generation, 2);
    EXPECT_EQ(level.levelTime, 90);
    EXPECT_EQ(level.rows, 2);
    EXPECT_EQ(level.cols, 3);
    EXPECT_FLOAT_EQ(level.lightColor[0], 0.5f);
    EXPECT_FLOAT_EQ(level.lightColor[1], 0.75f);
    EXPECT_FLOAT_EQ(level.lightColor[2], 1.0f);
    EXPECT_EQ(level.backgroundName, "nightSky");
    EXPECT_EQ(level.cells, (std::vector<int>{20, 1, 1, 1, 1, 1}));
}

TEST(FichierNiveau, FirstGenerationTakesWhiteLightAndBlueSky)
{
    FichierNiveau level;
    ASSERT_TRUE(FichierNiveau::lire("120 2 2 1 2 3 4", level));
    EXPECT_EQ(level.generation, 1);
    EXPECT_EQ(level.levelTime, 120);
    EXPECT_FLOAT_EQ(level.lightColor[0], 1.0f);
    EXPECT_FLOAT_EQ(level.lightColor[1], 1.0f);
    EXPECT_FLOAT_EQ(level.lightColor[2], 1.0f);
    EXPECT_EQ(level.backgroundName, "blueSky");
    EXPECT_EQ(level.cells, (std::vector<int>{1, 2, 3, 4}));
}

TEST(FichierNiveau, AnyWhitespaceSeparatesTokens)
{
    FichierNiveau level;
    ASSERT_TRUE(FichierNiveau::lire("\xEF\xBB\xBF" "60\t2\r\n3\n\n  20 1\t1\r\n1 1 1", level));
    EXPECT_EQ(level.levelTime, 60);
    EXPECT_EQ(level.cells.size(), 6u);
}

TEST(FichierNiveau, ShortExactAndLongCellLists)
{
    struct Case {
        const char* text;
        std::vector<int> cells;
    };
    const Case cases[] = {
        {"60 2 3 20 1 1 1 1 1", {20, 1, 1, 1, 1, 1}},          // exact, no final line end
        {"60 2 3 20 1 1 1 1 1\n", {20, 1, 1, 1, 1, 1}},        // exact, final line end
        {"60 2 3 20 1", {20, 1}},                              // ends early: the rest are holes
        {"60 2 3", {}},                                        // no cell at all
        {"60 2 3 20 1 1 1 1 1 7 7 7 junk", {20, 1, 1, 1, 1, 1}}, // extra tokens are not read
        {"60 2 3 20 1 x 1 1 1", {20, 1}},                      // the numbers end at a non-number
        {"60 2 3 -5 0 51 1 1 1", {-5, 0, 51, 1, 1, 1}},        // negative and moving types kept
        {"60 2 3 99999999999 1 1 1 1 1", {}},                  // beyond an int: not a number
    };
    for (const Case& c : cases) {
        FichierNiveau level;
        ASSERT_TRUE(FichierNiveau::lire(c.text, level)) << c.text;
        EXPECT_EQ(level.cells, c.cells) << c.text;
    }
}

TEST(FichierNiveau, BadHeadersAreRefused)
{
    const char* cases[] = {
        "",                           // empty file
        "   \n\t ",                   // blanks only
        "KZ2",                        // tag alone
        "60 2",                       // no column count
        "kz2 2 3 1 1 1 1 1 1",        // not the tag, and no time limit
        "abc 2 3 1 1 1 1 1 1",        // non-numeric time limit
        "60 two 3 1 1 1",             // non-numeric rows
        "60 2 3.5 1 1 1",             // non-integer columns
        "0 2 3 1 1 1 1 1 1",          // time limit below 1
        "10000 2 3 1 1 1 1 1 1",      // time limit above 9999
        "-60 2 3 1 1 1 1 1 1",        // negative time limit
        "60 1 3 1 1 1",               // fewer than 2 rows
        "60 0 3",                     // no row
        "60 2 0",                     // no column
        "60 -2 3",                    // negative rows
        "60 4097 3",                  // too many rows
        "60 2 4097",                  // too many columns
        "60 99999999999 3",           // rows beyond an int
        "KZ2 60 2 3 1 1",             // light cut short
        "KZ2 60 2 3 1 red 1 blueSky 1 1 1 1 1 1", // non-numeric light
        "KZ2 60 2 3 1 1 nan blueSky 1 1 1 1 1 1", // light that is not finite
        "KZ2 60 2 3 1 1 1",           // no background name
    };
    for (const char* text : cases) {
        FichierNiveau level;
        std::string why;
        EXPECT_FALSE(FichierNiveau::lire(text, level, &why)) << '"' << text << '"';
        EXPECT_FALSE(why.empty()) << '"' << text << '"';
    }
}

TEST(FichierNiveau, CellsAreReadAsAStreamReadsIntegers)
{
    // A number ends at the first character that is not a digit: it is
    // placed, and what follows is the next read.
    struct Case {
        const char* text;
        std::vector<int> cells;
        const char* digestText;
    };
    const Case cases[] = {
        {"60 3 2 4 12abc 9 9", {4, 12}, "6032412"},       // the read after 12 fails
        {"60 3 2 7x", {7}, "60327"},
        {"60 3 2 1.5 3", {1}, "60321"},                  // ".5" is no integer
        {"60 3 2 5-3 +2 0x1", {5, -3, 2, 0}, "60325-320"}, // a sign starts the next number
        {"60 2 1 -x", {}, "6021"},                      // a sign alone is no number
    };
    for (const Case& c : cases) {
        FichierNiveau level;
        ASSERT_TRUE(FichierNiveau::lire(c.text, level)) << c.text;
        EXPECT_EQ(level.cells, c.cells) << c.text;
        EXPECT_EQ(level.digestText, c.digestText) << c.text;
    }
}

TEST(FichierNiveau, AnyBackgroundWordIsReadAndOnlyPlainNamesMakeAPath)
{
    // The level is read whatever its background word; the level manager
    // builds an image path only from a plain file name.
    struct Case {
        const char* name;
        bool usable;
    };
    const Case cases[] = {
        {"blueSky", true},
        {"dusk..2", true}, // dots inside one name stay in the folder
        {"..", false},
        {"../x", false},
        {"../../etc/passwd", false},
        {"sub/sky", false},
        {"/sky", false},
        {"sub\\sky", false},
        {"..\\x", false},
    };
    for (const Case& c : cases) {
        FichierNiveau level;
        const std::string text = std::string("KZ2 60 2 3 1 1 1 ") + c.name + " 1 1 1 1 1 1";
        ASSERT_TRUE(FichierNiveau::lire(text, level)) << c.name;
        EXPECT_EQ(level.backgroundName, c.name);
        EXPECT_EQ(level.cells.size(), 6u) << c.name;
        EXPECT_EQ(FichierNiveau::isUsableBackgroundName(c.name), c.usable) << c.name;
    }
}

TEST(FichierNiveau, LargestSizeAndLongestTimeAreAccepted)
{
    FichierNiveau level;
    EXPECT_TRUE(FichierNiveau::lire("9999 4096 4096", level));
    EXPECT_TRUE(FichierNiveau::lire("1 2 1 5 5", level));
    EXPECT_EQ(level.cells, (std::vector<int>{5, 5}));
}

TEST(FichierNiveau, DigestTextLeavesOutTheLastRow)
{
    FichierNiveau level;
    ASSERT_TRUE(FichierNiveau::lire("60 2 3\n20 1 1\n1 1 1\n", level));
    EXPECT_EQ(level.digestText, "60232011");

    // Same numbers in the second generation: light and background are not part of it.
    FichierNiveau tagged;
    ASSERT_TRUE(FichierNiveau::lire("KZ2 60 2 3 0.2 0.3 0.4 dusk 20 1 1 1 1 1", tagged));
    EXPECT_EQ(tagged.digestText, "60232011");

    // Changing only the last row leaves the digest text as it was.
    FichierNiveau otherLastRow;
    ASSERT_TRUE(FichierNiveau::lire("60 2 3\n20 1 1\n9 0 30\n", otherLastRow));
    EXPECT_EQ(otherLastRow.digestText, level.digestText);

    // Decimal forms of the numbers read, signs kept, leading zeros dropped.
    FichierNiveau signs;
    ASSERT_TRUE(FichierNiveau::lire("060 3 2 -4 +7 012 0 1 1", signs));
    EXPECT_EQ(signs.digestText, "6032-47120");
    ASSERT_TRUE(FichierNiveau::lire("60 4 2 -0 00 -007 +0 10 -10 1 1", signs));
    EXPECT_EQ(signs.digestText, "604200-7010-10");

    // A short file: the digest covers only the numbers read.
    FichierNiveau shortFile;
    ASSERT_TRUE(FichierNiveau::lire("60 3 2 5", shortFile));
    EXPECT_EQ(shortFile.digestText, "60325");
}

TEST(FichierNiveau, RefusalResetsTheResult)
{
    FichierNiveau level;
    ASSERT_TRUE(FichierNiveau::lire("KZ2 60 2 1 0.5 0.5 0.5 dusk 3 4", level));
    EXPECT_FALSE(FichierNiveau::lire("60 1 1", level));
    EXPECT_TRUE(level.cells.empty());
    EXPECT_EQ(level.backgroundName, "blueSky");
}

} // namespace
