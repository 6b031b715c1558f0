#include "content/MusicSynth.h"

#include <algorithm>
#include <cmath>

#include "content/Reverb.h"
#include "content/StateVariableFilter.h"

namespace Content {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kRate = MusicSynth::kSampleRate;
// What rings past the end (releases and the reverb) and is folded onto the start.
constexpr double kTailSeconds = 6.0;
constexpr double kReverbRoom = 0.82;
constexpr double kReverbDamping = 0.45;
constexpr double kReverbWet = 0.3;
constexpr double kPadDetuneCents = 7.0;

struct Voicing
{
    double pan; // -1 left .. 1 right
    double gain;
    double send; // into the reverb
};

Voicing VoicingOf(Instrument instrument)
{
    switch (instrument) {
    case Instrument::kPad:
        return {0.0, 0.1, 0.55};
    case Instrument::kPluck:
        return {-0.3, 0.32, 0.35};
    case Instrument::kBell:
        return {0.25, 0.5, 0.5};
    case Instrument::kBass:
        return {0.0, 0.28, 0.08};
    case Instrument::kMarimba:
        return {0.15, 0.9, 0.25};
    case Instrument::kLead:
        return {0.1, 0.5, 0.35};
    case Instrument::kShaker:
        return {0.45, 1.2, 0.15};
    case Instrument::kKick:
        return {0.0, 0.5, 0.04};
    case Instrument::kBrush:
        return {-0.35, 1.2, 0.2};
    case Instrument::kFlute:
        return {0.1, 0.5, 0.4};
    case Instrument::kKeys:
        return {-0.2, 0.3, 0.3};
    }
    return {0.0, 0.0, 0.0};
}

double Frequency(int pitch)
{
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

class Noise
{
public:
    explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
    double Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Removes the step of a naive saw at its wrap, which would alias at this rate.
double PolyBlep(double phase, double step)
{
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Saw(double phase, double step)
{
    return 2.0 * phase - 1.0 - PolyBlep(phase, step);
}

double Wrap(double phase)
{
    return phase - std::floor(phase);
}

// Attack, then the level held, then a linear release after the note's length.
double AttackRelease(double t, double attack, double length, double release)
{
    double level = t < attack ? t / attack : 1.0;
    if (t > length) {
        level *= std::max(0.0, 1.0 - (t - length) / release);
    }
    return level;
}

using Voice = std::vector<double>;

Voice Pad(double frequency, double length, double detune)
{
    const double attack = 0.6;
    const double release = 1.2;
    Voice voice(static_cast<std::size_t>((length + release) * kRate));
    StateVariableFilter filter;
    double sawPhase = 0.0;
    double sinePhase = 0.0;
    const double sawStep = frequency * detune / kRate;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope = AttackRelease(t, attack, length, release);
        const double raw = 0.55 * Saw(sawPhase, sawStep) + 0.45 * std::sin(kTwoPi * sinePhase);
        voice[i] = envelope * filter.Process(raw, 500.0 + 700.0 * envelope, 0.7, kRate).low;
        sawPhase = Wrap(sawPhase + sawStep);
        sinePhase = Wrap(sinePhase + frequency / kRate);
    }
    return voice;
}

// Adds a sine that starts at level and dies away with the time constant
// decay, turned by a rotation a sample rather than a sine and an exponential.
void AddDecayingSine(Voice& voice, double frequency, double level, double decay)
{
    const double step = kTwoPi * frequency / kRate;
    const double shrink = std::exp(-1.0 / (decay * kRate));
    const double turnCos = std::cos(step) * shrink;
    const double turnSin = std::sin(step) * shrink;
    double re = level;
    double im = 0.0;
    for (double& sample : voice) {
        sample += im;
        const double nextRe = re * turnCos - im * turnSin;
        im = re * turnSin + im * turnCos;
        re = nextRe;
    }
}

// A click-free start and a short fade at the very end.
void ShapeEnds(Voice& voice, double attack, double fade)
{
    const double total = static_cast<double>(voice.size()) / kRate;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        voice[i] *= std::min(1.0, t / attack) * std::min(1.0, (total - t) / fade);
    }
}

Voice Pluck(double frequency, double length)
{
    const double ring = 0.9;
    Voice voice(static_cast<std::size_t>((length + ring) * kRate));
    const double brightness = std::pow(220.0 / frequency, 0.3);
    for (int k = 1; k <= 8 && k * frequency < 9000.0; ++k) {
        AddDecayingSine(voice, k * frequency, 1.0 / std::pow(k, 1.4), 0.7 * brightness / (1.0 + 0.6 * (k - 1)));
    }
    ShapeEnds(voice, 0.002, 0.05);
    return voice;
}

Voice Bell(double frequency, double length)
{
    struct Partial
    {
        double ratio, level, decay;
    };
    static constexpr Partial kPartials[] = {
        {1.0, 1.0, 1.4}, {2.0, 0.35, 0.7}, {2.76, 0.25, 0.45}, {4.07, 0.1, 0.25}, {5.4, 0.05, 0.15},
    };
    const double ring = 2.2;
    Voice voice(static_cast<std::size_t>((length + ring) * kRate));
    for (const Partial& partial : kPartials) {
        if (partial.ratio * frequency <= 9500.0) {
            AddDecayingSine(voice, partial.ratio * frequency, partial.level, partial.decay);
        }
    }
    ShapeEnds(voice, 0.002, 0.1);
    return voice;
}

Voice Bass(double frequency, double length)
{
    const double release = 0.08;
    Voice voice(static_cast<std::size_t>((length + release) * kRate));
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double phase = kTwoPi * frequency * t;
        const double body = std::sin(phase) + 0.25 * std::sin(2.0 * phase) + 0.08 * std::sin(3.0 * phase);
        const double level = AttackRelease(t, 0.008, length, release) * (0.75 + 0.25 * std::exp(-t / 0.3));
        voice[i] = level * body;
    }
    return voice;
}

Voice Marimba(double frequency, double length)
{
    const double ring = 0.9;
    Voice voice(static_cast<std::size_t>((length + ring) * kRate));
    AddDecayingSine(voice, frequency, 1.0, 0.45 * std::sqrt(261.6 / frequency));
    if (3.93 * frequency < 10000.0) {
        AddDecayingSine(voice, 3.93 * frequency, 0.3, 0.045);
    }
    if (9.2 * frequency < 10000.0) {
        AddDecayingSine(voice, 9.2 * frequency, 0.08, 0.015);
    }
    ShapeEnds(voice, 0.001, 0.05);
    return voice;
}

// A soft flute: a round tone with a little of its second and third
// harmonics, a breath of noise at its front, and a late, gentle vibrato.
Voice Flute(double frequency, double length, Noise& noise)
{
    const double release = 0.15;
    Voice voice(static_cast<std::size_t>((length + release) * kRate));
    StateVariableFilter breath;
    double phase = 0.0;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double vibrato = 1.0 + 0.004 * std::clamp((t - 0.25) / 0.4, 0.0, 1.0) * std::sin(kTwoPi * 5.2 * t);
        const double s = std::sin(kTwoPi * phase);
        const double c = std::cos(kTwoPi * phase);
        const double tone = s + 0.22 * (2.0 * s * c) + 0.07 * s * (3.0 - 4.0 * s * s);
        const double air = breath.Process(noise.Next(), frequency * 2.0, 1.5, kRate).band;
        const double level = AttackRelease(t, 0.07, length, release) * (0.9 + 0.1 * std::exp(-t / 0.4));
        voice[i] = level * (tone + (0.05 + 0.25 * std::exp(-t / 0.06)) * air);
        phase = Wrap(phase + frequency * vibrato / kRate);
    }
    return voice;
}

