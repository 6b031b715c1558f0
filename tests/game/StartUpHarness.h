// What the tests that start the whole game share: a scratch user with nothing
// saved on a machine without installer values, the built data set installed
// beside the program, and the engine's factory record that draws with the null
// graphics driver.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/BoardFileWriter.h"
#include "content/MapFileWriter.h"
#include "content/ModelFileWriter.h"
#include "content/TextTableWriter.h"
#include "engine/core/EngineFactories.h"
#include "game/CellRecord.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/GraphicsDriverNull.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "support/ScratchFolder.h"
#include "tests/game/TestGame.h"
#include "tests/game/gui/MenuHarness.h"
#include "tests/platform/ScopedEnvironment.h"

namespace GameTests {

// The user's folders lie under folder: "userdata" (the game's saved files
// under "userdata/Quorvane Games/Quillory") and "config" (its registry
// values). The clock runs only when the test advances it; message boxes and
// web pages are recorded, not shown.
class StartUpEnvironment
{
public:
    explicit StartUpEnvironment(const std::string& programFolder)
    {
        environment.Set("XDG_DATA_HOME", folder.Path() + "/userdata");
        environment.Set("XDG_CONFIG_HOME", folder.Path() + "/config");
        Platform::SetMachineConfigRoot(folder.Path() + "/machine");
        Platform::SetExecutableFolderForTests(programFolder);
        Platform::SetManualClock(true);
        Platform::SetMessageBoxMode(Platform::MessageBoxMode::Record);
        Platform::SetOpenGlWindows(false);
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Manual);
        Platform::SetWebOpenMode(Platform::WebOpenMode::Record);
        Platform::DiscardPendingEvents();
    }
    ~StartUpEnvironment()
    {
        Platform::DiscardPendingEvents();
        Platform::SetWebOpenMode(Platform::WebOpenMode::Disabled);
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
        Platform::SetOpenGlWindows(true);
        Platform::SetMessageBoxMode(Platform::MessageBoxMode::Show);
        Platform::SetManualClock(false);
        Platform::SetExecutableFolderForTests("");
        Platform::SetMachineConfigRoot("/etc/xdg");
    }
    StartUpEnvironment(const StartUpEnvironment&) = delete;
    StartUpEnvironment& operator=(const StartUpEnvironment&) = delete;

    // The game's own folder of saved files, native.
    std::string UserPath(const std::string& relative = "") const
    {
        const std::string user = folder.Path() + "/userdata/Quorvane Games/Quillory";
        return relative.empty() ? user : user + "/" + relative;
    }

    TestSupport::ScratchFolder folder;
    PlatformTests::ScopedEnvironment environment;
};

// The null driver with a 1024 x 768 desktop and the game's two window sizes.
inline OrrelayEngine::EngineFactories MakeNullGraphicsFactories()
{
    OrrelayEngine::EngineFactories factories;
    factories.graphicsDriver = [](OrrelayEngine::Window&) {
        auto made = std::make_unique<Platform::GraphicsDriverNull>();
        Platform::AdapterDescription adapter = made->EnumerateAdapters()[0];
        adapter.desktopMode = Platform::DisplayMode{1024, 768, 32, 60};
        adapter.displayModes = {{1024, 768, 32, 60}, {800, 600, 32, 60}};
        made->SetAdapters({adapter});
        return made;
    };
    return factories;
}

// The built data set beside the program, with what it does not hold yet: a
// one-line table for each text section, and the board and scenery its
// campaign names (a column of four cells), its stage map, and the menu
// background's list and introduction. Returns the program's folder.
inline std::string InstallBuiltDataSet(const TestSupport::ScratchFolder& folder)
{
    std::vector<Tansywell::CellRecord> cells;
    for (std::uint32_t i = 0; i < 4; ++i) {
        Tansywell::CellRecord cell;
        cell.y = 2 * i;
        cell.layerCount = 1;
        cell.firstTranslation = OrrelayEngine::Vector3(0.0f, 10.0f * static_cast<float>(i), 0.0f);
        cells.push_back(cell);
    }
    folder.Write("install/data/boards/board0.blf", Content::BoardFileWriter().Build(1, 7, cells).GetBytes());
    folder.Write("install/data/boards/board0.ini", "1\n");
    folder.Write("install/data/boards/board0_camera.ini", "100 10 300 20 400\n");
    folder.Write("install/data/environments/garden/environment.ini", "0\n");
    folder.Write("install/data/ui/menus/background/background.ini", "1\nsky 1 0\n");
    folder.Write("install/data/ui/menus/models/background/title_en.ini", "0\n");
    // The stage map of the one-stage, one-level campaign.
    folder.Write("install/data/ui/menus/map/map.gmf",
                 Content::MapFileWriter().Build(Content::MapFileWriter::MakeCampaign({1})).GetBytes());
    // The introduction waits on these to play through.
    for (const char* name : {"frame", "logo", "mount_title", "mount_text", "text_appear", "text"}) {
        const std::string path =
            folder.Write(std::string("install/data/ui/menus/models/background/") + name + ".mlf", "");
        Content::ModelFileWriter().Build(MenuTests::MakeQuad(0, 0, 800, 600, 4)).Save(path);
    }

    const std::string install = folder.MakeFolder("install");
    folder.MakeFolder("install/data");
    std::filesystem::create_symlink(QUILLORY_BUILD_DIR "/data/pack0.pak", install + "/data/pack0.pak");
    for (const char* section : TestGameEnvironment::kTextSections) {
        Content::TextTableWriter table;
        table.Add("TITLE", L"-");
        folder.Write(std::string("install/data/ui/texts/en/") + section + ".ini", table.Build().GetBytes());
    }
    return install;
}

} // namespace GameTests
