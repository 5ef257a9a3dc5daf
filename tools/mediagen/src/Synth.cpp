#include "Synth.h"
#include <algorithm>
#include <cmath>
#include "Rng.h"

namespace synth {
namespace {
constexpr double rate = StereoBuffer::rate;

double envelope(const Note& n, double t) {
    if (t < 0) return 0;
    double a = t < n.attack ? t / n.attack : 1.0;
    double r = 1.0;
    if (t > n.length) r = std::max(0.0, 1 - (t - n.length) / n.release);
    double shape = 1.0;
    switch (n.voice) {
        case Voice::Pluck: shape = std::exp(-t / std::max(0.08, n.length * 0.8)); break;
        case Voice::Bell: shape = std::exp(-t / std::max(0.1, n.length)); break;
        case Voice::Bass: shape = 0.6 + 0.4 * std::exp(-t / 0.25); break;
        default: break;
    }
    return a * r * shape;
}

double waveform(Voice v, double phase, double t) {
    const double tau = 2 * M_PI;
    switch (v) {
        case Voice::Sine: return std::sin(tau * phase);
        case Voice::Soft:  // a rounded square: odd harmonics, falling fast
            return std::sin(tau * phase) + 0.22 * std::sin(3 * tau * phase) + 0.06 * std::sin(5 * tau * phase);
        case Voice::Pluck:
            return std::sin(tau * phase) + 0.45 * std::exp(-t * 8) * std::sin(2 * tau * phase) +
                   0.2 * std::exp(-t * 14) * std::sin(3 * tau * phase);
        case Voice::Bell: return std::sin(tau * phase + 1.6 * std::exp(-t * 3) * std::sin(tau * phase * 3.5));
        case Voice::Pad:
            return std::sin(tau * phase) + 0.3 * std::sin(2 * tau * phase + 0.5) + 0.1 * std::sin(3 * tau * phase);
        case Voice::Bass: return std::sin(tau * phase) + 0.25 * std::sin(2 * tau * phase);
        case Voice::Organ:
            return std::sin(tau * phase) + 0.5 * std::sin(2 * tau * phase) + 0.25 * std::sin(4 * tau * phase);
    }
    return 0;
}

void put(StereoBuffer& buf, long i, double v, double pan, bool loop) {
    long n = static_cast<long>(buf.frames());
    if (loop) i = ((i % n) + n) % n;
    if (i < 0 || i >= n) return;
    double l = std::cos((pan + 1) * M_PI / 4), r = std::sin((pan + 1) * M_PI / 4);
    buf.left[i] += static_cast<float>(v * l * M_SQRT2 * 0.7071);
    buf.right[i] += static_cast<float>(v * r * M_SQRT2 * 0.7071);
}
}  // namespace

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void add(StereoBuffer& buf, const Note& n, bool loop) {
    long first = std::lround(n.start * rate);
    long count = std::lround((n.length + n.release) * rate);
    double phase = 0;
    // Pads are two slightly detuned voices for warmth.
    double phase2 = 0.25;
    for (long k = 0; k < count; ++k) {
        double t = k / rate;
        double f = n.freq;
        if (n.glideTo > 0) f = n.freq * std::pow(n.glideTo / n.freq, std::min(1.0, t / std::max(0.001, n.length)));
        if (n.vibrato > 0) f *= std::pow(2.0, n.vibrato / 12 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t * 4));
        phase += f / rate;
        phase -= std::floor(phase);
        double v = waveform(n.voice, phase, t);
        if (n.voice == Voice::Pad) {
            phase2 += f * 1.004 / rate;
            phase2 -= std::floor(phase2);
            v = 0.5 * (v + waveform(n.voice, phase2, t));
        }
        put(buf, first + k, v * envelope(n, t) * n.gain, n.pan, loop);
    }
}

void noise(StereoBuffer& buf, double start, double length, double gain, double cutoff, double pan, uint64_t seed,
           bool loop, double decay) {
    Rng rng(seed);
    long first = std::lround(start * rate), count = std::lround(length * rate);
    double a = 1 - std::exp(-2 * M_PI * cutoff / rate), y1 = 0, y2 = 0;
    for (long k = 0; k < count; ++k) {
        double t = k / rate;
        double x = rng.uniform() * 2 - 1;
        y1 += a * (x - y1);
        y2 += a * (y1 - y2);
        double env = std::min(1.0, t / 0.002) * std::exp(-t / decay) * std::min(1.0, (length - t) / 0.005);
        put(buf, first + k, y2 * 2.5 * env * gain, pan, loop);
    }
}

void kick(StereoBuffer& buf, double start, double gain, bool loop) {
    Note n;
    n.start = start;
    n.length = 0.05;
    n.release = 0.18;
    n.freq = 130;
    n.glideTo = 48;
    n.gain = gain;
    n.voice = Voice::Sine;
    add(buf, n, loop);
}

void loopEcho(StereoBuffer& buf, double delay, double feedback, int taps) {
    long n = static_cast<long>(buf.frames()), d = std::lround(delay * rate);
    StereoBuffer dry = buf;
    double g = feedback;
    for (int t = 1; t <= taps; ++t, g *= feedback)
        for (long i = 0; i < n; ++i) {
            long j = ((i - d * t) % n + n) % n;
            // Cross the echoes between the channels for width.
            buf.left[i] += static_cast<float>(g * (t % 2 ? dry.right[j] : dry.left[j]));
            buf.right[i] += static_cast<float>(g * (t % 2 ? dry.left[j] : dry.right[j]));
        }
}

void fadeEnds(StereoBuffer& buf, double seconds) {
    long n = static_cast<long>(buf.frames()), f = std::min(n / 2, std::lround(seconds * rate));
    for (long i = 0; i < f; ++i) {
        float k = static_cast<float>(i) / f;
        buf.left[i] *= k;
        buf.right[i] *= k;
        buf.left[n - 1 - i] *= k;
        buf.right[n - 1 - i] *= k;
    }
}

void normalise(StereoBuffer& buf, double peak) {
    double m = 1e-9;
    for (size_t i = 0; i < buf.frames(); ++i) m = std::max({m, double(std::fabs(buf.left[i])), double(std::fabs(buf.right[i]))});
    float k = static_cast<float>(peak / m);
    for (size_t i = 0; i < buf.frames(); ++i) {
        buf.left[i] *= k;
        buf.right[i] *= k;
    }
}

StereoBuffer silence(double seconds) { return StereoBuffer(static_cast<size_t>(std::lround(seconds * rate))); }
}  // namespace synth
