// The settings service against real options files in a sandboxed user folder.
#include "FailingWrites.h"
#include "TestFiles.h"
#include "services/OptionsManager.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using korvelin_test::SandboxedGameFolders;

namespace {

// Three languages, so that a step up and a step down end on different ones.
const char* const kLangs = "# languages\nEnglish\ten\nFran\xC3\xA7" "ais\tfr\nDeutsch\tde\n";

// Lines of a version-2 file; tests change single lines.
std::vector<std::string> defaultV2()
{
    return {"2", "1024", "768", "0", "0", "0", "100", "1", "0", "1", "1", "0", "0", "3", "100", "100"};
}

std::string join(const std::vector<std::string>& lines, const char* end = "\n")
{
    std::string text;
    for (const std::string& l : lines)
        text += l + end;
    return text;
}

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override { folders.writeInstallFile("Data/Lang/Langs.dat", kLangs); }

    OptionsManager& load(const std::string& optionsText)
    {
        folders.writeUserFile("Data/Options.dat", optionsText);
        return *OptionsManager::getInstance();
    }

    SandboxedGameFolders folders;
};

} // namespace

TEST_F(OptionsFile, FreshUserFolderGivesTheDefaults)
{
    OptionsManager& o = *OptionsManager::getInstance();
    EXPECT_EQ(1024, o.getLargeur(0));
    EXPECT_EQ(768, o.getHauteur(0));
    EXPECT_FALSE(o.isFullScreen(0));
    EXPECT_EQ(0, o.getLangIndex(0));
    EXPECT_EQ("English", o.getLang(0));
    EXPECT_EQ("fr", (o.moveLang(1), o.getLangCode(1)));
    EXPECT_EQ(0, o.getColor(0, 0));
    EXPECT_EQ(3, o.getColor(1, 0));
    EXPECT_TRUE(o.isGameMessages(0));
    EXPECT_TRUE(o.isGhostEnabled(0));
    EXPECT_EQ(100, o.getMusiquesVolume(0));
    EXPECT_EQ(100, o.getSonsVolume(0));
    EXPECT_FALSE(o.isDebug());
    EXPECT_EQ(1, o.getNbJoueurs());
    EXPECT_EQ(100, o.getClipping(0));
    EXPECT_EQ("High", o.getPathTextures(0));
    EXPECT_DOUBLE_EQ(1024.0 / 768.0, o.getRatio(0));
    EXPECT_EQ(0, o.getScale(0));
}

TEST_F(OptionsFile, VersionTwoIsReadLineByLine)
{
    OptionsManager& o = load("2\n1280\n720\n1\n4\n8\n40\n0\n1\n0\n0\n1\n2\n4\n35\n60\n");
    EXPECT_EQ(1280, o.getLargeur(0));
    EXPECT_EQ(720, o.getHauteur(0));
    EXPECT_EQ(2, o.getScale(0));
    EXPECT_TRUE(o.isFullScreen(0));
    EXPECT_EQ(4, o.getAntiAliasing(0));
    EXPECT_EQ(8, o.getAnisotrope(0));
    EXPECT_EQ(40, o.getClipping(0));
    EXPECT_EQ(0, o.getTextures(0));
    EXPECT_EQ("Low", o.getPathTextures(0));
    EXPECT_EQ(1, o.getLangIndex(0));
    EXPECT_FALSE(o.isGameMessages(0));
    EXPECT_FALSE(o.isGhostEnabled(0));
    EXPECT_TRUE(o.isDebug());
    EXPECT_EQ(2, o.getColor(0, 0));
    EXPECT_EQ(4, o.getColor(1, 0));
    EXPECT_EQ(35, o.getMusiquesVolume(0));
    EXPECT_EQ(60, o.getSonsVolume(0));
    // Pending values start as the values in force.
    EXPECT_EQ(1280, o.getLargeur(1));
    EXPECT_EQ(35, o.getMusiquesVolume(1));
}

