#include "engine/gui/GUISoundManager.h"

#include <cmath>
#include <limits>

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

namespace OrrelayEngine {

GUISoundManager::GUISoundManager(TimerManager* timerManager, SoundManager* soundManager)
    : timerManager_(timerManager), soundManager_(soundManager)
{}

GUISoundManager::~GUISoundManager()
{
    if (soundManager_ != nullptr) {
        for (auto& event : events_) {
            for (Record& record : event.second) {
                soundManager_->DeleteSound(record.sound);
            }
        }
    }
    events_.clear();
}

void GUISoundManager::AddSound(std::uint32_t eventId, const std::string& soundFile)
{
    if (soundManager_ == nullptr) {
        return;
    }
    std::vector<Record>& records = events_[eventId];
    Record record;
    record.sound = soundManager_->CreateSound(soundFile);
    record.sound->SetVolume(volume_);
    records.push_back(record);
}

double GUISoundManager::StartKey(const Record& record)
{
    return record.played ? record.lastStart : -std::numeric_limits<double>::infinity();
}

double GUISoundManager::Now() const
{
    return timerManager_ != nullptr ? timerManager_->GetFrameTimer()->GetTimePrecise() : 0.0;
}

void GUISoundManager::Play(std::uint32_t eventId)
{
    if (soundManager_ == nullptr) {
        return;
    }
    const auto found = events_.find(eventId);
    if (found == events_.end() || found->second.empty()) {
        return;
    }
    const double now = Now();
    Record* chosen = nullptr;
    for (Record& record : found->second) {
        // A sound never played has not started at 0 s: near the clock's start
        // it must not hold back the first play.
        if (record.played && std::fabs(now - record.lastStart) < kRepeatGuardSeconds) {
            return;
        }
        if (chosen == nullptr || StartKey(record) < StartKey(*chosen)) {
            chosen = &record;
        }
    }
    soundManager_->PlaySound(chosen->sound, false);
    chosen->lastStart = now;
    chosen->played = true;
}

std::uint32_t GUISoundManager::GetSoundCount(std::uint32_t eventId) const
{
    const auto found = events_.find(eventId);
    return found != events_.end() ? static_cast<std::uint32_t>(found->second.size()) : 0u;
}

} // namespace OrrelayEngine
