#include "platform/AudioListener.h"

#include <cmath>

#include "platform/AudioMixer.h"

namespace Platform {

AudioListener::AudioListener(std::shared_ptr<AudioMixer> mixer) : mixer_(std::move(mixer))
{}

AudioResult AudioListener::SetPosition(const AudioVector& position, bool deferred)
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    AudioMixer::ListenerState state = mixer_->GetPendingListener();
    state.position = position;
    mixer_->SetListener(state, deferred);
    return kAudioOk;
}

AudioResult AudioListener::SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred)
{
    const auto isZero = [](const AudioVector& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; };
    if (isZero(front) || isZero(top)) {
        return kAudioErrInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    AudioMixer::ListenerState state = mixer_->GetPendingListener();
    state.front = front;
    state.top = top;
    mixer_->SetListener(state, deferred);
    return kAudioOk;
}

AudioResult AudioListener::GetPosition(AudioVector& position) const
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    position = mixer_->GetActiveListener().position;
    return kAudioOk;
}

AudioResult AudioListener::CommitDeferredSettings()
{
    std::lock_guard<std::mutex> lock(mixer_->GetMutex());
    mixer_->CommitDeferredSettings();
    return kAudioOk;
}

} // namespace Platform
