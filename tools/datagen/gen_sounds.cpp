// The program's sound effects: interface clicks and the results screen's celebrations,
// synthesised from scratch so the data folder needs no recorded audio.
#include "generator.h"
#include "wav_synth.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace {

// Celebrations share one loudness so no choice of the random pick startles a child.
// Percussive ones sit a little lower: their bursts sound louder than their average.
constexpr double kCelebrationRmsDb = -17.0;
constexpr double kPercussiveRmsDb = -18.5;
constexpr double kCelebrationPeakDb = -3.5;

// Pitches as semitones from A4.
constexpr double C3 = -21, D2 = -31, D3 = -19, G3 = -14, A3 = -12;
constexpr double Cs4 = -8, D4 = -7, E4 = -5, Fs4 = -3, G4 = -2, A4 = 0, B4 = 2;
constexpr double C5 = 3, Cs5 = 4, D5 = 5, E5 = 7, G5 = 10, A5 = 12, B5 = 14, D6 = 17;

void finishCelebration(Signal& s, double rmsDb = kCelebrationRmsDb)
{
    fades(s, 0.004, 0.05);
    normalise(s, rmsDb, kCelebrationPeakDb);
    fades(s, 0.004, 0.05);
}

// ---- Interface sounds ----------------------------------------------------------------

Signal click()
{
    Rng rng(101);
    // A short falling blip with a breath of tick on top: soft, not a hard digital edge.
    Signal s = sine(0.06, breakpoints({{0, 2100}, {0.012, 1400}}), percussive(0.0008, 0.008));
    Signal tick = whiteNoise(0.012, rng);
    filter(tick, Biquad::bandpass(3200, 1.2));
    multiply(tick, percussive(0.0003, 0.0015));
    mixInto(s, tick, 0, 0.35);
    onePoleLowpass(s, 6000);
    normalisePeak(s, -14);
    fades(s, 0.0005, 0.02);
    return s;
}

Signal typeKey()
{
    Rng rng(202);
    Signal s = silence(0.09);
    // The type bar striking: a bright metallic snap.
    Signal snap = whiteNoise(0.03, rng);
    filter(snap, Biquad::bandpass(4200, 2.0));
    multiply(snap, percussive(0.0002, 0.003));
    mixInto(s, snap, 0);
    // The body of the machine ringing briefly.
    mixInto(s, sine(0.06, [](double) { return 1150.0; }, percussive(0.0005, 0.010)), 0, 0.45);
    mixInto(s, sine(0.04, [](double) { return 2730.0; }, percussive(0.0003, 0.005)), 0, 0.3);
    mixInto(s, sine(0.07, [](double) { return 330.0; }, percussive(0.001, 0.018)), 0, 0.25);
    // The key bottoming out a moment later.
    Signal knock = whiteNoise(0.02, rng);
    filter(knock, Biquad::bandpass(1800, 1.5));
    multiply(knock, percussive(0.0003, 0.004));
    mixInto(s, knock, 0.032, 0.45);
    normalisePeak(s, -12);
    fades(s, 0.0003, 0.02);
    return s;
}

Signal thud()
{
    Rng rng(303);
    // A padded knock: a falling low tone with a wooden overtone so small speakers carry it.
    Signal s = sine(0.3, breakpoints({{0, 170}, {0.08, 75}}), percussive(0.003, 0.06));
    mixInto(s, sine(0.2, breakpoints({{0, 390}, {0.05, 330}}), percussive(0.002, 0.025)), 0,
            0.35);
    Signal knock = whiteNoise(0.08, rng);
    filter(knock, Biquad::lowpass(700));
    filter(knock, Biquad::lowpass(700));
    multiply(knock, percussive(0.001, 0.012));
    mixInto(s, knock, 0, 0.8);
    normalisePeak(s, -9);
    fades(s, 0.001, 0.06);
    return s;
}

// ---- Brass --------------------------------------------------------------------------

struct Played {
    double at;
    double pitch; // semitones from A4
    double secs;
};

