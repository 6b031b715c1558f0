#include "engine/core/Timer.h"

#include <cmath>

#include "platform/Clock.h"

namespace OrrelayEngine {

namespace {

constexpr double kSecondsPerTick = 0.001;
constexpr double kTicksPerSecond = 1000.0;

// Truncates toward zero like the cast it stands for, but stays defined for
// values a float can hold and a 64-bit integer cannot (and for NaN).
std::int64_t TruncateToInt64(double value)
{
    constexpr double kLimit = 9.2e18;
    if (!(value == value)) {
        return 0;
    }
    if (value >= kLimit) {
        return static_cast<std::int64_t>(kLimit);
    }
    if (value <= -kLimit) {
        return -static_cast<std::int64_t>(kLimit);
    }
    return static_cast<std::int64_t>(std::trunc(value));
}

} // namespace

Timer::Timer(float startSeconds, bool usePerformanceCounter) : usePerformanceCounter_(usePerformanceCounter)
{
    if (usePerformanceCounter_) {
        const std::uint64_t frequency = Platform::GetPerformanceFrequency();
        frequency_ = frequency > 0 ? static_cast<std::int64_t>(frequency) : 1;
    }
    SetTime(startSeconds);
}

Timer::~Timer() = default;

std::int64_t Timer::ReadCounter() const
{
    return static_cast<std::int64_t>(Platform::GetPerformanceCounter());
}

float Timer::GetTime() const
{
    return static_cast<float>(GetTimePrecise());
}

double Timer::GetTimePrecise() const
{
    if (usePerformanceCounter_) {
        const std::int64_t now = paused_ ? pausedCount_ : ReadCounter();
        return static_cast<double>(now - startCount_) / static_cast<double>(frequency_);
    }
    const std::uint32_t now = paused_ ? pausedTicks_ : Platform::GetTickCount();
    // Unsigned subtraction gives the right span across the tick's wrap.
    const std::uint32_t elapsed = now - startTicks_;
    return static_cast<double>(elapsed) * kSecondsPerTick;
}

void Timer::SetPaused(bool paused)
{
    if (paused == paused_) {
        return;
    }
    if (paused) {
        pausedCount_ = usePerformanceCounter_ ? ReadCounter() : 0;
        pausedTicks_ = usePerformanceCounter_ ? 0 : Platform::GetTickCount();
    } else if (usePerformanceCounter_) {
        startCount_ += ReadCounter() - pausedCount_;
    } else {
        startTicks_ += Platform::GetTickCount() - pausedTicks_;
    }
    paused_ = paused;
}

bool Timer::IsPaused() const
{
    return paused_;
}

void Timer::SetTime(float seconds)
{
    if (usePerformanceCounter_) {
        startCount_ = ReadCounter() - TruncateToInt64(static_cast<double>(frequency_) * seconds);
    } else {
        const std::int64_t ticks = TruncateToInt64(static_cast<double>(seconds) * kTicksPerSecond);
        startTicks_ = Platform::GetTickCount() - static_cast<std::uint32_t>(ticks);
    }
    paused_ = false;
}

} // namespace OrrelayEngine
