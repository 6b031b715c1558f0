#include "platform/AppWindow.h"
#include "platform/Cursor.h"
#include "platform/Display.h"
#include "platform/EventPump.h"
#include "platform/GraphicsDevice.h"
#include "platform/GraphicsDriverGL.h"
#include "platform/InputSystem.h"
#include "platform/KeyState.h"
#include "platform/VirtualKeys.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "support/LeakCheckPause.h"
#include "support/ScopedPlatformFailure.h"

namespace {

using namespace Platform;

class RecordingHandler : public WindowMessageHandler
{
public:
    MessageDisposition HandleWindowMessage(const WindowMessage& message) override
    {
        messages.push_back(message);
        if (message.type == WindowMessageType::SystemCommand &&
            static_cast<SystemCommand>(message.code) == SystemCommand::ScreenSave) {
            return refuseScreenSaver ? MessageDisposition::Handled : MessageDisposition::Default;
        }
        return MessageDisposition::Default;
    }

    bool refuseScreenSaver = true;
    std::vector<WindowMessage> messages;
};

class AppWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SDL_setenv("SDL_VIDEODRIVER", "offscreen", 0);
        SetOpenGlWindows(false);
        ASSERT_EQ(AppWindow::RegisterClass(), WindowResult::Ok) << SDL_GetError();
        ReleaseAllHeldKeys();
    }
    void TearDown() override
    {
        window_.reset();
        DiscardPendingEvents();
        SetWindowFailureForTesting(WindowStep::RegisterClass, false);
        SetWindowFailureForTesting(WindowStep::CreateWindow, false);
        AppWindow::UnregisterClass();
        ReleaseAllHeldKeys();
        SetOpenGlWindows(true);
    }

    void CreateWindow(WindowForm form = WindowForm::Windowed)
    {
        WindowPlacement placement;
        placement.form = form;
        placement.x = 40;
        placement.y = 30;
        placement.width = 320;
        placement.height = 240;
        ASSERT_EQ(AppWindow::Create("Test", placement, &handler_, window_), WindowResult::Ok);
        DiscardPendingEvents();
        handler_.messages.clear();
    }

    // A windowed GL window and its driver; false where the video driver gives
    // no OpenGL context.
    bool CreateGlWindow(std::unique_ptr<GraphicsDriverGL>& driver)
    {
        TestSupport::PinGraphicsLibraries();
        SetOpenGlWindows(true);
        CreateWindow();
        return window_ != nullptr && !GraphicsFailed(GraphicsDriverGL::CreateForWindow(window_.get(), driver));
    }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    void PumpAll()
    {
        int guard = 0;
        while (DispatchNextEvent() && ++guard < 1000) {
        }
    }

    SDL_Event KeyDown(SDL_Keycode key, SDL_Scancode scancode, std::uint16_t mod)
    {
        SDL_Event event{};
        event.key.type = SDL_KEYDOWN;
        event.key.windowID = window_->GetId();
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        return event;
    }

    RecordingHandler handler_;
    std::unique_ptr<AppWindow> window_;
};

TEST_F(AppWindowTest, CloseAndQuitReachTheHandler)
{
    CreateWindow();
    SDL_Event close{};
    close.window.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = window_->GetId();
    Push(close);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    PumpAll();
    ASSERT_EQ(handler_.messages.size(), 2u);
    EXPECT_EQ(handler_.messages[0].type, WindowMessageType::Close);
    EXPECT_EQ(handler_.messages[1].type, WindowMessageType::Quit);
    EXPECT_FALSE(DispatchNextEvent()) << "nothing left to dispatch";
}

