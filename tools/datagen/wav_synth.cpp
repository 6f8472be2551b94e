#include "wav_synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace synth {

int samplesFor(double secs)
{
    return std::max(0, static_cast<int>(std::lround(secs * kRate)));
}

double seconds(const Signal& s)
{
    return static_cast<double>(s.size()) / kRate;
}

double dbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

double gainToDb(double gain)
{
    return 20.0 * std::log10(std::max(gain, 1e-12));
}

double note(double semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// ---- Rng ----------------------------------------------------------------------------

Rng::Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

double Rng::uniform()
{
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t r = state_ * 0x2545F4914F6CDD1Dull;
    return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0); // 53 bits
}

double Rng::bipolar()
{
    return uniform() * 2.0 - 1.0;
}

double Rng::range(double lo, double hi)
{
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n)
{
    return std::min(n - 1, static_cast<int>(uniform() * n));
}

// ---- Building blocks ----------------------------------------------------------------

Signal silence(double secs)
{
    return Signal(samplesFor(secs), 0.0);
}

void mixInto(Signal& dst, const Signal& src, double at, double gain)
{
    const std::size_t start = samplesFor(at);
    if (dst.size() < start + src.size())
        dst.resize(start + src.size(), 0.0);
    for (std::size_t i = 0; i < src.size(); ++i)
        dst[start + i] += gain * src[i];
}

void scale(Signal& s, double gain)
{
    for (double& x : s)
        x *= gain;
}

void multiply(Signal& s, const Curve& envelope)
{
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] *= envelope(static_cast<double>(i) / kRate);
}

void fades(Signal& s, double inSecs, double outSecs)
{
    const std::size_t n = s.size();
    const std::size_t in = std::min<std::size_t>(samplesFor(inSecs), n);
    const std::size_t out = std::min<std::size_t>(samplesFor(outSecs), n);
    for (std::size_t i = 0; i < in; ++i)
        s[i] *= static_cast<double>(i) / in;
    for (std::size_t i = 0; i < out; ++i)
        s[n - 1 - i] *= static_cast<double>(i) / out;
}

void trimTo(Signal& s, double secs, double fadeSecs)
{
    s.resize(samplesFor(secs), 0.0);
    fades(s, 0.0, fadeSecs);
}

Curve adsr(double attack, double decay, double sustain, double release, double len)
{
    return [=](double t) {
        if (t < 0 || t >= len)
            return 0.0;
        double level;
        if (t < attack)
            level = t / attack;
        else if (t < attack + decay)
            level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
        else
            level = sustain;
        const double untilEnd = len - t;
        if (untilEnd < release)
            level *= untilEnd / release;
        return level;
    };
}

Curve percussive(double attack, double tau)
{
    return [=](double t) {
        if (t < 0)
            return 0.0;
        if (t < attack)
            return t / attack;
        return std::exp(-(t - attack) / tau);
    };
}

Curve breakpoints(std::vector<std::pair<double, double>> points)
{
    return [points = std::move(points)](double t) {
        if (points.empty())
            return 0.0;
        if (t <= points.front().first)
            return points.front().second;
        for (std::size_t i = 1; i < points.size(); ++i) {
            if (t <= points[i].first) {
                const auto& [t0, v0] = points[i - 1];
                const auto& [t1, v1] = points[i];
                return t1 > t0 ? v0 + (v1 - v0) * (t - t0) / (t1 - t0) : v1;
            }
        }
        return points.back().second;
    };
}

Signal sine(double secs, const Curve& freq, const Curve& amp)
{
    Signal s(samplesFor(secs));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] = amp(t) * std::sin(phase);
        phase += 2 * kPi * freq(t) / kRate;
        if (phase > 2 * kPi)
            phase -= 2 * kPi;
    }
    return s;
}

Signal additive(double secs, const Curve& freq,
                const std::function<double(int, double, double)>& harmonic, int maxHarmonics)
{
    Signal s(samplesFor(secs));
    const double guard = 0.45 * kRate;
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f0 = freq(t);
        // sin(k*phase) by the Chebyshev recurrence: one sin and one cos per sample.
        const double c2 = 2 * std::cos(phase);
        double prev = 0, cur = std::sin(phase), sum = 0;
        for (int k = 1; k <= maxHarmonics && k * f0 < guard; ++k) {
            const double a = harmonic(k, t, f0);
            // Harmonics fade out just below the guard so a glide across it makes no click.
            const double edge = std::clamp((guard - k * f0) / 500.0, 0.0, 1.0);
            sum += a * edge * cur;
            const double next = c2 * cur - prev;
            prev = cur;
            cur = next;
        }
        s[i] = sum;
        phase += 2 * kPi * f0 / kRate;
        if (phase > 2 * kPi)
            phase -= 2 * kPi;
    }
    return s;
}

