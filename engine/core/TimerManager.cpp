#include "engine/core/TimerManager.h"

#include <algorithm>

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kTickPeriodMilliseconds = 1;
constexpr float kSmoothingKeep = 9.0f;
constexpr float kSmoothingScale = 0.1f;
constexpr float kSmoothedFirstFrameBelowSeconds = 0.0001f;
constexpr float kSmoothedCapOfRawFrame = 1.25f;

} // namespace

TimerManager::TimerManager() : periodMilliseconds_(kTickPeriodMilliseconds)
{
    frameTimer_ = CreateTimer(0.0f, periodMilliseconds_ == 0);
}

TimerManager::~TimerManager()
{
    DeleteTimer(frameTimer_);
    frameTimer_ = nullptr;
    freeSlots_.clear();
    usedSlots_.clear();
    slots_.clear();
}

Timer* TimerManager::CreateTimer(float startSeconds, bool usePerformanceCounter)
{
    auto timer = std::make_unique<Timer>(startSeconds, usePerformanceCounter);
    Timer* const created = timer.get();
    std::uint32_t slot = 0;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        slots_[slot] = std::move(timer);
    } else {
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.push_back(std::move(timer));
    }
    usedSlots_.push_back(slot);
    return created;
}

void TimerManager::DeleteTimer(Timer* timer)
{
    if (timer == nullptr) {
        return;
    }
    const auto used = std::find_if(usedSlots_.begin(), usedSlots_.end(),
                                   [&](std::uint32_t slot) { return slots_[slot].get() == timer; });
    if (used == usedSlots_.end()) {
        return;
    }
    const std::uint32_t slot = *used;
    slots_[slot].reset();
    freeSlots_.push_back(slot);
    usedSlots_.erase(used);
}

void TimerManager::Update()
{
    // One reading serves both the delta and the next frame's start, so no time
    // slips between two readings and every millisecond is counted in some frame.
    const double now = frameTimer_->GetTimePrecise();
    double delta = now - lastFrameSeconds_;
    lastFrameSeconds_ = now;

    // Frames per second count unclamped time.
    gatheredSeconds_ += delta;
    ++framesThisSecond_;
    if (gatheredSeconds_ >= 1.0) {
        gatheredSeconds_ -= 1.0;
        framesPerSecond_ = framesThisSecond_;
        framesThisSecond_ = 0;
    }

    // One long frame (loading, a dragged window, a breakpoint) never moves the
    // game by more than a tenth of a second.
    delta = std::clamp(delta, kMinFrameSeconds, kMaxFrameSeconds);
    float result = static_cast<float>(delta);

    if (smoothing_) {
        const float raw = result;
        if (previousSmoothed_ < kSmoothedFirstFrameBelowSeconds) {
            previousSmoothed_ = raw;
        }
        const float smoothed = (previousSmoothed_ * kSmoothingKeep + raw) * kSmoothingScale;
        previousSmoothed_ = smoothed;
        result = std::min(smoothed, kSmoothedCapOfRawFrame * raw);
    }
    frameTime_ = result;
}

float TimerManager::GetFrameTime() const
{
    return frameTime_;
}

std::uint32_t TimerManager::GetFramesPerSecond() const
{
    return framesPerSecond_;
}

Timer* TimerManager::GetFrameTimer() const
{
    return frameTimer_;
}

bool TimerManager::GetSmoothing() const
{
    return smoothing_;
}

void TimerManager::SetSmoothing(bool smoothing)
{
    smoothing_ = smoothing;
}

std::uint32_t TimerManager::GetSlotCount() const
{
    return static_cast<std::uint32_t>(slots_.size());
}

Timer* TimerManager::GetTimerAt(std::uint32_t slot) const
{
    return slot < slots_.size() ? slots_[slot].get() : nullptr;
}

} // namespace OrrelayEngine
