#include "platform/AudioPrimaryBuffer.h"

#include "platform/AudioDevice.h"
#include "platform/AudioListener.h"
#include "platform/AudioMixer.h"

namespace Platform {

AudioPrimaryBuffer::AudioPrimaryBuffer(std::shared_ptr<AudioMixer> mixer, std::uint32_t flags,
                                       const AudioFormat& format)
    : mixer_(std::move(mixer)), flags_(flags), format_(format)
{}

AudioResult AudioPrimaryBuffer::SetFormat(const AudioFormat& format)
{
    if (AudioDevice::GetFailureForTests() == AudioFailure::kPrimaryFormat) {
        return kAudioErrBadFormat;
    }
    if (!format.IsValid()) {
        return kAudioErrBadFormat;
    }
    format_ = format;
    return kAudioOk;
}

AudioResult AudioPrimaryBuffer::SetVolume(std::int32_t centibels)
{
    if ((flags_ & kAudioBufferCtrlVolume) == 0) {
        return kAudioErrControlUnavailable;
    }
    if (centibels < kAudioVolumeSilentCentibels || centibels > kAudioVolumeFullCentibels) {
        return kAudioErrInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->SetMasterVolume(centibels);
    return kAudioOk;
}

AudioResult AudioPrimaryBuffer::GetVolume(std::int32_t& centibels) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    centibels = mixer_->GetMasterVolume();
    return kAudioOk;
}

AudioResult AudioPrimaryBuffer::GetStatus(std::uint32_t& status) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    status = kAudioStatusPlaying | kAudioStatusLooping;
    if (mixer_->IsPrimaryLost()) {
        status = kAudioStatusLost;
    }
    return kAudioOk;
}

AudioResult AudioPrimaryBuffer::Restore()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->SetPrimaryLost(false);
    return kAudioOk;
}

AudioResult AudioPrimaryBuffer::QueryListener(std::unique_ptr<AudioListener>& listener)
{
    listener.reset();
    if ((flags_ & kAudioBufferCtrl3D) == 0 || AudioDevice::GetFailureForTests() == AudioFailure::kListener) {
        return kAudioErrNoInterface;
    }
    listener = std::make_unique<AudioListener>(mixer_);
    return kAudioOk;
}

} // namespace Platform
