#include "framework/Mixer.h"

#include <cmath>
#include <limits>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/FadingSound.h"
#include "framework/SoundInstance.h"

namespace GameFramework {

namespace {

constexpr std::uint32_t kDefaultTextDecimals = 6;

// NaN and negatives become silence.
float ClampVolume(float volume)
{
    if (!(volume >= 0.0f))
        return 0.0f;
    return volume > 1.0f ? 1.0f : volume;
}

} // namespace

Mixer::Mixer(OrrelayEngine::MessageManager* log, OrrelayEngine::Config* config, OrrelayEngine::SoundManager* sounds,
             OrrelayEngine::TimerManager* timers, float defaultMusicVolume, float defaultSoundVolume)
    : log_(log), config_(config), sounds_(sounds), timers_(timers), musicVolume_(defaultMusicVolume),
      soundVolume_(defaultSoundVolume), defaultMusicVolume_(defaultMusicVolume), defaultSoundVolume_(defaultSoundVolume)
{
    if (config_ != nullptr) {
        // A value already read from the .ini file takes over at registration.
        config_->AddVariable(kMusicVolumeVariable, OrrelayEngine::kConfigFloat, false, true, &musicVolume_,
                             OrrelayEngine::FloatToString(defaultMusicVolume, kDefaultTextDecimals), false);
        config_->AddVariable(kSoundVolumeVariable, OrrelayEngine::kConfigFloat, false, true, &soundVolume_,
                             OrrelayEngine::FloatToString(defaultSoundVolume, kDefaultTextDecimals), false);
    }
    SetMusicVolume(musicVolume_);
    SetSoundVolume(soundVolume_);
}

Mixer::Mixer(OrrelayEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume)
    : Mixer(engine->GetMessageManager(), engine->GetConfig(), engine->GetSoundManager(), engine->GetTimerManager(),
            defaultMusicVolume, defaultSoundVolume)
{}

Mixer::~Mixer()
{
    for (const std::unique_ptr<SoundInstance>& instance : instances_) {
        if (sounds_ != nullptr && instance->sound != nullptr)
            sounds_->DeleteSound(instance->sound);
    }
    instances_.clear();
    channels_.clear();
    tracks_.clear();
    // The configuration is saved after the mixer is gone; released variables
    // keep their last values for it.
    if (config_ != nullptr) {
        config_->SetReadOnly(kMusicVolumeVariable);
        config_->SetReadOnly(kSoundVolumeVariable);
    }
}

double Mixer::Now() const
{
    return timers_->GetFrameTimer()->GetTimePrecise();
}

void Mixer::AddMusicTrack(std::uint32_t trackId, const std::string& soundName, bool loop)
{
    auto track = std::make_unique<FadingSound>(sounds_, soundName, loop, trackId);
    track->SetMasterVolume(musicVolume_);
    tracks_.push_back(std::move(track));
}

void Mixer::AddSound(std::uint32_t soundId, const std::string& soundName, bool loop, std::uint32_t count)
{
    if (sounds_ == nullptr)
        return;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto instance = std::make_unique<SoundInstance>();
        instance->soundId = soundId;
        instance->soundName = soundName;
        instance->loop = loop ? 1 : 0;
        instance->sound = sounds_->CreateSound(soundName);
        if (instance->sound != nullptr) {
            instance->sound->SetLoop(loop);
            instance->sound->SetVolume(soundVolume_);
        }
        instances_.push_back(std::move(instance));
    }
}

FadingSound* Mixer::FindTrack(std::uint32_t trackId) const
{
    for (const std::unique_ptr<FadingSound>& track : tracks_) {
        if (track->GetTrackId() == trackId)
            return track.get();
    }
    return nullptr;
}

FadingSound* Mixer::GetChannelTrack(std::uint32_t channel) const
{
    const auto found = channels_.find(channel);
    return found == channels_.end() ? nullptr : found->second;
}

void Mixer::StartTrack(FadingSound& track, bool fade, float speedPerSecond)
{
    if (fade) {
        track.SetVolume(0.0f);
        track.Play();
        track.StartFade(FadingSound::kFadeIn, speedPerSecond);
    } else {
        track.SetVolume(1.0f);
        track.Play();
    }
}

void Mixer::PlayMusic(std::uint32_t channel, std::uint32_t trackId, bool fade, float speedPerSecond)
{
    if (sounds_ == nullptr)
        return;
    FadingSound* requested = FindTrack(trackId);
    if (requested == nullptr) {
        log_->LogWarning("Mixer: no music track " + OrrelayEngine::UIntToString(trackId));
        return;
    }

    FadingSound*& current = channels_[channel];
    if (current != nullptr && current != requested) {
        current->StartFade(FadingSound::kFadeOutThenStop, kChannelSwitchFadeSpeedPerSecond);
        current = requested;
    } else if (current == requested && requested->GetState() == FadingSound::kPlaying) {
        return;
    }
    current = requested;
    StartTrack(*requested, fade, speedPerSecond);
}

