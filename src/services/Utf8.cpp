#include "services/Utf8.h"

namespace Utf8 {

std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

namespace {

// Where the character that starts at pos ends, never past the text.
std::size_t characterEnd(const std::string& text, std::size_t pos)
{
    std::size_t end = pos + sequenceLength((unsigned char)text[pos]);
    return end < text.size() ? end : text.size();
}

} // namespace

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = characterEnd(text, pos);
        characters.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return characters;
}

std::size_t length(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = characterEnd(text, pos))
        ++count;
    return count;
}

std::string left(const std::string& text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n)
        pos = characterEnd(text, pos);
    return text.substr(0, pos);
}

} // namespace Utf8
