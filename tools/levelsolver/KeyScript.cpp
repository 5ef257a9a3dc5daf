#include "KeyScript.h"

#include <fstream>
#include <sstream>

namespace {

bool sameKeys(const KeySegment& a, const KeySegment& b)
{
    return a.up == b.up && a.down == b.down && a.left == b.left && a.right == b.right;
}

} // namespace

bool KeyScript::read(const std::string& path, KeyScript& out, std::string* error)
{
    std::ifstream in(path);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return false;
    }
    std::stringstream all;
    all << in.rdbuf();
    return parse(all.str(), out, error);
}

bool KeyScript::parse(const std::string& text, KeyScript& out, std::string* error)
{
    out = KeyScript();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string keys;
        long frames = -1;
        if (!(words >> keys >> frames) || frames <= 0 || frames > 1000000) {
            if (error) *error = "line " + std::to_string(number) + ": expected \"<keys> <frames>\"";
            return false;
        }
        if (keys == "dt") {
            out.dt = frames;
            continue;
        }
        if (keys == "seed") {
            out.seed = static_cast<unsigned int>(frames);
            continue;
        }
        KeySegment s;
        s.frames = static_cast<int>(frames);
        if (keys != "none") {
            std::istringstream parts(keys);
            std::string k;
            while (std::getline(parts, k, '+')) {
                if (k == "up") s.up = true;
                else if (k == "down") s.down = true;
                else if (k == "left") s.left = true;
                else if (k == "right") s.right = true;
                else {
                    if (error) *error = "line " + std::to_string(number) + ": unknown key \"" + k + "\"";
                    return false;
                }
            }
        }
        out.segments.push_back(s);
    }
    return true;
}

std::string KeyScript::keyName(const KeySegment& s)
{
    std::string name;
    auto add = [&name](bool on, const char* k) {
        if (!on) return;
        if (!name.empty()) name += "+";
        name += k;
    };
    add(s.up, "up");
    add(s.down, "down");
    add(s.left, "left");
    add(s.right, "right");
    return name.empty() ? "none" : name;
}

std::string KeyScript::text() const
{
    std::string t = "dt " + std::to_string(dt) + "\nseed " + std::to_string(seed) + "\n";
    for (const KeySegment& s : segments)
        t += keyName(s) + " " + std::to_string(s.frames) + "\n";
    return t;
}

long KeyScript::frameCount() const
{
    long n = 0;
    for (const KeySegment& s : segments) n += s.frames;
    return n;
}

void KeyScript::add(const KeySegment& keys, int frames)
{
    if (frames <= 0) return;
    if (!segments.empty() && sameKeys(segments.back(), keys)) {
        segments.back().frames += frames;
        return;
    }
    KeySegment s = keys;
    s.frames = frames;
    segments.push_back(s);
}
