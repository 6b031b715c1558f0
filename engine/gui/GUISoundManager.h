// The short sounds of the GUI widgets. A widget names an event by a small id
// (0 to 12); the game registers one or more sound files per event. A play
// picks the event's sound started longest ago, so two sounds on one event
// alternate, and is dropped when a sound of that event started less than
// 0.01 s before, so that several widgets reacting to one mouse event make one
// sound. Without a sound manager (a silent game) everything is a no-op.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace OrrelayEngine {

class Sound;
class SoundManager;
class TimerManager;

class GUISoundManager
{
public:
    static constexpr double kRepeatGuardSeconds = 0.01;

    // Event ids of the toolkit's widgets.
    enum Event : std::uint32_t
    {
        kButtonEnter = 0,
        kButtonPress = 1,
        kCheckBoxEnter = 2,
        kCheckBoxPress = 3,
        kRadioButtonEnter = 4,
        kRadioButtonPress = 5,
        kSliderKnobEnter = 6,
        kSliderKnobPress = 7,
        kScrollKnobEnter = 8,
        kScrollKnobPress = 9,
        kScrollArrowEnter = 10,
        kScrollArrowPress = 11,
        kEditBoxType = 12
    };

    // soundManager may be null.
    GUISoundManager(TimerManager* timerManager, SoundManager* soundManager);
    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;
    virtual ~GUISoundManager();

    void AddSound(std::uint32_t eventId, const std::string& soundFile);
    // Queued on the sound manager, so it sounds at the end of the engine frame.
    void Play(std::uint32_t eventId);
    // The volume given to sounds added from now on.
    float GetVolume() const { return volume_; }
    void SetVolume(float volume) { volume_ = volume; }
    std::uint32_t GetSoundCount(std::uint32_t eventId) const;

private:
    struct Record
    {
        Sound* sound = nullptr;
        // Seconds of the frame timer's precise clock; a float would stop
        // resolving the guard interval after a few hours of play.
        double lastStart = 0.0;
        bool played = false;
    };

    // Orders the records by when they started, never-played ones first.
    static double StartKey(const Record& record);
    double Now() const;

    TimerManager* timerManager_;
    SoundManager* soundManager_;
    std::map<std::uint32_t, std::vector<Record>> events_;
    float volume_ = 1.0f;
};

} // namespace OrrelayEngine
