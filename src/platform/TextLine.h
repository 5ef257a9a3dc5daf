#pragma once

#include <istream>
#include <string>

namespace platform {

// Skips a UTF-8 byte-order mark at the reading position, if there is one.
void skipByteOrderMark(std::istream& in);

// std::getline that also drops a trailing "\r" and a leading UTF-8
// byte-order mark, so files saved with Windows line ends read the same.
bool readTextLine(std::istream& in, std::string& line);

} // namespace platform
