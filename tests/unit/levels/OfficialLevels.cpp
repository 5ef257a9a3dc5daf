#include "OfficialLevels.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace leveltest {

std::vector<OfficialLevel> officialLevels()
{
    const std::regex pattern("Level_([0-9]+)-([0-9]+)\\.kzl");
    std::vector<OfficialLevel> levels;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(std::string(KORVELIN_SOURCE_DIR) + "/data/Levels/Official", ec)) {
        const std::string file = e.path().filename().string();
        std::smatch m;
        if (!std::regex_match(file, m, pattern))
            continue;
        OfficialLevel l;
        l.name = e.path().stem().string();
        l.world = std::stoi(m[1]);
        l.number = std::stoi(m[2]);
        l.path = e.path().string();
        levels.push_back(l);
    }
    std::sort(levels.begin(), levels.end(), [](const OfficialLevel& a, const OfficialLevel& b) {
        return a.world != b.world ? a.world < b.world : a.number < b.number;
    });
    return levels;
}

std::string scriptFolder()
{
    return std::string(KORVELIN_SOURCE_DIR) + "/tests/unit/levels/scripts";
}

long KeyScript::frameCount() const
{
    long n = 0;
    for (const KeySegment& s : segments)
        n += s.frames;
    return n;
}

namespace {

bool parseKeys(const std::string& word, KeySegment& s)
{
    if (word == "none")
        return true;
    std::istringstream parts(word);
    std::string k;
    while (std::getline(parts, k, '+')) {
        if (k == "up") s.up = true;
        else if (k == "down") s.down = true;
        else if (k == "left") s.left = true;
        else if (k == "right") s.right = true;
        else return false;
    }
    return true;
}

} // namespace

bool parseScript(const std::string& text, KeyScript& out, std::string& error)
{
    out = KeyScript();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string first;
        long value = 0;
        std::string rest;
        if (!(words >> first >> value) || (words >> rest) || value <= 0) {
            error = "line " + std::to_string(number) + " is not \"<word> <positive number>\"";
            return false;
        }
        if (first == "dt") {
            out.dt = value;
        } else if (first == "seed") {
            out.seed = static_cast<unsigned int>(value);
        } else {
            KeySegment s;
            s.frames = static_cast<int>(value);
            if (!parseKeys(first, s)) {
                error = "line " + std::to_string(number) + ": unknown keys \"" + first + "\"";
                return false;
            }
            out.segments.push_back(s);
        }
    }
    if (out.dt <= 0) {
        error = "no \"dt <ms>\" line";
        return false;
    }
    return true;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace leveltest
