// Turns elapsed time into a pair of frames and a blend fraction inside a named
// frame range: the player that every model owns and that a few owners (the
// character's face, the game camera) use alone. It knows nothing of what the
// frames hold.
//
// Ranges are filed by id; the id kAllFrames covers every frame and is
// selected at construction. A range whose first frame is above its last plays
// backwards. Looping may pause between cycles for a random delay, and may be
// limited to a number of cycles. Random numbers come from the engine's one
// generator.
#pragma once

#include <cstdint>
#include <map>

namespace OrrelayEngine {

class MessageManager;
class TimerManager;

class AnimationControl
{
public:
    static constexpr std::uint32_t kAllFrames = 0xFFFFFFFFu;

    struct Range
    {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
    };

    // frameCount of 0 is taken as 1: there is always a frame to show.
    AnimationControl(MessageManager* log, TimerManager* timerManager, std::uint32_t frameCount);
    virtual ~AnimationControl();

    // Copies owner, map and state; the same as constructing and CopyFrom.
    AnimationControl(const AnimationControl& other) = default;
    AnimationControl& operator=(const AnimationControl&) = delete;

    // Files the range under id unless the id is already filed. The range is
    // kept as given, also past the frame count: a control used alone (the
    // key-frame camera is made with one frame) indexes data of its own, and a
    // model checks the frames it is given against its data.
    bool AddAnimation(std::uint32_t id, std::uint32_t first, std::uint32_t last);
    // Selects a filed id and rewinds; an id never filed is logged and ignored.
    void SetAnimation(std::uint32_t id);
    void Play();
    void Pause();
    void Stop();
    void SeekToEnd();
    void RandomizePhase();
    // Playback state only, not the map.
    void AssignState(const AnimationControl& other);
    // Map and state, only between controls of equal frame counts.
    void CopyFrom(const AnimationControl& other);

    // Advances by the timer's frame time.
    void Update();
    // Advances by the given seconds; Update calls it with the frame time.
    void Advance(float frameSeconds);

    bool GetRange(std::uint32_t id, Range& range) const;
    std::uint32_t GetFrameCount() const { return frameCount_; }

    float speed = 0.0f;
    float position = 0.0f;
    std::uint8_t loop = 0;
    std::uint32_t loopLimit = 0;
    std::uint32_t loopsDone = 0;
    float delayMinimum = 0.0f;
    float delayMaximum = 0.0f;
    float delayRemaining = 0.0f;
    std::uint8_t interpolate = 1;
    std::uint8_t playing = 0;
    std::uint32_t currentId = kAllFrames;
    // Outputs of the last update, as absolute frame numbers.
    std::uint32_t currentFrame = 0;
    std::uint32_t nextFrame = 0;
    float blend = 0.0f;

private:
    MessageManager* log_;
    TimerManager* timerManager_;
    std::uint32_t frameCount_;
    std::map<std::uint32_t, Range> animations_;
};

} // namespace OrrelayEngine
