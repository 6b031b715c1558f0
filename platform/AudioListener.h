// The 3D listener: where the player hears from. Settings made with deferred
// set wait for CommitDeferredSettings, which also applies every buffer's
// deferred 3D settings, so a frame's changes are heard together.
// Orientation is left-handed: with front +z and top +y, +x is to the right.
#pragma once

#include <memory>

#include "platform/AudioFormat.h"
#include "platform/AudioResult.h"

namespace Platform {

class AudioMixer;

class AudioListener
{
public:
    explicit AudioListener(std::shared_ptr<AudioMixer> mixer);

    AudioResult SetPosition(const AudioVector& position, bool deferred);
    AudioResult SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred);
    AudioResult GetPosition(AudioVector& position) const;
    AudioResult CommitDeferredSettings();

private:
    std::shared_ptr<AudioMixer> mixer_;
};

} // namespace Platform
