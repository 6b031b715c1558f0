// The game's only way to sound: music tracks on numbered channels with fades
// in and out, sound effects by id from small pools of instances, and the two
// volumes (music and effects) held as saved configuration variables.
//
// Without a sound device (no sound manager) every operation does nothing,
// every state query answers stopped, and the volumes are still kept.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {
class Config;
class Engine;
class MessageManager;
class SoundManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameFramework {

class FadingSound;
struct SoundInstance;

class Mixer
{
public:
    // The same effect asked for again within this time is heard once.
    static constexpr double kMinRestartSeconds = 0.02;
    // The speed at which a track gives up its channel to another.
    static constexpr float kChannelSwitchFadeSpeedPerSecond = 1.0f;

    static constexpr char kMusicVolumeVariable[] = "g_music_volume";
    static constexpr char kSoundVolumeVariable[] = "g_sound_volume";

    // sounds may be null (no sound device); config may be null (volumes then
    // live only in the mixer).
    Mixer(OrrelayEngine::MessageManager* log, OrrelayEngine::Config* config, OrrelayEngine::SoundManager* sounds,
          OrrelayEngine::TimerManager* timers, float defaultMusicVolume, float defaultSoundVolume);
    Mixer(OrrelayEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume);
    virtual ~Mixer();

    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    void AddMusicTrack(std::uint32_t trackId, const std::string& soundName, bool loop);
    void AddSound(std::uint32_t soundId, const std::string& soundName, bool loop, std::uint32_t count);

    // A track id never registered is logged and ignored: the channel keeps what it had.
    void PlayMusic(std::uint32_t channel, std::uint32_t trackId, bool fade, float speedPerSecond);
    void PauseMusic(std::uint32_t channel, bool pause, bool fade, float speedPerSecond);
    void StopMusic(std::uint32_t channel, bool fade, float speedPerSecond);
    // Channels in ascending order.
    void PauseAllMusic(bool pause, bool fade, float speedPerSecond);
    void StopAllMusic(bool fade, float speedPerSecond);
    // 0 playing, 1 paused, 2 stopped (also for a channel without a track).
    std::uint32_t GetMusicState(std::uint32_t channel) const;

    // Effects start at the end of the frame, in the order asked.
    void PlaySound(std::uint32_t soundId);
    void StopSound(std::uint32_t soundId);
    std::uint32_t GetSoundState(std::uint32_t soundId) const;

    // Both clamp to 0.0..1.0. The sound volume reaches every sound of the sound
    // manager but the music tracks, GUI sounds included.
    void SetMusicVolume(float volume);
    void SetSoundVolume(float volume);
    float GetMusicVolume() const { return musicVolume_; }
    float GetSoundVolume() const { return soundVolume_; }
    void ApplySoundVolume();
    float GetDefaultMusicVolume() const;
    float GetDefaultSoundVolume() const;

    // Once per frame: fades advance by the frame time, and volumes changed
    // through the configuration take effect.
    void Update();
    // The same with a given frame time.
    void Advance(float frameSeconds);

    std::uint32_t GetTrackCount() const { return static_cast<std::uint32_t>(tracks_.size()); }
    // Null when no track of that id was registered.
    FadingSound* FindTrack(std::uint32_t trackId) const;
    // Null when the channel has no track.
    FadingSound* GetChannelTrack(std::uint32_t channel) const;
    const std::vector<std::unique_ptr<SoundInstance>>& GetSoundInstances() const { return instances_; }

private:
    void StartTrack(FadingSound& track, bool fade, float speedPerSecond);
    bool IsTrackSound(const void* sound) const;
    double Now() const;

    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::Config* config_;
    OrrelayEngine::SoundManager* sounds_;
    OrrelayEngine::TimerManager* timers_;
    std::vector<std::unique_ptr<SoundInstance>> instances_;
    std::vector<std::unique_ptr<FadingSound>> tracks_;
    float musicVolume_;
    float soundVolume_;
    float defaultMusicVolume_;
    float defaultSoundVolume_;
    // Tracks borrowed from tracks_.
    std::map<std::uint32_t, FadingSound*> channels_;
};

} // namespace GameFramework
