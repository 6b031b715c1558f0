#include "engine/sound/SoundBufferManager.h"

#include <algorithm>

#include "engine/core/StringHelpers.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

namespace OrrelayEngine {

SoundBufferManager::SoundBufferManager(MessageManager* log, FileManager* files, SoundSystem* system)
    : log_(log), files_(files), system_(system)
{}

SoundBufferManager::~SoundBufferManager()
{
    for (std::uint32_t id : liveIds_) {
        slots_[id].reset();
    }
}

SoundBuffer* SoundBufferManager::AcquireBuffer(const std::string& fileName)
{
    const std::string name = ToLower(fileName);
    const SoundBuffer* shared = nullptr;
    for (std::uint32_t id : liveIds_) {
        if (slots_[id]->GetName() == name) {
            shared = slots_[id].get();
            break;
        }
    }
    std::unique_ptr<SoundBuffer> buffer = shared != nullptr && !shared->IsStreamed()
                                              ? system_->CloneSoundBuffer(*shared)
                                              : system_->CreateSoundBuffer(name);
    std::uint32_t id = static_cast<std::uint32_t>(slots_.size());
    if (!freeIds_.empty()) {
        id = freeIds_.front();
        freeIds_.pop_front();
    } else {
        slots_.emplace_back();
    }
    liveIds_.push_back(id);
    slots_[id] = std::move(buffer);
    return slots_[id].get();
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer)
{
    for (auto it = liveIds_.begin(); it != liveIds_.end(); ++it) {
        if (slots_[*it].get() == buffer) {
            const std::uint32_t id = *it;
            slots_[id].reset();
            freeIds_.push_back(id);
            liveIds_.erase(it);
            return;
        }
    }
}

void SoundBufferManager::Update()
{
    for (std::uint32_t id : liveIds_) {
        slots_[id]->Update();
    }
}

} // namespace OrrelayEngine