// An electric piano: a sine whose phase is swung by another at the same
// frequency, bright at the strike and mellowing, with a quick metallic tine.
Voice Keys(double frequency, double length)
{
    const double release = 0.25;
    const double ring = std::max(length, 0.3) + release;
    Voice voice(static_cast<std::size_t>(ring * kRate));
    const double step = kTwoPi * frequency / kRate;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double phase = step * static_cast<double>(i);
        const double index = 0.25 + 1.1 * std::exp(-t / 0.35);
        const double level = AttackRelease(t, 0.003, length, release) * std::exp(-t / 1.6);
        voice[i] = level * std::sin(phase + index * std::sin(phase));
    }
    if (7.0 * frequency < 10000.0) {
        AddDecayingSine(voice, 7.0 * frequency, 0.07, 0.03);
    }
    ShapeEnds(voice, 0.002, 0.03);
    return voice;
}

Voice Lead(double frequency, double length)
{
    const double release = 0.14;
    Voice voice(static_cast<std::size_t>((length + release) * kRate));
    StateVariableFilter filter;
    double phase = 0.0;
    double phase2 = 0.0;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double vibrato = 1.0 + 0.0045 * std::clamp((t - 0.2) / 0.3, 0.0, 1.0) * std::sin(kTwoPi * 5.0 * t);
        const double step = frequency * vibrato / kRate;
        const double step2 = step * 1.003;
        const double raw = Saw(phase, step) + 0.7 * Saw(phase2, step2) - 0.35 * Saw(Wrap(phase + 0.5), step);
        const double cutoff = frequency * 1.5 + 900.0 * std::exp(-t / 0.25) + 250.0;
        const double level = AttackRelease(t, 0.03, length, release) * (0.8 + 0.2 * std::exp(-t / 0.2));
        voice[i] = level * filter.Process(raw, cutoff, 0.9, kRate).low;
        phase = Wrap(phase + step);
        phase2 = Wrap(phase2 + step2);
    }
    return voice;
}

