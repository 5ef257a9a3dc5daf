#include "MediaTestSupport.h"

#include "services/LoadFileTGA.h"

#include <gtest/gtest.h>

#include <memory>

using namespace media_test;

namespace {

struct Decoded {
    int result = -2;
    int width = 0;
    int height = 0;
    Bytes rgba;
};

Decoded decode(const Bytes& file, bool flip = false)
{
    Decoded d;
    unsigned char* pixels = nullptr;
    d.result = LoadTGAFromMemory(file.data(), file.size(), &pixels, &d.width, &d.height, flip);
    if (pixels != nullptr) {
        d.rgba.assign(pixels, pixels + (std::size_t)d.width * d.height * 4);
        delete[] pixels;
    }
    return d;
}

TgaHeader header(unsigned type, int width, int height, unsigned depth)
{
    TgaHeader h;
    h.type = type;
    h.width = width;
    h.height = height;
    h.depth = depth;
    return h;
}

TgaHeader mapped(unsigned type, int width, int height, int mapLength, unsigned entryBits)
{
    TgaHeader h = header(type, width, height, 8);
    h.mapType = 1;
    h.mapLength = mapLength;
    h.mapEntryBits = entryBits;
    return h;
}

// A one-pixel 24-bit true-colour header that also announces a colour map.
TgaHeader trueColourMap(unsigned type, int mapLength, unsigned entryBits)
{
    TgaHeader h = header(type, 1, 1, 24);
    h.mapType = 1;
    h.mapLength = mapLength;
    h.mapEntryBits = entryBits;
    return h;
}

struct GoodCase {
    const char* name;
    Bytes file;
    bool flip;
    int width;
    int height;
    Bytes rgba;
};

std::vector<GoodCase> goodCases()
{
    std::vector<GoodCase> cases;
    cases.push_back({"true colour 24 bit: B, G, R", tga(header(2, 2, 1, 24), {10, 20, 30, 40, 50, 60}),
                     false, 2, 1, {30, 20, 10, 255, 60, 50, 40, 255}});
    cases.push_back({"true colour 16 bit 0x7FFF", tga(header(2, 1, 1, 16), {0xFF, 0x7F}), false, 1, 1,
                     {248, 248, 248, 255}});
    cases.push_back({"true colour 16 bit channels", tga(header(2, 1, 1, 16), {0x1F, 0x7C}), false, 1,
                     1, {248, 0, 248, 255}});
    cases.push_back({"true colour 32 bit keeps alpha", tga(header(2, 1, 1, 32), {1, 2, 3, 4}), false,
                     1, 1, {3, 2, 1, 4}});
    cases.push_back({"run packet 0x83 repeats four times",
                     tga(header(10, 4, 1, 24), {0x83, 7, 8, 9}), false, 4, 1,
                     {9, 8, 7, 255, 9, 8, 7, 255, 9, 8, 7, 255, 9, 8, 7, 255}});
    cases.push_back({"raw packet 0x02 holds three pixels",
                     tga(header(10, 3, 1, 32), {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), false,
                     3, 1, {3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12}});
    cases.push_back({"run packet across rows", tga(header(10, 2, 2, 24), {0x83, 1, 2, 3}), false, 2, 2,
                     {3, 2, 1, 255, 3, 2, 1, 255, 3, 2, 1, 255, 3, 2, 1, 255}});
    cases.push_back({"flip: rows A, B come out B, A", tga(header(2, 1, 2, 24), {1, 1, 1, 2, 2, 2}),
                     true, 1, 2, {2, 2, 2, 255, 1, 1, 1, 255}});
    cases.push_back({"no flip: rows A, B stay A, B", tga(header(2, 1, 2, 24), {1, 1, 1, 2, 2, 2}),
                     false, 1, 2, {1, 1, 1, 255, 2, 2, 2, 255}});
    cases.push_back({"colour-mapped, 24-bit map", tga(mapped(1, 2, 1, 2, 24), {10, 20, 30, 40, 50, 60, 1, 0}),
                     false, 2, 1, {60, 50, 40, 255, 30, 20, 10, 255}});
    cases.push_back({"colour-mapped, 32-bit map entries", tga(mapped(1, 2, 1, 2, 32),
                     {10, 20, 30, 99, 40, 50, 60, 99, 1, 0}), false, 2, 1,
                     {60, 50, 40, 255, 30, 20, 10, 255}});
    {
        TgaHeader h = mapped(1, 1, 1, 1, 24);
        h.idLength = 3;
        cases.push_back({"image-ID field moves the map", tga(h, {0xAA, 0xBB, 0xCC, 1, 2, 3, 0}), false, 1,
                         1, {3, 2, 1, 255}});
    }
    {
        TgaHeader h = header(2, 1, 1, 24);
        h.idLength = 2;
        cases.push_back({"image-ID field moves the pixels", tga(h, {0xAA, 0xBB, 4, 5, 6}), false, 1, 1,
                         {6, 5, 4, 255}});
    }
    cases.push_back({"run-length colour-mapped", tga(mapped(9, 3, 1, 2, 24),
                     {1, 2, 3, 4, 5, 6, 0x81, 1, 0x00, 0}), false, 3, 1,
                     {6, 5, 4, 255, 6, 5, 4, 255, 3, 2, 1, 255}});
    cases.push_back({"grey without a map", tga(header(3, 2, 1, 8), {0, 200}), false, 2, 1,
                     {0, 0, 0, 255, 200, 200, 200, 255}});
    cases.push_back({"run-length grey", tga(header(11, 3, 1, 8), {0x82, 77}), false, 3, 1,
                     {77, 77, 77, 255, 77, 77, 77, 255, 77, 77, 77, 255}});
    cases.push_back({"grey read through its map", tga(mapped(3, 1, 1, 1, 24), {1, 2, 3, 0}), false, 1, 1,
                     {3, 2, 1, 255}});
    return cases;
}

} // namespace

TEST(TgaReader, DecodesEveryTypeAndDepth)
{
    for (const GoodCase& c : goodCases()) {
        SCOPED_TRACE(c.name);
        Decoded d = decode(c.file, c.flip);
        EXPECT_EQ(d.result, 1);
        EXPECT_EQ(d.width, c.width);
        EXPECT_EQ(d.height, c.height);
        EXPECT_EQ(d.rgba, c.rgba);
    }
}

TEST(TgaReader, SkipsTheColourMapOfTrueColourFiles)
{
    // True-colour pixels never look into a colour map, so a map of any length
    // and entry size is stepped over and the pixels after it are read.
    struct MapCase {
        const char* name;
        unsigned type;
        unsigned depth;
        int mapLength;
        unsigned entryBits;
        std::size_t mapBytes; // what the map takes in the file
        Bytes pixels;
        Bytes rgba;
    };
    const Bytes rgb2 = {10, 20, 30, 40, 50, 60};
    const Bytes rgba2 = {30, 20, 10, 255, 60, 50, 40, 255};
    const std::vector<MapCase> cases = {
        {"15-bit entries take two bytes", 2, 24, 3, 15, 6, rgb2, rgba2},
        {"16-bit entries", 2, 24, 1, 16, 2, rgb2, rgba2},
        {"24-bit entries under 32-bit pixels", 2, 32, 2, 24, 6, {1, 2, 3, 4}, {3, 2, 1, 4}},
        {"32-bit entries under 16-bit pixels", 2, 16, 2, 32, 8, {0xFF, 0x7F}, {248, 248, 248, 255}},
        {"8-bit entries", 2, 24, 5, 8, 5, rgb2, rgba2},
        {"12-bit entries round up to two bytes", 2, 24, 3, 12, 6, rgb2, rgba2},
        {"48-bit entries", 2, 24, 1, 48, 6, rgb2, rgba2},
        {"64-bit entries", 2, 24, 2, 64, 16, rgb2, rgba2},
        {"map of no entries", 2, 24, 0, 24, 0, rgb2, rgba2},
        {"entries of no bits", 2, 24, 4, 0, 0, rgb2, rgba2},
        {"map of 300 entries", 2, 24, 300, 24, 900, rgb2, rgba2},
        {"run-length, 15-bit entries", 10, 24, 2, 15, 4, {0x81, 7, 8, 9}, {9, 8, 7, 255, 9, 8, 7, 255}},
        {"run-length, 48-bit entries", 10, 32, 3, 48, 18, {0x01, 1, 2, 3, 4, 5, 6, 7, 8},
         {3, 2, 1, 4, 7, 6, 5, 8}},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        TgaHeader h = header(c.type, (int)c.rgba.size() / 4, 1, c.depth);
        h.mapType = 1;
        h.mapLength = c.mapLength;
        h.mapEntryBits = c.entryBits;
        Bytes rest(c.mapBytes, 0xEE);
        rest.insert(rest.end(), c.pixels.begin(), c.pixels.end());
        Decoded d = decode(tga(h, rest));
        EXPECT_EQ(d.result, 1);
        EXPECT_EQ(d.rgba, c.rgba);
    }
}

TEST(TgaReader, RefusesMalformedFilesWithoutPixels)
{
    Bytes shortHeader = tga(header(2, 1, 1, 24), {1, 2, 3});
    shortHeader.resize(10);
    TgaHeader idTooLong = header(2, 1, 1, 24);
    idTooLong.idLength = 200;
    TgaHeader noMap = header(1, 1, 1, 8);
    TgaHeader shortMap = mapped(1, 1, 1, 4, 24);

    struct BadCase {
        const char* name;
        Bytes file;
    };
    const std::vector<BadCase> cases = {
        {"empty file", Bytes()},
        {"short header", shortHeader},
        {"type 0 (no image)", tga(header(0, 1, 1, 24), {})},
        {"unknown type 5", tga(header(5, 1, 1, 24), {1, 2, 3})},
        {"zero width", tga(header(2, 0, 1, 24), {1, 2, 3})},
        {"zero height", tga(header(2, 1, 0, 24), {1, 2, 3})},
        {"negative width", tga(header(2, -2, 1, 24), {1, 2, 3})},
        {"huge size, little data", tga(header(2, 32767, 32767, 32), {1, 2, 3, 4})},
        {"huge run-length size", tga(header(10, 32767, 32767, 32), {0xFF, 1, 2, 3, 4})},
        {"true colour of depth 8", tga(header(2, 1, 1, 8), {1})},
        {"true colour of depth 15", tga(header(2, 1, 1, 15), {1, 2})},
        {"colour-mapped of depth 24", tga(mapped(1, 1, 1, 1, 24), {1, 2, 3, 1, 2, 3})},
        {"truncated raw pixels", tga(header(2, 2, 2, 24), {1, 2, 3, 4, 5, 6, 7})},
        {"truncated run packet", tga(header(10, 2, 1, 24), {0x81, 1, 2})},
        {"truncated raw packet", tga(header(10, 2, 1, 24), {0x01, 1, 2, 3})},
        {"packets end early", tga(header(10, 4, 1, 24), {0x81, 1, 2, 3})},
        {"run longer than the image", tga(header(10, 2, 1, 24), {0xFF, 1, 2, 3})},
        {"raw packet longer than the image", tga(header(10, 1, 1, 24), {0x01, 1, 2, 3, 4, 5, 6})},
        {"ID field past the end", tga(idTooLong, {1, 2, 3})},
        {"colour-mapped without a map", tga(noMap, {0})},
        {"map of zero entries", tga(mapped(1, 1, 1, 0, 24), {0})},
        {"map of negative length", tga(mapped(1, 1, 1, -3, 24), {0})},
        {"map of 8-bit entries", tga(mapped(1, 1, 1, 1, 8), {5, 0})},
        {"truncated map", tga(shortMap, {1, 2, 3, 4, 5})},
        {"true-colour map past the end", tga(trueColourMap(2, 4, 24), {1, 2, 3, 4, 5})},
        {"run-length true-colour map past the end", tga(trueColourMap(10, 40, 32), {0x80, 1, 2, 3})},
        {"true-colour map of negative length", tga(trueColourMap(2, -3, 24), {1, 2, 3})},
        {"index beyond the map", tga(mapped(1, 1, 1, 1, 24), {1, 2, 3, 1})},
        {"run index beyond the map", tga(mapped(9, 2, 1, 1, 24), {1, 2, 3, 0x81, 9})},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        unsigned char* pixels = reinterpret_cast<unsigned char*>(1);
        int width = 0;
        int height = 0;
        EXPECT_EQ(LoadTGAFromMemory(c.file.data(), c.file.size(), &pixels, &width, &height, false), 0);
        EXPECT_EQ(pixels, nullptr);
    }
}

TEST(TgaReader, NullPixelPointerGivesSizesAndMinusOne)
{
    Bytes file = tga(header(2, 3, 5, 24), Bytes(3 * 5 * 3, 0));
    int width = 0;
    int height = 0;
    EXPECT_EQ(LoadTGAFromMemory(file.data(), file.size(), nullptr, &width, &height, false), -1);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 5);
    unsigned char* pixels = nullptr;
    EXPECT_EQ(LoadTGAFromMemory(file.data(), file.size(), &pixels, nullptr, nullptr, false), 1);
    delete[] pixels;
}

TEST(TgaReader, ReadsFilesAndRefusesMissingOnes)
{
    korvelin_test::TempDir dir("media-tga");
    const std::string path = dir.file("block.tga");
    ASSERT_TRUE(korvelin_test::writeFile(path, toString(tga(header(2, 1, 1, 32), {9, 8, 7, 6}))));

    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    ASSERT_EQ(LoadFileTGA(path.c_str(), &pixels, &width, &height, false), 1);
    std::unique_ptr<unsigned char[]> owned(pixels);
    EXPECT_EQ(Bytes(pixels, pixels + 4), (Bytes{7, 8, 9, 6}));

    unsigned char* none = nullptr;
    EXPECT_EQ(LoadFileTGA(dir.file("missing.tga").c_str(), &none, &width, &height, false), 0);
    EXPECT_EQ(none, nullptr);
    // A folder opens but holds no image.
    EXPECT_EQ(LoadFileTGA(dir.path().c_str(), &none, &width, &height, false), 0);
}
