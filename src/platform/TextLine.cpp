#include "platform/TextLine.h"

namespace platform {

void skipByteOrderMark(std::istream& in)
{
    static const char bom[3] = {'\xEF', '\xBB', '\xBF'};
    std::istream::pos_type start = in.tellg();
    char seen[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof() || static_cast<char>(c) != bom[i]) {
            if (i > 0) {
                // Not a mark after all: go back to where we were.
                in.clear();
                if (start != std::istream::pos_type(-1))
                    in.seekg(start);
                else
                    for (int k = i - 1; k >= 0; --k)
                        in.putback(seen[k]);
            }
            in.clear(in.rdstate() & ~std::ios::eofbit);
            return;
        }
        seen[i] = static_cast<char>(in.get());
    }
}

bool readTextLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace platform
