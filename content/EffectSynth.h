// A small synthesiser for sound effects: tones (sine, triangle, square, saw)
// with attack, exponential decay and release, pitch glides and tremolo; noise
// through a swept band-pass filter; all mixed into one mono buffer at 22050 Hz
// and written as a 16-bit WAV file.
//
// A looped effect folds everything that sounds past its end back onto its
// start, so the join is the natural continuation; sustained tones must then
// fit whole cycles into the loop (WholeCycles rounds a frequency so).
// The same seed gives the same noise, so the bytes never change between builds.
#pragma once

#include <cstdint>
#include <vector>

namespace Content {

class EffectSynth
{
public:
    static constexpr std::uint32_t kSampleRate = 22050;

    enum class Wave
    {
        kSine,
        kTriangle,
        kSquare,
        kSaw
    };

    struct Tone
    {
        double start = 0.0;
        double length = 0.1;
        double frequency = 440.0;
        // 0: no glide. Otherwise the pitch moves exponentially to it over the length.
        double endFrequency = 0.0;
        double amplitude = 0.5;
        double attack = 0.002;
        // Time constant of the exponential decay after the attack; 0 holds the level.
        double decay = 0.0;
        double release = 0.005;
        Wave wave = Wave::kSine;
        // Level dips by depth at this rate (a loop's tremolo must be whole cycles too).
        double tremoloHz = 0.0;
        double tremoloDepth = 0.0;
        double tremoloPhase = 0.0;
    };

    struct Noise
    {
        double start = 0.0;
        double length = 0.1;
        double amplitude = 0.5;
        double attack = 0.001;
        double decay = 0.0;
        double release = 0.005;
        // Centre of the band-pass filter, moving exponentially from the first to the second.
        double centreHz = 2000.0;
        double endCentreHz = 0.0;
        double q = 1.0;
    };

    // A one-shot effect of the given length.
    EffectSynth(double seconds, std::uint32_t seed);
    // A looped effect of exactly loopFrames frames.
    static EffectSynth Loop(std::uint32_t loopFrames, std::uint32_t seed);

    void AddTone(const Tone& tone);
    void AddNoise(const Noise& noise);
    // A struck bell: partials at 1, 2, 2.76 (a little brighter), 4.07 and 5.4
    // times the frequency, the higher ones dying faster.
    void AddBell(double start, double frequency, double amplitude, double decay);

    // The nearest frequency with a whole number of cycles in the loop (of a
    // one-shot: the frequency itself).
    double WholeCycles(double frequency) const;
    bool IsLoop() const { return loop_; }
    std::uint32_t GetFrameCount() const { return frames_; }

    // The finished samples, scaled so that the loudest is peakDbfs; a
    // one-shot's ring is damped so that its last 10 ms are below -66 dBFS.
    std::vector<std::int16_t> Render(double peakDbfs) const;
    std::vector<std::uint8_t> BuildWav(double peakDbfs) const;

private:
    EffectSynth(std::uint32_t frames, bool loop, std::uint32_t seed);
    double NextNoise();
    static double Envelope(double t, double length, double attack, double decay, double release);

    std::uint32_t frames_;
    bool loop_;
    std::uint32_t noiseState_;
    // Longer than the effect: what a loop folds back, or what a one-shot leaves out.
    std::vector<double> mix_;
};

} // namespace Content
