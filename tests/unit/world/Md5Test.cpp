#include "records/md5wrapper.h"

#include "WorldTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

struct DigestCase {
    const char* text;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5.
const DigestCase kRfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, RfcTestSuite)
{
    md5wrapper md5;
    for (const DigestCase& c : kRfcSuite)
        EXPECT_EQ(md5.getHashFromString(c.text), c.digest) << '"' << c.text << '"';
}

TEST(Md5, LevelDigestText)
{
    md5wrapper md5;
    EXPECT_EQ(md5.getHashFromString("60232011"), "2cc50a06fbabbede7454f03eeafef232");
}

TEST(Md5, TextsAcrossBlockBoundaries)
{
    // Lengths around the 56- and 64-byte padding limits, and a text with a
    // zero byte inside (the string's own length counts, not a terminator).
    md5wrapper md5;
    EXPECT_EQ(md5.getHashFromString(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(md5.getHashFromString(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(md5.getHashFromString(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
    EXPECT_EQ(md5.getHashFromString(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
    EXPECT_EQ(md5.getHashFromString(std::string("a\0b", 3)), "70350f6027bce3713f6b76473084309b");
}

TEST(Md5, FileDigestAndMissingFile)
{
    TemporaryGame game;
    writeFile("digest.txt", "message digest");
    writeFile("big.bin", std::string(5000, 'x'));
    md5wrapper md5;
    EXPECT_EQ(md5.getHashFromFile("digest.txt"), "f96b697d7cb7938d525a2f31aaf161d0");
    // Read in blocks of 1024 bytes: the result is the digest of the whole file.
    EXPECT_EQ(md5.getHashFromFile("big.bin"), md5.getHashFromString(std::string(5000, 'x')));
    EXPECT_EQ(md5.getHashFromFile("no-such-file.txt"), "-1");
}

TEST(Md5, MovedWrapperStillWorksAndFreesOnce)
{
    md5wrapper first;
    md5wrapper second(std::move(first));
    EXPECT_EQ(second.getHashFromString("abc"), "900150983cd24fb0d6963f7d28e17f72");
    md5wrapper third;
    third = std::move(second);
    EXPECT_EQ(third.getHashFromString("a"), "0cc175b9c0f1b6a831c399e269772661");
}

} // namespace
