// SPDX-License-Identifier: Zlib
#include "sounds.h"

#include "platform/sound_files.h"

#include "prng.h"
#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double PEAK = 0.84; // of full scale: loud, never clipped
constexpr double END_FADE_SECONDS = 0.012;
constexpr std::uint64_t NOISE_SEED = 0x506C6F7276696B03ull;

using Signal = std::vector<double>;

double decay(double t, double attack, double tau)
{
    return t < attack ? t / attack : std::exp(-(t - attack) / tau);
}

// An oscillator whose pitch may glide: the phase accumulates the frequency sample by sample.
class Oscillator {
public:
    // Phase in [0, 1) after one more sample at `hertz`.
    double step(double hertz)
    {
        phase += hertz / SAMPLE_RATE;
        phase -= std::floor(phase);
        return phase;
    }

private:
    double phase = 0.0;
};

double square(double phase, double duty)
{
    return phase < duty ? 1.0 : -1.0;
}

// One-pole low-pass; the cut-off may change every sample.
class LowPass {
public:
    double step(double in, double cutoffHertz)
    {
        const double k = 1.0 - std::exp(-2.0 * PI * cutoffHertz / SAMPLE_RATE);
        out += k * (in - out);
        return out;
    }

private:
    double out = 0.0;
};

// Two one-pole stages: a steeper slope, for noise that should thud rather than hiss.
class TwoPoleLowPass {
public:
    double step(double in, double cutoffHertz)
    {
        return second.step(first.step(in, cutoffHertz), cutoffHertz);
    }

private:
    LowPass first;
    LowPass second;
};

Signal render(double seconds, const std::function<double(double)>& voice)
{
    Signal s(static_cast<size_t>(seconds * SAMPLE_RATE));
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = voice(static_cast<double>(i) / SAMPLE_RATE);
    }
    return s;
}

// A bright, falling "pew": a narrow pulse sweeping down with a sine an octave above.
Signal playerShot(Prng&)
{
    Oscillator pulse;
    Oscillator octave;
    LowPass soften;
    return render(0.13, [&](double t) {
        const double pitch = 1500.0 * std::exp(-t / 0.05) + 420.0;
        const double tone =
            0.7 * square(pulse.step(pitch), 0.25) + 0.3 * std::sin(2 * PI * octave.step(pitch * 2));
        return soften.step(tone, 7000.0) * decay(t, 0.002, 0.045);
    });
}

// A lower, duller "pow": a muffled square thump with a short puff of noise on its front.
Signal enemyShot(Prng& random)
{
    Oscillator body;
    TwoPoleLowPass muffle;
    TwoPoleLowPass puff;
    return render(0.15, [&](double t) {
        const double pitch = 300.0 * std::exp(-t / 0.035) + 110.0;
        const double thump = muffle.step(square(body.step(pitch), 0.5), 1400.0) * decay(t, 0.002, 0.055);
        const double noise = puff.step(random.range(-1.0, 1.0), 2500.0) * decay(t, 0.001, 0.012);
        return thump + 1.5 * noise;
    });
}

// A warbling two-note alarm over a crunch: the player's plane took damage.
Signal playerHit(Prng& random)
{
    Oscillator alarm;
    Oscillator thump;
    LowPass crunch;
    LowPass soften;
    return render(0.36, [&](double t) {
        const double note = std::fmod(t, 0.09) < 0.045 ? 740.0 : 494.0;
        const double siren =
            0.55 * soften.step(square(alarm.step(note), 0.5), 3500.0) * decay(t, 0.004, 0.14);
        const double low = 0.6 * std::sin(2 * PI * thump.step(120.0 - 60.0 * t)) * decay(t, 0.002, 0.06);
        const double hit = crunch.step(random.range(-1.0, 1.0), 5000.0) * decay(t, 0.001, 0.03);
        return siren + low + hit;
    });
}

// A short metallic "tink": inharmonic partials and a click, an enemy struck.
Signal enemyHit(Prng& random)
{
    const double partials[][3] = {{1870.0, 1.0, 0.035}, {2790.0, 0.6, 0.026}, {4110.0, 0.4, 0.018}};
    return render(0.12, [&](double t) {
        double ring = 0.0;
        for (const auto& p : partials) {
            ring += p[1] * std::sin(2 * PI * p[0] * t) * decay(t, 0.0005, p[2]);
        }
        return ring + 0.8 * random.range(-1.0, 1.0) * decay(t, 0.0005, 0.005);
    });
}

// A long, deep blast: rumbling brown noise closing down, a falling sub tone and crackle.
Signal playerExplosion(Prng& random)
{
    LowPass rumble;
    TwoPoleLowPass crackle;
    Oscillator sub;
    double brown = 0.0;
    return render(1.4, [&](double t) {
        brown = 0.985 * brown + 0.12 * random.range(-1.0, 1.0);
        const double cutoff = 1800.0 * std::exp(-t / 0.3) + 140.0;
        const double blast = 2.2 * rumble.step(brown, cutoff) * decay(t, 0.004, 0.42);
        const double boom =
            0.7 * std::sin(2 * PI * sub.step(70.0 * std::exp(-t / 0.6) + 28.0)) * decay(t, 0.01, 0.35);
        const double spark = random.unit() < 0.004 * std::exp(-t / 0.3) ? random.range(-1.0, 1.0) : 0.0;
        const double pops = crackle.step(spark * 12.0, 1600.0) * decay(t, 0.0, 0.4);
        return blast + boom + pops;
    });
}

// A quicker, brighter burst than the player's: white noise closing fast over a short boom.
Signal enemyExplosion(Prng& random)
{
    LowPass body;
    Oscillator boom;
    return render(0.72, [&](double t) {
        const double cutoff = 5200.0 * std::exp(-t / 0.1) + 380.0;
        const double burst = body.step(random.range(-1.0, 1.0), cutoff) * decay(t, 0.002, 0.16);
        const double low =
            0.6 * std::sin(2 * PI * boom.step(190.0 * std::exp(-t / 0.12) + 55.0)) * decay(t, 0.003, 0.1);
        return 1.3 * burst + low;
    });
}

std::vector<std::int16_t> finish(Signal s)
{
    const size_t fade = static_cast<size_t>(END_FADE_SECONDS * SAMPLE_RATE);
    for (size_t i = 0; i < fade && i < s.size(); ++i) {
        s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
    }
    double loudest = 1e-9;
    for (double v : s) {
        loudest = std::max(loudest, std::fabs(v));
    }
    std::vector<std::int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        out[i] = static_cast<std::int16_t>(std::lround(s[i] / loudest * PEAK * 32767.0));
    }
    return out;
}

} // namespace

std::vector<SoundEffect> synthesiseSounds()
{
    struct Recipe {
        SoundId id;
        Signal (*make)(Prng&);
    };
    const Recipe recipes[] = {
        {SOUND_PLAYER_SHOT, playerShot}, {SOUND_PLAYER_HIT, playerHit}, {SOUND_PLAYER_EXP, playerExplosion},
        {SOUND_ENEMY_SHOT, enemyShot},   {SOUND_ENEMY_HIT, enemyHit},   {SOUND_ENEMY_EXP, enemyExplosion},
    };
    std::vector<SoundEffect> sounds;
    std::uint64_t seed = NOISE_SEED;
    for (const Recipe& r : recipes) {
        // A noise stream of its own, so reworking one sound leaves the others alone.
        Prng random(seed++);
        sounds.push_back({SOUND_FILES[r.id], finish(r.make(random))});
    }
    return sounds;
}
