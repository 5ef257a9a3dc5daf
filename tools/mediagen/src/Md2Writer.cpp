#include "Md2Writer.h"
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
void putFloat(std::vector<uint8_t>& v, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put32(v, bits);
}
void putName(std::vector<uint8_t>& v, const std::string& s, size_t size) {
    for (size_t i = 0; i < size; ++i) v.push_back(i < s.size() && i + 1 < size ? static_cast<uint8_t>(s[i]) : 0);
}
}  // namespace

std::vector<uint8_t> encodeMd2(const Md2Model& m) {
    const uint32_t headerSize = 68;
    const uint32_t numVerts = m.frames.empty() ? 0 : static_cast<uint32_t>(m.frames[0].positions.size());
    const uint32_t frameSize = 40 + 4 * numVerts;
    const uint32_t ofsSkins = headerSize;
    const uint32_t ofsSt = ofsSkins + 64;
    const uint32_t ofsTris = ofsSt + 4 * static_cast<uint32_t>(m.texCoords.size());
    const uint32_t ofsFrames = ofsTris + 12 * static_cast<uint32_t>(m.triangles.size());
    const uint32_t ofsGl = ofsFrames + frameSize * static_cast<uint32_t>(m.frames.size());
    const uint32_t numGl = 1;  // just the terminating zero of an empty command list
    const uint32_t ofsEnd = ofsGl + 4 * numGl;

    std::vector<uint8_t> out;
    out.reserve(ofsEnd);
    for (char c : {'I', 'D', 'P', '2'}) out.push_back(static_cast<uint8_t>(c));
    put32(out, 8);
    put32(out, static_cast<uint32_t>(m.skinWidth));
    put32(out, static_cast<uint32_t>(m.skinHeight));
    put32(out, frameSize);
    put32(out, 1);
    put32(out, numVerts);
    put32(out, static_cast<uint32_t>(m.texCoords.size()));
    put32(out, static_cast<uint32_t>(m.triangles.size()));
    put32(out, numGl);
    put32(out, static_cast<uint32_t>(m.frames.size()));
    put32(out, ofsSkins);
    put32(out, ofsSt);
    put32(out, ofsTris);
    put32(out, ofsFrames);
    put32(out, ofsGl);
    put32(out, ofsEnd);

    putName(out, m.skinName, 64);
    for (auto& st : m.texCoords) {
        put16(out, static_cast<uint16_t>(st[0]));
        put16(out, static_cast<uint16_t>(st[1]));
    }
    for (auto& t : m.triangles) {
        for (uint16_t v : t.vertex) put16(out, v);
        for (uint16_t c : t.texCoord) put16(out, c);
    }
    for (auto& f : m.frames) {
        float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
        for (auto& p : f.positions)
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], p[k]);
                hi[k] = std::max(hi[k], p[k]);
            }
        float scale[3];
        for (int k = 0; k < 3; ++k) scale[k] = hi[k] > lo[k] ? (hi[k] - lo[k]) / 255.0f : 1.0f;
        for (int k = 0; k < 3; ++k) putFloat(out, scale[k]);
        for (int k = 0; k < 3; ++k) putFloat(out, lo[k]);
        putName(out, f.name, 16);
        for (auto& p : f.positions) {
            for (int k = 0; k < 3; ++k) {
                long q = std::lround((p[k] - lo[k]) / scale[k]);
                out.push_back(static_cast<uint8_t>(std::clamp(q, 0L, 255L)));
            }
            // The game draws the body unlit, so the normal index is left at
            // the table's first entry.
            out.push_back(0);
        }
    }
    put32(out, 0);
    return out;
}