void playBrass(Signal& out, const std::vector<Played>& notes, double brightness, double gain,
               Rng& rng, double vibrato = 0.006)
{
    for (const Played& p : notes) {
        BrassNote n;
        n.freq = note(p.pitch);
        n.secs = p.secs;
        n.brightness = brightness;
        n.vibratoDepth = p.secs > 0.5 ? vibrato : 0.0;
        n.attack = brightness > 0.9 ? 0.025 : 0.04;
        mixInto(out, brass(n, rng), p.at, gain);
    }
}

Signal timpani(double pitch, Rng& rng)
{
    const double f = note(pitch);
    Signal s = silence(1.4);
    static const double ratios[] = {1.0, 1.5, 1.99, 2.44, 2.9};
    static const double levels[] = {1.0, 0.55, 0.35, 0.2, 0.12};
    for (int i = 0; i < 5; ++i)
        mixInto(s, sine(1.4, [=](double) { return f * ratios[i]; },
                        percussive(0.004, 0.55 / (1 + 0.6 * i))),
                0, levels[i]);
    Signal mallet = whiteNoise(0.06, rng);
    filter(mallet, Biquad::lowpass(900));
    multiply(mallet, percussive(0.001, 0.01));
    mixInto(s, mallet, 0, 0.6);
    fades(s, 0.0, 0.3);
    return s;
}

// Trumpets: "ta-ta-ta-taaa, ta-daaa" rising to a held top note, with a trombone underneath.
Signal fanfare2()
{
    Rng rng(404);
    Signal s = silence(2.3);
    const std::vector<Played> lead = {{0.00, G4, 0.11}, {0.13, G4, 0.11}, {0.26, G4, 0.11},
                                      {0.39, C5, 0.40}, {0.82, E5, 0.14}, {0.98, G5, 1.05}};
    const std::vector<Played> second = {{0.00, E4, 0.11}, {0.13, E4, 0.11}, {0.26, E4, 0.11},
                                        {0.39, G4, 0.40}, {0.82, C5, 0.14}, {0.98, E5, 1.05}};
    const std::vector<Played> bass = {{0.39, C3, 0.40}, {0.98, C3, 1.05}};
    playBrass(s, lead, 1.2, 1.0, rng);
    playBrass(s, second, 1.0, 0.6, rng);
    playBrass(s, bass, 0.5, 0.7, rng, 0.0);
    reverb(s, 0.25, 0.75, 0.3);
    finishCelebration(s);
    return s;
}

// A stately chord fanfare for horns and trumpet (I I IV V I) over timpani.
Signal fanfare3()
{
    Rng rng(505);
    Signal s = silence(2.6);
    struct Chord {
        double at, secs;
        double voices[4];
    };
    const Chord chords[] = {
        {0.00, 0.38, {D3, D4, Fs4, A4}}, {0.42, 0.16, {D3, D4, Fs4, A4}},
        {0.62, 0.38, {G3, D4, G4, B4}},  {1.04, 0.38, {A3, Cs4, E4, Cs5}},
        {1.46, 1.05, {D3, D4, Fs4, D5}},
    };
    for (const Chord& c : chords) {
        playBrass(s, {{c.at, c.voices[0], c.secs}}, 0.45, 0.7, rng, 0.0);
        playBrass(s, {{c.at, c.voices[1], c.secs}}, 0.6, 0.45, rng, 0.004);
        playBrass(s, {{c.at, c.voices[2], c.secs}}, 0.6, 0.45, rng, 0.004);
        playBrass(s, {{c.at, c.voices[3], c.secs}}, 1.1, 0.8, rng, 0.007);
    }
    mixInto(s, timpani(D2, rng), 0.0, 1.2);
    mixInto(s, timpani(A3 - 12, rng), 1.04, 0.9);
    mixInto(s, timpani(D2, rng), 1.46, 1.4);
    trimTo(s, 2.6, 0.15);
    reverb(s, 0.3, 0.78, 0.35);
    finishCelebration(s);
    return s;
}

// ---- Voices -------------------------------------------------------------------------

