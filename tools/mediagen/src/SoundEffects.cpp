#include "SoundEffects.h"
#include <string>
#include "Synth.h"

namespace soundeffects {
namespace {
using synth::Note;
using synth::Voice;

Note tone(double start, double length, double midi, double gain, Voice v = Voice::Sine) {
    Note n;
    n.start = start;
    n.length = length;
    n.freq = synth::midiToHz(midi);
    n.gain = gain;
    n.voice = v;
    n.release = 0.04;
    return n;
}

StereoBuffer finish(StereoBuffer b, double peak = 0.7) {
    synth::normalise(b, peak);
    synth::fadeEnds(b, 0.003);
    return b;
}

StereoBuffer menuMove() {
    auto b = synth::silence(0.09);
    Note n = tone(0, 0.03, 81, 0.5, Voice::Soft);  // A5, a short soft blip
    n.release = 0.05;
    synth::add(b, n);
    return finish(b, 0.45);
}

StereoBuffer menuValidate() {
    auto b = synth::silence(0.22);
    synth::add(b, tone(0, 0.05, 76, 0.4, Voice::Soft));
    Note hi = tone(0.06, 0.08, 83, 0.4, Voice::Soft);
    hi.release = 0.07;
    synth::add(b, hi);
    synth::add(b, tone(0.06, 0.08, 95, 0.08, Voice::Bell));
    return finish(b, 0.5);
}

StereoBuffer refused() {
    auto b = synth::silence(0.3);
    Note a = tone(0, 0.08, 57, 0.4, Voice::Soft);
    Note c = tone(0.11, 0.12, 52, 0.4, Voice::Soft);
    c.release = 0.06;
    synth::add(b, a);
    synth::add(b, c);
    return finish(b, 0.55);
}

StereoBuffer lastUse() {
    // Glass giving way: a falling bell and a fizz.
    auto b = synth::silence(0.5);
    Note n = tone(0, 0.3, 91, 0.35, Voice::Bell);
    n.glideTo = synth::midiToHz(79);
    synth::add(b, n);
    synth::noise(b, 0.0, 0.35, 0.25, 5000, 0.2, 4, false, 0.09);
    synth::add(b, tone(0.05, 0.2, 67, 0.2, Voice::Pluck));
    return finish(b, 0.6);
}

StereoBuffer bonus() {
    auto b = synth::silence(0.5);
    const double notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        synth::add(b, tone(i * 0.06, 0.09, notes[i], 0.3, Voice::Pluck));
        synth::add(b, tone(i * 0.06, 0.12, notes[i] + 12, 0.08, Voice::Bell));
    }
    return finish(b, 0.65);
}

StereoBuffer malus() {
    auto b = synth::silence(0.5);
    Note n = tone(0, 0.32, 64, 0.4, Voice::Soft);
    n.glideTo = synth::midiToHz(52);
    n.vibrato = 0.6;
    n.release = 0.1;
    synth::add(b, n);
    synth::add(b, tone(0, 0.2, 40, 0.25, Voice::Bass));
    return finish(b, 0.6);
}

StereoBuffer bounce(double from, double to, double length, double body) {
    auto b = synth::silence(length + 0.08);
    Note n = tone(0, length, from, 0.5, Voice::Sine);
    n.glideTo = synth::midiToHz(to);
    n.release = 0.05;
    synth::add(b, n);
    synth::kick(b, 0, body);
    return finish(b, 0.6);
}

StereoBuffer springBounce() {
    auto b = synth::silence(0.4);
    Note n = tone(0, 0.25, 50, 0.5, Voice::Soft);
    n.glideTo = synth::midiToHz(74);
    n.vibrato = 1.2;
    n.release = 0.1;
    synth::add(b, n);
    synth::kick(b, 0, 0.4);
    return finish(b, 0.6);
}

StereoBuffer glassBounce() {
    auto b = synth::silence(0.3);
    synth::add(b, tone(0, 0.18, 88, 0.3, Voice::Bell));
    Note n = tone(0, 0.06, 55, 0.4, Voice::Sine);
    n.glideTo = synth::midiToHz(67);
    synth::add(b, n);
    return finish(b, 0.55);
}

StereoBuffer crack() {
    auto b = synth::silence(0.35);
    synth::noise(b, 0, 0.3, 0.6, 2500, -0.1, 9, false, 0.05);
    synth::noise(b, 0.04, 0.2, 0.4, 900, 0.15, 10, false, 0.06);
    synth::add(b, tone(0, 0.05, 45, 0.4, Voice::Pluck));
    return finish(b, 0.65);
}

StereoBuffer countdown() {
    auto b = synth::silence(2.2);
    synth::add(b, tone(0.0, 0.12, 69, 0.4, Voice::Soft));
    synth::add(b, tone(1.0, 0.12, 69, 0.4, Voice::Soft));
    Note go = tone(1.8, 0.3, 81, 0.4, Voice::Soft);
    go.release = 0.1;
    synth::add(b, go);
    synth::add(b, tone(1.8, 0.3, 93, 0.1, Voice::Bell));
    return finish(b, 0.6);
}

StereoBuffer warning() {
    auto b = synth::silence(0.16);
    synth::add(b, tone(0, 0.02, 96, 0.4, Voice::Bell));
    synth::add(b, tone(0.0, 0.05, 84, 0.2, Voice::Soft));
    return finish(b, 0.5);
}

StereoBuffer click() {
    auto b = synth::silence(0.07);
    synth::noise(b, 0, 0.04, 0.5, 6000, 0, 21, false, 0.008);
    synth::add(b, tone(0, 0.01, 79, 0.3, Voice::Sine));
    return finish(b, 0.5);
}
}  // namespace

void writeAll(ArtContext& ctx) {
    auto save = [&](const std::string& name, const StereoBuffer& b) { ctx.out.write("Sounds/" + name, encodeWav(b)); };
    save("beep.wav", menuMove());
    save("beep2.wav", menuValidate());
    save("beep3.wav", refused());
    save("beep4.wav", lastUse());
    save("bonus.wav", bonus());
    save("malus.wav", malus());
    save("bound.wav", bounce(45, 57, 0.09, 0.35));
    save("bound2.wav", springBounce());
    save("bound3.wav", glassBounce());
    save("open.wav", crack());
    save("321.wav", countdown());
    save("noTime.wav", warning());
    save("switch.wav", click());
}
}  // namespace soundeffects
