#include "services/BinaryFile.h"

#include <cstdio>

bool readBinaryFile(const std::string& path, std::vector<unsigned char>& out)
{
    out.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    unsigned char block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0)
        out.insert(out.end(), block, block + n);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        out.clear();
    return !failed;
}