// Formants moving through a list of (time, vowel) points, scaled for the speaker's size.
std::function<Formants(double)> vowelPath(std::vector<std::pair<double, Formants>> path,
                                          double sizeScale)
{
    return [path = std::move(path), sizeScale](double t) {
        Formants f = path.back().second;
        if (t <= path.front().first) {
            f = path.front().second;
        } else {
            for (std::size_t i = 1; i < path.size(); ++i) {
                if (t <= path[i].first) {
                    const double u = (t - path[i - 1].first) / (path[i].first - path[i - 1].first);
                    const Formants& a = path[i - 1].second;
                    const Formants& b = path[i].second;
                    f = {a.f1 + (b.f1 - a.f1) * u, a.f2 + (b.f2 - a.f2) * u,
                         a.f3 + (b.f3 - a.f3) * u};
                    break;
                }
            }
        }
        return Formants{f.f1 * sizeScale, f.f2 * sizeScale, f.f3 * sizeScale};
    };
}

// One person's "yay", "woo", "hey" or "aah" in a cheering crowd.
Signal crowdVoice(Rng& rng)
{
    const int kind = rng.below(4);
    const double secs = rng.range(0.6, 1.5);
    const int who = rng.below(3); // men, women, children
    const double base = who == 0 ? rng.range(120, 170) : who == 1 ? rng.range(210, 290)
                                                                  : rng.range(290, 400);
    const double size = who == 0 ? 1.0 : who == 1 ? 1.1 : 1.2;
    std::vector<std::pair<double, Formants>> path;
    switch (kind) {
    case 0: path = {{0, vowel('e')}, {0.1, vowel('a')}, {secs * 0.7, vowel('e')}, {secs, vowel('i')}}; break;
    case 1: path = {{0, vowel('u')}, {secs * 0.5, vowel('u')}, {secs, vowel('o')}}; break;
    case 2: path = {{0, vowel('e')}, {secs * 0.6, vowel('e')}, {secs, vowel('i')}}; break;
    default: path = {{0, vowel('a')}, {secs, vowel('a')}}; break;
    }
    const double rise = rng.range(1.15, 1.4);
    VoiceCall v;
    v.secs = secs;
    v.pitch = breakpoints({{0, base * 0.85}, {0.25, base * rise}, {secs * 0.7, base * rise * 0.97},
                           {secs, base * 0.8}});
    v.formants = vowelPath(path, size);
    v.amp = adsr(0.06, 0.15, 0.75, 0.25, secs);
    v.breath = 0.25;
    return voice(v, rng);
}

Signal applause(Rng& rng, int clappers, double secs, double level)
{
    Signal s = silence(secs + 0.2);
    for (int c = 0; c < clappers; ++c) {
        const double period = rng.range(0.17, 0.27);
        const double centre = rng.range(900, 2600);
        const double q = rng.range(1.2, 2.5);
        const double decay = rng.range(0.006, 0.012);
        const double loud = rng.range(0.5, 1.0);
        double t = rng.range(0.0, 0.25);
        const double stop = secs - rng.range(0.0, 0.5);
        while (t < stop) {
            mixInto(s, clap(rng, centre * rng.range(0.95, 1.05), q, decay), t,
                    loud * level * rng.range(0.8, 1.0));
            t += period * rng.range(0.9, 1.1);
        }
    }
    return s;
}

Signal crowd()
{
    Rng rng(606);
    const double len = 2.6;
    Signal s = silence(len);
    for (int i = 0; i < 26; ++i)
        mixInto(s, crowdVoice(rng), rng.range(0.0, 1.1), rng.range(0.5, 1.0));
    // The roar of the rest of the crowd.
    Signal roar = whiteNoise(len, rng);
    filter(roar, Biquad::bandpass(900, 0.6));
    filter(roar, Biquad::lowpass(3000));
    multiply(roar, breakpoints({{0, 0}, {0.3, 1}, {1.8, 0.9}, {2.6, 0}}));
    mixInto(s, roar, 0, 0.35 * rms(s) / std::max(1e-9, rms(roar)));
    mixInto(s, applause(rng, 12, 2.3, 0.5), 0.1);
    trimTo(s, len, 0.1);
    multiply(s, breakpoints({{0, 0.3}, {0.25, 1}, {1.9, 1}, {2.6, 0}}));
    reverb(s, 0.3, 0.8, 0.3);
    finishCelebration(s);
    return s;
}

