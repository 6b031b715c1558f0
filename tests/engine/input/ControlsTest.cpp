#include "engine/input/Controls_DI7.h"

#include "engine/core/Config.h"
#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/file/FileManager.h"
#include "support/AllocationCounter.h"
#include "tests/engine/file/TempFolder.h"

#include "platform/AppWindow.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/EventPump.h"
#include "platform/InputDevice.h"
#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"
#include "support/ScopedPlatformFailure.h"

#include <gtest/gtest.h>

#include "support/LogSearch.h"
#include <cstdlib>
#include <set>

namespace {

using namespace OrrelayEngine;
using Platform::InputDeviceKind;
using Platform::InputEvent;

void Key(std::uint8_t code, bool down)
{
    Platform::InputDevice::Deliver(InputEvent{InputDeviceKind::Keyboard, code, down ? Platform::kInputDownFlag : 0});
}

void Mouse(std::uint32_t offset, std::int32_t data)
{
    Platform::InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, offset, data});
}

class ControlsTest : public ::testing::Test
{
protected:
    ControlsTest() : files_(&log_, folder_.Path(), "Data")
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        Platform::SetOpenGlWindows(false);
        Platform::ClearInputFailuresForTesting();
        Platform::ReleaseAllHeldKeys();
        Platform::ResetCursorShowCount();
        config_ = std::make_unique<Config>(&log_, &files_, folder_.Path(), "Quillory", false, "", false, false);
        window_ =
            std::make_unique<Window>(&log_, config_.get(), "Test", nullptr, 0, false, 320, 240, false, true, 0, 0);
        Platform::DiscardPendingEvents();
    }
    ~ControlsTest() override
    {
        controls_.reset();
        window_.reset();
        Platform::DiscardPendingEvents();
        Platform::ClearInputFailuresForTesting();
        Platform::ReleaseAllHeldKeys();
        Platform::ResetCursorShowCount();
        Platform::SetManualClock(false);
        Platform::SetOpenGlWindows(true);
    }

    void Open(bool buffered = true)
    {
        controls_ = std::make_unique<Controls_DI7>(&log_, &timers_, config_.get(), window_.get(), buffered);
    }

    // One engine frame as far as input goes: read, then the end-of-frame clear.
    void Frame() { controls_->Update(); }

    void EndFrame() { controls_->ClearFrameState(); }

    bool LogHolds(const std::string& text) const { return TestSupport::Logged(log_, text); }

    FileTests::TempFolder folder_;
    MessageManager log_{"Test", false, false, "", ""};
    FileManager files_;
    TimerManager timers_;
    std::unique_ptr<Config> config_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Controls_DI7> controls_;
};

TEST_F(ControlsTest, KeyNamesAreTheTableInOrderEachWithItsOwnKeyCode)
{
    Open();
    const std::vector<std::string>& names = Controls::GetKeyNames();
    ASSERT_EQ(names.size(), 108u);
    EXPECT_EQ(names[0], "MOUSE1");
    EXPECT_EQ(names[7], "MOUSE8");
    EXPECT_EQ(names[8], "CAPS_LOCK");
    EXPECT_EQ(names[11], "0");
    EXPECT_EQ(names[21], "A");
    EXPECT_EQ(names[50], "ENTER");
    EXPECT_EQ(names[52], "RSHIFT");
    EXPECT_EQ(names[96], "F12");
    EXPECT_EQ(names[105], "\\");
    EXPECT_EQ(names[107], "'");
    std::set<std::uint32_t> codes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::uint32_t code = controls_->GetKeyCode(names[i]);
        if (i < 8) {
            EXPECT_EQ(code, 0u) << names[i];
        } else {
            EXPECT_NE(code, 0u) << names[i];
            EXPECT_TRUE(codes.insert(code).second) << names[i];
        }
    }
    const std::pair<const char*, std::uint32_t> spot[] = {{"0", 0x0B},         {"ENTER", 0x1C},    {"RCTRL", 0x9D},
                                                          {"PRINTSCRN", 0xB7}, {"NUMPAD_0", 0x52}, {"F11", 0x57},
                                                          {"~", 0x29},         {"'", 0x28}};
    for (const auto& entry : spot) {
        EXPECT_EQ(controls_->GetKeyCode(entry.first), entry.second) << entry.first;
    }
}

