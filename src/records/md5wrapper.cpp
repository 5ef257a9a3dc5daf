#include "records/md5wrapper.h"

#include "records/md5.h"

#include <cstdio>

md5wrapper::md5wrapper() : md5(new MD5) {}

md5wrapper::~md5wrapper() = default;

md5wrapper::md5wrapper(md5wrapper&&) noexcept = default;

md5wrapper& md5wrapper::operator=(md5wrapper&&) noexcept = default;

std::string md5wrapper::hashit(std::string text)
{
    if (!md5)
        md5.reset(new MD5);
    MD5_CTX context;
    md5->MD5Init(&context);
    // Fed in slices so that texts longer than an unsigned int are covered.
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        unsigned int slice = left > 0x40000000u ? 0x40000000u : static_cast<unsigned int>(left);
        md5->MD5Update(&context, bytes, slice);
        bytes += slice;
        left -= slice;
    }
    unsigned char digest[16];
    md5->MD5Final(digest, &context);
    return convToString(digest);
}

std::string md5wrapper::convToString(unsigned char* bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(32);
    for (int i = 0; i < 16; i++) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0f];
    }
    return text;
}

std::string md5wrapper::getHashFromString(std::string text)
{
    return hashit(text);
}

std::string md5wrapper::getHashFromFile(std::string filename)
{
    std::FILE* file = std::fopen(filename.c_str(), "rb");
    if (file == nullptr)
        return "-1";
    if (!md5)
        md5.reset(new MD5);
    MD5_CTX context;
    md5->MD5Init(&context);
    unsigned char buffer[1024];
    std::size_t len;
    while ((len = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        md5->MD5Update(&context, buffer, static_cast<unsigned int>(len));
    std::fclose(file);
    unsigned char digest[16];
    md5->MD5Final(digest, &context);
    return convToString(digest);
}
