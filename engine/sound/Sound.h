// One playable instance of a sound file with its own loop flag, volume, tempo,
// 3D position and play state. Its samples live in a buffer borrowed from the
// buffer manager and given back by the destructor. No operation throws.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class MessageManager;
class SoundBuffer;
class SoundBufferManager;

class Sound
{
public:
    enum State : std::uint32_t
    {
        kPlaying = 0,
        kPaused = 1,
        kStopped = 2
    };

    Sound(MessageManager* log, SoundBufferManager* bufferManager, const std::string& fileName);
    // Acquires its own buffer of the same file and copies the settings.
    Sound(const Sound& other);
    virtual ~Sound();

    Sound& operator=(const Sound&) = delete;

    virtual void Update();
    // False only when the device refused to play.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void SetLoop(bool loop);
    virtual void SetVolume(float volume);
    virtual void SetTempo(float tempo);
    virtual void SetPosition(const Vector3& position);
    virtual State GetState() const = 0;

    bool GetLoop() const { return loop_; }
    float GetVolume() const { return volume_; }
    float GetTempo() const { return tempo_; }
    const Vector3& GetPosition() const { return position_; }
    const std::string& GetFileName() const { return fileName_; }
    SoundBuffer* GetBuffer() const { return buffer_; }

protected:
    MessageManager* log_;
    SoundBufferManager* bufferManager_;
    std::string fileName_;
    SoundBuffer* buffer_ = nullptr;
    bool loop_ = false;
    float volume_ = 1.0f;
    float tempo_ = 1.0f;
    Vector3 position_;
};

} // namespace OrrelayEngine
