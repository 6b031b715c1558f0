#include "engine/sound/SoundManager.h"

#include <algorithm>

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"

namespace OrrelayEngine {

namespace {

// Enough for every effect a busy frame asks for, so the queue does not grow during play.
constexpr std::size_t kReservedCommands = 256;

} // namespace

SoundManager::SoundManager(MessageManager* log, FileManager* files, SoundSystem* system)
    : log_(log), files_(files), system_(system),
      bufferManager_(std::make_unique<SoundBufferManager>(log, files, system))
{
    system_->SetBufferManager(bufferManager_.get());
    commands_.reserve(kReservedCommands);
    running_.reserve(kReservedCommands);
}

SoundManager::~SoundManager()
{
    ClearCommands();
    freeIds_.clear();
    for (std::uint32_t id : liveIds_) {
        slots_[id].reset();
    }
    liveIds_.clear();
    bufferManager_.reset();
    system_->SetBufferManager(nullptr);
}

Sound* SoundManager::CreateSound(const std::string& fileName)
{
    std::uint32_t id = nextId_;
    if (!freeIds_.empty()) {
        id = freeIds_.front();
        freeIds_.pop_front();
    } else {
        ++nextId_;
    }
    liveIds_.push_back(id);
    std::unique_ptr<Sound> sound = system_->CreateSound(fileName);
    if (id == slots_.size()) {
        slots_.push_back(std::move(sound));
    } else {
        slots_[id] = std::move(sound);
    }
    return slots_[id].get();
}

void SoundManager::DeleteSound(Sound* sound)
{
    if (sound == nullptr) {
        return;
    }
    for (auto it = liveIds_.begin(); it != liveIds_.end(); ++it) {
        if (slots_[*it].get() == sound) {
            // A queued command must not reach a deleted sound.
            commands_.erase(std::remove_if(commands_.begin(), commands_.end(),
                                           [sound](const QueuedCommand& c) { return c.sound == sound; }),
                            commands_.end());
            const std::uint32_t id = *it;
            slots_[id].reset();
            freeIds_.push_back(id);
            liveIds_.erase(it);
            return;
        }
    }
}

void SoundManager::PlaySound(Sound* sound, bool now)
{
    if (sound == nullptr) {
        return;
    }
    if (!now) {
        commands_.push_back({kPlay, sound});
        return;
    }
    if (sound->Play()) {
        return;
    }
    // Out of voices: make room by stopping the first other sound that plays once.
    for (std::uint32_t id : liveIds_) {
        Sound* other = slots_[id].get();
        if (other != sound && other->GetState() != Sound::kStopped && !other->GetLoop()) {
            other->Stop();
            sound->Play();
            return;
        }
    }
}

void SoundManager::PauseSound(Sound* sound, bool now)
{
    if (sound == nullptr) {
        return;
    }
    if (now) {
        sound->Pause();
    } else {
        commands_.push_back({kPause, sound});
    }
}

void SoundManager::StopSound(Sound* sound, bool now)
{
    if (sound == nullptr) {
        return;
    }
    if (now) {
        sound->Stop();
    } else {
        commands_.push_back({kStop, sound});
    }
}

Sound* SoundManager::GetSound(std::uint32_t index) const
{
    return index < liveIds_.size() ? slots_[liveIds_[index]].get() : nullptr;
}

std::int32_t SoundManager::GetSoundId(const Sound* sound) const
{
    for (std::uint32_t id : liveIds_) {
        if (slots_[id].get() == sound) {
            return static_cast<std::int32_t>(id);
        }
    }
    return -1;
}

void SoundManager::ClearCommands()
{
    commands_.clear();
}

void SoundManager::Update(bool runQueued)
{
    if (runQueued) {
        running_.swap(commands_);
        for (const QueuedCommand& queued : running_) {
            switch (queued.command) {
            case kPlay:
                PlaySound(queued.sound, true);
                break;
            case kPause:
                PauseSound(queued.sound, true);
                break;
            case kStop:
                StopSound(queued.sound, true);
                break;
            }
        }
        running_.clear();
    }
    for (std::uint32_t id : liveIds_) {
        slots_[id]->Update();
    }
    bufferManager_->Update();
}

} // namespace OrrelayEngine