Voice Shaker(Noise& noise)
{
    Voice voice(static_cast<std::size_t>(0.15 * kRate));
    StateVariableFilter filter;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double level = std::min(1.0, t / 0.006) * std::exp(-t / 0.03);
        voice[i] = level * filter.Process(noise.Next(), 6500.0, 0.9, kRate).band;
    }
    return voice;
}

Voice Kick(Noise& noise)
{
    Voice voice(static_cast<std::size_t>(0.6 * kRate));
    StateVariableFilter click;
    double phase = 0.0;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double frequency = 48.0 + 75.0 * std::exp(-t / 0.035);
        const double body = std::sin(kTwoPi * phase) * std::exp(-t / 0.16);
        const double snap = 0.15 * std::exp(-t / 0.004) * click.Process(noise.Next(), 1500.0, 0.7, kRate).low;
        voice[i] = (body + snap) * std::min(1.0, t / 0.002) * std::min(1.0, (0.6 - t) / 0.05);
        phase = Wrap(phase + frequency / kRate);
    }
    return voice;
}

Voice Brush(double length, Noise& noise)
{
    const bool swish = length > 0.5;
    const double attack = swish ? 0.08 : 0.003;
    const double decay = swish ? 0.22 : 0.06;
    const double total = (swish ? length : 0.0) + 0.35;
    Voice voice(static_cast<std::size_t>(total * kRate));
    StateVariableFilter filter;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double level = std::min(1.0, t / attack) * std::exp(-std::max(0.0, t - attack) / decay) *
                             std::min(1.0, (total - t) / 0.03);
        voice[i] = level * filter.Process(noise.Next(), 3200.0, 0.5, kRate).band;
    }
    return voice;
}

void AddVoice(const Voice& voice, std::size_t start, double left, double right, double send,
              std::vector<double>& leftMix, std::vector<double>& rightMix, std::vector<double>& sendMix)
{
    for (std::size_t i = 0; i < voice.size() && start + i < leftMix.size(); ++i) {
        leftMix[start + i] += voice[i] * left;
        rightMix[start + i] += voice[i] * right;
        sendMix[start + i] += voice[i] * send;
    }
}

} // namespace

std::uint32_t MusicSynth::GetLoopFrames(const MusicScore& score)
{
    return static_cast<std::uint32_t>(std::lround(score.GetLengthSeconds() * kRate));
}

