// Numbers in the game's files keep the classic form whatever the process's
// locale says: no digit grouping, "." as the decimal point.
#include "TestFiles.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

using korvelin_test::SandboxedGameFolders;

namespace {

// The number punctuation of many European locales.
struct EuropeanNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class ScopedGlobalLocale {
public:
    explicit ScopedGlobalLocale(const std::locale& l) : previous_(std::locale::global(l)) {}
    ~ScopedGlobalLocale() { std::locale::global(previous_); }

private:
    std::locale previous_;
};

} // namespace

TEST(ClassicNumbers, OptionsFileAndLogIgnoreTheGlobalLocale)
{
    SandboxedGameFolders folders;
    folders.writeUserFile("Data/Options.dat", "2\n1280\n1024\n0\n0\n0\n100\n1\n0\n1\n1\n1\n0\n3\n100\n100\n");
    ScopedGlobalLocale european(std::locale(std::locale::classic(), new EuropeanNumbers));

    OptionsManager& options = *OptionsManager::getInstance();
    EXPECT_EQ(1280, options.getLargeur(0));
    EXPECT_EQ(1024, options.getHauteur(0));
    ASSERT_TRUE(options.sauverOptions());
    EXPECT_EQ("2\n1280\n1024\n", folders.readUserFile("Data/Options.dat").substr(0, 12));

    DebugManager::GetInstance()->o("Jeu", "n", true, "n", 1234.5);
    EXPECT_EQ("[OK]   \tJeu @ n : n 1234.5\n", korvelin_test::readFile("Debug.txt"));
}
