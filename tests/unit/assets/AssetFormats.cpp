#include "AssetFormats.h"
#include <SDL/SDL_image.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace assetcheck {
namespace {
uint32_t le16(const std::vector<uint8_t>& d, size_t o) { return d[o] | (d[o + 1] << 8); }
uint32_t le32(const std::vector<uint8_t>& d, size_t o) { return le16(d, o) | (le16(d, o + 2) << 16); }
int32_t sle32(const std::vector<uint8_t>& d, size_t o) { return static_cast<int32_t>(le32(d, o)); }
uint32_t be32(const std::vector<uint8_t>& d, size_t o) {
    return (uint32_t(d[o]) << 24) | (uint32_t(d[o + 1]) << 16) | (uint32_t(d[o + 2]) << 8) | d[o + 3];
}
bool fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}
}  // namespace

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

bool checkPng(const std::string& path, ImageInfo& info, std::string& why) {
    std::vector<uint8_t> d = readFile(path);
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 33 || std::memcmp(d.data(), sig, 8) != 0 || std::memcmp(&d[12], "IHDR", 4) != 0)
        return fail(why, "not a PNG file");
    info.width = static_cast<int>(be32(d, 16));
    info.height = static_cast<int>(be32(d, 20));
    int depth = d[24], type = d[25];
    if (depth != 8) return fail(why, "bit depth " + std::to_string(depth) + ", not 8");
    if (type != 2 && type != 6) return fail(why, "colour type " + std::to_string(type) + ", not truecolour");
    // The game decodes through SDL_image and keeps 3- or 4-byte surfaces only.
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return fail(why, "SDL_image cannot read it");
    int bpp = s->format->BytesPerPixel;
    bool sizeMatches = s->w == info.width && s->h == info.height;
    SDL_FreeSurface(s);
    if (bpp != 3 && bpp != 4) return fail(why, "decodes to " + std::to_string(bpp) + " bytes per pixel");
    if (!sizeMatches) return fail(why, "decoded size differs from the header");
    return true;
}

bool checkTga(const std::string& path, ImageInfo& info, std::string& why) {
    std::vector<uint8_t> d = readFile(path);
    if (d.size() < 18) return fail(why, "shorter than a TGA header");
    if (d[1] != 0) return fail(why, "has a colour map");
    if (d[2] != 2) return fail(why, "image type " + std::to_string(d[2]) + ", not 2 (uncompressed true colour)");
    if (d[16] != 32) return fail(why, "pixel depth " + std::to_string(d[16]) + ", not 32");
    info.width = static_cast<int>(le16(d, 12));
    info.height = static_cast<int>(le16(d, 14));
    size_t need = 18 + d[0] + static_cast<size_t>(info.width) * info.height * 4;
    if (d.size() < need) return fail(why, "pixel data cut short");
    return true;
}

bool checkBmp(const std::string& path, ImageInfo& info, std::string& why) {
    std::vector<uint8_t> d = readFile(path);
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return fail(why, "not a BMP file");
    info.width = sle32(d, 18);
    info.height = std::abs(sle32(d, 22));
    SDL_Surface* s = SDL_LoadBMP(path.c_str());
    if (!s) return fail(why, "SDL cannot read it");
    SDL_FreeSurface(s);
    return true;
}

