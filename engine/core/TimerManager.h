// Creates, owns and deletes timers, and measures the frame time and the frames
// per second once per frame with a frame timer of its own. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/Timer.h"

namespace OrrelayEngine {

class TimerManager
{
public:
    TimerManager();
    virtual ~TimerManager();

    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // The new timer belongs to the manager; give it back with DeleteTimer.
    Timer* CreateTimer(float startSeconds, bool usePerformanceCounter);
    // Null, and a timer this manager did not create, are ignored.
    void DeleteTimer(Timer* timer);

    // Once per frame: measures the time since the last call.
    void Update();

    // Seconds, clamped to kMinFrameSeconds..kMaxFrameSeconds (and smoothed when
    // smoothing is on).
    float GetFrameTime() const;
    std::uint32_t GetFramesPerSecond() const;
    Timer* GetFrameTimer() const;
    bool GetSmoothing() const;
    void SetSmoothing(bool smoothing);

    // The slots, for inspection: a freed slot holds null until it is reused.
    std::uint32_t GetSlotCount() const;
    Timer* GetTimerAt(std::uint32_t slot) const;

    static constexpr double kMinFrameSeconds = 0.001;
    static constexpr double kMaxFrameSeconds = 0.1;

private:
    // The multimedia timer's finest period; here the millisecond tick always
    // serves, so the frame timer reads it rather than the performance counter.
    std::uint32_t periodMilliseconds_ = 0;
    std::vector<std::uint32_t> freeSlots_;
    std::vector<std::uint32_t> usedSlots_;
    std::vector<std::unique_ptr<Timer>> slots_;
    Timer* frameTimer_ = nullptr;
    double lastFrameSeconds_ = 0.0;
    bool smoothing_ = false;
    float frameTime_ = 0.0f;
    float previousSmoothed_ = 0.0f;
    std::uint32_t framesPerSecond_ = 0;
    std::uint32_t framesThisSecond_ = 0;
    double gatheredSeconds_ = 0.0;
};

} // namespace OrrelayEngine
