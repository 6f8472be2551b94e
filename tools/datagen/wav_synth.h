// A small synthesis toolkit for the program's sound effects: oscillators, envelopes,
// filtered noise, additive instruments (brass, flute, voice), levels and a WAV writer.
// Everything is deterministic: noise comes from a seeded generator of our own, never
// from the standard library's distributions, whose output differs between libraries.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <vector>

namespace synth {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<double>;
// A value that changes over time (seconds from the start of a sound).
using Curve = std::function<double(double)>;

int samplesFor(double seconds);
double seconds(const Signal& s);
double dbToGain(double db);
double gainToDb(double gain);
// Frequency of a note given as semitones from A4 (440 Hz): note(3) is C5.
double note(double semitonesFromA4);

// xorshift64*: small, fast and the same on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed);
    double uniform();               // [0, 1)
    double bipolar();               // [-1, 1)
    double range(double lo, double hi);
    int below(int n);

private:
    std::uint64_t state_;
};

// ---- Building blocks ----------------------------------------------------------------
Signal silence(double secs);
// Adds src into dst starting at time `at`, growing dst when needed.
void mixInto(Signal& dst, const Signal& src, double at, double gain = 1.0);
void scale(Signal& s, double gain);
void multiply(Signal& s, const Curve& envelope);
// Linear fades at both ends, so no sound starts or stops with a step.
void fades(Signal& s, double inSecs, double outSecs);
// Cuts a sound to a length, fading out its last moments rather than chopping a tail.
void trimTo(Signal& s, double secs, double fadeSecs = 0.05);

// Envelopes, as curves over a sound of length `len`.
Curve adsr(double attack, double decay, double sustain, double release, double len);
// Attack then exponential decay with time constant tau.
Curve percussive(double attack, double tau);
// Piecewise linear through (time, value) points; flat beyond the ends.
Curve breakpoints(std::vector<std::pair<double, double>> points);

// A sine whose frequency follows a curve (phase accumulated, so sweeps are smooth).
Signal sine(double secs, const Curve& freq, const Curve& amp);
// Sum of harmonics k = 1.. of a curved fundamental. harmonic(k, t, f0) gives each
// amplitude; harmonics above the Nyquist guard are left out so sweeps never alias.
Signal additive(double secs, const Curve& freq,
                const std::function<double(int, double, double)>& harmonic,
                int maxHarmonics = 40);

Signal whiteNoise(double secs, Rng& rng);

// RBJ biquad filters.
class Biquad {
public:
    Biquad() = default;
    Biquad(double b0, double b1, double b2, double a1, double a2)
        : b0_(b0), b1_(b1), b2_(b2), a1_(a1), a2_(a2) {}
    static Biquad lowpass(double freq, double q = 0.7071);
    static Biquad highpass(double freq, double q = 0.7071);
    static Biquad bandpass(double freq, double q); // 0 dB at the centre
    double process(double x);
    void reset();

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};
void filter(Signal& s, Biquad f);
// A band-pass whose centre follows a curve (coefficients refreshed every few samples).
void sweptBandpass(Signal& s, const Curve& centre, double q);
// One-pole smoothing, for dull thumps and soft breath.
void onePoleLowpass(Signal& s, double freq);
// A small room (parallel damped combs, then all-passes); the sound grows by `tailSecs`.
void reverb(Signal& s, double wet, double feedback = 0.78, double tailSecs = 0.4);

// ---- Instruments ------------------------------------------------------------------
// A brass note: harmonics that brighten as the note swells, a small pitch scoop at the
// attack, a delayed vibrato and a breath of noise.
struct BrassNote {
    double freq = 440;
    double secs = 0.5;
    double attack = 0.03;
    double release = 0.08;
    double brightness = 1.0; // 0 dull (horn) .. 1.5 bright (trumpet)
    double vibratoDepth = 0.006;
};
Signal brass(const BrassNote& n, Rng& rng);

// A flute note: strong fundamental, weak upper harmonics, breath noise and a chiff.
struct FluteNote {
    double freq = 880;
    double secs = 0.4;
    double attack = 0.05;
    double release = 0.08;
    double vibratoDepth = 0.008;
};
Signal flute(const FluteNote& n, Rng& rng);

// A sung or shouted vowel: a glottal source shaped by three moving formants.
struct Formants {
    double f1, f2, f3;
};
Formants vowel(char v); // 'a' (father), 'e' (say), 'i' (see), 'o' (go), 'u' (boo)
struct VoiceCall {
    double secs = 1.0;
    Curve pitch;                  // f0 over time
    std::function<Formants(double)> formants;
    Curve amp;
    double breath = 0.15;         // share of noise in the source
};
Signal voice(const VoiceCall& v, Rng& rng);

// One hand clap: a short burst of band-passed noise.
Signal clap(Rng& rng, double centre, double q, double decay);

// ---- Levels and output -------------------------------------------------------------
double peak(const Signal& s);
double rms(const Signal& s);
// Look-ahead peak limiter: smooth gain reduction, never above `ceiling` afterwards.
void limit(Signal& s, double ceiling, double lookaheadSecs = 0.004);
// Brings the sound to a target RMS, limiting peaks to the ceiling (both in dBFS).
void normalise(Signal& s, double targetRmsDb, double peakCeilingDb);
// Scales so the peak sits at the given level (for short UI sounds).
void normalisePeak(Signal& s, double peakDb);

// 16-bit PCM mono RIFF/WAVE file bytes.
QByteArray wavBytes(const Signal& s, int rate = kRate);

} // namespace synth
