// A secondary sound buffer: PCM samples the mixer plays, with lock and unlock,
// play (looping or not), stop without rewinding, play and write cursors,
// volume, frequency, status and, for mono buffers made with 3D control, a 3D
// position applied at once or when the deferred settings are committed.
//
// Duplicates share the sample data with their original and keep it alive
// after the original is gone; each has its own cursor, volume and frequency.
// A buffer may outlive its device: it then holds the mixer alone and is never
// heard.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/AudioFormat.h"
#include "platform/AudioResult.h"

namespace Platform {

class AudioMixer;

class AudioBuffer
{
public:
    ~AudioBuffer();

    AudioBuffer(const AudioBuffer&) = delete;
    AudioBuffer& operator=(const AudioBuffer&) = delete;

    AudioFormat GetFormat() const { return format_; }
    std::uint32_t GetSize() const;
    std::uint32_t GetFlags() const { return flags_; }

    // Gives the bytes from offset on, wrapping at the end of the buffer into a
    // second region (null with size 0 when there is no wrap). The regions are a
    // copy that Unlock writes back, so the mixer never reads half-written data.
    AudioResult Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes, void** second,
                     std::uint32_t* secondBytes);
    AudioResult Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes);

    AudioResult Play(bool looping);
    // Stops where the cursor is; Play goes on from there.
    AudioResult Stop();
    AudioResult GetStatus(std::uint32_t& status) const;
    AudioResult GetCurrentPosition(std::uint32_t* playCursor, std::uint32_t* writeCursor) const;
    AudioResult SetCurrentPosition(std::uint32_t byteOffset);
    AudioResult SetVolume(std::int32_t centibels);
    AudioResult GetVolume(std::int32_t& centibels) const;
    // 0 returns to the format's own rate.
    AudioResult SetFrequency(std::uint32_t hertz);
    AudioResult GetFrequency(std::uint32_t& hertz) const;
    AudioResult Restore();

    bool Has3D() const { return (flags_ & kAudioBufferCtrl3D) != 0; }
    AudioResult Set3DPosition(const AudioVector& position, bool deferred);
    AudioResult Get3DPosition(AudioVector& position) const;

private:
    friend class AudioDevice;
    friend class AudioMixer;

    using SampleData = std::vector<std::uint8_t>;

    AudioBuffer(std::shared_ptr<AudioMixer> mixer, std::uint32_t flags, const AudioFormat& format,
                std::shared_ptr<SampleData> data);

    // Called by the mixer with its mutex held.
    void MixInto(std::int32_t* accumulator, std::uint32_t frames, const AudioMixer& mixer);
    void CommitDeferred();
    void MarkLost();
    void ComputeGains(const AudioMixer& mixer, std::int32_t& left, std::int32_t& right) const;

    std::shared_ptr<AudioMixer> mixer_;
    std::uint32_t flags_;
    AudioFormat format_;
    std::shared_ptr<SampleData> data_;
    std::uint64_t frameCount_;

    // Position in frames, 32.32 fixed point, so that any rate ratio advances exactly.
    std::uint64_t position_ = 0;
    bool playing_ = false;
    bool looping_ = false;
    bool lost_ = false;
    std::int32_t volumeCentibels_ = kAudioVolumeFullCentibels;
    std::int32_t volumeGainQ15_ = 32768;
    std::uint32_t frequency_;
    AudioVector pendingPosition_;
    AudioVector activePosition_;

    bool locked_ = false;
    std::uint32_t lockOffset_ = 0;
    std::uint32_t lockFirstBytes_ = 0;
    std::uint32_t lockSecondBytes_ = 0;
    SampleData staging_;
};

} // namespace Platform
