#include "content/EffectSynth.h"

#include <algorithm>
#include <cmath>

#include "content/StateVariableFilter.h"
#include "content/ToneSynth.h"
#include "content/WavWriter.h"

namespace Content {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Room past the end for tails: folded onto a loop's start, left out of a one-shot.
constexpr double kTailSeconds = 2.0;
// A one-shot ends in silence: whatever still rings near its end is damped,
// as a hand on a bell, over the shortest of these spans (at most half the
// sound) that brings its last 10 ms below -66 dBFS.
constexpr double kDampSeconds[] = {0.01, 0.02, 0.04, 0.08, 0.16, 0.25};
constexpr double kEndSeconds = 0.01;
constexpr double kEndSilenceDbfs = -66.0;

// Smoothstep squared over what is left of the damping span: no corner where it begins.
double Damping(std::size_t framesLeft, std::size_t dampFrames)
{
    if (framesLeft >= dampFrames) {
        return 1.0;
    }
    const double s = static_cast<double>(framesLeft) / static_cast<double>(dampFrames);
    const double step = s * s * (3.0 - 2.0 * s);
    return step * step;
}

// The loudest of the last 10 ms once damped over dampFrames.
double EndLevel(const std::vector<double>& out, std::size_t dampFrames)
{
    const auto endFrames = std::min(out.size(), static_cast<std::size_t>(kEndSeconds * EffectSynth::kSampleRate));
    double level = 0.0;
    for (std::size_t left = 0; left < endFrames; ++left) {
        level = std::max(level, std::fabs(out[out.size() - 1 - left]) * Damping(left, dampFrames));
    }
    return level;
}

double WaveValue(EffectSynth::Wave wave, double phase)
{
    const double cycle = phase - std::floor(phase);
    switch (wave) {
    case EffectSynth::Wave::kSine:
        return std::sin(kTwoPi * cycle);
    case EffectSynth::Wave::kTriangle:
        return cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle;
    case EffectSynth::Wave::kSquare:
        return cycle < 0.5 ? 1.0 : -1.0;
    case EffectSynth::Wave::kSaw:
        return 2.0 * cycle - 1.0;
    }
    return 0.0;
}

} // namespace

EffectSynth::EffectSynth(std::uint32_t frames, bool loop, std::uint32_t seed)
    : frames_(frames), loop_(loop), noiseState_(seed != 0 ? seed : 0x1234567u),
      mix_(frames + static_cast<std::size_t>(kTailSeconds * kSampleRate), 0.0)
{}

EffectSynth::EffectSynth(double seconds, std::uint32_t seed)
    : EffectSynth(static_cast<std::uint32_t>(std::lround(seconds * kSampleRate)), false, seed)
{}

EffectSynth EffectSynth::Loop(std::uint32_t loopFrames, std::uint32_t seed)
{
    return EffectSynth(loopFrames, true, seed);
}

double EffectSynth::NextNoise()
{
    // xorshift32: white enough for hiss, and the same on every machine.
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<double>(noiseState_) / 2147483648.0 - 1.0;
}

double EffectSynth::Envelope(double t, double length, double attack, double decay, double release)
{
    if (t < 0.0 || t >= length) {
        return 0.0;
    }
    double level = attack > 0.0 && t < attack ? t / attack : 1.0;
    if (decay > 0.0 && t > attack) {
        level *= std::exp(-(t - attack) / decay);
    }
    if (release > 0.0 && length - t < release) {
        level *= (length - t) / release;
    }
    return level;
}

double EffectSynth::WholeCycles(double frequency) const
{
    if (!loop_) {
        return frequency;
    }
    const double loopSeconds = static_cast<double>(frames_) / kSampleRate;
    return std::max(1.0, std::round(frequency * loopSeconds)) / loopSeconds;
}

