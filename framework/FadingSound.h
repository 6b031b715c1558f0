// One music track: a looping or one-shot sound whose own level can fade in or
// out over time, under the mixer's music volume. Without a sound device it
// holds no sound, keeps its numbers and reports itself stopped.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {
class Engine;
class Sound;
class SoundManager;
} // namespace OrrelayEngine

namespace GameFramework {

class FadingSound
{
public:
    enum FadeState : std::uint32_t
    {
        kFadeNone = 0,
        kFadeIn = 1,
        kFadeOut = 2,
        kFadeOutThenPause = 3,
        kFadeOutThenStop = 4
    };

    enum PlayState : std::uint32_t
    {
        kPlaying = 0,
        kPaused = 1,
        kStopped = 2
    };

    FadingSound(OrrelayEngine::SoundManager* sounds, const std::string& soundName, bool loop, std::uint32_t trackId);
    FadingSound(OrrelayEngine::Engine* engine, const std::string& soundName, bool loop, std::uint32_t trackId);
    virtual ~FadingSound();

    FadingSound(const FadingSound&) = delete;
    FadingSound& operator=(const FadingSound&) = delete;

    // These three act at once, not at the end of the frame.
    void Play();
    void Pause();
    void Stop();
    std::uint32_t GetState() const;

    void StartFade(std::uint32_t state, float speedPerSecond);
    void SetVolume(float fadeVolume);
    void SetMasterVolume(float volume);
    // The fade step of one frame.
    void Update(float frameSeconds);

    std::uint32_t GetTrackId() const { return trackId_; }
    std::uint32_t GetFadeState() const { return fadeState_; }
    float GetFadeVolume() const { return fadeVolume_; }
    float GetMasterVolume() const { return masterVolume_; }
    float GetFadeSpeed() const { return fadeSpeed_; }
    OrrelayEngine::Sound* GetSound() const { return sound_; }

private:
    void ApplyVolume();

    OrrelayEngine::SoundManager* sounds_;
    // Owned through the sound manager, which deletes it.
    OrrelayEngine::Sound* sound_ = nullptr;
    std::uint32_t trackId_;
    float fadeVolume_ = 1.0f;
    float masterVolume_ = 1.0f;
    std::uint32_t fadeState_ = kFadeNone;
    float fadeSpeed_ = 0.0f;
};

} // namespace GameFramework
