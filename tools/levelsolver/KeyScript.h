#pragma once

#include <string>
#include <vector>

// A run's input: the key states held, frame after frame, at a fixed dt.
// Text form: "dt 10" gives the frame time in ms, "seed 1" the seed of the
// game's random numbers, then one segment a line: "up+right 35" holds up and
// right for 35 frames; "none 12" holds nothing. Lines starting with "#" are
// comments.
struct KeySegment {
    bool up = false, down = false, left = false, right = false;
    int frames = 0;
};

struct KeyScript {
    long dt = 10;
    unsigned int seed = 1;
    std::vector<KeySegment> segments;

    static bool read(const std::string& path, KeyScript& out, std::string* error = nullptr);
    static bool parse(const std::string& text, KeyScript& out, std::string* error = nullptr);
    std::string text() const;
    long frameCount() const;
    static std::string keyName(const KeySegment& s);
    // Appends frames, merging with the last segment when the keys are the same.
    void add(const KeySegment& keys, int frames);
};
