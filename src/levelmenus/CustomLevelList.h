#pragma once

#include <string>
#include <vector>

class DataFileManager;

// The players' own levels, listed in "Levels/Custom/list.kzo" of the user
// folder: whitespace-separated names, title + "." + author.
namespace CustomLevelList {

// The names of the list file, in file order; a leading UTF-8 byte-order mark
// is not part of the first name. Words of 2 characters or fewer
// are dropped silently; a word that is not a safe level name is dropped and
// logged. Each kept name's level file is opened once, which seeds the user
// folder from an installation copy. Empty when there is no list file.
std::vector<std::string> read(DataFileManager* files);

// Splits a name at its last ".": the title before it (which may hold "."
// itself), the author after it. A name without "." is all title.
std::string titleOf(const std::string& name);
std::string authorOf(const std::string& name);

// Ascending by author + "." + title, byte-wise.
void sortByAuthor(std::vector<std::string>& names);

// The title as a list row shows it: 26 characters or more become their first
// 23 characters followed by "...", cut on a character boundary.
std::string shortTitle(const std::string& title);

} // namespace CustomLevelList
