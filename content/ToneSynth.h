// A small synthesiser of test tones and simple effects: sine tones with a
// linear fade in and out, and the conversions to the byte layouts of 8-bit
// unsigned and 16-bit little-endian PCM.
#pragma once

#include <cstdint>
#include <vector>

namespace Content {

class ToneSynth
{
public:
    // Interleaved samples; every channel carries the same tone. amplitude 0..1;
    // fadeFrames at each end rise from and fall to silence.
    static std::vector<std::int16_t> Sine(float frequencyHz, std::uint32_t samplesPerSecond, std::uint32_t frames,
                                          std::uint32_t channels, float amplitude, std::uint32_t fadeFrames = 0);
    static std::vector<std::uint8_t> ToBytes16(const std::vector<std::int16_t>& samples);
    // The top 8 bits, offset to unsigned (0 becomes 128).
    static std::vector<std::uint8_t> ToBytes8(const std::vector<std::int16_t>& samples);
};

} // namespace Content
