// A sound buffer over a platform audio buffer. A static buffer is one device
// buffer holding the whole file, duplicated for every further sound of the
// file; a streamed buffer owns a 1 MiB ring that plays looping while the
// chunks behind the play cursor are refilled. The refill follows the mixer's
// own play cursor, so data not yet played is never overwritten and old data
// is never played again.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/Vector3.h"
#include "engine/sound/SoundBuffer.h"

namespace Platform {
class AudioBuffer;
class AudioDevice;
} // namespace Platform

namespace OrrelayEngine {

class SoundSystem_DS7;
class TimerManager;

class SoundBuffer_DS7 : public SoundBuffer
{
public:
    SoundBuffer_DS7(MessageManager* log, FileManager* files, TimerManager* timers, SoundSystem_DS7* system,
                    const std::string& fileName);
    ~SoundBuffer_DS7() override;

    // A failed platform call is logged; only that case returns false.
    bool Play(bool loop);
    void Pause();
    // Stops and rewinds.
    void Stop();
    bool IsPlaying() const;
    bool IsLost() const;
    bool Restore();
    void SetVolume(float volume);
    void SetTempo(float tempo);
    void SetPosition(const Vector3& position);

    bool HasDeviceBuffer() const { return buffer_ != nullptr; }
    bool Has3DBuffer() const { return buffer3D_ != nullptr; }
    Platform::AudioBuffer* GetDeviceBuffer() const { return buffer_.get(); }
    std::uint64_t GetTotalPlayed() const { return totalPlayed_; }

    // Hundredths of a decibel for a volume from 0 to 1; louder than 1 is full volume.
    static std::int32_t VolumeToAttenuation(float volume);

protected:
    void CreateDeviceBuffer(const SoundBuffer* source) override;
    void ReleaseDeviceBuffer() override;
    bool WriteChunk(std::uint32_t chunk, const std::uint8_t* data, std::uint32_t bytes) override;
    void QueueChunk(std::uint32_t chunk) override;
    void UnqueueProcessedBuffers(std::vector<std::uint32_t>* chunks) override;

private:
    [[maybe_unused]] TimerManager* timers_;
    SoundSystem_DS7* system_;
    Platform::AudioDevice* device_;
    std::unique_ptr<Platform::AudioBuffer> buffer_;
    // The same platform buffer seen through its 3D controls; null unless 3D.
    Platform::AudioBuffer* buffer3D_ = nullptr;
    std::uint32_t lastRingPosition_ = 0;
    std::uint64_t totalPlayed_ = 0;
    bool stoppedAtEnd_ = false;
    float volume_ = 1.0f;
};

} // namespace OrrelayEngine
