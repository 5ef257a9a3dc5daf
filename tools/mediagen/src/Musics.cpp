#include "Musics.h"
#include <string>
#include <vector>
#include "Synth.h"

namespace musics {
namespace {
using synth::Note;
using synth::Voice;

struct Chord {
    std::vector<int> notes;  // MIDI numbers, bass note first
};
const Chord C{{48, 60, 64, 67}}, Am{{45, 60, 64, 69}}, F{{41, 60, 65, 69}}, G{{43, 59, 62, 67}}, Dm{{38, 57, 62, 65}},
    Em{{40, 59, 64, 67}}, E{{40, 59, 64, 68}}, G7{{43, 59, 62, 65}};

struct MelodyNote {
    double beat, midi, beats;
};

class Song {
public:
    // samplesPerBeat is a whole number so that the loop ends on a sample.
    Song(int samplesPerBeat, int beats) : spb(samplesPerBeat), buf(static_cast<size_t>(samplesPerBeat) * beats) {}

    double at(double beat) const { return beat * spb / StereoBuffer::rate; }
    double beats(double n) const { return at(n); }

    void pad(const std::vector<Chord>& bars, double gain, int beatsPerBar = 4) {
        for (size_t b = 0; b < bars.size(); ++b)
            for (size_t k = 1; k < bars[b].notes.size(); ++k) {
                Note n;
                n.voice = Voice::Pad;
                n.start = at(b * beatsPerBar);
                n.length = beats(beatsPerBar) - 0.05;
                n.release = 0.6;
                n.attack = 0.25;
                n.freq = synth::midiToHz(bars[b].notes[k]);
                n.gain = gain;
                n.pan = (k == 1 ? -0.4 : k == 2 ? 0.0 : 0.4);
                synth::add(buf, n, true);
            }
    }

    void bass(const std::vector<Chord>& bars, double gain, double step, int beatsPerBar = 4) {
        for (size_t b = 0; b < bars.size(); ++b)
            for (double t = 0; t < beatsPerBar - 1e-9; t += step) {
                Note n;
                n.voice = Voice::Bass;
                n.start = at(b * beatsPerBar + t);
                n.length = beats(step) * 0.8;
                n.release = 0.05;
                int root = bars[b].notes[0];
                // Every other step climbs to the fifth for movement.
                bool fifth = static_cast<int>(t / step) % 4 == 3;
                n.freq = synth::midiToHz(root + (fifth ? 7 : 0));
                n.gain = gain;
                synth::add(buf, n, true);
            }
    }

    void arpeggio(const std::vector<Chord>& bars, double gain, double step, Voice v, int octave, int beatsPerBar = 4) {
        for (size_t b = 0; b < bars.size(); ++b) {
            int i = 0;
            for (double t = 0; t < beatsPerBar - 1e-9; t += step, ++i) {
                const std::vector<int>& ns = bars[b].notes;
                static const int order[] = {1, 2, 3, 2};
                Note n;
                n.voice = v;
                n.start = at(b * beatsPerBar + t);
                n.length = beats(step) * 1.5;
                n.release = 0.2;
                n.freq = synth::midiToHz(ns[order[i % 4]] + 12 * octave);
                n.gain = gain;
                n.pan = (i % 2) ? 0.35 : -0.35;
                synth::add(buf, n, true);
            }
        }
    }

    void melody(const std::vector<MelodyNote>& notes, double gain, Voice v, double pan = 0.1) {
        for (const MelodyNote& m : notes) {
            Note n;
            n.voice = v;
            n.start = at(m.beat);
            n.length = beats(m.beats) * 0.9;
            n.release = 0.12;
            n.attack = 0.01;
            n.freq = synth::midiToHz(m.midi);
            n.gain = gain;
            n.pan = pan;
            n.vibrato = m.beats >= 1.5 ? 0.12 : 0;
            synth::add(buf, n, true);
        }
    }

    void drums(int totalBeats, double kickGain, double hatGain, bool offbeatHats, uint64_t seed) {
        for (int b = 0; b < totalBeats; ++b) {
            if (kickGain > 0) synth::kick(buf, at(b), kickGain, true);
            if (hatGain > 0) {
                synth::noise(buf, at(b + 0.5), 0.05, hatGain, 9000, 0.3, seed + b, true, 0.02);
                if (!offbeatHats) synth::noise(buf, at(b), 0.04, hatGain * 0.6, 9000, -0.3, seed + 500 + b, true, 0.015);
            }
            if (kickGain > 0 && b % 2 == 1) synth::noise(buf, at(b), 0.12, kickGain * 0.5, 3000, 0, seed + 900 + b, true, 0.05);
        }
    }