TEST_F(AppWindowTest, AltF4LeftToTheDefaultBecomesTheCloseCommandThenClose)
{
    CreateWindow();
    Push(KeyDown(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
    PumpAll();
    ASSERT_EQ(handler_.messages.size(), 3u);
    EXPECT_EQ(handler_.messages[0].type, WindowMessageType::SysKeyDown);
    EXPECT_EQ(handler_.messages[0].code, VirtualKey::kF1 + 3);
    EXPECT_EQ(handler_.messages[1].type, WindowMessageType::SystemCommand);
    EXPECT_EQ(handler_.messages[1].code, static_cast<std::uint32_t>(SystemCommand::Close));
    EXPECT_EQ(handler_.messages[2].type, WindowMessageType::Close);
}

TEST_F(AppWindowTest, PostedMessagesGoFirstAndAreDroppedForAGoneWindow)
{
    CreateWindow();
    SDL_Event close{};
    close.window.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = window_->GetId();
    Push(close);
    PostWindowMessage(
        *window_, WindowMessage{WindowMessageType::SystemCommand, static_cast<std::uint32_t>(SystemCommand::Restore)});
    ASSERT_TRUE(DispatchNextEvent());
    ASSERT_EQ(handler_.messages.size(), 1u);
    EXPECT_EQ(handler_.messages[0].type, WindowMessageType::SystemCommand);
    PumpAll();
    ASSERT_EQ(handler_.messages.size(), 2u);
    EXPECT_EQ(handler_.messages[1].type, WindowMessageType::Close);

    PostWindowMessage(*window_, WindowMessage{WindowMessageType::Close, 0});
    window_.reset();
    EXPECT_TRUE(DispatchNextEvent());
    EXPECT_EQ(handler_.messages.size(), 2u);
}

TEST_F(AppWindowTest, TheScreenSaverStaysOffWhileTheWindowRefusesIt)
{
    SDL_EnableScreenSaver();
    CreateWindow();
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    window_.reset();
    handler_.refuseScreenSaver = false;
    CreateWindow();
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
}

TEST_F(AppWindowTest, PumpedInputReachesDevicesHeldStateAndCursor)
{
    CreateWindow();
    std::unique_ptr<InputSystem> system;
    ASSERT_EQ(InputSystem::Create(system), InputResult::Ok);
    std::unique_ptr<InputDevice> keyboard;
    ASSERT_EQ(system->CreateDevice(InputDeviceKind::Keyboard, keyboard), InputResult::Ok);
    ASSERT_EQ(keyboard->SetDataFormat(InputDeviceKind::Keyboard), InputResult::Ok);
    ASSERT_EQ(keyboard->SetBufferSize(8), InputResult::Ok);
    ASSERT_EQ(keyboard->Acquire(), InputResult::Ok);

    Push(KeyDown(SDLK_z, SDL_SCANCODE_Z, 0));
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = window_->GetId();
    motion.motion.x = 12;
    motion.motion.y = 34;
    Push(motion);
    PumpAll();

    InputEvent events[8];
    std::uint32_t count = 8;
    ASSERT_EQ(keyboard->GetBufferedData(events, count), InputResult::Ok);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(events[0].offset, KeyCode::kZ);
    EXPECT_TRUE(IsVirtualKeyHeld('Z'));
    std::int32_t x = 0;
    std::int32_t y = 0;
    GetCursorClientPosition(x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    ASSERT_EQ(handler_.messages.size(), 1u);
    EXPECT_EQ(handler_.messages[0].type, WindowMessageType::KeyDown);
}

TEST_F(AppWindowTest, PlacementTitleAndIcon)
{
    CreateWindow();
    ASSERT_NE(window_->GetSdlWindow(), nullptr);
    EXPECT_EQ(AppWindow::FindById(window_->GetId()), window_.get());
    window_->SetTitle(std::wstring(L"Quillory \u00E9\u20AC"));
    EXPECT_EQ(window_->GetTitle(), "Quillory \xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Utf8FromWide(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");

    WindowPlacement full;
    full.form = WindowForm::Fullscreen;
    full.width = 640;
    full.height = 480;
    full.topmost = true;
    window_->Place(full);
    EXPECT_NE(SDL_GetWindowFlags(window_->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_->GetSdlWindow(), &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    WindowPlacement windowed = full;
    windowed.form = WindowForm::Windowed;
    windowed.width = 400;
    windowed.height = 300;
    window_->Place(windowed);
    EXPECT_EQ(SDL_GetWindowFlags(window_->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(window_->GetPlacement().width, 400);

    EXPECT_FALSE(window_->SetIconResource(4711));
    RegisterIconResource(4711, 2, 2, std::vector<std::uint8_t>(16, 0xFF));
    EXPECT_TRUE(window_->SetIconResource(4711));
    RegisterIconResource(4712, 2, 2, std::vector<std::uint8_t>(15, 0xFF));
    EXPECT_FALSE(window_->SetIconResource(4712)) << "pixels that do not fill the size are refused";
}

TEST_F(AppWindowTest, CursorResourcesBecomeTheSystemCursor)
{
    CreateWindow();
    const std::vector<std::uint8_t> pixels(8 * 8 * 4, 0xFF);
    const struct
    {
        const char* name;
        std::int32_t width, height, hotX, hotY;
        std::size_t bytes;
    } refused[] = {
        {"pixels short of the size", 8, 8, 0, 0, 8 * 8 * 4 - 1},
        {"hot spot right of the picture", 8, 8, 8, 0, 8 * 8 * 4},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(
            RegisterCursorResource(4801, c.width, c.height, c.hotX, c.hotY, std::vector<std::uint8_t>(c.bytes, 0xFF)));
        EXPECT_EQ(LoadCursorResource(4801), kArrowCursor);
    }

    ASSERT_TRUE(RegisterCursorResource(4800, 8, 8, 0, 0, pixels));
    const CursorHandle own = LoadCursorResource(4800);
    EXPECT_NE(own, kArrowCursor);
    EXPECT_EQ(LoadCursorResource(4800), own);
    EXPECT_EQ(LoadCursorResource(4799), kArrowCursor) << "an id the program does not carry";

    // Twice across a closing of the video system: the shape made before it
    // went with it and is made again. A driver without cursors (offscreen)
    // takes neither shape and says so.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const bool driverHasCursors = SDL_GetDefaultCursor() != nullptr;
        EXPECT_EQ(SetCurrentCursor(own), driverHasCursors);
        if (driverHasCursors) {
            EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());
        }
        EXPECT_EQ(SetCurrentCursor(kArrowCursor), driverHasCursors);
        EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
        EXPECT_EQ(SetCurrentCursor(own), driverHasCursors);
        window_.reset();
        AppWindow::UnregisterClass();
        ASSERT_EQ(AppWindow::RegisterClass(), WindowResult::Ok);
        CreateWindow();
    }
}

// The pixel at column x, row y from the top of the back buffer, as 0xAARRGGBB.
std::uint32_t ReadPixel(GraphicsDriverGL& driver, std::uint32_t x, std::uint32_t y)
{
    std::uint8_t bgra[4] = {};
    EXPECT_EQ(kGraphicsOk, driver.ReadBackBuffer(x, y, 1, 1, bgra));
    return (static_cast<std::uint32_t>(bgra[3]) << 24) | (bgra[2] << 16) | (bgra[1] << 8) | bgra[0];
}

TEST_F(AppWindowTest, GlWindowHasStencilAndItsSurfaceFollowsAModeChange)
{
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<GraphicsDriverGL> driver;
    if (!CreateGlWindow(driver)) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    int stencilBits = 0;
    int depthBits = 0;
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencilBits);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    EXPECT_GE(stencilBits, 8);
    EXPECT_GE(depthBits, 24);

    const std::uint32_t id = window_->GetId();
    // Posted before the window is remade, delivered after.
    PostWindowMessage(*window_, WindowMessage{WindowMessageType::Close, 0});

    const auto adapters = driver->EnumerateAdapters();
    ASSERT_EQ(kGraphicsOk, driver->OpenAdapter(0));
    std::unique_ptr<GraphicsDevice> device;
    ASSERT_EQ(kGraphicsOk, driver->CreateDevice(static_cast<std::uint32_t>(adapters[0].devices.size() - 1), device));
    struct Step
    {
        std::int32_t width;
        std::int32_t height;
        std::uint32_t color;
    };
    const Step steps[] = {{320, 240, 0xFFFF0000u}, {400, 300, 0xFF00FF00u}, {200, 150, 0xFF0000FFu}};
    for (const Step& step : steps) {
        WindowPlacement placement = window_->GetPlacement();
        placement.width = step.width;
        placement.height = step.height;
        window_->Place(placement);
        const auto width = static_cast<std::uint32_t>(step.width);
        const auto height = static_cast<std::uint32_t>(step.height);
        ASSERT_EQ(kGraphicsOk, driver->CreateScreenBuffers(width, height, false));
        Viewport viewport;
        viewport.width = width;
        viewport.height = height;
        ASSERT_EQ(kGraphicsOk, device->SetViewport(viewport));
        ASSERT_EQ(kGraphicsOk, device->Clear(kClearTarget, step.color, 1.0f, 0));
        EXPECT_EQ(step.color, ReadPixel(*driver, 0, 0)) << step.width << "x" << step.height;
        EXPECT_EQ(step.color, ReadPixel(*driver, width - 1, height - 1)) << step.width << "x" << step.height;
    }
    EXPECT_EQ(id, window_->GetId());
    EXPECT_EQ(AppWindow::FindById(id), window_.get());
    EXPECT_EQ(AppWindow::FindById(SDL_GetWindowID(window_->GetSdlWindow())), window_.get());
    PumpAll();
    EXPECT_TRUE(std::any_of(handler_.messages.begin(), handler_.messages.end(),
                            [](const WindowMessage& message) { return message.type == WindowMessageType::Close; }));
    device.reset();
    driver.reset();
}

// Full screen where the display has no mode of the picture's size: the
// picture is drawn at its own size, read back at it, and shown scaled into
// the desktop's centre between black bars; the pointer lands in its pixels.
TEST_F(AppWindowTest, ScaledFullScreenShowsTheWholePictureCentred)
{
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<GraphicsDriverGL> driver;
    if (!CreateGlWindow(driver)) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    const auto adapters = driver->EnumerateAdapters();
    const DisplayMode desktop = adapters[0].desktopMode;
    ASSERT_EQ(kGraphicsOk, driver->OpenAdapter(0));
    std::unique_ptr<GraphicsDevice> device;
    ASSERT_EQ(kGraphicsOk, driver->CreateDevice(static_cast<std::uint32_t>(adapters[0].devices.size() - 1), device));

    SetScaledFullscreenForTesting(true);
    // Wider than the desktop's shape, so that bars lie above and below.
    WindowPlacement placement = window_->GetPlacement();
    placement.form = WindowForm::Fullscreen;
    placement.width = 800;
    placement.height = 400;
    window_->Place(placement);
    SetScaledFullscreenForTesting(false);
    ASSERT_TRUE(window_->ShowsPictureScaled());
    ASSERT_EQ(kGraphicsOk, driver->CreateScreenBuffers(800, 400, true));
    ASSERT_TRUE(driver->DrawsScaledPicture());
    Viewport viewport;
    viewport.width = 800;
    viewport.height = 400;
    ASSERT_EQ(kGraphicsOk, device->SetViewport(viewport));
    ASSERT_EQ(kGraphicsOk, device->Clear(kClearTarget, 0xFFFF0000u, 1.0f, 0));
    EXPECT_EQ(0xFFFF0000u, ReadPixel(*driver, 799, 399));
    std::uint8_t outside[4];
    EXPECT_EQ(kGraphicsErrInvalidParams, driver->ReadBackBuffer(800, 0, 1, 1, outside)) << "the picture's own size";

    const PictureArea area = driver->GetPresentedPictureArea();
    const PictureArea expected =
        PictureArea::Fit(static_cast<std::int32_t>(desktop.width), static_cast<std::int32_t>(desktop.height), 800, 400);
    EXPECT_EQ(expected.y, area.y);
    EXPECT_EQ(expected.height, area.height);
    ASSERT_GT(area.y, 1);
    ASSERT_EQ(kGraphicsOk, driver->Present(false));
    // The window's own surface as presented, rows from the bottom.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    const auto surfaceRow = [&](std::int32_t fromTop) {
        std::uint8_t rgba[4] = {};
        glReadPixels(static_cast<GLint>(desktop.width / 2), static_cast<GLint>(desktop.height) - 1 - fromTop, 1, 1,
                     GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return (rgba[0] << 16) | (rgba[1] << 8) | rgba[2];
    };
    EXPECT_EQ(0x000000, surfaceRow(area.y / 2)) << "the bar above";
    EXPECT_EQ(0xFF0000, surfaceRow(area.y + 1)) << "the picture's top row";
    EXPECT_EQ(0xFF0000, surfaceRow(area.y + area.height - 2)) << "its bottom row";
    EXPECT_EQ(0x000000, surfaceRow(area.y + area.height + 1)) << "the bar below";
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);

    std::int32_t x = area.x + area.width - 1;
    std::int32_t y = area.y;
    window_->ClientToPicture(x, y);
    EXPECT_EQ(799, x);
    EXPECT_EQ(0, y);

    placement.form = WindowForm::Windowed;
    placement.width = 320;
    placement.height = 240;
    window_->Place(placement);
    EXPECT_FALSE(window_->ShowsPictureScaled());
    ASSERT_EQ(kGraphicsOk, driver->CreateScreenBuffers(320, 240, false));
    EXPECT_FALSE(driver->DrawsScaledPicture());
    x = 100;
    window_->ClientToPicture(x, y);
    EXPECT_EQ(100, x) << "a window's picture is its client area";
    device.reset();
    driver.reset();
}

TEST_F(AppWindowTest, PlannedFailuresReachEveryStep)
{
    const TestSupport::ScopedPlatformFailure failRegister(WindowStep::RegisterClass);
    EXPECT_EQ(AppWindow::RegisterClass(), WindowResult::VideoUnavailable);
    {
        const TestSupport::ScopedPlatformFailure failCreate(WindowStep::CreateWindow);
        std::unique_ptr<AppWindow> window;
        EXPECT_EQ(AppWindow::Create("x", WindowPlacement(), &handler_, window), WindowResult::CreationFailed);
        EXPECT_EQ(window, nullptr);
    }
    CreateWindow();
    {
        const TestSupport::ScopedPlatformFailure failContext(WindowStep::AcquireDrawingContext);
        EXPECT_EQ(window_->AcquireDrawingContext(), WindowResult::NoDrawingContext);
    }
    EXPECT_EQ(window_->AcquireDrawingContext(), WindowResult::Ok);
}

TEST_F(AppWindowTest, DesktopAndDisplayModesAreReported)
{
    DisplayMode desktop;
    ASSERT_TRUE(GetDesktopDisplayMode(desktop));
    EXPECT_GT(desktop.width, 0u);
    EXPECT_GT(desktop.height, 0u);
    EXPECT_EQ(desktop.bitsPerPixel, 32u);
    EXPECT_FALSE(GetDisplayModes().empty());
}

} // namespace
