// The software mixer behind the audio device: it sums every playing secondary
// buffer into the device's output, resampling each voice linearly to the
// output rate, applying volume, 3D distance attenuation and pan, accumulating
// in 32 bits and saturating to 16. The SDL callback only pulls from Mix; tests
// call Mix themselves and inspect exactly what a player would hear.
//
// One mutex guards the mixer and every buffer's state, because the callback
// runs on SDL's audio thread while the game drives the buffers. Mix allocates
// nothing.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/AudioFormat.h"

namespace Platform {

class AudioBuffer;

class AudioMixer
{
public:
    struct ListenerState
    {
        AudioVector position;
        AudioVector front{0.0f, 0.0f, 1.0f};
        AudioVector top{0.0f, 1.0f, 0.0f};
    };

    // Output channels are 1 or 2; samples are 16-bit signed, interleaved.
    AudioMixer(std::uint32_t outputRate, std::uint32_t outputChannels);

    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    void Mix(std::int16_t* out, std::uint32_t frames);

    // Only before the output starts pulling.
    void SetOutputRate(std::uint32_t outputRate);
    std::uint32_t GetOutputRate() const { return outputRate_; }
    std::uint32_t GetOutputChannels() const { return outputChannels_; }

    // Everything below expects the caller to hold GetMutex().
    std::mutex& GetMutex() { return mutex_; }
    void AddVoice(AudioBuffer* voice);
    void RemoveVoice(AudioBuffer* voice);
    void SetListener(const ListenerState& state, bool deferred);
    const ListenerState& GetPendingListener() const { return pendingListener_; }
    const ListenerState& GetActiveListener() const { return activeListener_; }
    // Applies the deferred listener and the deferred 3D settings of every buffer at once.
    void CommitDeferredSettings();
    void SetMasterVolume(std::int32_t centibels);
    std::int32_t GetMasterVolume() const { return masterVolumeCentibels_; }
    std::int32_t GetMasterGainQ15() const { return masterGainQ15_; }
    void SetPrimaryLost(bool lost) { primaryLost_ = lost; }
    bool IsPrimaryLost() const { return primaryLost_; }
    void MarkAllBuffersLost();

private:
    // Frames mixed per pass through the voices; the accumulator lives in the mixer
    // so that Mix allocates nothing whatever count the caller asks for.
    static constexpr std::uint32_t kMixBlockFrames = 512;

    std::mutex mutex_;
    std::uint32_t outputRate_;
    std::uint32_t outputChannels_;
    std::vector<AudioBuffer*> voices_;
    ListenerState pendingListener_;
    ListenerState activeListener_;
    std::int32_t masterVolumeCentibels_ = kAudioVolumeFullCentibels;
    std::int32_t masterGainQ15_ = 32768;
    bool primaryLost_ = false;
    std::array<std::int32_t, kMixBlockFrames * 2> accumulator_{};
};

// Unity gain is 32768; -10000 and below is exactly silent.
std::int32_t CentibelsToGainQ15(std::int32_t centibels);

} // namespace Platform