    StereoBuffer finish(double echoBeats, double feedback) {
        synth::loopEcho(buf, at(echoBeats), feedback, 3);
        synth::normalise(buf, 0.72);
        return buf;
    }

private:
    int spb;
    StereoBuffer buf;
};

// Title: calm and bright, 105 beats a minute, four bars.
StereoBuffer premenu() {
    Song s(12600, 16);
    std::vector<Chord> bars = {C, Am, F, G};
    s.pad(bars, 0.12);
    s.arpeggio(bars, 0.09, 0.5, Voice::Bell, 1);
    s.melody({{0, 76, 2}, {2, 79, 2}, {4, 76, 1.5}, {5.5, 72, 0.5}, {6, 74, 2}, {8, 77, 2}, {10, 76, 1}, {11, 72, 1},
              {12, 74, 3}, {15, 71, 1}},
             0.14, Voice::Pluck);
    return s.finish(0.75, 0.3);
}

// Menus: relaxed, 90 beats a minute, four bars.
StereoBuffer menu() {
    Song s(14700, 16);
    std::vector<Chord> bars = {F, G, Em, Am};
    s.pad(bars, 0.1);
    s.bass(bars, 0.22, 1.0);
    s.arpeggio(bars, 0.1, 0.5, Voice::Pluck, 0);
    s.drums(16, 0, 0.05, true, 100);
    s.melody({{0, 72, 1}, {1, 74, 0.5}, {1.5, 76, 1.5}, {4, 74, 1}, {5, 76, 0.5}, {5.5, 79, 1.5}, {8, 79, 1},
              {9, 76, 1}, {10, 71, 2}, {12, 72, 1}, {13, 71, 0.5}, {13.5, 69, 2.5}},
             0.12, Voice::Bell);
    return s.finish(0.5, 0.25);
}

// Level intro: expectant, 126 beats a minute, four bars.
StereoBuffer intro() {
    Song s(10500, 16);
    std::vector<Chord> bars = {Dm, G, Dm, G7};
    s.pad(bars, 0.1);
    s.bass(bars, 0.2, 1.0);
    s.arpeggio(bars, 0.09, 0.25, Voice::Soft, 1);
    s.drums(16, 0.25, 0.05, true, 200);
    return s.finish(0.5, 0.2);
}

// Play: lively, 126 beats a minute, eight bars.
StereoBuffer game() {
    Song s(10500, 32);
    std::vector<Chord> bars = {C, G, Am, F, C, G, Am, F};
    s.pad(bars, 0.07);
    s.bass(bars, 0.24, 0.5);
    s.arpeggio(bars, 0.06, 0.5, Voice::Pluck, 1);
    s.drums(32, 0.35, 0.06, false, 300);
    s.melody({{0, 76, 1}, {1, 79, 0.5}, {1.5, 76, 0.5}, {2, 74, 1}, {3, 72, 1},
              {4, 74, 1}, {5, 71, 0.5}, {5.5, 74, 0.5}, {6, 79, 1.5},
              {8, 72, 1}, {9, 76, 0.5}, {9.5, 81, 0.5}, {10, 79, 1}, {11, 76, 1},
              {12, 77, 1}, {13, 76, 0.5}, {13.5, 74, 0.5}, {14, 72, 1.5},
              {16, 79, 0.5}, {16.5, 81, 0.5}, {17, 79, 0.5}, {17.5, 76, 0.5}, {18, 84, 1}, {19, 79, 1},
              {20, 83, 1}, {21, 81, 0.5}, {21.5, 79, 0.5}, {22, 74, 1.5},
              {24, 76, 0.5}, {24.5, 79, 0.5}, {25, 81, 1}, {26, 84, 1}, {27, 83, 1},
              {28, 81, 1}, {29, 79, 1}, {30, 77, 0.5}, {30.5, 74, 0.5}, {31, 74, 1}},
             0.15, Voice::Soft, 0.05);
    return s.finish(0.75, 0.18);
}

// Level cleared: a short fanfare resolving home, 105 beats a minute.
StereoBuffer levelEnd() {
    Song s(12600, 8);
    std::vector<Chord> bars = {G7, C};
    s.pad(bars, 0.12);
    s.bass(bars, 0.22, 2.0);
    s.melody({{0, 67, 0.5}, {0.5, 71, 0.5}, {1, 74, 0.5}, {1.5, 77, 0.5}, {2, 79, 1}, {3, 77, 0.5}, {3.5, 79, 0.5},
              {4, 84, 3}},
             0.2, Voice::Soft);
    s.melody({{4, 88, 3}, {2, 91, 1}}, 0.08, Voice::Bell, -0.2);
    return s.finish(0.5, 0.25);
}

// Game over: slow and gentle, falling, 84 beats a minute.
StereoBuffer gameOver() {
    Song s(15750, 8);
    std::vector<Chord> bars = {Am, Dm, F, E};
    s.pad(bars, 0.12, 2);
    s.bass(bars, 0.18, 2.0, 2);
    s.melody({{0, 76, 1}, {1, 74, 1}, {2, 72, 1}, {3, 69, 1}, {4, 69, 1}, {5, 71, 1}, {6, 68, 2}}, 0.16, Voice::Bell);
    return s.finish(0.75, 0.3);
}
}  // namespace

void writeAll(ArtContext& ctx) {
    auto save = [&](const std::string& name, const StereoBuffer& b) { ctx.out.write("Musics/" + name, encodeWav(b)); };
    save("premenu.wav", premenu());
    save("menu.wav", menu());
    save("intro.wav", intro());
    save("game.wav", game());
    save("finNiveau.wav", levelEnd());
    save("gameOver.wav", gameOver());
}
}  // namespace musics
