#include "platform/InputDevice.h"
#include "platform/InputSystem.h"
#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"
#include "support/ScopedPlatformFailure.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Platform;

class InputDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearInputFailuresForTesting();
        ReleaseAllHeldKeys();
        ASSERT_EQ(InputSystem::Create(system_), InputResult::Ok);
    }
    void TearDown() override
    {
        ClearInputFailuresForTesting();
        ReleaseAllHeldKeys();
    }

    std::unique_ptr<InputDevice> Open(InputDeviceKind kind, std::uint32_t bufferSize)
    {
        std::unique_ptr<InputDevice> device;
        EXPECT_EQ(system_->CreateDevice(kind, device), InputResult::Ok);
        EXPECT_EQ(device->SetDataFormat(kind), InputResult::Ok);
        EXPECT_EQ(device->SetCooperativeLevel(InputCooperation::NonExclusiveBackground), InputResult::Ok);
        if (bufferSize > 0) {
            EXPECT_EQ(device->SetBufferSize(bufferSize), InputResult::Ok);
        }
        EXPECT_EQ(device->Acquire(), InputResult::Ok);
        return device;
    }

    static void Key(std::uint8_t code, bool down)
    {
        InputDevice::Deliver(InputEvent{InputDeviceKind::Keyboard, code, down ? kInputDownFlag : 0});
    }

    std::unique_ptr<InputSystem> system_;
};

TEST_F(InputDeviceTest, BufferedEventsComeOutInOrderAndOverflowIsReported)
{
    auto keyboard = Open(InputDeviceKind::Keyboard, 3);
    Key(KeyCode::kA, true);
    Key(KeyCode::kA, false);
    InputEvent events[8];
    std::uint32_t count = 8;
    ASSERT_EQ(keyboard->GetBufferedData(events, count), InputResult::Ok);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(events[0].offset, KeyCode::kA);
    EXPECT_EQ(events[0].data, kInputDownFlag);
    EXPECT_EQ(events[1].data, 0);

    for (int i = 0; i < 4; ++i) {
        Key(KeyCode::kB, i % 2 == 0);
    }
    count = 8;
    EXPECT_EQ(keyboard->GetBufferedData(events, count), InputResult::BufferOverflow);
    EXPECT_EQ(count, 3u) << "the queue holds only as many events as its size";
    count = 8;
    EXPECT_EQ(keyboard->GetBufferedData(events, count), InputResult::Ok);
    EXPECT_EQ(count, 0u);

    std::uint8_t keys[256];
    ASSERT_EQ(keyboard->GetKeyboardState(keys), InputResult::Ok);
    EXPECT_EQ(keys[KeyCode::kB], 0) << "the immediate state follows every event, lost ones included";
}

TEST_F(InputDeviceTest, MouseImmediateStateSumsMovementSinceTheLastRead)
{
    auto mouse = Open(InputDeviceKind::Mouse, 0);
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetX, 5});
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetX, -2});
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetY, 7});
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetWheel, 120});
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetButton0 + 7, kInputDownFlag});
    MouseState state;
    ASSERT_EQ(mouse->GetMouseState(state), InputResult::Ok);
    EXPECT_EQ(state.x, 3);
    EXPECT_EQ(state.y, 7);
    EXPECT_EQ(state.wheel, 120);
    EXPECT_NE(state.buttons[7], 0);
    ASSERT_EQ(mouse->GetMouseState(state), InputResult::Ok);
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.wheel, 0);
    EXPECT_NE(state.buttons[7], 0) << "buttons stay held between reads";

    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetX, INT32_MAX});
    InputDevice::Deliver(InputEvent{InputDeviceKind::Mouse, kMouseOffsetX, INT32_MAX});
    ASSERT_EQ(mouse->GetMouseState(state), InputResult::Ok);
    EXPECT_EQ(state.x, INT32_MAX) << "movement saturates";
}

TEST_F(InputDeviceTest, DevicesAnswerOnlyWhenAcquiredAndSetUp)
{
    std::unique_ptr<InputDevice> keyboard;
    ASSERT_EQ(system_->CreateDevice(InputDeviceKind::Keyboard, keyboard), InputResult::Ok);
    EXPECT_EQ(keyboard->SetDataFormat(InputDeviceKind::Mouse), InputResult::InvalidParameter);
    EXPECT_EQ(keyboard->Acquire(), InputResult::InvalidParameter) << "no data format yet";
    ASSERT_EQ(keyboard->SetDataFormat(InputDeviceKind::Keyboard), InputResult::Ok);
    std::uint8_t keys[256];
    EXPECT_EQ(keyboard->GetKeyboardState(keys), InputResult::NotAcquired);
    Key(KeyCode::kEscape, true);
    ASSERT_EQ(keyboard->Acquire(), InputResult::Ok);
    InputEvent events[8];
    std::uint32_t count = 8;
    EXPECT_EQ(keyboard->GetBufferedData(events, count), InputResult::NotBuffered);
    ASSERT_EQ(keyboard->GetKeyboardState(keys), InputResult::Ok);
    EXPECT_NE(keys[KeyCode::kEscape], 0) << "a key held before acquiring reads as held";
    MouseState state;
    EXPECT_EQ(keyboard->GetMouseState(state), InputResult::InvalidParameter);
}

TEST_F(InputDeviceTest, PlannedFailuresHitTheNamedStepAndKindOnly)
{
    const TestSupport::ScopedPlatformFailure failCreate(InputStep::CreateSystem, InputDeviceKind::Mouse,
                                                        InputResult::Generic, 1);
    std::unique_ptr<InputSystem> other;
    EXPECT_EQ(InputSystem::Create(other), InputResult::Generic);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(InputSystem::Create(other), InputResult::Ok) << "a failure planned once fails once";

    const TestSupport::ScopedPlatformFailure failRead(InputStep::ReadBuffered, InputDeviceKind::Mouse,
                                                      InputResult::InputLost);
    auto keyboard = Open(InputDeviceKind::Keyboard, 8);
    auto mouse = Open(InputDeviceKind::Mouse, 8);
    InputEvent events[8];
    for (int i = 0; i < 3; ++i) {
        std::uint32_t count = 8;
        EXPECT_EQ(mouse->GetBufferedData(events, count), InputResult::InputLost);
    }
    std::uint32_t count = 8;
    EXPECT_EQ(keyboard->GetBufferedData(events, count), InputResult::Ok);
    EXPECT_FALSE(InputSucceeded(InputResult::InputLost));
    EXPECT_TRUE(InputSucceeded(InputResult::BufferOverflow));
}

} // namespace