TEST_F(ControlsTest, PressAndReleaseWithinOneFrameCountsAsWentDown)
{
    Open();
    Key(Platform::KeyCode::kA, true);
    Key(Platform::KeyCode::kA, false);
    Frame();
    EXPECT_TRUE(controls_->WasKeyPressed("A"));
    EXPECT_TRUE(controls_->IsKeyDown("A"));
    EXPECT_TRUE(controls_->AnyKeyPressed());
    EndFrame();
    Frame();
    EXPECT_FALSE(controls_->WasKeyPressed("A"));
    EXPECT_FALSE(controls_->IsKeyDown("A"));

    Key(Platform::KeyCode::kSpace, true);
    Frame();
    EXPECT_TRUE(controls_->WasKeyPressed("SPACE"));
    EndFrame();
    Frame();
    EXPECT_FALSE(controls_->WasKeyPressed("SPACE")) << "held, but it went down a frame ago";
    EXPECT_TRUE(controls_->IsKeyDown("SPACE"));
    EXPECT_TRUE(controls_->AnyKeyDown());
    EXPECT_FALSE(controls_->AnyKeyPressed());
}

TEST_F(ControlsTest, UnknownAndLowerCaseNamesAnswerFalse)
{
    Open();
    Key(Platform::KeyCode::kEscape, true);
    Frame();
    ASSERT_TRUE(controls_->IsKeyDown("ESCAPE"));
    for (const char* name : {"escape", "Escape", "MOUSE9", "", "NUMPAD_ENTER"}) {
        EXPECT_FALSE(controls_->IsKeyDown(name)) << name;
        EXPECT_FALSE(controls_->WasKeyPressed(name)) << name;
    }
    EXPECT_EQ(Controls::GetKeyNames().size(), 108u);
    EXPECT_EQ(controls_->GetKeyCode("escape"), 0u);

    EndFrame();
    Key(Platform::KeyCode::kNumpadEnter, true);
    Frame();
    EXPECT_FALSE(controls_->WasKeyPressed("ENTER")) << "keypad Enter has no name of its own and is not ENTER";
    EXPECT_FALSE(controls_->AnyKeyPressed());
}

TEST_F(ControlsTest, WheelIsReportedOnceAndThenReadsZero)
{
    Open();
    Mouse(Platform::kMouseOffsetWheel, 120);
    Frame();
    EXPECT_EQ(controls_->GetMouseWheel(), 120);
    Mouse(Platform::kMouseOffsetWheel, 240);
    Frame();
    EXPECT_EQ(controls_->GetMouseWheel(), 0) << "held back in the frame after a reported one";
    Frame();
    EXPECT_EQ(controls_->GetMouseWheel(), 0);
    Mouse(Platform::kMouseOffsetWheel, -120);
    Frame();
    EXPECT_EQ(controls_->GetMouseWheel(), -120);
}

TEST_F(ControlsTest, MouseMovesUpwardsPositiveUnlessInverted)
{
    Open();
    Mouse(Platform::kMouseOffsetX, 4);
    Mouse(Platform::kMouseOffsetY, -5); // towards the top of the screen
    Frame();
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().x, 4.0f);
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().y, 5.0f);
    config_->SetValue("c_invert_mouse", "1");
    Mouse(Platform::kMouseOffsetY, -5);
    Frame();
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().y, -5.0f);
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().x, 0.0f) << "movement is per frame";
}

TEST_F(ControlsTest, AllEightButtonsWithTheRightButtonAsMouse2)
{
    Open();
    Mouse(Platform::kMouseOffsetButton0 + 1, Platform::kInputDownFlag);
    Mouse(Platform::kMouseOffsetButton0 + 7, Platform::kInputDownFlag);
    Frame();
    EXPECT_TRUE(controls_->IsKeyDown("MOUSE2"));
    EXPECT_TRUE(controls_->WasKeyPressed("MOUSE8"));
    EXPECT_FALSE(controls_->IsKeyDown("MOUSE1"));
}

TEST_F(ControlsTest, InputBlockEndsWhenNothingIsHeld)
{
    Open();
    controls_->BlockInput();
    EXPECT_FALSE(controls_->IsKeyDown("A"));
    Frame();
    EXPECT_FALSE(controls_->IsInputBlocked()) << "nothing held: released at once";

    Key(Platform::KeyCode::kA, true);
    Frame();
    EndFrame();
    controls_->BlockInput();
    Mouse(Platform::kMouseOffsetX, 3);
    Frame();
    EXPECT_TRUE(controls_->IsInputBlocked());
    EXPECT_FALSE(controls_->IsKeyDown("A"));
    EXPECT_FALSE(controls_->AnyKeyDown());
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().x, 3.0f) << "movement still answers";
    Key(Platform::KeyCode::kA, false);
    Frame();
    EXPECT_FALSE(controls_->IsInputBlocked()) << "released with the key";
}

TEST_F(ControlsTest, InputBlockWaitsForAPendingKeyMessage)
{
    Open();
    window_->HandleMessage(Platform::WindowMessage{Platform::WindowMessageType::Character, 'q'});
    controls_->BlockInput();
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    EXPECT_FALSE(controls_->GetTypedKey(code, isCharacter));
    Frame();
    EXPECT_TRUE(controls_->IsInputBlocked());
    EndFrame();
    Frame();
    EXPECT_FALSE(controls_->IsInputBlocked());
}