Signal whiteNoise(double secs, Rng& rng)
{
    Signal s(samplesFor(secs));
    for (double& x : s)
        x = rng.bipolar();
    return s;
}

// ---- Filters ------------------------------------------------------------------------

namespace {
struct Coeffs {
    double b0, b1, b2, a0, a1, a2;
};

Coeffs rbj(char kind, double freq, double q)
{
    freq = std::clamp(freq, 10.0, 0.49 * kRate);
    const double w = 2 * kPi * freq / kRate;
    const double cw = std::cos(w), sw = std::sin(w);
    const double alpha = sw / (2 * q);
    switch (kind) {
    case 'l':
        return {(1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
    case 'h':
        return {(1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
    default:
        return {alpha, 0, -alpha, 1 + alpha, -2 * cw, 1 - alpha};
    }
}
} // namespace

static Biquad make(const Coeffs& c)
{
    return {c.b0 / c.a0, c.b1 / c.a0, c.b2 / c.a0, c.a1 / c.a0, c.a2 / c.a0};
}

Biquad Biquad::lowpass(double freq, double q)
{
    return make(rbj('l', freq, q));
}

Biquad Biquad::highpass(double freq, double q)
{
    return make(rbj('h', freq, q));
}

Biquad Biquad::bandpass(double freq, double q)
{
    return make(rbj('b', freq, q));
}

double Biquad::process(double x)
{
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void Biquad::reset()
{
    x1_ = x2_ = y1_ = y2_ = 0;
}

void filter(Signal& s, Biquad f)
{
    for (double& x : s)
        x = f.process(x);
}

void sweptBandpass(Signal& s, const Curve& centre, double q)
{
    // Direct form with coefficients recomputed every block; the state carries across.
    constexpr int kBlock = 16;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Coeffs c{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i % kBlock == 0)
            c = rbj('b', centre(static_cast<double>(i) / kRate), q);
        const double x = s[i];
        const double y = (c.b0 * x + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2) / c.a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        s[i] = y;
    }
}

void onePoleLowpass(Signal& s, double freq)
{
    const double a = std::exp(-2 * kPi * freq / kRate);
    double y = 0;
    for (double& x : s) {
        y = (1 - a) * x + a * y;
        x = y;
    }
}

void reverb(Signal& s, double wet, double feedback, double tailSecs)
{
    s.resize(s.size() + samplesFor(tailSecs), 0.0);
    // Freeverb's mutually prime delays, halved for the lower sample rate.
    static const int combDelays[] = {558, 594, 639, 678, 712, 755};
    static const int allpassDelays[] = {278, 220, 171};
    const double damp = 0.35;
    Signal out(s.size(), 0.0);
    for (int d : combDelays) {
        std::vector<double> line(d, 0.0);
        double store = 0;
        int pos = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double y = line[pos];
            store = y * (1 - damp) + store * damp;
            line[pos] = s[i] + store * feedback;
            out[i] += y;
            pos = (pos + 1) % d;
        }
    }
    for (int d : allpassDelays) {
        std::vector<double> line(d, 0.0);
        int pos = 0;
        for (double& x : out) {
            const double buffered = line[pos];
            const double y = -x + buffered;
            line[pos] = x + buffered * 0.5;
            x = y;
            pos = (pos + 1) % d;
        }
    }
    const double wetGain = wet / std::size(combDelays);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = s[i] * (1 - wet * 0.5) + out[i] * wetGain;
}

// ---- Instruments --------------------------------------------------------------------

namespace {
// Slowly wandering random value in [-1, 1]: smoothed noise for jitter and shimmer.
Curve wander(Rng& rng, double rateHz, double secs)
{
    std::vector<double> knots;
    const int n = static_cast<int>(secs * rateHz) + 3;
    for (int i = 0; i < n; ++i)
        knots.push_back(rng.bipolar());
    return [knots, rateHz](double t) {
        const double x = std::max(0.0, t * rateHz);
        const std::size_t i = std::min(static_cast<std::size_t>(x), knots.size() - 2);
        const double f = std::min(1.0, x - i);
        const double smooth = f * f * (3 - 2 * f);
        return knots[i] + (knots[i + 1] - knots[i]) * smooth;
    };
}
} // namespace

Signal brass(const BrassNote& n, Rng& rng)
{
    const double len = n.secs;
    const Curve env = [n, len](double t) {
        if (t < 0 || t >= len)
            return 0.0;
        // Fast rise with a slight overshoot, then a steady tone.
        double level = t < n.attack ? std::pow(t / n.attack, 1.5)
                                    : 0.88 + 0.12 * std::exp(-(t - n.attack) / 0.06);
        if (len - t < n.release)
            level *= (len - t) / n.release;
        return level;
    };
    const Curve jitter = wander(rng, 12, len);
    const Curve freq = [n, jitter](double t) {
        const double scoop = 1.0 - 0.03 * std::exp(-t / 0.025); // lips settle onto the note
        const double vibOn = std::clamp((t - 0.18) / 0.25, 0.0, 1.0);
        const double vib = n.vibratoDepth * vibOn * std::sin(2 * kPi * 5.3 * t);
        return n.freq * scoop * (1 + vib + 0.0015 * jitter(t));
    };
    const double bright = n.brightness;
    Signal s = additive(len, freq, [&](int k, double t, double) {
        const double e = env(t);
        // Louder is brighter: the spectral width grows with the envelope.
        const double width = 0.8 + 3.2 * bright * std::pow(e, 1.5);
        const double a = std::exp(-(k - 1) / width) * (k == 1 ? 0.7 : 1.0);
        return e * a;
    });
    // A breath of air through the mouthpiece.
    Signal air = whiteNoise(len, rng);
    filter(air, Biquad::bandpass(n.freq * 3, 2.0));
    multiply(air, env);
    mixInto(s, air, 0, 0.03);
    return s;
}

Signal flute(const FluteNote& n, Rng& rng)
{
    const double len = n.secs;
    const Curve env = adsr(n.attack, 0.08, 0.85, n.release, len);
    const Curve jitter = wander(rng, 8, len);
    const Curve freq = [n, jitter](double t) {
        const double vibOn = std::clamp((t - 0.12) / 0.2, 0.0, 1.0);
        return n.freq * (1 + n.vibratoDepth * vibOn * std::sin(2 * kPi * 5.0 * t)
                         + 0.001 * jitter(t));
    };
    static const double partials[] = {1.0, 0.22, 0.09, 0.035, 0.015};
    Signal s = additive(len, freq, [&](int k, double t, double) {
        if (k > 5)
            return 0.0;
        // The tremolo that goes with a flute's vibrato.
        const double vibOn = std::clamp((t - 0.12) / 0.2, 0.0, 1.0);
        const double trem = 1 + 0.06 * vibOn * std::sin(2 * kPi * 5.0 * t);
        return env(t) * trem * partials[k - 1];
    }, 5);
    // Breath: noise around the note and a little high air.
    Signal breath = whiteNoise(len, rng);
    filter(breath, Biquad::bandpass(n.freq, 6.0));
    multiply(breath, env);
    mixInto(s, breath, 0, 0.12);
    Signal air = whiteNoise(len, rng);
    filter(air, Biquad::highpass(4000));
    multiply(air, env);
    mixInto(s, air, 0, 0.012);
    // The chiff of the tongue at the start.
    Signal chiff = whiteNoise(std::min(len, 0.06), rng);
    filter(chiff, Biquad::bandpass(n.freq * 3, 1.5));
    multiply(chiff, percussive(0.004, 0.015));
    mixInto(s, chiff, 0, 0.12);
    return s;
}

Formants vowel(char v)
{
    switch (v) {
    case 'a': return {800, 1200, 2600};
    case 'e': return {550, 1900, 2600};
    case 'i': return {320, 2300, 3000};
    case 'o': return {500, 900, 2500};
    case 'u': return {350, 800, 2300};
    default: throw std::invalid_argument("unknown vowel");
    }
}

Signal voice(const VoiceCall& v, Rng& rng)
{
    Signal s(samplesFor(v.secs));
    const Curve jitter = wander(rng, 18, v.secs);
    const double guard = 0.45 * kRate;
    double tilt[61];
    for (int k = 1; k <= 60; ++k)
        tilt[k] = std::pow(k, -0.9);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f0 = v.pitch(t) * (1 + 0.012 * jitter(t));
        const Formants fm = v.formants(t);
        const double amp = v.amp(t);
        const double c2 = 2 * std::cos(phase);
        double prev = 0, cur = std::sin(phase), sum = 0;
        for (int k = 1; k * f0 < guard && k <= 60; ++k) {
            const double f = k * f0;
            // Three resonances over a source falling about 10 dB per octave.
            auto res = [f](double centre, double bw) {
                const double d = (f - centre) / (bw / 2);
                return 1.0 / (1 + d * d);
            };
            const double tract = res(fm.f1, 110) + 0.55 * res(fm.f2, 140) + 0.3 * res(fm.f3, 200);
            sum += tilt[k] * tract * cur;
            const double next = c2 * cur - prev;
            prev = cur;
            cur = next;
        }
        s[i] = amp * sum;
        phase += 2 * kPi * f0 / kRate;
        if (phase > 2 * kPi)
            phase -= 2 * kPi;
    }
    if (v.breath > 0) {
        Signal noise = whiteNoise(v.secs, rng);
        Signal n2 = noise;
        sweptBandpass(noise, [&](double t) { return v.formants(t).f1; }, 3.0);
        sweptBandpass(n2, [&](double t) { return v.formants(t).f2; }, 4.0);
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            s[i] += v.breath * v.amp(t) * (noise[i] + 0.6 * n2[i]);
        }
    }
    return s;
}

Signal clap(Rng& rng, double centre, double q, double decay)
{
    const double len = decay * 7 + 0.02;
    Signal s = whiteNoise(len, rng);
    filter(s, Biquad::bandpass(centre, q));
    filter(s, Biquad::highpass(300));
    // Hands meet in a few quick slaps before the main burst.
    const double slap = rng.range(0.004, 0.008);
    multiply(s, [decay, slap](double t) {
        const double pre = t < slap ? 0.5 * std::exp(-t / 0.002) : 0.0;
        return pre + (t >= slap ? percussive(0.0008, decay)(t - slap) : 0.0);
    });
    return s;
}

// ---- Levels and output --------------------------------------------------------------

double peak(const Signal& s)
{
    double p = 0;
    for (double x : s)
        p = std::max(p, std::abs(x));
    return p;
}

double rms(const Signal& s)
{
    if (s.empty())
        return 0;
    double sum = 0;
    for (double x : s)
        sum += x * x;
    return std::sqrt(sum / s.size());
}

void limit(Signal& s, double ceiling, double lookaheadSecs)
{
    const std::size_t n = s.size();
    const std::size_t look = std::max(1, samplesFor(lookaheadSecs));
    // Gain each sample needs on its own.
    std::vector<double> need(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double a = std::abs(s[i]);
        need[i] = a > ceiling ? ceiling / a : 1.0;
    }
    // Minimum over the window ahead, so the gain is down before a peak arrives.
    std::vector<double> ahead(n);
    for (std::size_t i = 0; i < n; ++i) {
        double m = 1.0;
        for (std::size_t j = i; j < std::min(n, i + look + 1); ++j)
            m = std::min(m, need[j]);
        ahead[i] = m;
    }
    // Slow recovery: the gain may rise only gradually, never above what lies ahead.
    const double release = 1.0 - std::exp(-1.0 / (0.08 * kRate));
    double g = 1.0;
    for (std::size_t i = 0; i < n; ++i) {
        g = std::min(ahead[i], g + (1.0 - g) * release);
        ahead[i] = g;
    }
    // Averaging over the window behind keeps every sample at or below its own need,
    // since each averaged value's window ahead covers the sample.
    double sum = 0;
    std::vector<double> gain(n);
    for (std::size_t i = 0; i < n; ++i) {
        sum += ahead[i];
        const std::size_t first = i >= look ? i - look : 0;
        if (i >= look + 1)
            sum -= ahead[i - look - 1];
        const std::size_t count = i - first + 1;
        // Before a full window, the missing values count as the first one (which also
        // covers the sample).
        const double padded = sum + (look + 1 - count) * ahead[0];
        gain[i] = padded / (look + 1);
    }
    for (std::size_t i = 0; i < n; ++i)
        s[i] *= gain[i];
}

void normalise(Signal& s, double targetRmsDb, double peakCeilingDb)
{
    const double ceiling = dbToGain(peakCeilingDb);
    const double target = dbToGain(targetRmsDb);
    // Limiting lowers the RMS a little; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const double r = rms(s);
        if (r <= 0)
            return;
        scale(s, target / r);
        limit(s, ceiling);
    }
    for (double& x : s)
        x = std::clamp(x, -ceiling, ceiling);
}

void normalisePeak(Signal& s, double peakDb)
{
    const double p = peak(s);
    if (p > 0)
        scale(s, dbToGain(peakDb) / p);
}

QByteArray wavBytes(const Signal& s, int rate)
{
    const quint32 dataBytes = static_cast<quint32>(s.size() * 2);
    QByteArray out;
    out.reserve(44 + static_cast<int>(dataBytes));
    auto u32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&out](quint16 v) {
        out.append(static_cast<char>(v & 0xFF));
        out.append(static_cast<char>(v >> 8));
    };
    out.append("RIFF", 4);
    u32(36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(static_cast<quint32>(rate));
    u32(static_cast<quint32>(rate * 2));
    u16(2);
    u16(16);
    out.append("data", 4);
    u32(dataBytes);
    for (double x : s) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        u16(static_cast<quint16>(static_cast<qint16>(v)));
    }
    return out;
}

} // namespace synth