TEST_F(OptionsFile, VersionOneHasNoGhostLineAndTurnsTheGhostOn)
{
    // 15 lines: no ghost line, so line 11 is debug.
    OptionsManager& o = load("1\n800\n600\n0\n0\n0\n20\n1\n0\n1\n1\n1\n2\n80\n90\n");
    EXPECT_TRUE(o.isGhostEnabled(0));
    EXPECT_TRUE(o.isDebug());
    EXPECT_EQ(800, o.getLargeur(0));
    EXPECT_EQ(20, o.getClipping(0));
    EXPECT_EQ(1, o.getColor(0, 0));
    EXPECT_EQ(2, o.getColor(1, 0));
    EXPECT_EQ(80, o.getMusiquesVolume(0));
    EXPECT_EQ(90, o.getSonsVolume(0));
}

TEST_F(OptionsFile, CrlfAndByteOrderMarkReadLikePlainText)
{
    std::vector<std::string> lines = defaultV2();
    lines[1] = "1920";
    lines[2] = "1080";
    lines[15] = "45";
    OptionsManager& o = load("\xEF\xBB\xBF" + join(lines, "\r\n"));
    EXPECT_EQ(1920, o.getLargeur(0));
    EXPECT_EQ(1080, o.getHauteur(0));
    EXPECT_EQ(45, o.getSonsVolume(0));
}

struct BrokenFile {
    const char* name;
    std::string text;
};

class BrokenOptionsFile : public OptionsFile, public ::testing::WithParamInterface<BrokenFile> {};

TEST_P(BrokenOptionsFile, KeepsEveryDefaultItCannotRead)
{
    OptionsManager& o = load(GetParam().text);
    EXPECT_EQ(1024, o.getLargeur(0));
    EXPECT_EQ(768, o.getHauteur(0));
    EXPECT_EQ(0, o.getAntiAliasing(0));
    EXPECT_EQ(100, o.getClipping(0));
    EXPECT_EQ(1, o.getTextures(0));
    EXPECT_EQ(0, o.getColor(0, 0));
    EXPECT_EQ(3, o.getColor(1, 0));
    EXPECT_TRUE(o.isGhostEnabled(0));
    EXPECT_TRUE(o.isGameMessages(0));
    EXPECT_EQ(100, o.getMusiquesVolume(0));
    EXPECT_EQ(100, o.getSonsVolume(0));
    EXPECT_FALSE(o.isDebug());
}

void PrintTo(const BrokenFile& f, std::ostream* os)
{
    *os << f.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenOptionsFile,
    ::testing::Values(BrokenFile{"Empty", ""}, BrokenFile{"VersionOnly", "2\n"},
                      BrokenFile{"VersionThree", "3\n640\n480\n1\n2\n8\n10\n0\n1\n0\n0\n1\n2\n4\n5\n5\n"},
                      BrokenFile{"VersionZero", "0\n640\n480\n"},
                      BrokenFile{"TextVersion", "two\n640\n480\n"},
                      BrokenFile{"GarbageAfterVersion", "2\nxyz\n640\n480\n1\n"},
                      BrokenFile{"Binary", std::string("\0\x01\x02\xff\xfe", 5)},
                      BrokenFile{"UnknownResolution", "2\n1000\n500\n"}),
    [](const ::testing::TestParamInfo<BrokenFile>& info) { return std::string(info.param.name); });

TEST_F(OptionsFile, ShortFileKeepsTheValuesItHasAndDefaultsTheRest)
{
    OptionsManager& o = load("2\n640\n480\n1\n8\n");
    EXPECT_EQ(640, o.getLargeur(0));
    EXPECT_TRUE(o.isFullScreen(0));
    EXPECT_EQ(8, o.getAntiAliasing(0));
    EXPECT_EQ(0, o.getAnisotrope(0));
    EXPECT_EQ(100, o.getClipping(0));
    EXPECT_TRUE(o.isGhostEnabled(0));
    EXPECT_EQ(100, o.getSonsVolume(0));
}

