// The widget tests' world: the scene managers over the null render system, a
// manual clock driving the timers, and a GUI sound manager over a sound
// system that records which event's sound played. No fonts: widgets print
// no text here.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/SceneTestSupport.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "platform/Clock.h"

namespace WidgetTest {

// Every sound created plays into one shared list of file names.
class RecordingSoundSystem : public OrrelayEngine::SoundSystem
{
public:
    RecordingSoundSystem() : SoundSystem(nullptr, nullptr, nullptr, false) {}

    std::unique_ptr<OrrelayEngine::Sound> CreateSound(const std::string& fileName) override
    {
        return std::make_unique<RecordingSound>(fileName, played);
    }
    std::unique_ptr<OrrelayEngine::Sound> CloneSound(const OrrelayEngine::Sound&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CreateSoundBuffer(const std::string&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CloneSoundBuffer(const OrrelayEngine::SoundBuffer&) override
    {
        return nullptr;
    }

    std::vector<std::string> played;

private:
    class RecordingSound : public OrrelayEngine::Sound
    {
    public:
        RecordingSound(const std::string& name, std::vector<std::string>& log)
            : Sound(nullptr, nullptr, name), log_(log)
        {}
        bool Play() override { return log_.push_back(GetFileName()), true; }
        void Pause() override {}
        void Stop() override {}
        State GetState() const override { return kStopped; }

    private:
        std::vector<std::string>& log_;
    };
};

class WidgetFixture : public SceneTest::SceneFixture
{
protected:
    static constexpr std::uint32_t kEventCount = 12;
    static constexpr double kFrameSeconds = 0.02;

    void SetUp() override
    {
        // Before the timers exist, so that they read the manual clock from zero.
        Platform::SetManualClock(true);
        SceneFixture::SetUp();
        soundManager = std::make_unique<OrrelayEngine::SoundManager>(log, files.get(), &soundSystem);
        guiSounds = std::make_unique<OrrelayEngine::GUISoundManager>(timers.get(), soundManager.get());
        for (std::uint32_t id = 0; id < kEventCount; ++id) {
            guiSounds->AddSound(id, SoundName(id));
        }
    }

    void TearDown() override
    {
        guiSounds.reset();
        soundManager.reset();
        SceneFixture::TearDown();
        Platform::SetManualClock(false);
    }

    static std::string SoundName(std::uint32_t eventId) { return "event" + std::to_string(eventId); }

    // One GUI frame of the given length: the clock moves, the widget sees the
    // mouse, and the sounds it asked for are played.
    void Frame(OrrelayEngine::GUIWindow& widget, const OrrelayEngine::Vector2& mouse, bool held, bool pressed,
               double seconds = kFrameSeconds)
    {
        Platform::AdvanceManualClock(static_cast<std::uint64_t>(seconds * 1e6 + 0.5));
        timers->Update();
        widget.Update(mouse, held, pressed);
        soundManager->Update(true);
    }

    std::size_t CountPlayed(std::uint32_t eventId) const
    {
        const std::vector<std::string>& played = soundSystem.played;
        return static_cast<std::size_t>(std::count(played.begin(), played.end(), SoundName(eventId)));
    }

    RecordingSoundSystem soundSystem;
    std::unique_ptr<OrrelayEngine::SoundManager> soundManager;
    std::unique_ptr<OrrelayEngine::GUISoundManager> guiSounds;
};

} // namespace WidgetTest
