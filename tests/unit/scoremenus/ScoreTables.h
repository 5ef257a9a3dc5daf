#pragma once

// Difficulty score table files for the score and record screen tests.

#include "records/CryptageManager.h"

#include <string>
#include <utility>
#include <vector>

namespace score_test {

// The table field of a run time text, enciphered as the game stores it.
inline std::string field(std::string time)
{
    CryptageManager::getInstance()->crypt(time, CryptageManager::difficultyTableKey);
    return time;
}

// A table file of (name, time text) lines; "9999.9" stays plain.
inline std::string table(const std::vector<std::pair<std::string, std::string>>& rows)
{
    std::string out;
    for (const auto& row : rows)
        out += row.first + "\t" + (row.second == "9999.9" ? row.second : field(row.second)) + "\n";
    return out;
}

inline std::string tablePath(int difficulty)
{
    return "Levels/Official/Scores_" + std::to_string(difficulty) + ".kzs";
}

} // namespace score_test
