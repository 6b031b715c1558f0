// Plain descriptions shared by the audio services: a PCM format, the
// description of a buffer to create, status bits and a 3D vector.
#pragma once

#include <cstdint>

namespace Platform {

constexpr std::uint32_t kAudioMinFrequencyHz = 100;
constexpr std::uint32_t kAudioMaxFrequencyHz = 100000;

// Only linear PCM exists here: 8-bit unsigned or 16-bit signed little-endian,
// one or two interleaved channels.
struct AudioFormat
{
    std::uint32_t channels = 2;
    std::uint32_t samplesPerSecond = 22050;
    std::uint32_t bitsPerSample = 16;

    std::uint32_t BlockAlign() const { return channels * bitsPerSample / 8; }
    bool IsValid() const
    {
        return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
               samplesPerSecond >= kAudioMinFrequencyHz && samplesPerSecond <= kAudioMaxFrequencyHz;
    }
};

// Buffer capability bits, numbered as the engine's buffer descriptions use them.
constexpr std::uint32_t kAudioBufferPrimary = 0x01;
constexpr std::uint32_t kAudioBufferStatic = 0x02;
constexpr std::uint32_t kAudioBufferCtrl3D = 0x10;
constexpr std::uint32_t kAudioBufferCtrlFrequency = 0x20;
constexpr std::uint32_t kAudioBufferCtrlVolume = 0x80;

// Status bits of a buffer.
constexpr std::uint32_t kAudioStatusPlaying = 0x1;
constexpr std::uint32_t kAudioStatusLost = 0x2;
constexpr std::uint32_t kAudioStatusLooping = 0x4;

// Buffer sizes a secondary buffer may have, in bytes.
constexpr std::uint32_t kAudioMinBufferBytes = 4;
constexpr std::uint32_t kAudioMaxBufferBytes = 0x0FFFFFFF;

// Volumes in hundredths of a decibel.
constexpr std::int32_t kAudioVolumeSilentCentibels = -10000;
constexpr std::int32_t kAudioVolumeFullCentibels = 0;

struct AudioBufferDescription
{
    std::uint32_t flags = 0;
    std::uint32_t bytes = 0;
    AudioFormat format;
};

struct AudioVector
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

} // namespace Platform