void EffectSynth::AddTone(const Tone& tone)
{
    const auto first = static_cast<std::size_t>(std::lround(tone.start * kSampleRate));
    const auto count = static_cast<std::size_t>(std::lround(tone.length * kSampleRate));
    const double endFrequency = tone.endFrequency > 0.0 ? tone.endFrequency : tone.frequency;
    const double glide = std::log(endFrequency / tone.frequency);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < mix_.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double frequency = tone.frequency * std::exp(glide * t / tone.length);
        double level = tone.amplitude * Envelope(t, tone.length, tone.attack, tone.decay, tone.release);
        if (tone.tremoloDepth > 0.0) {
            level *=
                1.0 - tone.tremoloDepth * 0.5 * (1.0 - std::cos(kTwoPi * (tone.tremoloHz * t + tone.tremoloPhase)));
        }
        mix_[first + i] += level * WaveValue(tone.wave, phase);
        phase += frequency / kSampleRate;
        phase -= std::floor(phase);
    }
}

void EffectSynth::AddNoise(const Noise& noise)
{
    const auto first = static_cast<std::size_t>(std::lround(noise.start * kSampleRate));
    const auto count = static_cast<std::size_t>(std::lround(noise.length * kSampleRate));
    const double endCentre = noise.endCentreHz > 0.0 ? noise.endCentreHz : noise.centreHz;
    const double sweep = std::log(endCentre / noise.centreHz);
    StateVariableFilter filter;
    for (std::size_t i = 0; i < count && first + i < mix_.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double centre = noise.centreHz * std::exp(sweep * t / noise.length);
        const double band = filter.Process(NextNoise(), centre, noise.q, kSampleRate).band;
        mix_[first + i] += noise.amplitude * Envelope(t, noise.length, noise.attack, noise.decay, noise.release) * band;
    }
}

void EffectSynth::AddBell(double start, double frequency, double amplitude, double decay)
{
    struct Partial
    {
        double ratio;
        double level;
        double decayShare;
    };
    static constexpr Partial kPartials[] = {
        {1.0, 1.0, 1.0}, {2.0, 0.45, 0.6}, {2.76, 0.3, 0.4}, {4.07, 0.15, 0.25}, {5.4, 0.08, 0.15},
    };
    for (const Partial& partial : kPartials) {
        Tone tone;
        tone.start = start;
        tone.length = decay * 6.0;
        tone.frequency = WholeCycles(frequency * partial.ratio);
        tone.amplitude = amplitude * partial.level;
        tone.attack = 0.001;
        tone.decay = decay * partial.decayShare;
        tone.release = 0.01;
        if (tone.frequency < kSampleRate * 0.45) {
            AddTone(tone);
        }
    }
}

std::vector<std::int16_t> EffectSynth::Render(double peakDbfs) const
{
    std::vector<double> out(mix_.begin(), mix_.begin() + frames_);
    if (loop_) {
        for (std::size_t i = frames_; i < mix_.size(); ++i) {
            out[i % frames_] += mix_[i];
        }
    }
    // Measured before any damping, so that the damped end stays as quiet as it was measured to be.
    double peak = 0.0;
    for (double value : out) {
        peak = std::max(peak, std::fabs(value));
    }
    if (!loop_) {
        const double silence = peak * std::pow(10.0, (kEndSilenceDbfs - peakDbfs) / 20.0);
        std::size_t dampFrames = 0;
        for (double seconds : kDampSeconds) {
            dampFrames = std::min(out.size() / 2, static_cast<std::size_t>(seconds * kSampleRate));
            if (EndLevel(out, dampFrames) < silence) {
                break;
            }
        }
        for (std::size_t left = 0; left < dampFrames; ++left) {
            out[out.size() - 1 - left] *= Damping(left, dampFrames);
        }
    }
    const double gain = peak > 0.0 ? std::pow(10.0, peakDbfs / 20.0) * 32767.0 / peak : 0.0;
    std::vector<std::int16_t> samples(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(out[i] * gain, -32768.0, 32767.0)));
    }
    return samples;
}

std::vector<std::uint8_t> EffectSynth::BuildWav(double peakDbfs) const
{
    return WavWriter(1, kSampleRate, 16).Build(ToneSynth::ToBytes16(Render(peakDbfs)));
}

} // namespace Content