std::vector<std::int16_t> MusicSynth::Render(const MusicScore& score, std::uint32_t seed)
{
    const std::uint32_t loopFrames = GetLoopFrames(score);
    const std::size_t total = loopFrames + static_cast<std::size_t>(kTailSeconds * kRate);
    std::vector<double> left(total, 0.0);
    std::vector<double> right(total, 0.0);
    std::vector<double> send(total, 0.0);
    const double secondsPerBeat = score.GetSecondsPerBeat();

    for (std::size_t n = 0; n < score.notes.size(); ++n) {
        const MusicNote& note = score.notes[n];
        const auto start = static_cast<std::size_t>(std::lround(note.startBeat * secondsPerBeat * kRate));
        const double length = note.lengthBeats * secondsPerBeat;
        const double frequency = Frequency(note.pitch);
        const Voicing voicing = VoicingOf(note.instrument);
        // The keys carry a tune at twice their comping level.
        const double tuneGain = note.tune && note.instrument == Instrument::kKeys ? 2.0 : 1.0;
        const double gain = voicing.gain * note.velocity * tuneGain;
        // Equal-power pan.
        const double angle = (voicing.pan + 1.0) * 0.25 * 3.141592653589793;
        const double toLeft = std::cos(angle) * gain;
        const double toRight = std::sin(angle) * gain;
        Noise noise(seed ^ static_cast<std::uint32_t>((n + 1) * 2654435761u));
        if (note.instrument == Instrument::kPad) {
            // One voice a little flat on the left, one a little sharp on the right: width without a chorus.
            const double detune = std::pow(2.0, kPadDetuneCents / 1200.0);
            AddVoice(Pad(frequency, length, 1.0 / detune), start, gain, 0.0, voicing.send * gain, left, right, send);
            AddVoice(Pad(frequency, length, detune), start, 0.0, gain, voicing.send * gain, left, right, send);
            continue;
        }
        Voice voice;
        switch (note.instrument) {
        case Instrument::kPluck:
            voice = Pluck(frequency, length);
            break;
        case Instrument::kBell:
            voice = Bell(frequency, length);
            break;
        case Instrument::kBass:
            voice = Bass(frequency, length);
            break;
        case Instrument::kMarimba:
            voice = Marimba(frequency, length);
            break;
        case Instrument::kLead:
            voice = Lead(frequency, length);
            break;
        case Instrument::kShaker:
            voice = Shaker(noise);
            break;
        case Instrument::kKick:
            voice = Kick(noise);
            break;
        case Instrument::kBrush:
            voice = Brush(length, noise);
            break;
        case Instrument::kFlute:
            voice = Flute(frequency, length, noise);
            break;
        case Instrument::kKeys:
            voice = Keys(frequency, length);
            break;
        case Instrument::kPad:
            break;
        }
        AddVoice(voice, start, toLeft, toRight, voicing.send * gain, left, right, send);
    }

    Reverb reverb(kRate, kReverbRoom, kReverbDamping);
    reverb.Process(send, kReverbWet, left, right);

    for (std::size_t i = loopFrames; i < total; ++i) {
        left[i % loopFrames] += left[i];
        right[i % loopFrames] += right[i];
    }
    double sumSquares = 0.0;
    double peak = 0.0;
    for (std::size_t i = 0; i < loopFrames; ++i) {
        sumSquares += left[i] * left[i] + right[i] * right[i];
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    }
    const double rms = std::sqrt(sumSquares / (2.0 * loopFrames));
    double gain = rms > 0.0 ? std::pow(10.0, kTargetRmsDbfs / 20.0) / rms : 0.0;
    if (peak * gain > std::pow(10.0, kPeakLimitDbfs / 20.0)) {
        gain = std::pow(10.0, kPeakLimitDbfs / 20.0) / peak;
    }
    std::vector<std::int16_t> samples(2 * std::size_t(loopFrames));
    for (std::size_t i = 0; i < loopFrames; ++i) {
        samples[2 * i] =
            static_cast<std::int16_t>(std::lround(std::clamp(left[i] * gain * 32767.0, -32768.0, 32767.0)));
        samples[2 * i + 1] =
            static_cast<std::int16_t>(std::lround(std::clamp(right[i] * gain * 32767.0, -32768.0, 32767.0)));
    }
    return samples;
}

} // namespace Content
