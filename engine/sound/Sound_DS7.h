// A sound over a platform buffer (SoundBuffer_DS7): play, pause and stop, and
// the per-frame upkeep that restores lost buffers and marks finished sounds
// stopped.
#pragma once

#include "engine/sound/Sound.h"

namespace OrrelayEngine {

class SoundBuffer_DS7;
class SoundSystem_DS7;

class Sound_DS7 : public Sound
{
public:
    Sound_DS7(MessageManager* log, SoundSystem_DS7* system, SoundBufferManager* bufferManager,
              const std::string& fileName);
    Sound_DS7(const Sound_DS7& other);
    ~Sound_DS7() override;

    void Update() override;
    bool Play() override;
    void Pause() override;
    void Stop() override;
    void SetLoop(bool loop) override;
    void SetVolume(float volume) override;
    void SetTempo(float tempo) override;
    void SetPosition(const Vector3& position) override;
    State GetState() const override { return state_; }

private:
    SoundSystem_DS7* system_;
    SoundBuffer_DS7* bufferDS7_;
    State state_ = kStopped;
};

} // namespace OrrelayEngine
