#include "MediaTestSupport.h"

#include "services/CTextureManager.h"
#include "services/ColorManager.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "services/TextFromFontManager.h"

#include <SDL/SDL.h>

#include <cstring>
#include <sstream>

namespace media_test {

void putU16(Bytes& out, unsigned v)
{
    out.push_back((unsigned char)(v & 0xFF));
    out.push_back((unsigned char)((v >> 8) & 0xFF));
}

void putU32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((unsigned char)((v >> (8 * i)) & 0xFF));
}

void putFloat(Bytes& out, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(out, bits);
}

std::string toString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes tga(const TgaHeader& h, const Bytes& rest)
{
    Bytes out;
    out.push_back((unsigned char)h.idLength);
    out.push_back((unsigned char)h.mapType);
    out.push_back((unsigned char)h.type);
    putU16(out, h.mapFirst);
    putU16(out, (unsigned)(h.mapLength & 0xFFFF));
    out.push_back((unsigned char)h.mapEntryBits);
    putU16(out, 0);
    putU16(out, 0);
    putU16(out, (unsigned)(h.width & 0xFFFF));
    putU16(out, (unsigned)(h.height & 0xFFFF));
    out.push_back((unsigned char)h.depth);
    out.push_back((unsigned char)h.descriptor);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

namespace {

uint32_t crc32(const unsigned char* data, std::size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putU32BigEndian(Bytes& out, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back((unsigned char)((v >> (8 * i)) & 0xFF));
}

void chunk(Bytes& out, const char* type, const Bytes& data)
{
    putU32BigEndian(out, (uint32_t)data.size());
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putU32BigEndian(out, crc32(typed.data(), typed.size()));
}

// zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibStored(const Bytes& raw)
{
    Bytes out = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        std::size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        bool last = pos + n == raw.size();
        out.push_back(last ? 1 : 0);
        putU16(out, (unsigned)n);
        putU16(out, (unsigned)(~n & 0xFFFF));
        out.insert(out.end(), raw.begin() + (long)pos, raw.begin() + (long)(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putU32BigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

std::string png(int width, int height, int colourType, const Bytes& samples, const Bytes& palette)
{
    int channels = colourType == 2 ? 3 : colourType == 6 ? 4 : colourType == 4 ? 2 : 1;
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    putU32BigEndian(ihdr, (uint32_t)width);
    putU32BigEndian(ihdr, (uint32_t)height);
    ihdr.push_back(8);
    ihdr.push_back((unsigned char)colourType);
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(0);
    chunk(out, "IHDR", ihdr);
    if (colourType == 3)
        chunk(out, "PLTE", palette);
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        auto begin = samples.begin() + (long)y * width * channels;
        raw.insert(raw.end(), begin, begin + (long)width * channels);
    }
    chunk(out, "IDAT", zlibStored(raw));
    chunk(out, "IEND", Bytes());
    return toString(out);
}

Bytes Md2::bytes() const
{
    const int numVertices = frames.empty() ? 0 : (int)frames[0].vertices.size();
    const int offsetSkins = 68;
    const int offsetTexCoords = offsetSkins + 64 * numSkins;
    const int offsetTriangles = offsetTexCoords + 4 * (int)texCoords.size();
    const int offsetFrames = offsetTriangles + 12 * (int)triangles.size();
    const int frameSize = 40 + 4 * numVertices;
    const int offsetGlCommands = offsetFrames + frameSize * (int)frames.size();
    const int offsetEnd = offsetGlCommands + 4 * numGlCommands;

    auto pick = [](int over, int value) { return over != -1 ? over : value; };
    Bytes out(ident.begin(), ident.end());
    out.resize(4, 0);
    putU32(out, (uint32_t)version);
    putU32(out, (uint32_t)skinWidth);
    putU32(out, (uint32_t)skinHeight);
    putU32(out, (uint32_t)frameSize);
    putU32(out, (uint32_t)numSkins);
    putU32(out, (uint32_t)pick(overrideNumVertices, numVertices));
    putU32(out, (uint32_t)pick(overrideNumTexCoords, (int)texCoords.size()));
    putU32(out, (uint32_t)pick(overrideNumTriangles, (int)triangles.size()));
    putU32(out, (uint32_t)numGlCommands);
    putU32(out, (uint32_t)pick(overrideNumFrames, (int)frames.size()));
    putU32(out, (uint32_t)offsetSkins);
    putU32(out, (uint32_t)offsetTexCoords);
    putU32(out, (uint32_t)pick(overrideOffsetTriangles, offsetTriangles));
    putU32(out, (uint32_t)pick(overrideOffsetFrames, offsetFrames));
    putU32(out, (uint32_t)offsetGlCommands);
    putU32(out, (uint32_t)offsetEnd);

    for (int i = 0; i < numSkins; ++i) {
        Bytes name(64, 0);
        std::memcpy(name.data(), "skin.tga", 8);
        out.insert(out.end(), name.begin(), name.end());
    }
    for (const auto& st : texCoords) {
        putU16(out, (unsigned)(st.first & 0xFFFF));
        putU16(out, (unsigned)(st.second & 0xFFFF));
    }
    for (const Md2Triangle& t : triangles) {
        for (unsigned v : t.vertex)
            putU16(out, v);
        for (unsigned v : t.texCoord)
            putU16(out, v);
    }
    for (const Md2Frame& f : frames) {
        for (float v : f.scale)
            putFloat(out, v);
        for (float v : f.translate)
            putFloat(out, v);
        Bytes name(16, 0);
        std::memcpy(name.data(), "frame", 5);
        out.insert(out.end(), name.begin(), name.end());
        for (const Md2Vertex& v : f.vertices) {
            out.push_back(v.x);
            out.push_back(v.y);
            out.push_back(v.z);
            out.push_back(v.normal);
        }
    }
    for (int i = 0; i < numGlCommands; ++i)
        putU32(out, 0);
    return out;
}

Md2 simpleModel()
{
    Md2 m;
    m.texCoords = {{0, 0}, {128, 64}, {256, 256}};
    m.triangles = {{{0, 1, 2}, {0, 1, 2}}};
    Md2Frame a;
    a.vertices = {{10, 0, 0, 0}, {0, 10, 0, 1}, {0, 0, 10, 2}};
    Md2Frame b;
    b.vertices = {{20, 0, 0, 0}, {0, 20, 0, 1}, {0, 0, 20, 2}};
    m.frames = {a, b};
    return m;
}

GlWindow::GlWindow(int width, int height) : opened(korvelin_test::openGLWindow(width, height, 32)) {}

GlWindow::~GlWindow()
{
    SDL_Quit();
}

template <typename T>
static void dropSingleton()
{
    delete CSingleton<T>::m_Singleton;
    CSingleton<T>::m_Singleton = nullptr;
}

void resetServices()
{
    dropSingleton<TextFromFontManager>();
    dropSingleton<CTextureManager>();
    dropSingleton<ColorManager>();
    SonsManager::kill();
    LangManager::kill();
    OptionsManager::kill();
    dropSingleton<DebugManager>();
    dropSingleton<DataFileManager>();
}

MediaSandbox::MediaSandbox(const korvelin_test::OptionsText& options)
{
    resetServices();
    writeUserFile("Data/Options.dat", options.str());
}

MediaSandbox::~MediaSandbox()
{
    resetServices();
}

std::string MediaSandbox::log() const
{
    return korvelin_test::readFile(installDir() + "/Debug.txt");
}

int MediaSandbox::countLogLines(const std::string& a, const std::string& b) const
{
    std::istringstream in(log());
    std::string line;
    int count = 0;
    while (std::getline(in, line))
        if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
            ++count;
    return count;
}

} // namespace media_test
