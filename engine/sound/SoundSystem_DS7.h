// The sound system over the platform's audio device: opens the device, sets
// the cooperative level, makes the primary buffer with its format and, when 3D
// is wanted, takes the listener from it. Every step is logged; a failed step
// releases what was made and throws Error, and the engine runs silent. After
// start-up no sound call throws: failures are logged through CheckResult.
#pragma once

#include <memory>
#include <string>

#include "engine/sound/SoundSystem.h"
#include "platform/AudioResult.h"

namespace Platform {
class AudioDevice;
class AudioListener;
class AudioPrimaryBuffer;
} // namespace Platform

namespace OrrelayEngine {

class TimerManager;
class Window;

class SoundSystem_DS7 : public SoundSystem
{
public:
    SoundSystem_DS7(MessageManager* log, FileManager* files, TimerManager* timers, Config* config, Window* window,
                    bool use3D);
    ~SoundSystem_DS7() override;

    void Refresh() override;
    std::unique_ptr<Sound> CreateSound(const std::string& fileName) override;
    std::unique_ptr<Sound> CloneSound(const Sound& sound) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& fileName) override;
    std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;

    // Logs a failed result as "DirectSound Subsystem (operation): text"; success
    // logs nothing and, being on every frame's path, builds no string.
    void CheckResult(const char* operation, Platform::AudioResult result);
    static std::string GetResultText(Platform::AudioResult result);

    Platform::AudioDevice* GetDevice() const { return device_.get(); }
    bool HasListener() const { return listener_ != nullptr; }
    TimerManager* GetTimerManager() const { return timers_; }

private:
    void Destroy();

    TimerManager* timers_;
    [[maybe_unused]] Window* window_;
    std::unique_ptr<Platform::AudioDevice> device_;
    std::unique_ptr<Platform::AudioPrimaryBuffer> primary_;
    std::unique_ptr<Platform::AudioListener> listener_;
};

} // namespace OrrelayEngine