// "Hip, hip, hooray!": one voice leads, a small group answers.
Signal cheer()
{
    Rng rng(707);
    Signal s = silence(2.1);
    auto hip = [&](double base) {
        VoiceCall v;
        v.secs = 0.17;
        v.pitch = breakpoints({{0, base}, {0.17, base * 1.1}});
        v.formants = vowelPath({{0, {400, 2000, 2600}}, {0.17, {400, 2000, 2600}}}, 1.05);
        // Breath first (the "h"), the vowel, then the lips close (the "p").
        v.amp = breakpoints({{0, 0}, {0.04, 0.4}, {0.06, 1}, {0.13, 1}, {0.15, 0}});
        v.breath = 0.5;
        return voice(v, rng);
    };
    mixInto(s, hip(210), 0.0);
    mixInto(s, hip(220), 0.36);
    for (int i = 0; i < 7; ++i) {
        const double base = i < 2 ? rng.range(130, 170) : rng.range(230, 360);
        const double size = i < 2 ? 1.0 : 1.15;
        const double secs = rng.range(1.05, 1.2);
        VoiceCall v;
        v.secs = secs;
        v.pitch = breakpoints({{0, base * 0.95}, {0.2, base}, {0.45, base * 1.35},
                               {secs * 0.8, base * 1.3}, {secs, base * 1.05}});
        const Formants r{450, 1100, 1700}; // the "r": third formant dips low
        v.formants = vowelPath({{0, vowel('u')}, {0.2, vowel('u')}, {0.28, r},
                                {0.4, vowel('e')}, {secs * 0.8, vowel('e')}, {secs, vowel('i')}},
                               size);
        v.amp = breakpoints({{0, 0}, {0.05, 0.35}, {0.1, 0.7}, {0.22, 0.6}, {0.4, 1.0},
                             {secs * 0.75, 0.9}, {secs, 0}});
        v.breath = 0.2;
        mixInto(s, voice(v, rng), 0.72 + rng.range(0.0, 0.06), rng.range(0.6, 1.0));
    }
    reverb(s, 0.18, 0.7, 0.25);
    finishCelebration(s);
    return s;
}

// ---- Horns and whistles ---------------------------------------------------------------

// "Ah-oo-gah": a buzzing reed through a horn that favours the middle harmonics.
Signal klaxon()
{
    Rng rng(808);
    Signal s = silence(1.9);
    auto awooga = [&]() {
        const double len = 0.8;
        const Curve pitch = breakpoints({{0, 200}, {0.08, 230}, {0.38, 390}, {0.58, 385},
                                         {0.66, 300}, {0.8, 290}});
        const Curve env = adsr(0.03, 0.05, 0.9, 0.06, len);
        auto res = [](double f, double c, double bw) {
            const double d = (f - c) / (bw / 2);
            return 1.0 / (1 + d * d);
        };
        Signal a = additive(len, pitch, [&](int k, double t, double f0) {
            const double f = k * f0;
            return env(t) * std::pow(k, -0.9) * (0.2 + res(f, 1100, 700) + 0.4 * res(f, 2300, 900));
        });
        filter(a, Biquad::lowpass(3800));
        return a;
    };
    mixInto(s, awooga(), 0.0);
    mixInto(s, awooga(), 0.95);
    reverb(s, 0.2, 0.7, 0.25);
    finishCelebration(s);
    return s;
}

// A cheerful flute phrase in G, slurred with a little chiff on the first note.
Signal flutePhrase()
{
    Rng rng(909);
    Signal s = silence(2.7);
    const std::vector<Played> tune = {{0.00, D5, 0.20}, {0.20, G5, 0.20}, {0.40, A5, 0.20},
                                      {0.60, B5, 0.38}, {0.98, A5, 0.18}, {1.16, B5, 0.18},
                                      {1.34, D6, 0.36}, {1.70, G5, 0.80}};
    for (std::size_t i = 0; i < tune.size(); ++i) {
        FluteNote n;
        n.freq = note(tune[i].pitch);
        n.secs = tune[i].secs + 0.03; // a small overlap keeps the line legato
        n.attack = i == 0 ? 0.05 : 0.025;
        n.release = i + 1 == tune.size() ? 0.25 : 0.04;
        n.vibratoDepth = tune[i].secs > 0.3 ? 0.009 : 0.003;
        mixInto(s, flute(n, rng), tune[i].at, 1.0);
    }
    reverb(s, 0.3, 0.8, 0.3);
    finishCelebration(s);
    return s;
}

