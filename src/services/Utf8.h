#pragma once

#include <cstddef>
#include <string>
#include <vector>

// UTF-8 helpers of the text renderer and the level lists. A lead byte gives
// the length of its character (1 to 4 bytes); a stray byte counts as one
// character; a sequence cut short by the end of the text ends there.
namespace Utf8 {

// Number of bytes of the character that starts with lead.
std::size_t sequenceLength(unsigned char lead);

// The characters of text, in order, each as its own string.
std::vector<std::string> split(const std::string& text);

// Number of characters of text.
std::size_t length(const std::string& text);

// The first count characters of text (all of it when it is shorter).
std::string left(const std::string& text, std::size_t count);

} // namespace Utf8
