// The audio device: opens the output through SDL audio (22050 Hz, 16-bit
// stereo asked for, whatever SDL grants used), owns the software mixer that
// the SDL callback pulls from, and creates the primary buffer, secondary
// buffers and their duplicates.
//
// Tests may ask for manual output (no SDL device; nothing plays until Mix is
// called) and may make one step fail, so that every failure path above this
// layer can be reached on any machine.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/AudioFormat.h"
#include "platform/AudioResult.h"

namespace Platform {

class AudioBuffer;
class AudioMixer;
class AudioPrimaryBuffer;

enum class AudioOutput
{
    Sdl,
    Manual
};

enum class AudioFailure
{
    kNone,
    kOpen,
    kCooperativeLevel,
    kPrimaryBuffer,
    kPrimaryFormat,
    kListener,
    kSecondaryBuffer
};

// Cooperative levels, numbered as the engine passes them.
constexpr std::uint32_t kAudioLevelNormal = 1;
constexpr std::uint32_t kAudioLevelPriority = 2;
constexpr std::uint32_t kAudioLevelExclusive = 3;
constexpr std::uint32_t kAudioLevelWritePrimary = 4;

class AudioDevice
{
public:
    static AudioResult Open(std::unique_ptr<AudioDevice>& device);

    static void SetOutputForTests(AudioOutput output);
    static void SetFailureForTests(AudioFailure failure);
    static AudioFailure GetFailureForTests();

    ~AudioDevice();

    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // The window does not matter here; the level is checked and kept.
    AudioResult SetCooperativeLevel(std::uint32_t level);
    AudioResult CreatePrimaryBuffer(std::uint32_t flags, std::unique_ptr<AudioPrimaryBuffer>& buffer);
    // The new buffer holds silence of its format.
    AudioResult CreateBuffer(const AudioBufferDescription& description, std::unique_ptr<AudioBuffer>& buffer);
    AudioResult DuplicateBuffer(const AudioBuffer& source, std::unique_ptr<AudioBuffer>& buffer);

    // Mixes the next frames of output into memory (16-bit, output channels interleaved).
    void Mix(std::int16_t* out, std::uint32_t frames);
    AudioFormat GetOutputFormat() const;
    bool IsManual() const { return sdlDevice_ == 0; }

    // What a lost device would do: every buffer, the primary one included, reports
    // itself lost and stops until restored.
    void SimulateLoss();

private:
    AudioDevice(std::shared_ptr<AudioMixer> mixer, std::uint32_t sdlDevice);

    std::shared_ptr<AudioMixer> mixer_;
    std::uint32_t sdlDevice_;
    std::uint32_t cooperativeLevel_ = 0;
};

} // namespace Platform
