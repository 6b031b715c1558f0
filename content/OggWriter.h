// Encodes 16-bit PCM as an Ogg Vorbis file with libvorbisenc (variable bit
// rate at a given quality), for the game's music and for test fixtures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class OggWriter
{
public:
    // quality from -0.1 (smallest) to 1.0 (best). samples are interleaved.
    // Throws OrrelayEngine::Error when the encoder refuses the format.
    static std::vector<std::uint8_t> Encode(const std::vector<std::int16_t>& samples, std::uint32_t channels,
                                            std::uint32_t samplesPerSecond, float quality = 0.1f);
    static void Write(const std::string& path, const std::vector<std::int16_t>& samples, std::uint32_t channels,
                      std::uint32_t samplesPerSecond, float quality = 0.1f);
};

} // namespace Content