Signal gong()
{
    Rng rng(1010);
    const double len = 3.0;
    const double f0 = 82;
    Signal s = silence(len);
    // Inharmonic modes of the plate; the higher ones die sooner.
    static const double ratios[] = {1.0,  1.47, 1.94, 2.33, 2.77, 3.21, 3.72, 4.13, 4.62,
                                    5.19, 5.87, 6.52, 7.31, 8.09, 9.02, 10.2, 11.5, 13.1,
                                    14.8, 16.6, 18.8, 21.3, 24.1, 27.4};
    for (int i = 0; i < static_cast<int>(std::size(ratios)); ++i) {
        const double f = f0 * ratios[i] * rng.range(0.995, 1.005);
        const double amp = rng.range(0.6, 1.0) / std::sqrt(1.0 + i);
        const double tau = 2.4 / (1 + 0.2 * i);
        const double glide = rng.range(-0.004, 0.008); // the pitch bend of a big gong
        const double beat = rng.range(0.6, 2.5);
        auto partial = [&](double detune) {
            return sine(len, [=](double t) { return (f + detune) * (1 + glide * std::min(t, 1.5)); },
                        percussive(0.004 + 0.004 * i, tau));
        };
        // Pairs of nearly equal modes beat slowly: the gong's wobble.
        mixInto(s, partial(0), 0, amp * 0.6);
        mixInto(s, partial(beat), 0, amp * 0.4);
    }
    // The shimmer that swells up a moment after the strike as energy climbs into the
    // high modes.
    for (int i = 0; i < 60; ++i) {
        const double f = 1200 * std::pow(5000.0 / 1200, rng.uniform());
        const double swell = rng.range(0.15, 0.45);
        const double tau = rng.range(0.4, 0.9);
        mixInto(s, sine(len, [f](double) { return f; }, percussive(swell, tau)), 0,
                rng.range(0.015, 0.04));
    }
    Signal mallet = whiteNoise(0.15, rng);
    filter(mallet, Biquad::lowpass(600));
    multiply(mallet, percussive(0.002, 0.02));
    mixInto(s, mallet, 0, 2.0);
    trimTo(s, len, 0.6);
    finishCelebration(s, kPercussiveRmsDb);
    return s;
}

Signal clap2()
{
    Rng rng(1111);
    Signal s = applause(rng, 32, 2.4, 1.0);
    trimTo(s, 2.4, 0.1);
    multiply(s, breakpoints({{0, 0.4}, {0.3, 1}, {1.7, 1}, {2.4, 0.1}}));
    reverb(s, 0.3, 0.8, 0.3);
    finishCelebration(s, kPercussiveRmsDb);
    return s;
}

// A class clapping together: "clap, clap, clap-clap-clap", twice.
Signal clap3()
{
    Rng rng(1212);
    Signal s = silence(2.3);
    const double beat = 0.26;
    const double pattern[] = {0, 1, 2, 2.5, 3};
    struct Hand {
        double centre, q, decay;
    };
    std::vector<Hand> hands;
    for (int i = 0; i < 10; ++i)
        hands.push_back({rng.range(900, 2200), rng.range(1.3, 2.2), rng.range(0.007, 0.012)});
    for (int bar = 0; bar < 2; ++bar) {
        for (double p : pattern) {
            const double at = 0.02 + (bar * 4 + p) * beat;
            for (const Hand& h : hands)
                mixInto(s, clap(rng, h.centre, h.q, h.decay), at + rng.range(0.0, 0.025),
                        rng.range(0.6, 1.0));
        }
    }
    reverb(s, 0.3, 0.78, 0.3);
    finishCelebration(s, kPercussiveRmsDb);
    return s;
}

// ---- Percussion ---------------------------------------------------------------------