void Mixer::PauseMusic(std::uint32_t channel, bool pause, bool fade, float speedPerSecond)
{
    if (sounds_ == nullptr)
        return;
    FadingSound* track = GetChannelTrack(channel);
    if (track == nullptr)
        return;
    const std::uint32_t state = track->GetState();
    if (!pause) {
        if (state == FadingSound::kPaused)
            StartTrack(*track, fade, speedPerSecond);
        return;
    }
    if (state != FadingSound::kPlaying)
        return;
    const bool stopping = track->GetFadeState() == FadingSound::kFadeOutThenStop;
    if (fade) {
        if (!stopping)
            track->StartFade(FadingSound::kFadeOutThenPause, speedPerSecond);
    } else if (stopping) {
        track->Stop();
    } else {
        track->Pause();
    }
}

void Mixer::StopMusic(std::uint32_t channel, bool fade, float speedPerSecond)
{
    if (sounds_ == nullptr)
        return;
    FadingSound* track = GetChannelTrack(channel);
    if (track == nullptr)
        return;
    const std::uint32_t state = track->GetState();
    if (state == FadingSound::kStopped)
        return;
    if (state == FadingSound::kPaused || !fade)
        track->Stop();
    else
        track->StartFade(FadingSound::kFadeOutThenStop, speedPerSecond);
}

void Mixer::PauseAllMusic(bool pause, bool fade, float speedPerSecond)
{
    for (const auto& channel : channels_)
        PauseMusic(channel.first, pause, fade, speedPerSecond);
}

void Mixer::StopAllMusic(bool fade, float speedPerSecond)
{
    for (const auto& channel : channels_)
        StopMusic(channel.first, fade, speedPerSecond);
}

std::uint32_t Mixer::GetMusicState(std::uint32_t channel) const
{
    const FadingSound* track = sounds_ != nullptr ? GetChannelTrack(channel) : nullptr;
    return track != nullptr ? track->GetState() : FadingSound::kStopped;
}

void Mixer::PlaySound(std::uint32_t soundId)
{
    if (sounds_ == nullptr)
        return;
    const double now = Now();
    SoundInstance* oldest = nullptr;
    // From infinity, so that start times of any size still find an instance.
    double oldestStart = std::numeric_limits<double>::infinity();
    for (const std::unique_ptr<SoundInstance>& instance : instances_) {
        if (instance->soundId != soundId)
            continue;
        if (std::fabs(now - instance->lastStartSeconds) < kMinRestartSeconds)
            return;
        if (instance->lastStartSeconds < oldestStart) {
            oldestStart = instance->lastStartSeconds;
            oldest = instance.get();
        }
    }
    if (oldest == nullptr || oldest->sound == nullptr)
        return;
    if (oldest->loop == 0 || oldest->sound->GetState() != OrrelayEngine::Sound::kPlaying)
        sounds_->PlaySound(oldest->sound, false);
    oldest->lastStartSeconds = now;
}

void Mixer::StopSound(std::uint32_t soundId)
{
    if (sounds_ == nullptr)
        return;
    for (const std::unique_ptr<SoundInstance>& instance : instances_) {
        if (instance->soundId == soundId && instance->sound != nullptr)
            sounds_->StopSound(instance->sound, false);
    }
}

std::uint32_t Mixer::GetSoundState(std::uint32_t soundId) const
{
    if (sounds_ == nullptr)
        return OrrelayEngine::Sound::kStopped;
    for (const std::unique_ptr<SoundInstance>& instance : instances_) {
        if (instance->soundId == soundId && instance->sound != nullptr)
            return instance->sound->GetState();
    }
    return OrrelayEngine::Sound::kStopped;
}

void Mixer::SetMusicVolume(float volume)
{
    musicVolume_ = ClampVolume(volume);
    for (const std::unique_ptr<FadingSound>& track : tracks_)
        track->SetMasterVolume(musicVolume_);
}

bool Mixer::IsTrackSound(const void* sound) const
{
    for (const std::unique_ptr<FadingSound>& track : tracks_) {
        if (track->GetSound() == sound)
            return true;
    }
    return false;
}

void Mixer::SetSoundVolume(float volume)
{
    soundVolume_ = ClampVolume(volume);
    if (sounds_ == nullptr)
        return;
    const std::uint32_t count = sounds_->GetSoundCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        OrrelayEngine::Sound* sound = sounds_->GetSound(i);
        if (sound != nullptr && !IsTrackSound(sound))
            sound->SetVolume(soundVolume_);
    }
}

void Mixer::ApplySoundVolume()
{
    SetSoundVolume(soundVolume_);
}

float Mixer::GetDefaultMusicVolume() const
{
    if (config_ == nullptr)
        return defaultMusicVolume_;
    return OrrelayEngine::StringToFloat(config_->GetDefaultValue(kMusicVolumeVariable));
}

float Mixer::GetDefaultSoundVolume() const
{
    if (config_ == nullptr)
        return defaultSoundVolume_;
    return OrrelayEngine::StringToFloat(config_->GetDefaultValue(kSoundVolumeVariable));
}

void Mixer::Update()
{
    Advance(timers_->GetFrameTime());
}

void Mixer::Advance(float frameSeconds)
{
    for (const std::unique_ptr<FadingSound>& track : tracks_)
        track->Update(frameSeconds);
    SetSoundVolume(soundVolume_);
    SetMusicVolume(musicVolume_);
}

} // namespace GameFramework
