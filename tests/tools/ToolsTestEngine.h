// The engine over the null graphics driver on the manual clock, for the game
// tools: Frame advances the clock and measures the frame time, and the mouse's
// first button is pressed and released through the input's test hooks.
#pragma once

#include <cstdint>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/input/Controls.h"
#include "platform/Clock.h"
#include "platform/InputDevice.h"
#include "tests/engine/core/NullEngine.h"

namespace ToolsTests {

class ToolsTestEngine
{
public:
    ToolsTestEngine()
    {
        Platform::SetManualClock(true);
        engine = &harness.Start();
        // From here on the frame time is what Frame advances.
        engine->GetTimerManager()->Update();
    }

    ~ToolsTestEngine()
    {
        harness.engine.reset();
        Platform::SetManualClock(false);
    }

    ToolsTestEngine(const ToolsTestEngine&) = delete;
    ToolsTestEngine& operator=(const ToolsTestEngine&) = delete;

    void Frame(std::uint64_t microseconds)
    {
        Platform::AdvanceManualClock(microseconds);
        engine->GetTimerManager()->Update();
    }

    // Reads the input for a frame: what was delivered since the last read.
    void ReadInput() { engine->GetControls()->Update(); }
    void EndFrame() { engine->GetControls()->ClearFrameState(); }

    static void MouseButton(bool down)
    {
        Platform::InputDevice::Deliver(Platform::InputEvent{
            Platform::InputDeviceKind::Mouse, Platform::kMouseOffsetButton0, down ? Platform::kInputDownFlag : 0});
    }

    EngineTests::NullEngine harness;
    OrrelayEngine::Engine* engine = nullptr;
};

} // namespace ToolsTests
