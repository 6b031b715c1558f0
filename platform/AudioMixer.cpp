#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>

#include "platform/AudioBuffer.h"

namespace Platform {

std::int32_t CentibelsToGainQ15(std::int32_t centibels)
{
    if (centibels <= kAudioVolumeSilentCentibels) {
        return 0;
    }
    if (centibels >= 0) {
        return 32768;
    }
    const double gain = std::pow(10.0, static_cast<double>(centibels) / 2000.0);
    return static_cast<std::int32_t>(std::lround(gain * 32768.0));
}

AudioMixer::AudioMixer(std::uint32_t outputRate, std::uint32_t outputChannels)
    : outputRate_(outputRate == 0 ? 22050 : outputRate), outputChannels_(outputChannels == 1 ? 1 : 2)
{
    voices_.reserve(64);
}

void AudioMixer::SetOutputRate(std::uint32_t outputRate)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (outputRate != 0) {
        outputRate_ = outputRate;
    }
}

void AudioMixer::Mix(std::int16_t* out, std::uint32_t frames)
{
    std::lock_guard<std::mutex> lock(mutex_);
    while (frames > 0) {
        const std::uint32_t count = std::min(frames, kMixBlockFrames);
        const std::uint32_t samples = count * outputChannels_;
        std::fill(accumulator_.begin(), accumulator_.begin() + samples, 0);
        for (AudioBuffer* voice : voices_) {
            voice->MixInto(accumulator_.data(), count, *this);
        }
        for (std::uint32_t i = 0; i < samples; ++i) {
            out[i] = static_cast<std::int16_t>(std::clamp(accumulator_[i], -32768, 32767));
        }
        out += samples;
        frames -= count;
    }
}

void AudioMixer::AddVoice(AudioBuffer* voice)
{
    voices_.push_back(voice);
}

void AudioMixer::RemoveVoice(AudioBuffer* voice)
{
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void AudioMixer::SetListener(const ListenerState& state, bool deferred)
{
    pendingListener_ = state;
    if (!deferred) {
        activeListener_ = state;
    }
}

void AudioMixer::CommitDeferredSettings()
{
    activeListener_ = pendingListener_;
    for (AudioBuffer* voice : voices_) {
        voice->CommitDeferred();
    }
}

void AudioMixer::SetMasterVolume(std::int32_t centibels)
{
    masterVolumeCentibels_ = centibels;
    masterGainQ15_ = CentibelsToGainQ15(centibels);
}

void AudioMixer::MarkAllBuffersLost()
{
    primaryLost_ = true;
    for (AudioBuffer* voice : voices_) {
        voice->MarkLost();
    }
}

} // namespace Platform