struct RangeCase {
    int line; // 1-based line of the version-2 file
    const char* stored;
    const char* what;
};

class OutOfRangeValue : public OptionsFile, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(OutOfRangeValue, TakesItsDefault)
{
    std::vector<std::string> lines = defaultV2();
    lines[GetParam().line - 1] = GetParam().stored;
    OptionsManager& o = load(join(lines));
    EXPECT_EQ(0, o.getAntiAliasing(0));
    EXPECT_EQ(0, o.getAnisotrope(0));
    EXPECT_EQ(100, o.getClipping(0));
    EXPECT_EQ(1, o.getTextures(0));
    EXPECT_EQ(0, o.getLangIndex(0));
    EXPECT_EQ("English", o.getLang(0)); // indexes the list: must stay inside it
    EXPECT_EQ(0, o.getColor(0, 0));
    EXPECT_EQ(3, o.getColor(1, 0));
    EXPECT_EQ(100, o.getMusiquesVolume(0));
    EXPECT_EQ(100, o.getSonsVolume(0));
}

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.what << "=" << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, OutOfRangeValue,
    ::testing::Values(RangeCase{5, "3", "antiAliasing"}, RangeCase{5, "32", "antiAliasing"},
                      RangeCase{6, "4", "anisotropy"}, RangeCase{6, "-8", "anisotropy"},
                      RangeCase{7, "0", "clipping"}, RangeCase{7, "55", "clipping"},
                      RangeCase{8, "2", "textures"}, RangeCase{8, "-1", "textures"},
                      RangeCase{9, "3", "language"}, RangeCase{9, "-1", "language"},
                      RangeCase{13, "5", "colour1"}, RangeCase{13, "-1", "colour1"},
                      RangeCase{14, "9", "colour2"}, RangeCase{15, "121", "music"},
                      RangeCase{15, "-5", "music"}, RangeCase{16, "1000", "sound"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) {
        return std::string(info.param.what) + "_" + std::to_string(info.index);
    });

struct ColourCase {
    const char* colour1; // lines 13 and 14 as stored; nullptr ends the file there
    const char* colour2;
    int expected1;
    int expected2;
};

void PrintTo(const ColourCase& c, std::ostream* os)
{
    *os << (c.colour1 ? c.colour1 : "(end)") << "/" << (c.colour2 ? c.colour2 : "(end)");
}

