// A pausable clock that reads seconds since its start, not counting the spans it
// was paused. It reads either the 32-bit millisecond tick or the high-resolution
// counter of the platform clock.
#pragma once

#include <cstdint>

namespace OrrelayEngine {

class Timer
{
public:
    Timer(float startSeconds, bool usePerformanceCounter);
    virtual ~Timer();

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    float GetTime() const;
    // The same reading without the float's rounding: after hours of running a
    // float no longer resolves milliseconds, so frame deltas are taken from this.
    double GetTimePrecise() const;

    // No effect when the timer is already in that state.
    void SetPaused(bool paused);
    bool IsPaused() const;

    // The timer reads that time now and runs from it, paused or not before.
    void SetTime(float seconds);

private:
    std::int64_t ReadCounter() const;

    bool usePerformanceCounter_;
    bool paused_ = false;
    std::int64_t frequency_ = 1;
    std::int64_t startCount_ = 0;
    std::int64_t pausedCount_ = 0;
    std::uint32_t startTicks_ = 0;
    std::uint32_t pausedTicks_ = 0;
};

} // namespace OrrelayEngine
