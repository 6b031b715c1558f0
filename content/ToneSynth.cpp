#include "content/ToneSynth.h"

#include <algorithm>
#include <cmath>

namespace Content {

std::vector<std::int16_t> ToneSynth::Sine(float frequencyHz, std::uint32_t samplesPerSecond, std::uint32_t frames,
                                          std::uint32_t channels, float amplitude, std::uint32_t fadeFrames)
{
    constexpr double kTwoPi = 6.283185307179586;
    std::vector<std::int16_t> samples;
    samples.reserve(std::size_t(frames) * channels);
    const double step = kTwoPi * frequencyHz / std::max<std::uint32_t>(samplesPerSecond, 1);
    const double peak = std::clamp(static_cast<double>(amplitude), 0.0, 1.0) * 32767.0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        double envelope = 1.0;
        if (fadeFrames != 0) {
            envelope = std::min({1.0, double(i) / fadeFrames, double(frames - 1 - i) / fadeFrames});
        }
        const auto value = static_cast<std::int16_t>(std::lround(std::sin(step * i) * peak * envelope));
        for (std::uint32_t c = 0; c < channels; ++c) {
            samples.push_back(value);
        }
    }
    return samples;
}

std::vector<std::uint8_t> ToneSynth::ToBytes16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (std::int16_t sample : samples) {
        const auto value = static_cast<std::uint16_t>(sample);
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> ToneSynth::ToBytes8(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size());
    for (std::int16_t sample : samples) {
        bytes.push_back(static_cast<std::uint8_t>((sample >> 8) + 128));
    }
    return bytes;
}

} // namespace Content
