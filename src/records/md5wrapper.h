#pragma once

#include <memory>
#include <string>

class MD5;

// MD5 digests as 32 lower-case hexadecimal digits. Holds its own MD5 object;
// it can be moved but not copied.
class md5wrapper {
public:
    md5wrapper();
    ~md5wrapper();
    md5wrapper(const md5wrapper&) = delete;
    md5wrapper& operator=(const md5wrapper&) = delete;
    md5wrapper(md5wrapper&&) noexcept;
    md5wrapper& operator=(md5wrapper&&) noexcept;

    // Digest of the bytes of text.
    std::string getHashFromString(std::string text);
    // Digest of a file's bytes; "-1" when it cannot be opened.
    std::string getHashFromFile(std::string filename);

private:
    std::string hashit(std::string text);
    std::string convToString(unsigned char* bytes);

    std::unique_ptr<MD5> md5;
};
