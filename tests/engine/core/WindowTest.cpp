#include "engine/core/Window.h"
#include "engine/core/Config.h"
#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "tests/engine/file/TempFolder.h"

#include "platform/AppWindow.h"
#include "platform/EventPump.h"
#include "platform/InputDevice.h"
#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"
#include "support/ScopedPlatformFailure.h"

#include <gtest/gtest.h>

#include "support/LogSearch.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace OrrelayEngine;
using Platform::MessageDisposition;
using Platform::SystemCommand;
using Platform::WindowMessage;
using Platform::WindowMessageType;

WindowMessage Command(SystemCommand command)
{
    return WindowMessage{WindowMessageType::SystemCommand, static_cast<std::uint32_t>(command)};
}

void SetKey(std::uint8_t keyCode, bool down)
{
    Platform::InputDevice::Deliver(
        Platform::InputEvent{Platform::InputDeviceKind::Keyboard, keyCode, down ? Platform::kInputDownFlag : 0});
}

class WindowTest : public ::testing::Test
{
protected:
    WindowTest() : files_(&log_, folder_.Path(), "Data")
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        Platform::SetOpenGlWindows(false);
        config_ =
            std::make_unique<Config>(&log_, &files_, folder_.Path(), "Quillory", false, "640x480x32", false, false);
        Platform::ReleaseAllHeldKeys();
        Platform::DiscardPendingEvents();
    }
    ~WindowTest() override
    {
        window_.reset();
        Platform::DiscardPendingEvents();
        Platform::ReleaseAllHeldKeys();
        Platform::SetWindowFailureForTesting(Platform::WindowStep::RegisterClass, false);
        Platform::SetWindowFailureForTesting(Platform::WindowStep::CreateWindow, false);
        Platform::SetWindowFailureForTesting(Platform::WindowStep::AcquireDrawingContext, false);
        Platform::SetOpenGlWindows(true);
    }

    void Open(bool fullscreen = false, bool minimizeOnFocusLoss = false)
    {
        window_ = std::make_unique<Window>(&log_, config_.get(), "Quillory 1.04", nullptr, 0, minimizeOnFocusLoss, 640,
                                           480, fullscreen, true, 0, 0);
        Platform::DiscardPendingEvents();
    }

    void PumpAll()
    {
        int guard = 0;
        while (Platform::DispatchNextEvent() && ++guard < 1000) {
        }
    }

    bool LogHolds(const std::string& text) const
    {
        // Information lines end in a line feed of the log's own.
        return TestSupport::Logged(log_, text, TestSupport::LogMatch::kWhole);
    }

    std::string ReadIni() const
    {
        std::ifstream in(folder_.Path("Quillory.ini"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    FileTests::TempFolder folder_;
    MessageManager log_{"Test", false, false, "", ""};
    FileManager files_;
    std::unique_ptr<Config> config_;
    std::unique_ptr<Window> window_;
};

TEST_F(WindowTest, CreationLogsItsStepsAndTakesTheFocus)
{
    Open();
    for (const char* line :
         {" ", "Window creation:", "...Registering the window class...", "...Creating a device context..."}) {
        EXPECT_TRUE(LogHolds(line)) << line;
    }
    EXPECT_TRUE(window_->HasFocus());
    EXPECT_FALSE(window_->IsFullscreen());
    EXPECT_EQ(window_->GetWidth(), 640);
    EXPECT_EQ(window_->GetHostWindow(), nullptr);
    EXPECT_FALSE(window_->IsKeyPending());
    const Platform::WindowPlacement placement = window_->GetAppWindow()->GetPlacement();
    EXPECT_EQ(placement.x, (1024 - 640) / 2) << "centred on the offscreen driver's 1024 x 768 desktop";
    EXPECT_EQ(window_->GetAppWindow()->GetTitle(), "Quillory 1.04");
    window_->SetTitle("Quillory \xC3\xA9");
    EXPECT_EQ(window_->GetAppWindow()->GetTitle(), "Quillory \xC3\xA9");

    log_.ClearMessages();
    window_.reset();
    for (const char* line : {"\nWindow destroying:", "...Releasing device context...", "...Releasing window...",
                             "...Unregistering class..."}) {
        EXPECT_TRUE(LogHolds(line)) << line;
    }
}

TEST_F(WindowTest, EachFailingStepIsFatalWithItsMessage)
{
    const std::pair<Platform::WindowStep, const char*> cases[] = {
        {Platform::WindowStep::RegisterClass, "Failed to register the window class"},
        {Platform::WindowStep::CreateWindow, "Failed to create window"},
        {Platform::WindowStep::AcquireDrawingContext, "Failed to create a device context"},
    };
    for (const auto& c : cases) {
        const TestSupport::ScopedPlatformFailure failure(c.first);
        try {
            Open();
            ADD_FAILURE() << "no error for " << c.second;
        } catch (const FatalError& error) {
            EXPECT_EQ(error.GetMessage(), c.second);
        }
        EXPECT_TRUE(LogHolds(std::string("PROGRAM ABORTING: ") + c.second)) << c.second;
    }
    Open();
    EXPECT_TRUE(window_->HasFocus()) << "the video system was left in order by the failures";
}

TEST_F(WindowTest, CloseQuitAndTheCloseCommandEachIssueExit)
{
    Open();
    const WindowMessage messages[] = {
        {WindowMessageType::Close, 0}, {WindowMessageType::Quit, 0}, Command(SystemCommand::Close)};
    for (const WindowMessage& message : messages) {
        config_->SetCommandIdle("exit", true);
        EXPECT_EQ(window_->HandleMessage(message), MessageDisposition::Handled);
        EXPECT_FALSE(config_->IsCommandIdle("exit")) << int(message.type);
    }
    config_->SetCommandIdle("exit", true);
    Platform::PostWindowMessage(*window_->GetAppWindow(), WindowMessage{WindowMessageType::Close, 0});
    PumpAll();
    EXPECT_FALSE(config_->IsCommandIdle("exit")) << "through the pump";
}

TEST_F(WindowTest, MaximiseInWindowedModeSwitchesToFullScreenAndSaves)
{
    Open();
    EXPECT_EQ(window_->HandleMessage(Command(SystemCommand::Maximize)), MessageDisposition::Handled);
    EXPECT_EQ(config_->GetValue("v_fullscreen"), "1");
    EXPECT_FALSE(config_->IsCommandIdle("v_window_change_mode"));
    EXPECT_NE(ReadIni().find("v_fullscreen 1\r\n"), std::string::npos);

    window_->SetMode(800, 600, true, 1024, 768);
    config_->SetCommandIdle("v_window_change_mode", true);
    std::filesystem::remove(folder_.Path("Quillory.ini"));
    EXPECT_EQ(window_->HandleMessage(Command(SystemCommand::Maximize)), MessageDisposition::Handled);
    EXPECT_TRUE(config_->IsCommandIdle("v_window_change_mode")) << "full screen already: nothing";
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("Quillory.ini")));
}