Signal snareStroke(Rng& rng, double level)
{
    Signal s = silence(0.25);
    mixInto(s, sine(0.15, [](double) { return 190.0; }, percussive(0.0008, 0.03)), 0, 0.6);
    mixInto(s, sine(0.1, [](double) { return 330.0; }, percussive(0.0008, 0.018)), 0, 0.35);
    Signal wires = whiteNoise(0.25, rng);
    filter(wires, Biquad::highpass(1200));
    filter(wires, Biquad::bandpass(4500, 0.6));
    multiply(wires, percussive(0.0008, 0.05));
    mixInto(s, wires, 0, 1.4);
    scale(s, level);
    return s;
}

Signal cymbal(Rng& rng, double secs)
{
    Signal s = whiteNoise(secs, rng);
    filter(s, Biquad::highpass(2500));
    filter(s, Biquad::lowpass(8000));
    multiply(s, percussive(0.002, 0.35));
    // Metallic ring: a cloud of close high partials.
    for (int i = 0; i < 30; ++i) {
        const double f = rng.range(3000, 9000);
        mixInto(s, sine(secs, [f](double) { return f; }, percussive(0.002, rng.range(0.2, 0.6))),
                0, 0.04);
    }
    onePoleLowpass(s, 9000);
    return s;
}

Signal drumroll()
{
    Rng rng(1313);
    Signal s = silence(2.8);
    // A closed roll: about 22 strokes a second, hands alternating, growing louder.
    const double rollEnd = 1.65;
    double t = 0;
    int stroke = 0;
    while (t < rollEnd) {
        const double grow = 0.15 + 0.5 * std::pow(t / rollEnd, 1.4);
        const double hand = stroke % 2 == 0 ? 1.0 : 0.82;
        mixInto(s, snareStroke(rng, grow * hand * rng.range(0.85, 1.0)), t);
        t += rng.range(0.043, 0.048);
        ++stroke;
    }
    // The final hit: snare, bass drum and a crash.
    const double hit = 1.75;
    mixInto(s, snareStroke(rng, 1.2), hit);
    Signal kick = sine(1.0, breakpoints({{0, 110}, {0.04, 55}, {0.6, 48}}), percussive(0.002, 0.18));
    mixInto(s, kick, hit, 1.3);
    mixInto(s, cymbal(rng, 1.05), hit, 0.45);
    reverb(s, 0.2, 0.75, 0.2);
    trimTo(s, 2.8, 0.3);
    finishCelebration(s, kPercussiveRmsDb);
    return s;
}

// ---- Sweeps -------------------------------------------------------------------------

Signal zap(double secs, double from, double to, double wobble, Rng& rng)
{
    const Curve freq = [=](double t) {
        const double u = t / secs;
        return from * std::pow(to / from, u) * (1 + wobble * std::sin(2 * kPi * 38 * t));
    };
    const Curve env = adsr(0.004, 0.05, 0.8, secs * 0.5, secs);
    Signal s = additive(secs, freq, [&](int k, double t, double) {
        static const double h[] = {1.0, 0.45, 0.25, 0.12};
        return k <= 4 ? env(t) * h[k - 1] : 0.0;
    }, 4);
    Signal fizz = whiteNoise(secs, rng);
    sweptBandpass(fizz, [&](double t) { return freq(t) * 2; }, 4.0);
    multiply(fizz, env);
    mixInto(s, fizz, 0, 0.15);
    return s;
}

// "Pew, pew, pew ... peeyooo": falling zaps with a space echo.
Signal laser()
{
    Rng rng(1414);
    Signal s = silence(1.6);
    mixInto(s, zap(0.24, 2600, 320, 0.0, rng), 0.00);
    mixInto(s, zap(0.24, 2900, 360, 0.0, rng), 0.30);
    mixInto(s, zap(0.24, 2600, 320, 0.0, rng), 0.60);
    mixInto(s, zap(0.62, 3200, 140, 0.04, rng), 0.90);
    // A single slapback echo, as in every space film.
    Signal echo = s;
    filter(echo, Biquad::lowpass(2500));
    mixInto(s, echo, 0.13, 0.3);
    trimTo(s, 1.75, 0.1);
    finishCelebration(s);
    return s;
}

