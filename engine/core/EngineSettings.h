// The engine's start-up record: names, folders, the default video mode, the
// window's form and the option flags of the render and sound services. The
// game fills it and the engine keeps its own copy for its whole life.
#pragma once

#include <cstdint>
#include <string>

namespace Platform {
class AppWindow;
}

namespace OrrelayEngine {

struct EngineSettings
{
    struct WindowPosition
    {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    // Numbers and flags start at 0 and false, so that a field the filler
    // forgets has a known value rather than whatever the memory held.
    EngineSettings() = default;
    EngineSettings(const EngineSettings&) = default;
    EngineSettings& operator=(const EngineSettings&) = default;
    ~EngineSettings() = default;

    // Empty means "Orrelay Engine" at version 67.
    std::string applicationName;
    // Shown as major.minor: version / 100, version % 100.
    std::uint32_t version = 0;
    std::string installFolder;
    bool saveConfigOnExit = false;
    // Empty means "Orrelay Engine".
    std::string configName;
    bool logEnabled = false;
    bool logReopenPerMessage = false;
    std::string logFolder;
    std::string logName;
    // Empty means the file layer's base folder.
    std::string configFolder;
    std::string dataFolder;
    Platform::AppWindow* hostWindow = nullptr;
    // 0 means the system's application icon.
    std::uint32_t iconId = 0;
    bool minimizeOnFocusLoss = false;
    bool forceVideoMode = false;
    // Width x height x bits; empty means "800x600x32" and no forcing.
    std::string videoMode;
    bool forceFullscreenSetting = false;
    bool fullscreenDefault = false;
    bool renderOptionB = false;
    bool renderOptionA = false;
    bool centreWindow = false;
    WindowPosition windowPosition;
    bool soundOption = false;
};

} // namespace OrrelayEngine