TEST_F(WindowTest, HeldAltEnterSwitchesOncePerPressOfReturn)
{
    Open();
    SetKey(Platform::KeyCode::kLeftAlt, true);
    SetKey(Platform::KeyCode::kReturn, true);
    // An even number of frames, so that switching every frame would end where it began.
    for (int frame = 0; frame < 4; ++frame) {
        window_->Update();
    }
    EXPECT_EQ(config_->GetValue("v_fullscreen"), "1");
    EXPECT_FALSE(config_->IsCommandIdle("v_window_change_mode"));
    EXPECT_NE(ReadIni().find("v_fullscreen 1\r\n"), std::string::npos);

    SetKey(Platform::KeyCode::kReturn, false);
    window_->Update();
    SetKey(Platform::KeyCode::kReturn, true);
    window_->Update();
    window_->Update();
    EXPECT_EQ(config_->GetValue("v_fullscreen"), "0") << "a second press switches back";

    SetKey(Platform::KeyCode::kLeftAlt, false);
    SetKey(Platform::KeyCode::kReturn, false);
    window_->Update();
    SetKey(Platform::KeyCode::kReturn, true);
    window_->Update();
    EXPECT_EQ(config_->GetValue("v_fullscreen"), "0") << "Return alone does nothing";

    SetKey(Platform::KeyCode::kReturn, false);
    SetKey(Platform::KeyCode::kRightAlt, true);
    SetKey(Platform::KeyCode::kNumpadEnter, true);
    window_->Update();
    EXPECT_EQ(config_->GetValue("v_fullscreen"), "1") << "keypad Enter is Return too";
}