bool checkWav(const std::string& path, SoundInfo& info, std::string& why) {
    std::vector<uint8_t> d = readFile(path);
    if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(&d[8], "WAVE", 4) != 0)
        return fail(why, "not a RIFF WAVE file");
    bool fmtSeen = false;
    for (size_t o = 12; o + 8 <= d.size();) {
        uint32_t size = le32(d, o + 4);
        if (o + 8 + size > d.size()) return fail(why, "a chunk runs past the end");
        if (std::memcmp(&d[o], "fmt ", 4) == 0) {
            if (size < 16) return fail(why, "short format chunk");
            if (le16(d, o + 8) != 1) return fail(why, "not PCM");
            if (le16(d, o + 10) != 2) return fail(why, "not stereo");
            if (le32(d, o + 12) != 22050) return fail(why, "rate " + std::to_string(le32(d, o + 12)) + ", not 22050");
            if (le16(d, o + 22) != 16) return fail(why, "not 16-bit");
            fmtSeen = true;
        } else if (std::memcmp(&d[o], "data", 4) == 0) {
            if (!fmtSeen) return fail(why, "data before format");
            size_t frames = size / 4;
            if (frames == 0) return fail(why, "no samples");
            info.seconds = frames / 22050.0;
            auto sample = [&](size_t frame, int ch) {
                return std::abs(static_cast<int16_t>(le16(d, o + 8 + frame * 4 + ch * 2)));
            };
            info.firstSample = std::max(sample(0, 0), sample(0, 1));
            info.lastSample = std::max(sample(frames - 1, 0), sample(frames - 1, 1));
            auto value = [&](size_t frame, int ch) { return static_cast<int>(static_cast<int16_t>(le16(d, o + 8 + frame * 4 + ch * 2))); };
            for (int ch = 0; ch < 2; ++ch)
                info.seamJump = std::max(info.seamJump, std::abs(value(0, ch) - value(frames - 1, ch)));
            return true;
        }
        o += 8 + size + (size & 1);
    }
    return fail(why, "no data chunk");
}

bool checkMd2(const std::string& path, ModelInfo& info, std::string& why) {
    std::vector<uint8_t> d = readFile(path);
    if (d.size() < 68 || std::memcmp(d.data(), "IDP2", 4) != 0) return fail(why, "not IDP2");
    if (sle32(d, 4) != 8) return fail(why, "version is not 8");
    info.skinWidth = sle32(d, 8);
    info.skinHeight = sle32(d, 12);
    int frameSize = sle32(d, 16), verts = sle32(d, 24), st = sle32(d, 28), tris = sle32(d, 32);
    info.frames = sle32(d, 40);
    info.triangles = tris;
    int ofsSt = sle32(d, 48), ofsTris = sle32(d, 52), ofsFrames = sle32(d, 56), ofsEnd = sle32(d, 64);
    if (ofsEnd > static_cast<int>(d.size())) return fail(why, "end offset past the file");
    if (frameSize != 40 + 4 * verts) return fail(why, "frame size does not match the vertex count");
    if (ofsSt + 4 * st > ofsEnd || ofsTris + 12 * tris > ofsEnd || ofsFrames + frameSize * info.frames > ofsEnd)
        return fail(why, "a table runs past the end");
    for (int t = 0; t < tris; ++t)
        for (int k = 0; k < 3; ++k) {
            if (static_cast<int>(le16(d, ofsTris + t * 12 + k * 2)) >= verts) return fail(why, "vertex index out of range");
            if (static_cast<int>(le16(d, ofsTris + t * 12 + 6 + k * 2)) >= st) return fail(why, "texture index out of range");
        }
    for (int i = 0; i < st; ++i) {
        int s = static_cast<int16_t>(le16(d, ofsSt + i * 4)), tt = static_cast<int16_t>(le16(d, ofsSt + i * 4 + 2));
        if (s < 0 || tt < 0 || s > info.skinWidth || tt > info.skinHeight) return fail(why, "texture coordinate off the skin");
    }
    return true;
}

bool readLevel(const std::string& path, LevelInfo& info) {
    std::ifstream in(path);
    std::string first;
    if (!(in >> first)) return false;
    int t, rows, cols;
    double r, g, b;
    if (first == "KZ2") {
        if (!(in >> t >> rows >> cols >> r >> g >> b >> info.background)) return false;
    } else if (!(in >> rows >> cols)) {
        return false;
    }
    int v;
    while (in >> v) info.cells.push_back(v);
    return true;
}
}  // namespace assetcheck
