#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A stereo signal in floating point, -1..1, at the game's mixing rate.
struct StereoBuffer {
    static constexpr int rate = 22050;
    std::vector<float> left, right;
    explicit StereoBuffer(size_t frames = 0) : left(frames, 0.f), right(frames, 0.f) {}
    size_t frames() const { return left.size(); }
};

// 16-bit PCM WAV, 22050 Hz, two channels; samples beyond -1..1 are clipped.
std::vector<uint8_t> encodeWav(const StereoBuffer& sound);
