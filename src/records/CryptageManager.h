#pragma once

#include <string>

// The game's own reversible scrambling of best times, table times and score
// posts: every character becomes three decimal digits, shifted by a key.
class CryptageManager {
public:
    // One fixed key per kind of scrambled data.
    static const char* const levelScoreKey;       // best-time files
    static const char* const difficultyTableKey;  // times in the difficulty tables
    static const char* const levelUploadKey;      // value of a level-score post
    static const char* const difficultyUploadKey; // value of a difficulty-score post

    static CryptageManager* getInstance();
    static void kill();

    // Replaces text by its crypt text. An empty key leaves text unchanged.
    void crypt(std::string& text, std::string key);
    // Replaces a crypt text by the plain text; a trailing group of one or two
    // characters is dropped. An empty key leaves text unchanged.
    void deCrypt(std::string& text, std::string key);

    static CryptageManager* cryptM;
};