class DamagedColours : public OptionsFile, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(DamagedColours, NeverLeaveBothPlayersInOneColour)
{
    const ColourCase c = GetParam();
    std::vector<std::string> lines = defaultV2();
    if (c.colour2 == nullptr)
        lines.resize(13);
    else
        lines[13] = c.colour2;
    lines[12] = c.colour1;
    OptionsManager& o = load(join(lines));
    EXPECT_EQ(c.expected1, o.getColor(0, 0));
    EXPECT_EQ(c.expected2, o.getColor(1, 0));
    EXPECT_EQ(c.expected1, o.getColor(0, 1));
    EXPECT_EQ(c.expected2, o.getColor(1, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Stored, DamagedColours,
    ::testing::Values(ColourCase{"3", "9", 3, 4},      // player 2 falls back onto player 1's 3
                      ColourCase{"3", "x", 3, 4},      // unreadable: the same
                      ColourCase{"3", nullptr, 3, 4},  // cut short: the same
                      ColourCase{"9", "0", 1, 0},      // player 1 falls back onto player 2's 0
                      ColourCase{"-1", "0", 1, 0},
                      ColourCase{"7", "3", 0, 3},      // a default that is free stays
                      ColourCase{"9", "-4", 0, 3},     // both defaults differ
                      ColourCase{"2", "2", 2, 3},      // stored alike: player 2 steps on
                      ColourCase{"4", "4", 4, 0}));    // ... and wraps

TEST_F(OptionsFile, MissingLanguageListGetsOneBuiltInLanguage)
{
    korvelin_test::writeFile(folders.installDir() + "/Data/Lang/Langs.dat", "# nothing usable\nno tab here\n");
    OptionsManager& o = load(join(defaultV2()));
    ASSERT_EQ(1, o.getNbLangs());
    EXPECT_EQ("English", o.getLang(0));
    EXPECT_EQ("en", o.getLangCode(0));
    o.moveLang(1);
    EXPECT_EQ(0, o.getLangIndex(1));
}

TEST_F(OptionsFile, LanguageListSkipsCommentsAndLinesWithoutTabAndStripsCr)
{
    korvelin_test::writeFile(folders.installDir() + "/Data/Lang/Langs.dat",
                             "\xEF\xBB\xBF#comment\tx\r\nEnglish\ten\r\n\r\nplain\r\nDeutsch\tde\r\n");
    OptionsManager& o = *OptionsManager::getInstance();
    ASSERT_EQ(2, o.getNbLangs());
    EXPECT_EQ("en", o.getLangCode(0));
    o.moveLang(1);
    EXPECT_EQ("Deutsch", o.getLang(1));
    EXPECT_EQ("de", o.getLangCode(1));
}

// --- move operations -------------------------------------------------------

TEST_F(OptionsFile, ColourStepsSkipTheOtherPlayersColour)
{
    std::vector<std::string> lines = defaultV2();
    lines[12] = "2";
    lines[13] = "3";
    OptionsManager& o = load(join(lines));
    o.moveColor(0, 1);
    EXPECT_EQ(4, o.getColor(0, 1));
    o.moveColor(1, -1);
    EXPECT_EQ(2, o.getColor(1, 1)); // 3 - 1 = 2, free now that player 1 left it
    o.moveColor(1, -1);
    EXPECT_EQ(1, o.getColor(1, 1));
    o.moveColor(2, 1); // player numbers wrap modulo 2: this is player 1 again
    EXPECT_EQ(0, o.getColor(0, 1));
    o.moveColor(0, -1);
    EXPECT_EQ(4, o.getColor(0, 1));
    for (int i = 0; i < 12; ++i) {
        o.moveColor(i % 2, i % 3 == 0 ? 1 : -1);
        EXPECT_NE(o.getColor(0, 1), o.getColor(1, 1));
        EXPECT_GE(o.getColor(0, 1), 0);
        EXPECT_LE(o.getColor(0, 1), 4);
    }
    // Only pending values moved.
    EXPECT_EQ(2, o.getColor(0, 0));
}

TEST_F(OptionsFile, ColourStepsFromTheDocumentedStart)
{
    std::vector<std::string> lines = defaultV2();
    lines[12] = "2";
    OptionsManager& a = load(join(lines));
    a.moveColor(1, -1); // player 2 from 3 down: 2 is taken, so 1
    EXPECT_EQ(1, a.getColor(1, 1));
}

TEST_F(OptionsFile, VolumeStepsAreClampedToZeroAndOneHundredTwenty)
{
    std::vector<std::string> lines = defaultV2();
    lines[14] = "115";
    lines[15] = "0";
    OptionsManager& o = load(join(lines));
    o.moveMusiques(1);
    EXPECT_EQ(120, o.getMusiquesVolume(1));
    o.moveMusiques(1);
    EXPECT_EQ(120, o.getMusiquesVolume(1));
    o.moveSons(-1);
    EXPECT_EQ(0, o.getSonsVolume(1));
    o.moveSons(1);
    EXPECT_EQ(5, o.getSonsVolume(1));
}

struct Cycle {
    const char* name;
    void (OptionsManager::*move)(int);
    int (OptionsManager::*get)(int);
    int d;
    std::vector<int> sequence; // from the default value on
};

class MoveCycle : public OptionsFile, public ::testing::WithParamInterface<Cycle> {};

TEST_P(MoveCycle, StepsThroughTheDocumentedValues)
{
    const Cycle& c = GetParam();
    OptionsManager& o = *OptionsManager::getInstance();
    EXPECT_EQ(c.sequence.front(), (o.*c.get)(1));
    for (std::size_t i = 1; i < c.sequence.size(); ++i) {
        (o.*c.move)(c.d);
        EXPECT_EQ(c.sequence[i], (o.*c.get)(1)) << "step " << i;
    }
    EXPECT_EQ(c.sequence.front(), (o.*c.get)(0)); // the value in force never moved
}

void PrintTo(const Cycle& c, std::ostream* os)
{
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveCycle,
    ::testing::Values(
        Cycle{"ClippingUp", &OptionsManager::moveClipping, &OptionsManager::getClipping, 1, {100, 10, 20, 40, 100}},
        Cycle{"ClippingDown", &OptionsManager::moveClipping, &OptionsManager::getClipping, -1, {100, 40, 20, 10, 100}},
        Cycle{"ClippingZeroIsDown", &OptionsManager::moveClipping, &OptionsManager::getClipping, 0, {100, 40}},
        Cycle{"AntiAliasingUp", &OptionsManager::moveAntiAliasing, &OptionsManager::getAntiAliasing, 1, {0, 2, 4, 8, 16, 0}},
        Cycle{"AntiAliasingDown", &OptionsManager::moveAntiAliasing, &OptionsManager::getAntiAliasing, -1, {0, 16, 8, 4, 2, 0}},
        Cycle{"AnisotropyUp", &OptionsManager::moveAnisotrope, &OptionsManager::getAnisotrope, 1, {0, 8, 16, 0}},
        Cycle{"AnisotropyDown", &OptionsManager::moveAnisotrope, &OptionsManager::getAnisotrope, -1, {0, 16, 8, 0}},
        Cycle{"TexturesToggle", &OptionsManager::moveTextures, &OptionsManager::getTextures, 1, {1, 0, 1}},
        Cycle{"ResolutionUpWraps", &OptionsManager::moveResolution, &OptionsManager::getResolution, 5, {2, 7, 12, 0}},
        Cycle{"ResolutionDownWraps", &OptionsManager::moveResolution, &OptionsManager::getResolution, -1, {2, 1, 0, 12}},
        Cycle{"LangUpWraps", &OptionsManager::moveLang, &OptionsManager::getLangIndex, 1, {0, 1, 2, 0, 1}},
        Cycle{"LangDownWraps", &OptionsManager::moveLang, &OptionsManager::getLangIndex, -1, {0, 2, 1, 0, 2}}),
    [](const ::testing::TestParamInfo<Cycle>& info) { return std::string(info.param.name); });

TEST_F(OptionsFile, TogglesActOnPendingValues)
{
    OptionsManager& o = *OptionsManager::getInstance();
    o.moveGameMessages();
    o.moveGhostEnabled();
    o.moveFullScreen();
    EXPECT_FALSE(o.isGameMessages(1));
    EXPECT_FALSE(o.isGhostEnabled(1));
    EXPECT_TRUE(o.isFullScreen(1));
    EXPECT_TRUE(o.isGameMessages(0));
    EXPECT_FALSE(o.isFullScreen(0));
}

TEST_F(OptionsFile, DefaultResolutionSetsBothValuesTo800x600)
{
    OptionsManager& o = load("2\n1920\n1200\n1\n");
    o.setDefaultResolution();
    EXPECT_EQ(800, o.getLargeur(0));
    EXPECT_EQ(600, o.getHauteur(1));
}

// --- saving ----------------------------------------------------------------

TEST_F(OptionsFile, SavingWritesPendingValuesAndPutsSomeInForce)
{
    OptionsManager& o = *OptionsManager::getInstance();
    for (int i = 0; i < 9; ++i)
        o.moveResolution(1); // 2 -> 11: 1920 x 1080
    o.moveMusiques(-20);
    o.moveLang(1);
    o.moveGhostEnabled();
    o.moveAntiAliasing(1);
    o.moveClipping(-1);
    o.moveColor(1, 1);
    ASSERT_TRUE(o.sauverOptions());

    EXPECT_EQ("2\n1920\n1080\n0\n2\n0\n40\n1\n1\n1\n0\n0\n0\n4\n0\n100\n",
              folders.readUserFile("Data/Options.dat"));
    // Put in force at once: language, ghost, colours, volumes.
    EXPECT_FALSE(o.isMusiquesOn(0));
    EXPECT_EQ(1, o.getLangIndex(0));
    EXPECT_FALSE(o.isGhostEnabled(0));
    EXPECT_EQ(4, o.getColor(1, 0));
    // Video settings wait for the next start.
    EXPECT_EQ(1024, o.getLargeur(0));
    EXPECT_EQ(0, o.getAntiAliasing(0));
    EXPECT_EQ(100, o.getClipping(0));
}

TEST_F(OptionsFile, SavedFileReadsBackTheSameAtTheNextStart)
{
    OptionsManager* o = OptionsManager::getInstance();
    o->moveResolution(-2); // 640 x 480
    o->moveFullScreen();
    o->moveAnisotrope(1);
    o->moveTextures(0);
    o->moveSons(-3);
    o->moveGameMessages();
    ASSERT_TRUE(o->sauverOptions());
    const std::string saved = folders.readUserFile("Data/Options.dat");
    OptionsManager::kill();

    OptionsManager* again = OptionsManager::getInstance();
    EXPECT_EQ(640, again->getLargeur(0));
    EXPECT_TRUE(again->isFullScreen(0));
    EXPECT_EQ(8, again->getAnisotrope(0));
    EXPECT_EQ(0, again->getTextures(0));
    EXPECT_EQ(85, again->getSonsVolume(0));
    EXPECT_FALSE(again->isGameMessages(0));
    ASSERT_TRUE(again->sauverOptions());
    EXPECT_EQ(saved, folders.readUserFile("Data/Options.dat"));
}

TEST_F(OptionsFile, SavingCreatesTheFileWhenNoneExists)
{
    OptionsManager& o = *OptionsManager::getInstance();
    ASSERT_FALSE(korvelin_test::fileExists(folders.userDir() + "Data/Options.dat"));
    EXPECT_TRUE(o.sauverOptions());
    EXPECT_EQ("2\n1024\n768\n0\n0\n0\n100\n1\n0\n1\n1\n0\n0\n3\n100\n100\n",
              folders.readUserFile("Data/Options.dat"));
}

TEST_F(OptionsFile, InstalledSeedHoldsExactlyTheDefaults)
{
    // What a fresh game saves is what the installation ships for new players.
    ASSERT_TRUE(OptionsManager::getInstance()->sauverOptions());
    const std::string seed = korvelin_test::readFile(std::string(KORVELIN_STAGE_DIR) + "/Data/Options.dat");
    ASSERT_FALSE(seed.empty());
    EXPECT_EQ(folders.readUserFile("Data/Options.dat"), seed);
}

TEST_F(OptionsFile, FailedWriteKeepsTheOldFileAndStillAppliesTheImmediateSettings)
{
    const std::string old = join(defaultV2());
    OptionsManager& o = load(old);
    o.moveMusiques(-20);
    {
        korvelin_test::FailingWrites limit; // no file may grow now
        EXPECT_FALSE(o.sauverOptions());
    }
    EXPECT_EQ(old, folders.readUserFile("Data/Options.dat"));
    EXPECT_FALSE(o.isMusiquesOn(0));
    // No temporary file is left behind.
    EXPECT_EQ(0, korvelin_test::countFilesStartingWith(folders.userDir() + "Data", ".Options.dat"));
}
