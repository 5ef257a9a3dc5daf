// Every language key the game looks up has a text in every language.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <map>
#include <string>
#include <vector>

namespace {
const std::string stage = KORVELIN_STAGE_DIR;

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

// The keys, kept in one list beside this test.
std::vector<std::string> keysTheGameUses() {
    std::vector<std::string> keys;
    for (auto& l : lines(std::string(KORVELIN_SOURCE_DIR) + "/tests/unit/assets/language_keys.txt"))
        if (!l.empty() && l[0] != '#') keys.push_back(l);
    return keys;
}

// Reads a text file the way the game's language loader does.
std::map<std::string, std::string> readTexts(const std::string& path) {
    std::map<std::string, std::string> texts;
    for (auto& line : lines(path)) {
        if (line.empty() || line[0] == '#') continue;
        size_t e = line.find('=');
        if (e == std::string::npos || e == 0) continue;
        std::string text = line.substr(e + 1);
        if (!text.empty() && text[0] == ' ') text.erase(0, 1);
        std::string key = line.substr(0, e - 1);
        key = key.substr(0, key.find_first_of(" \t"));
        texts[key] = text;
    }
    return texts;
}

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0) return false;
        for (int k = 1; k <= n; ++k)
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

struct Language {
    std::string name, code;
};

std::vector<Language> languages() {
    std::vector<Language> out;
    for (auto& l : lines(stage + "/Data/Lang/Langs.dat")) {
        size_t tab = l.find('\t');
        if (l.empty() || l[0] == '#' || tab == std::string::npos) continue;
        out.push_back({l.substr(0, tab), l.substr(tab + 1)});
    }
    return out;
}
}  // namespace

TEST(LanguageTexts, EnglishThenFrenchInTheList) {
    auto langs = languages();
    ASSERT_GE(langs.size(), 2u);
    EXPECT_EQ(langs[0].name, "English");
    EXPECT_EQ(langs[0].code, "en");
    EXPECT_EQ(langs[1].name, "Fran\xc3\xa7" "ais");
    EXPECT_EQ(langs[1].code, "fr");
}

TEST(LanguageTexts, EveryKeyHasATextInEveryLanguage) {
    auto keys = keysTheGameUses();
    ASSERT_FALSE(keys.empty());
    for (auto& lang : languages()) {
        auto texts = readTexts(stage + "/Data/Lang/" + lang.code + "/Game.dat");
        for (auto& key : keys) {
            auto it = texts.find(key);
            ASSERT_NE(it, texts.end()) << lang.code << " lacks the key " << key;
            EXPECT_FALSE(it->second.empty()) << lang.code << ": empty text for " << key;
        }
    }
}

namespace {
// Every key written as a literal in a lookup of the language service, such
// as lang->get("pause"), across the game's sources.
std::set<std::string> keysLiteralInTheSources() {
    namespace fs = std::filesystem;
    const std::regex lookup("(\\w+)(?:\\(\\))?\\s*->\\s*get\\(\\s*\"([A-Za-z0-9_]+)\"");
    const std::regex languageService("lang", std::regex::icase);
    std::set<std::string> keys;
    for (auto& e : fs::recursive_directory_iterator(std::string(KORVELIN_SOURCE_DIR) + "/src")) {
        const std::string ext = e.path().extension().string();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(e.path());
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::sregex_iterator m(text.begin(), text.end(), lookup), end; m != end; ++m)
            if (std::regex_search((*m)[1].str(), languageService)) keys.insert((*m)[2].str());
    }
    return keys;
}
}  // namespace

TEST(LanguageTexts, TheKeyListHoldsEveryKeyTheCodeLooksUp) {
    const auto listed = keysTheGameUses();
    const std::set<std::string> known(listed.begin(), listed.end());
    const auto used = keysLiteralInTheSources();
    // The heads-up display alone looks up several texts.
    ASSERT_GE(used.size(), 5u);
    for (auto& key : used) EXPECT_TRUE(known.count(key)) << "the code looks up \"" << key << "\", missing from language_keys.txt";
}

TEST(LanguageTexts, TextsAreCleanUtf8LinesWithoutUnderscores) {
    for (auto& lang : languages()) {
        std::string path = stage + "/Data/Lang/" + lang.code + "/Game.dat";
        auto all = lines(path);
        ASSERT_FALSE(all.empty()) << path;
        for (auto& line : all) {
            EXPECT_TRUE(line.empty() || line.back() != '\r') << path << ": line ends with CR: " << line;
            EXPECT_TRUE(validUtf8(line)) << path << ": not UTF-8: " << line;
        }
        for (auto& kv : readTexts(path))
            EXPECT_EQ(kv.second.find('_'), std::string::npos) << lang.code << " " << kv.first << ": \"" << kv.second << "\"";
    }
}

TEST(LanguageTexts, EveryLanguageHasTheSameKeys) {
    auto langs = languages();
    ASSERT_FALSE(langs.empty());
    auto reference = readTexts(stage + "/Data/Lang/" + langs[0].code + "/Game.dat");
    for (auto& lang : langs) {
        auto texts = readTexts(stage + "/Data/Lang/" + lang.code + "/Game.dat");
        for (auto& kv : reference) EXPECT_TRUE(texts.count(kv.first)) << lang.code << " lacks " << kv.first;
        for (auto& kv : texts) EXPECT_TRUE(reference.count(kv.first)) << lang.code << " has extra key " << kv.first;
    }
}