// Something rushing past: a band of air sweeping up and down with a faint whistle.
Signal whizz()
{
    Rng rng(1515);
    const double len = 1.4;
    const Curve centre = [](double t) {
        return t < 0.72 ? 350 * std::pow(3600.0 / 350, t / 0.72)
                        : 3600 * std::pow(700.0 / 3600, (t - 0.72) / 0.68);
    };
    const Curve env = breakpoints({{0, 0}, {0.3, 0.25}, {0.6, 0.8}, {0.75, 1.0}, {0.95, 0.5},
                                   {1.4, 0}});
    Signal s = whiteNoise(len, rng);
    sweptBandpass(s, centre, 2.5);
    sweptBandpass(s, centre, 2.5);
    multiply(s, env);
    Signal whistle = sine(len, [&](double t) { return centre(t) * 0.98; },
                          [&](double t) { return env(t); });
    mixInto(s, whistle, 0, 0.25 * rms(s) / std::max(1e-9, rms(whistle)));
    finishCelebration(s);
    return s;
}

// A bulb horn: nasal, reedy and squeezed flat at the end of each honk.
Signal honk(double secs, double pitch)
{
    const Curve f = breakpoints({{0, pitch * 1.04}, {0.04, pitch}, {secs * 0.7, pitch * 0.98},
                                 {secs, pitch * 0.86}});
    const Curve env = adsr(0.015, 0.04, 0.85, 0.06, secs);
    auto res = [](double x, double c, double bw) {
        const double d = (x - c) / (bw / 2);
        return 1.0 / (1 + d * d);
    };
    Signal s = additive(secs, f, [&](int k, double t, double f0) {
        const double x = k * f0;
        return env(t) * std::pow(k, -0.5) * (0.15 + res(x, 1300, 500) + 0.7 * res(x, 2600, 700));
    });
    onePoleLowpass(s, 5000);
    return s;
}

Signal slideWhistle(Rng& rng)
{
    const double len = 0.95;
    const Curve f = [](double t) {
        const double base = t < 0.45 ? 500 * std::pow(3.0, t / 0.45)
                                     : 1500 * std::pow(420.0 / 1500, (t - 0.45) / 0.5);
        return base * (1 + 0.012 * std::sin(2 * kPi * 6 * t));
    };
    const Curve env = adsr(0.04, 0.05, 0.9, 0.1, len);
    Signal s = additive(len, f, [&](int k, double t, double) {
        return k == 1 ? env(t) : k == 2 ? 0.08 * env(t) : 0.0;
    }, 2);
    Signal breath = whiteNoise(len, rng);
    sweptBandpass(breath, f, 5.0);
    multiply(breath, env);
    mixInto(s, breath, 0, 0.2);
    return s;
}

// "Honk honk, wheee-ooo, honk!"
Signal clown()
{
    Rng rng(1616);
    Signal s = silence(2.2);
    mixInto(s, honk(0.22, 370), 0.0);
    mixInto(s, honk(0.22, 370), 0.31);
    mixInto(s, slideWhistle(rng), 0.68, 0.8);
    mixInto(s, honk(0.32, 330), 1.75);
    reverb(s, 0.15, 0.7, 0.15);
    finishCelebration(s);
    return s;
}

void write(const datagen::Output& out, const char* name, const Signal& s)
{
    out.writeBytes(QStringLiteral("wav\\") + QLatin1String(name), wavBytes(s));
}

} // namespace

CORVANA_GENERATOR(sounds)
{
    write(out, "click.wav", click());
    write(out, "typekey.wav", typeKey());
    write(out, "thud3.wav", thud());
    write(out, "fanf2.wav", fanfare2());
    write(out, "fanf3.wav", fanfare3());
    write(out, "crowd.wav", crowd());
    write(out, "cheer2.wav", cheer());
    write(out, "klaxon.wav", klaxon());
    write(out, "flute.wav", flutePhrase());
    write(out, "gong.wav", gong());
    write(out, "clap2.wav", clap2());
    write(out, "drumroll.wav", drumroll());
    write(out, "laser2.wav", laser());
    write(out, "whizz.wav", whizz());
    write(out, "clap3.wav", clap3());
    write(out, "clown.wav", clown());
}
