// The world of the tests that type and click: the font fixture (scene
// managers over the null render system, text and font managers, the round
// font), an application window under the offscreen video driver for typed
// keys, controls whose keys the test sets, a manual clock, and GUI sounds
// that record what played.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "FontTestSupport.h"
#include "WidgetTestSupport.h"
#include "engine/core/Window.h"
#include "engine/input/Controls.h"
#include "platform/AppWindow.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"

namespace GUIInputTest {

class TestControls : public OrrelayEngine::Controls
{
public:
    using Controls::Controls;
    void SetKeyDown(const std::string& name, bool down) { SetKey(name, down); }
};

class GUIInputFixture : public FontTest::FontFixture
{
protected:
    static constexpr std::uint32_t kTypingEvent = 12;

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        Platform::SetOpenGlWindows(false);
        // Before the timers exist, so that they read the manual clock from zero.
        Platform::SetManualClock(true);
        FontFixture::SetUp();
        window = std::make_unique<OrrelayEngine::Window>(log, &render.config, "Test", nullptr, 0, false, 320, 240,
                                                         false, true, 0, 0);
        controls = std::make_unique<TestControls>(log, timers.get(), &render.config, window.get());
        soundManager = std::make_unique<OrrelayEngine::SoundManager>(log, files.get(), &soundSystem);
        guiSounds = std::make_unique<OrrelayEngine::GUISoundManager>(timers.get(), soundManager.get());
        guiSounds->AddSound(kTypingEvent, "typing");
    }

    void TearDown() override
    {
        guiSounds.reset();
        soundManager.reset();
        controls.reset();
        window.reset();
        FontFixture::TearDown();
        Platform::SetManualClock(false);
        Platform::SetOpenGlWindows(true);
    }

    void TypeCharacter(wchar_t character)
    {
        window->HandleMessage(
            Platform::WindowMessage{Platform::WindowMessageType::Character, static_cast<std::uint32_t>(character)});
    }

    void TypeKey(std::uint8_t virtualKey)
    {
        window->HandleMessage(Platform::WindowMessage{Platform::WindowMessageType::KeyDown, virtualKey});
    }

    // The end of an engine frame: queued sounds play, the frame's input goes.
    void EndFrame()
    {
        soundManager->Update(true);
        controls->ClearFrameState();
        Platform::AdvanceManualClock(20000);
        timers->Update();
    }

    std::size_t CountTypingSounds() const { return soundSystem.played.size(); }

    std::unique_ptr<OrrelayEngine::Window> window;
    std::unique_ptr<TestControls> controls;
    WidgetTest::RecordingSoundSystem soundSystem;
    std::unique_ptr<OrrelayEngine::SoundManager> soundManager;
    std::unique_ptr<OrrelayEngine::GUISoundManager> guiSounds;
};

} // namespace GUIInputTest