TEST_F(ControlsTest, StaleHeldKeysReleaseTheBlockAfterTwoSeconds)
{
    Platform::SetManualClock(true);
    Open();
    Key(Platform::KeyCode::kB, true);
    Frame();
    // The system forgets the key without the device ever reporting its release.
    Platform::ReleaseAllHeldKeys();
    controls_->BlockInput();
    int frames = 0;
    while (controls_->IsInputBlocked() && frames < 100) {
        Platform::AdvanceManualClock(100000);
        timers_.Update();
        Frame();
        EndFrame();
        ++frames;
    }
    EXPECT_FALSE(controls_->IsInputBlocked());
    EXPECT_GE(frames, 20) << "not before two seconds";
    EXPECT_LE(frames, 22);

    Key(Platform::KeyCode::kB, true);
    controls_->BlockInput();
    for (int frame = 0; frame < 30; ++frame) {
        Platform::AdvanceManualClock(100000);
        timers_.Update();
        Frame();
    }
    EXPECT_TRUE(controls_->IsInputBlocked()) << "a key the system still holds keeps the block";
}

TEST_F(ControlsTest, OverflowFallsBackToTheImmediateState)
{
    Open();
    for (int i = 0; i < 5; ++i) {
        Key(Platform::KeyCode::kA, true);
        Key(Platform::KeyCode::kA, false);
    }
    Key(Platform::KeyCode::kB, true);
    Frame();
    EXPECT_FALSE(controls_->WasKeyPressed("A")) << "presses already released are lost";
    EXPECT_TRUE(controls_->IsKeyDown("B"));
    EXPECT_TRUE(controls_->IsKeyboardBuffered()) << "an overflow does not end buffering";
}

TEST_F(ControlsTest, TypedKeyComesFromTheWindowAndClearsAtFrameEnd)
{
    Open();
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 9;
    EXPECT_FALSE(controls_->GetTypedKey(code, isCharacter));
    window_->HandleMessage(Platform::WindowMessage{Platform::WindowMessageType::KeyDown, Platform::VirtualKey::kLeft});
    ASSERT_TRUE(controls_->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, Platform::VirtualKey::kLeft);
    EXPECT_EQ(isCharacter, 0);
    // A second key in the same frame waits for the next one.
    window_->HandleMessage(Platform::WindowMessage{Platform::WindowMessageType::Character, 0x44F});
    ASSERT_TRUE(controls_->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, Platform::VirtualKey::kLeft);
    EndFrame();
    ASSERT_TRUE(controls_->GetTypedKey(code, isCharacter));
    EXPECT_EQ(code, 0x44F);
    EXPECT_EQ(isCharacter, 1);
    EndFrame();
    EXPECT_FALSE(controls_->GetTypedKey(code, isCharacter));
}

TEST_F(ControlsTest, InitialisationLogsItsStepsAndEachFailureIsFatal)
{
    Open();
    for (const char* line : {"Initialization of DirectInput devices...", "...Creating a DirectInput object...",
                             "...Keyboard:", "......Obtaining an interface to the system keyboard device...",
                             "......Setting the data format...", "......Setting the cooperativity level...",
                             "......Setting the buffered mode...",
                             "...Mouse:", "......Obtaining an interface to the system mouse device..."}) {
        EXPECT_TRUE(LogHolds(line)) << line;
    }
    controls_.reset();
    for (const char* line :
         {"\nDirectInput devices destroying:", "...Keyboard...", "...Mouse...", "...DirectInput object..."}) {
        EXPECT_TRUE(LogHolds(line)) << line;
    }

    struct Case
    {
        Platform::InputStep step;
        InputDeviceKind kind;
        const char* message;
    };
    const Case cases[] = {
        {Platform::InputStep::CreateSystem, InputDeviceKind::Keyboard, "Failed to create a DirectInput object"},
        {Platform::InputStep::CreateDevice, InputDeviceKind::Keyboard,
         "Failed to obtain an interface to the system keyboard device"},
        {Platform::InputStep::CreateDevice, InputDeviceKind::Mouse,
         "Failed to obtain an interface to the system mouse device"},
        {Platform::InputStep::SetDataFormat, InputDeviceKind::Mouse, "Failed to set the data format"},
        {Platform::InputStep::SetCooperativeLevel, InputDeviceKind::Keyboard, "Failed to set the cooperativity level"},
    };
    for (const Case& c : cases) {
        const TestSupport::ScopedPlatformFailure failure(c.step, c.kind, Platform::InputResult::Generic, 1);
        try {
            Open();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const FatalError& error) {
            EXPECT_EQ(error.GetMessage(), c.message);
        }
        EXPECT_TRUE(LogHolds(std::string("PROGRAM ABORTING: ") + c.message));
    }
}

