// The whole engine over the null graphics driver, with a mode list of the
// test's choosing, a window without GL and audio mixed by hand, installed and
// logging into a fresh temporary folder: every service real, nothing drawn.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/core/Engine.h"
#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/EventPump.h"
#include "platform/GraphicsDriverNull.h"
#include "platform/InputDevice.h"
#include "platform/KeyState.h"
#include "platform/TemporaryFolder.h"

namespace EngineTests {

class NullEngine
{
public:
    NullEngine()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        Platform::SetOpenGlWindows(false);
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Manual);
        Platform::ClearInputFailuresForTesting();
        Platform::ReleaseAllHeldKeys();
        Platform::DiscardPendingEvents();

        settings.applicationName = "Quillory";
        settings.version = 104;
        settings.installFolder = folder.Path();
        settings.saveConfigOnExit = true;
        settings.configName = "Quillory";
        settings.logEnabled = true;
        settings.logFolder = folder.Path();
        settings.logName = "Quillory";
        settings.configFolder = folder.Path();
        settings.dataFolder = "Data";
        settings.videoMode = "800x600x32";
        settings.centreWindow = true;
        factories.graphicsDriver = [this](OrrelayEngine::Window&) {
            auto made = std::make_unique<Platform::GraphicsDriverNull>();
            Platform::AdapterDescription adapter = made->EnumerateAdapters()[0];
            adapter.desktopMode = Platform::DisplayMode{1024, 768, 32, 60};
            adapter.displayModes = {{800, 600, 32, 60}, {640, 480, 32, 60}};
            made->SetAdapters({adapter});
            if (failDevice) {
                made->SetStepResult(Platform::GraphicsDriverNull::Step::OpenAdapter, Platform::kGraphicsErrGeneric);
            }
            driver = made.get();
            return made;
        };
    }

    ~NullEngine()
    {
        engine.reset();
        Platform::SetWindowFailureForTesting(Platform::WindowStep::CreateWindow, false);
        Platform::ClearInputFailuresForTesting();
        Platform::AudioDevice::SetFailureForTests(Platform::AudioFailure::kNone);
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
        Platform::DiscardPendingEvents();
        Platform::ReleaseAllHeldKeys();
        Platform::SetOpenGlWindows(true);
    }

    NullEngine(const NullEngine&) = delete;
    NullEngine& operator=(const NullEngine&) = delete;

    OrrelayEngine::Engine& Start()
    {
        engine = std::make_unique<OrrelayEngine::Engine>(settings, factories);
        return *engine;
    }

    void Step()
    {
        engine->PreFrame();
        engine->Frame(0);
    }

    // A file in the temporary folder, as the operating system names it.
    std::string Native(const std::string& name) const { return folder.Path() + "/" + name; }

    std::string LogText() const
    {
        std::ifstream in(Native("Quillory.html"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    PlatformTests::TemporaryFolder folder;
    OrrelayEngine::EngineSettings settings;
    OrrelayEngine::EngineFactories factories;
    bool failDevice = false;
    // Borrowed from the render system; valid while the engine lives.
    Platform::GraphicsDriverNull* driver = nullptr;
    std::unique_ptr<OrrelayEngine::Engine> engine;
};

} // namespace EngineTests
