#include "services/LoadFileTGA.h"

#include "services/BinaryFile.h"

#include <cstdint>
#include <vector>

namespace {

// Image types of the TGA format that the game reads.
enum TgaType : uint8_t {
    MAPPED = 1,
    TRUE_COLOUR = 2,
    GREY = 3,
    RLE_MAPPED = 9,
    RLE_TRUE_COLOUR = 10,
    RLE_GREY = 11,
};

const unsigned long HEADER_SIZE = 18;
// Upper bound of the pixel count, well above any texture side OpenGL takes.
const unsigned long MAX_PIXELS = 8192UL * 8192UL;

uint16_t readU16(const unsigned char* p)
{
    return (uint16_t)(p[0] | (p[1] << 8));
}

int16_t readS16(const unsigned char* p)
{
    return (int16_t)readU16(p);
}

// Turns one stored pixel value into R, G, B, A. Colour-mapped and grey pixels
// are one index byte; true-colour pixels are 2, 3 or 4 bytes.
class PixelDecoder {
public:
    bool indexed = false;
    int bytesPerPixel = 0;
    const unsigned char* map = nullptr; // colour map, or null for grey levels
    int mapLength = 0;
    int mapEntryBytes = 0;

    bool decode(const unsigned char* in, unsigned char* out) const
    {
        if (indexed)
            return decodeIndex(in[0], out);
        decodeTrueColour(in, bytesPerPixel, out);
        return true;
    }

private:
    static void decodeTrueColour(const unsigned char* in, int bytes, unsigned char* out)
    {
        if (bytes == 2) {
            uint16_t w = readU16(in);
            out[0] = (unsigned char)((w >> 7) & 0xF8);
            out[1] = (unsigned char)((w >> 2) & 0xF8);
            out[2] = (unsigned char)((w << 3) & 0xF8);
            out[3] = 255;
        } else {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = bytes == 4 ? in[3] : 255;
        }
    }

    bool decodeIndex(unsigned char index, unsigned char* out) const
    {
        if (map == nullptr) {
            out[0] = out[1] = out[2] = index;
            out[3] = 255;
            return true;
        }
        if (index >= mapLength)
            return false;
        decodeTrueColour(map + index * mapEntryBytes, mapEntryBytes, out);
        out[3] = 255;
        return true;
    }
};

// Places decoded pixels into the caller's buffer, in stored order, rows
// reversed when flipping.
class PixelSink {
public:
    PixelSink(unsigned char* buffer, int width, int height, bool flip)
        : buffer(buffer), width(width), height(height), flip(flip),
          total((unsigned long)width * (unsigned long)height)
    {
    }

    bool full() const { return written >= total; }

    unsigned char* next()
    {
        unsigned long row = written / (unsigned long)width;
        unsigned long column = written % (unsigned long)width;
        if (flip)
            row = (unsigned long)height - 1 - row;
        ++written;
        return buffer + (row * (unsigned long)width + column) * 4;
    }

    unsigned long remaining() const { return total - written; }

private:
    unsigned char* buffer;
    int width;
    int height;
    bool flip;
    unsigned long total;
    unsigned long written = 0;
};

bool readRaw(const unsigned char* data, unsigned long size, unsigned long pos,
             const PixelDecoder& decoder, PixelSink& sink)
{
    unsigned long bytes = (unsigned long)decoder.bytesPerPixel;
    if (sink.remaining() > (size - pos) / bytes)
        return false;
    while (!sink.full()) {
        if (!decoder.decode(data + pos, sink.next()))
            return false;
        pos += bytes;
    }
    return true;
}

bool readRunLength(const unsigned char* data, unsigned long size, unsigned long pos,
                   const PixelDecoder& decoder, PixelSink& sink)
{
    unsigned long bytes = (unsigned long)decoder.bytesPerPixel;
    while (!sink.full()) {
        if (pos >= size)
            return false;
        unsigned char header = data[pos++];
        unsigned long count = (unsigned long)(header & 0x7F) + 1;
        if (count > sink.remaining())
            return false;
        if (header & 0x80) {
            if (size - pos < bytes)
                return false;
            unsigned char pixel[4];
            if (!decoder.decode(data + pos, pixel))
                return false;
            pos += bytes;
            for (unsigned long i = 0; i < count; ++i) {
                unsigned char* out = sink.next();
                for (int c = 0; c < 4; ++c)
                    out[c] = pixel[c];
            }
        } else {
            if ((size - pos) / bytes < count)
                return false;
            for (unsigned long i = 0; i < count; ++i) {
                if (!decoder.decode(data + pos, sink.next()))
                    return false;
                pos += bytes;
            }
        }
    }
    return true;
}

} // namespace

