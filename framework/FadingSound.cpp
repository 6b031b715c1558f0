#include "framework/FadingSound.h"

#include "engine/core/Engine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

namespace GameFramework {

FadingSound::FadingSound(OrrelayEngine::SoundManager* sounds, const std::string& soundName, bool loop,
                         std::uint32_t trackId)
    : sounds_(sounds), trackId_(trackId)
{
    if (sounds_ == nullptr)
        return;
    sound_ = sounds_->CreateSound(soundName);
    if (sound_ != nullptr) {
        sound_->SetLoop(loop);
        fadeVolume_ = sound_->GetVolume();
    }
}

FadingSound::FadingSound(OrrelayEngine::Engine* engine, const std::string& soundName, bool loop, std::uint32_t trackId)
    : FadingSound(engine->GetSoundManager(), soundName, loop, trackId)
{}

FadingSound::~FadingSound()
{
    if (sounds_ != nullptr && sound_ != nullptr)
        sounds_->DeleteSound(sound_);
}

void FadingSound::Play()
{
    fadeState_ = kFadeNone;
    if (sound_ != nullptr)
        sounds_->PlaySound(sound_, true);
}

void FadingSound::Pause()
{
    if (sound_ != nullptr)
        sounds_->PauseSound(sound_, true);
}

void FadingSound::Stop()
{
    if (sound_ != nullptr)
        sounds_->StopSound(sound_, true);
}

std::uint32_t FadingSound::GetState() const
{
    return sound_ != nullptr ? static_cast<std::uint32_t>(sound_->GetState()) : kStopped;
}

void FadingSound::StartFade(std::uint32_t state, float speedPerSecond)
{
    fadeState_ = state;
    fadeSpeed_ = speedPerSecond;
}

void FadingSound::SetVolume(float fadeVolume)
{
    fadeVolume_ = fadeVolume;
    ApplyVolume();
}

void FadingSound::SetMasterVolume(float volume)
{
    masterVolume_ = volume;
    ApplyVolume();
}

void FadingSound::ApplyVolume()
{
    if (sound_ != nullptr)
        sound_->SetVolume(fadeVolume_ * masterVolume_);
}

void FadingSound::Update(float frameSeconds)
{
    if (sound_ == nullptr)
        return;
    switch (fadeState_) {
    case kFadeIn:
        fadeVolume_ += fadeSpeed_ * frameSeconds;
        if (fadeVolume_ >= 1.0f) {
            fadeVolume_ = 1.0f;
            fadeState_ = kFadeNone;
        }
        break;
    case kFadeOut:
    case kFadeOutThenPause:
    case kFadeOutThenStop:
        fadeVolume_ -= fadeSpeed_ * frameSeconds;
        if (fadeVolume_ <= 0.0f) {
            // A plain fade-out leaves the track playing, silent.
            if (fadeState_ == kFadeOutThenStop)
                Stop();
            else if (fadeState_ == kFadeOutThenPause)
                Pause();
            fadeVolume_ = 0.0f;
            fadeState_ = kFadeNone;
        }
        break;
    default:
        break;
    }
    ApplyVolume();
}

} // namespace GameFramework
