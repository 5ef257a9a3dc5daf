#include "WavWriter.h"
#include <cmath>

namespace {
void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
void tag(std::vector<uint8_t>& v, const char* t) { v.insert(v.end(), t, t + 4); }
int16_t toPcm(float s) {
    double v = std::lround(static_cast<double>(s) * 32767.0);
    if (v > 32767) v = 32767;
    if (v < -32768) v = -32768;
    return static_cast<int16_t>(v);
}
}  // namespace

std::vector<uint8_t> encodeWav(const StereoBuffer& sound) {
    uint32_t dataBytes = static_cast<uint32_t>(sound.frames() * 4);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    tag(out, "RIFF");
    put32(out, 36 + dataBytes);
    tag(out, "WAVE");
    tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 2);
    put32(out, StereoBuffer::rate);
    put32(out, StereoBuffer::rate * 4);
    put16(out, 4);
    put16(out, 16);
    tag(out, "data");
    put32(out, dataBytes);
    for (size_t i = 0; i < sound.frames(); ++i) {
        put16(out, static_cast<uint16_t>(toPcm(sound.left[i])));
        put16(out, static_cast<uint16_t>(toPcm(sound.right[i])));
    }
    return out;
}
