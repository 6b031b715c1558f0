// The primary buffer: the device's own output. Its format can be set (the
// mixer goes on mixing at the rate the device granted, as a sound card would
// convert), its volume is the master volume, and the 3D listener is obtained
// from it when it was created with 3D control.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/AudioFormat.h"
#include "platform/AudioResult.h"

namespace Platform {

class AudioListener;
class AudioMixer;

class AudioPrimaryBuffer
{
public:
    AudioPrimaryBuffer(std::shared_ptr<AudioMixer> mixer, std::uint32_t flags, const AudioFormat& format);

    AudioResult SetFormat(const AudioFormat& format);
    AudioFormat GetFormat() const { return format_; }
    AudioResult SetVolume(std::int32_t centibels);
    AudioResult GetVolume(std::int32_t& centibels) const;
    // Playing is always reported: the device mixes whether or not the game asked.
    AudioResult GetStatus(std::uint32_t& status) const;
    AudioResult Restore();
    AudioResult QueryListener(std::unique_ptr<AudioListener>& listener);

private:
    std::shared_ptr<AudioMixer> mixer_;
    std::uint32_t flags_;
    AudioFormat format_;
};

} // namespace Platform
