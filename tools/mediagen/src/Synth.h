#pragma once
#include <cstdint>
#include "WavWriter.h"

// A small synthesiser: a few soft voices, envelopes and effects, writing
// into a stereo buffer. Times are in seconds, frequencies in hertz.
namespace synth {
double midiToHz(double note);

enum class Voice { Sine, Soft, Pluck, Bell, Pad, Bass, Organ };

struct Note {
    double start = 0, length = 0.2;
    double freq = 440;
    double gain = 0.2;
    double pan = 0;             // -1 left .. 1 right
    Voice voice = Voice::Sine;
    double glideTo = 0;          // when > 0, the pitch slides to this frequency
    double attack = 0.005, release = 0.05;
    double vibrato = 0;          // depth in semitones
};

// Adds a note; with loop set, the parts beyond the end wrap to the start so
// that a music loops without a seam.
void add(StereoBuffer& buf, const Note& n, bool loop = false);
// Filtered noise burst (hats, cracks, swooshes); lowpass cut in hertz.
void noise(StereoBuffer& buf, double start, double length, double gain, double cutoff, double pan, uint64_t seed,
           bool loop = false, double decay = 0.05);
// A soft kick drum.
void kick(StereoBuffer& buf, double start, double gain, bool loop = false);
// Echoes that wrap round the loop.
void loopEcho(StereoBuffer& buf, double delay, double feedback, int taps);
// Short fades at both ends so that a sound never starts or stops on a click.
void fadeEnds(StereoBuffer& buf, double seconds);
// Scales the whole buffer so its peak is `peak`.
void normalise(StereoBuffer& buf, double peak);
StereoBuffer silence(double seconds);
}  // namespace synth