int LoadTGAFromMemory(const unsigned char* data, unsigned long size, unsigned char** pixels,
                      int* width, int* height, bool flip)
{
    if (pixels != nullptr)
        *pixels = nullptr;
    if (data == nullptr || size < HEADER_SIZE)
        return 0;

    const unsigned int idLength = data[0];
    const unsigned int mapType = data[1];
    const unsigned int type = data[2];
    const int mapLength = readS16(data + 5);
    const unsigned int mapEntryBits = data[7];
    const int w = readS16(data + 12);
    const int h = readS16(data + 14);
    const unsigned int depth = data[16];

    if (width != nullptr)
        *width = w;
    if (height != nullptr)
        *height = h;
    if (pixels == nullptr)
        return -1;

    PixelDecoder decoder;
    switch (type) {
    case MAPPED:
    case GREY:
    case RLE_MAPPED:
    case RLE_GREY:
        if (depth != 8)
            return 0;
        decoder.indexed = true;
        decoder.bytesPerPixel = 1;
        break;
    case TRUE_COLOUR:
    case RLE_TRUE_COLOUR:
        if (depth != 16 && depth != 24 && depth != 32)
            return 0;
        decoder.bytesPerPixel = (int)depth / 8;
        break;
    default:
        // Type 0 (no image data) and every other type are refused.
        return 0;
    }
    if (w <= 0 || h <= 0 || (unsigned long)w * (unsigned long)h > MAX_PIXELS)
        return 0;

    unsigned long pos = HEADER_SIZE + idLength;
    if (pos > size)
        return 0;
    if (mapType != 0) {
        if (mapLength < 0)
            return 0;
        // Entries take whole bytes: a 15-bit entry is stored in two.
        unsigned long entryBytes = (mapEntryBits + 7) / 8;
        unsigned long mapBytes = (unsigned long)mapLength * entryBytes;
        if (mapBytes > size - pos)
            return 0;
        // True-colour pixels never look into the map; they just follow it.
        if (decoder.indexed) {
            if (mapLength == 0 || entryBytes < 2 || entryBytes > 4)
                return 0;
            decoder.map = data + pos;
            decoder.mapLength = mapLength;
            decoder.mapEntryBytes = (int)entryBytes;
        }
        pos += mapBytes;
    }
    // Colour-mapped types need their map; grey levels go without one.
    if ((type == MAPPED || type == RLE_MAPPED) && decoder.map == nullptr)
        return 0;

    const bool runLength = type >= RLE_MAPPED;
    unsigned long total = (unsigned long)w * (unsigned long)h;
    // Every pixel costs at least one byte of data in a raw file; a run packet
    // of 1 + bytesPerPixel bytes covers at most 128 pixels.
    unsigned long available = size - pos;
    if (!runLength && total > available / (unsigned long)decoder.bytesPerPixel)
        return 0;
    if (runLength && total / 128 > available / (unsigned long)(decoder.bytesPerPixel + 1))
        return 0;

    unsigned char* buffer = new unsigned char[total * 4];
    PixelSink sink(buffer, w, h, flip);
    bool ok = runLength ? readRunLength(data, size, pos, decoder, sink)
                        : readRaw(data, size, pos, decoder, sink);
    if (!ok) {
        delete[] buffer;
        return 0;
    }
    *pixels = buffer;
    return 1;
}

int LoadFileTGA(const char* path, unsigned char** pixels, int* width, int* height, bool flip)
{
    if (pixels != nullptr)
        *pixels = nullptr;
    if (path == nullptr)
        return 0;
    std::vector<unsigned char> data;
    if (!readBinaryFile(path, data))
        return 0;
    return LoadTGAFromMemory(data.data(), (unsigned long)data.size(), pixels, width, height, flip);
}
