#pragma once

#include <string>
#include <vector>

// Reads a whole file in binary mode. False when it cannot be opened or read
// (a folder, a read error); out then holds nothing.
bool readBinaryFile(const std::string& path, std::vector<unsigned char>& out);
