// The engine's audio device layer: the 3D listener's state and the factories
// for sounds and sound buffers. SoundSystem_DS7 is the implementation over the
// platform's audio device.
#pragma once

#include <memory>
#include <string>

#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class Config;
class FileManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

class SoundSystem
{
public:
    SoundSystem(MessageManager* log, FileManager* files, Config* config, bool use3D);
    virtual ~SoundSystem();

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Once per frame.
    virtual void Refresh();
    virtual std::unique_ptr<Sound> CreateSound(const std::string& fileName) = 0;
    virtual std::unique_ptr<Sound> CloneSound(const Sound& sound) = 0;
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& fileName) = 0;
    virtual std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // Back to the origin, looking along -z with +y up.
    virtual void ResetListener();

    void SetBufferManager(SoundBufferManager* bufferManager) { bufferManager_ = bufferManager; }
    SoundBufferManager* GetBufferManager() const { return bufferManager_; }
    bool Is3D() const { return use3D_; }
    const Vector3& GetListenerPosition() const { return listenerPosition_; }
    const Vector3& GetListenerFront() const { return listenerFront_; }
    const Vector3& GetListenerTop() const { return listenerTop_; }

protected:
    MessageManager* log_;
    FileManager* files_;
    [[maybe_unused]] Config* config_;
    SoundBufferManager* bufferManager_ = nullptr;
    Vector3 listenerPosition_;
    Vector3 listenerFront_;
    Vector3 listenerTop_;
    bool use3D_;
};

} // namespace OrrelayEngine
