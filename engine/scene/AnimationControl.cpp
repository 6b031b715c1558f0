#include "engine/scene/AnimationControl.h"

#include <algorithm>
#include <cmath>

#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"

namespace OrrelayEngine {

namespace {

constexpr float kTimeTolerance = 0.0001f;
constexpr float kSeekToEndMargin = 0.0001f;

} // namespace

AnimationControl::AnimationControl(MessageManager* log, TimerManager* timerManager, std::uint32_t frameCount)
    : log_(log), timerManager_(timerManager), frameCount_(frameCount == 0 ? 1 : frameCount)
{
    animations_[kAllFrames] = Range{0, frameCount_ - 1};
}

AnimationControl::~AnimationControl() = default;

bool AnimationControl::AddAnimation(std::uint32_t id, std::uint32_t first, std::uint32_t last)
{
    if (animations_.count(id) != 0) {
        return false;
    }
    animations_[id] = Range{first, last};
    return true;
}

void AnimationControl::SetAnimation(std::uint32_t id)
{
    if (animations_.count(id) == 0) {
        if (log_ != nullptr) {
            log_->LogWarning("AnimationControl: no animation " + UIntToString(id));
        }
        return;
    }
    currentId = id;
    position = 0.0f;
}

void AnimationControl::Play()
{
    playing = 1;
    loopsDone = 0;
    delayRemaining = RandomFloatRange(delayMinimum, delayMaximum);
}

void AnimationControl::Pause()
{
    playing = 0;
}

void AnimationControl::Stop()
{
    playing = 0;
    position = 0.0f;
}

void AnimationControl::SeekToEnd()
{
    Range range;
    GetRange(currentId, range);
    const std::uint32_t span = range.last > range.first ? range.last - range.first : range.first - range.last;
    position = std::max(0.0f, static_cast<float>(span) - kSeekToEndMargin);
}

void AnimationControl::RandomizePhase()
{
    const float delay = RandomFloatRange(delayMinimum, delayMaximum);
    delayRemaining = std::max(0.0f, delay * RandomSignedFloat());
    if (delayRemaining < kTimeTolerance) {
        Range range;
        GetRange(currentId, range);
        const std::uint32_t span = range.last > range.first ? range.last - range.first : range.first - range.last;
        position = RandomFloatRange(0.0f, static_cast<float>(span));
    } else {
        position = 0.0f;
    }
}

void AnimationControl::AssignState(const AnimationControl& other)
{
    speed = other.speed;
    position = other.position;
    loop = other.loop;
    loopLimit = other.loopLimit;
    loopsDone = other.loopsDone;
    delayMinimum = other.delayMinimum;
    delayMaximum = other.delayMaximum;
    delayRemaining = other.delayRemaining;
    interpolate = other.interpolate;
    playing = other.playing;
    currentId = other.currentId;
    currentFrame = other.currentFrame;
    nextFrame = other.nextFrame;
    blend = other.blend;
}

void AnimationControl::CopyFrom(const AnimationControl& other)
{
    if (other.frameCount_ != frameCount_) {
        return;
    }
    animations_ = other.animations_;
    AssignState(other);
}

bool AnimationControl::GetRange(std::uint32_t id, Range& range) const
{
    const auto found = animations_.find(id);
    if (found == animations_.end()) {
        range = animations_.at(kAllFrames);
        return false;
    }
    range = found->second;
    return true;
}

void AnimationControl::Update()
{
    Advance(timerManager_ != nullptr ? timerManager_->GetFrameTime() : 0.0f);
}

void AnimationControl::Advance(float frameSeconds)
{
    Range range;
    GetRange(currentId, range);
    const bool reversed = range.last < range.first;
    const std::uint32_t lowest = reversed ? range.last : range.first;
    // 64 bits: a range over every u32 frame holds 2^32 frames.
    const std::uint64_t count =
        static_cast<std::uint64_t>(reversed ? range.first - range.last : range.last - range.first) + 1;
    const float lastPosition = static_cast<float>(count - 1);
    std::uint64_t current = 0;
    std::uint64_t next = 0;
    float fraction = 0.0f;

    delayRemaining -= frameSeconds;
    if (playing != 0 && !(loop != 0 && delayRemaining > kTimeTolerance)) {
        position += speed * frameSeconds;
    }
    // A position below the range (a negative speed) or not a number at all
    // would turn into a frame outside the model's data.
    if (!(position >= 0.0f)) {
        position = 0.0f;
    }

    const bool seamless = loop != 0 && (loopsDone + 1 < loopLimit || loopLimit == 0) && delayMaximum < kTimeTolerance;
    if (!seamless && position + 1.0f >= static_cast<float>(count)) {
        if (loop != 0) {
            if (delayRemaining < kTimeTolerance) {
                delayRemaining = RandomFloatRange(delayMinimum, delayMaximum);
            }
            // A one-frame range has no second frame to blend towards.
            current = 0;
            next = count > 1 ? 1 : 0;
            position = 0.0f;
            if (!(delayMaximum > kTimeTolerance)) {
                playing = 0;
            }
        } else {
            current = count - 1;
            next = 0;
            position = lastPosition;
            playing = 0;
        }
    } else if (count == 1) {
        // Nothing to step through; keep the position from growing without end.
        position = 0.0f;
    } else {
        // The last frame of a range is the first of the next cycle. A float
        // step too large to count in whole cycles is folded in one go; fmod
        // is exact, so the folded position always lies inside the range.
        if (position >= lastPosition) {
            const float cycles = std::floor(position / lastPosition);
            position = std::isfinite(position) ? std::fmod(position, lastPosition) : 0.0f;
            loopsDone += cycles >= 4294967295.0f ? 0xFFFFFFFFu : static_cast<std::uint32_t>(cycles);
        }
        const float whole = std::floor(position);
        current = static_cast<std::uint64_t>(whole);
        fraction = position - whole;
        if (current >= count) {
            current %= count;
        }
        next = current + 1 >= count ? 0 : current + 1;
    }

    if (reversed) {
        current = count - current - 1;
        next = count - next - 1;
        fraction = 1.0f - fraction;
        std::swap(current, next);
    }
    if (count == 1) {
        fraction = 0.0f;
    }
    currentFrame = static_cast<std::uint32_t>(current + lowest);
    nextFrame = static_cast<std::uint32_t>(next + lowest);
    blend = interpolate != 0 ? fraction : 0.0f;
}

} // namespace OrrelayEngine