TEST_F(WindowTest, KeyEventsWaitInOrderOnePerFrameAndControlCharactersAreIgnored)
{
    Open();
    EXPECT_EQ(window_->HandleMessage(WindowMessage{WindowMessageType::Character, 13}), MessageDisposition::Default);
    EXPECT_FALSE(window_->IsKeyPending()) << "control characters give no typed key";
    window_->HandleMessage(WindowMessage{WindowMessageType::KeyDown, Platform::VirtualKey::kBackspace});
    window_->HandleMessage(WindowMessage{WindowMessageType::Character, 0xE9});
    window_->HandleMessage(WindowMessage{WindowMessageType::Character, 0x1F600});
    window_->HandleMessage(WindowMessage{WindowMessageType::SysKeyDown, Platform::VirtualKey::kF1 + 3});
    window_->HandleMessage(WindowMessage{WindowMessageType::Character, 31});
    struct Key
    {
        bool isCharacter;
        std::uint16_t code;
    };
    // Each frame clears the key it saw; the next one waiting takes its place.
    const Key expected[] = {
        {false, Platform::VirtualKey::kBackspace}, {true, 0xE9}, {true, L'A'}, {false, Platform::VirtualKey::kF1 + 3}};
    for (const Key& key : expected) {
        SCOPED_TRACE(key.code);
        ASSERT_TRUE(window_->IsKeyPending());
        EXPECT_EQ(window_->IsKeyCharacter(), key.isCharacter);
        EXPECT_EQ(window_->GetKeyCode(), key.code);
        window_->ClearKeyPending();
    }
    EXPECT_FALSE(window_->IsKeyPending());

    for (int i = 0; i < 100; ++i)
        window_->HandleMessage(WindowMessage{WindowMessageType::Character, static_cast<std::uint32_t>(L'a' + i % 26)});
    int seen = 0;
    for (; window_->IsKeyPending() && seen < 1000; ++seen) {
        EXPECT_EQ(window_->GetKeyCode(), L'a' + seen % 26);
        window_->ClearKeyPending();
    }
    EXPECT_GT(seen, 20) << "a burst of typing arrives";
    EXPECT_LT(seen, 100) << "a flood is bounded";
    EXPECT_EQ(window_->HandleMessage(WindowMessage{WindowMessageType::SysKeyUp, Platform::VirtualKey::kAlt}),
              MessageDisposition::Handled);
}

TEST_F(WindowTest, FocusLossMinimisesOnceAndRestoreEndsIt)
{
    Open(false, true);
    window_->Update();
    EXPECT_FALSE(Platform::DispatchNextEvent()) << "focused: nothing to do";
    Platform::PostWindowMessage(*window_->GetAppWindow(), WindowMessage{WindowMessageType::KillFocus, 0});
    PumpAll();
    EXPECT_FALSE(window_->HasFocus());
    window_->Update();
    PumpAll();
    EXPECT_TRUE(window_->IsMinimized());
    window_->Update();
    EXPECT_FALSE(Platform::DispatchNextEvent()) << "not minimised again while minimised";
    window_->HandleMessage(Command(SystemCommand::Restore));
    EXPECT_FALSE(window_->IsMinimized());
}

TEST_F(WindowTest, ScreenSaverAndSystemMenuRequestsAreRefused)
{
    Open();
    for (SystemCommand command :
         {SystemCommand::ScreenSave, SystemCommand::MonitorPower, SystemCommand::TaskList, SystemCommand::HotKey}) {
        EXPECT_EQ(window_->HandleMessage(Command(command)), MessageDisposition::Handled) << int(command);
    }
    EXPECT_EQ(window_->HandleMessage(Command(SystemCommand::Minimize)), MessageDisposition::Default);
    EXPECT_TRUE(window_->IsMinimized());
}

TEST_F(WindowTest, FullScreenClampsTheGammaSettings)
{
    Open();
    config_->SetValue("v_gamma", "3.5");
    config_->SetValue("v_brightness", "-1");
    window_->SetMode(800, 600, false, 1024, 768);
    EXPECT_EQ(config_->GetValue("v_gamma"), "3.500000") << "windowed leaves it";
    EXPECT_EQ(window_->GetAppWindow()->GetPlacement().x, 112);
    window_->SetMode(800, 600, true, 1024, 768);
    EXPECT_EQ(config_->GetValue("v_gamma"), "2.000000");
    EXPECT_EQ(config_->GetValue("v_brightness"), "0.000000");
    EXPECT_TRUE(window_->IsFullscreen());
    EXPECT_EQ(window_->GetAppWindow()->GetPlacement().form, Platform::WindowForm::Fullscreen);
}

TEST_F(WindowTest, HostedWindowTakesTheHostSizeAndEndsWithIt)
{
    Open();
    const Platform::WindowPlacement host = window_->GetAppWindow()->GetPlacement();
    Window hosted(&log_, config_.get(), "Hosted", window_->GetAppWindow(), 0, true, 100, 100, true, true, 0, 0);
    EXPECT_EQ(hosted.GetWidth(), host.width);
    EXPECT_FALSE(hosted.IsFullscreen());
    EXPECT_FALSE(hosted.HasFocus());
    hosted.Update();
    EXPECT_TRUE(config_->IsCommandIdle("exit"));
    EXPECT_EQ(hosted.HandleMessage(Command(SystemCommand::Minimize)), MessageDisposition::Handled);
    EXPECT_FALSE(hosted.IsMinimized());
    window_.reset();
    hosted.Update();
    EXPECT_FALSE(config_->IsCommandIdle("exit")) << "the host went away";
}

} // namespace