TEST_F(ControlsTest, RefusedBufferingSwitchesThatDeviceToImmediateReads)
{
    const TestSupport::ScopedPlatformFailure failBuffering(Platform::InputStep::SetBufferSize, InputDeviceKind::Mouse,
                                                           Platform::InputResult::Generic, 1);
    Open();
    EXPECT_TRUE(LogHolds("Error: Failed to set the buffered mode, switching to the immediate mode"));
    EXPECT_TRUE(controls_->IsKeyboardBuffered());
    EXPECT_FALSE(controls_->IsMouseBuffered());
    Mouse(Platform::kMouseOffsetX, 2);
    Mouse(Platform::kMouseOffsetX, 3);
    Mouse(Platform::kMouseOffsetWheel, 120);
    Mouse(Platform::kMouseOffsetButton0 + 4, Platform::kInputDownFlag);
    Frame();
    EXPECT_FLOAT_EQ(controls_->GetMouseMove().x, 5.0f);
    EXPECT_EQ(controls_->GetMouseWheel(), 120);
    EXPECT_TRUE(controls_->WasKeyPressed("MOUSE5"));
}

TEST_F(ControlsTest, LostDevicesAreReacquiredWithoutHanging)
{
    Open();
    Key(Platform::KeyCode::kC, true);
    const TestSupport::ScopedPlatformFailure loseBuffered(Platform::InputStep::ReadBuffered, InputDeviceKind::Keyboard,
                                                          Platform::InputResult::InputLost, 1);
    const TestSupport::ScopedPlatformFailure failAcquire(Platform::InputStep::Acquire, InputDeviceKind::Keyboard,
                                                         Platform::InputResult::InputLost);
    Frame();
    EXPECT_TRUE(controls_->IsKeyDown("C")) << "the immediate state still answers";
    EndFrame();
    const TestSupport::ScopedPlatformFailure loseImmediate(Platform::InputStep::ReadImmediate,
                                                           InputDeviceKind::Keyboard, Platform::InputResult::InputLost);
    const TestSupport::ScopedPlatformFailure loseBufferedAgain(
        Platform::InputStep::ReadBuffered, InputDeviceKind::Keyboard, Platform::InputResult::InputLost, 1);
    Frame();
    EXPECT_FALSE(controls_->IsKeyDown("C")) << "an unreadable device reads as nothing held";
}

TEST_F(ControlsTest, CursorCounterSettlesAtTenEitherWay)
{
    Open();
    controls_->ShowCursor(false);
    EXPECT_FALSE(controls_->IsCursorVisible());
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
    }
    EXPECT_EQ(Platform::GetCursorShowCount(), -10);
    controls_->ShowCursor(true);
    EXPECT_GE(Platform::GetCursorShowCount(), 0);
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
    }
    EXPECT_EQ(Platform::GetCursorShowCount(), 10);
}

TEST_F(ControlsTest, SteadyFramesWithInputAllocateNothing)
{
    // One frame's worth of keyboard and mouse traffic; the events reach the
    // device queues before the frame, as the system's would.
    const auto feed = [](int frame) {
        const bool down = frame % 2 == 0;
        Key(Platform::KeyCode::kA, down);
        Key(Platform::KeyCode::kSpace, !down);
        Key(Platform::KeyCode::kEscape, down);
        Mouse(Platform::kMouseOffsetX, 3);
        Mouse(Platform::kMouseOffsetY, -2);
        Mouse(Platform::kMouseOffsetWheel, down ? 120 : -120);
        Mouse(Platform::kMouseOffsetButton0, down ? Platform::kInputDownFlag : 0);
        Mouse(Platform::kMouseOffsetButton0 + 1, down ? 0 : Platform::kInputDownFlag);
    };
    for (const bool buffered : {true, false}) {
        Open(buffered);
        for (int frame = 0; frame < 3; ++frame) {
            feed(frame);
            Frame();
            EndFrame();
        }
        std::size_t allocations = 0;
        bool sawKeys = false;
        for (int frame = 0; frame < 50; ++frame) {
            feed(frame);
            if (frame == 10) {
                controls_->BlockInput();
            }
            TestSupport::ScopedAllocationCount count;
            Frame();
            sawKeys = sawKeys || (controls_->IsKeyDown("A") && controls_->WasKeyPressed("ESCAPE"));
            controls_->WasKeyPressed("SPACE");
            controls_->AnyKeyPressed();
            controls_->ShowCursor(frame % 3 != 0);
            EndFrame();
            allocations += count.Count();
        }
        EXPECT_EQ(allocations, 0u) << (buffered ? "buffered" : "immediate");
        EXPECT_TRUE(sawKeys) << "the input really went through";
        controls_.reset();
        Platform::DiscardPendingEvents();
        Platform::ReleaseAllHeldKeys();
    }
}

} // namespace
