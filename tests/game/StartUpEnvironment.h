// The whole game's surroundings for the tests that run it from its loader's
// point of view: a fresh user with nothing saved, a machine without installer
// values, the manual clock, recorded message boxes, a silent audio device and
// the program's folder where the build left the game and its data. The
// installation links the built data set and adds, only where the data set
// does not hold them yet, the files the game cannot start without.
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
#include "engine/core/EngineSettings.h"
#include "engine/core/MessageManager.h"
#include "engine/file/PackFile.h"
#include "game/CellRecord.h"
#include "game/GameLoader.h"
#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "support/ScratchFolder.h"
#include "tests/game/TestGame.h"
#include "tests/game/gui/MenuHarness.h"
#include "tests/platform/ScopedEnvironment.h"

namespace GameTests {

class StartUpEnvironment
{
public:
    // openGlWindows: the game's window gets a real OpenGL context (the
    // offscreen video driver draws in memory); otherwise no window has one.
    explicit StartUpEnvironment(const std::string& programFolder, bool openGlWindows = false)
    {
        environment.Set("XDG_DATA_HOME", folder.Path() + "/userdata");
        environment.Set("XDG_CONFIG_HOME", folder.Path() + "/config");
        Platform::SetMachineConfigRoot(folder.Path() + "/machine");
        Platform::SetExecutableFolderForTests(programFolder);
        Platform::SetManualClock(true);
        Platform::SetMessageBoxMode(Platform::MessageBoxMode::Record);
        Platform::SetOpenGlWindows(openGlWindows);
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

// The real game with every screen of its own, drawn by the null driver in a window.
class HeadlessGame : public Tansywell::Game
{
public:
    using GameBase::welcomeWindow_;

    HeadlessGame() : Game(Tansywell::GameLoader::kMakerName, Tansywell::GameLoader::kProductName, 104, InitLater{})
    {
        SetEngineFactories(MakeNullGraphicsFactories());
        Init();
    }

    void FillEngineSettings(OrrelayEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreenDefault = false;
    }
};

// The built data set beside the program, with what it does not hold yet: a
// one-line table for each missing text section, and the board and scenery
// its campaign names (a column of four cells), its stage map, and the menu
// background's list and introduction. Returns the program's folder.
inline std::string InstallBuiltDataSet(const TestSupport::ScratchFolder& folder)
{
    OrrelayEngine::MessageManager log{"Test", false, false, "", ""};
    const OrrelayEngine::PackFile pack(&log, QUILLORY_BUILD_DIR "/data/pack0.pak");
    auto missing = [&pack](std::string name) {
        std::string packName = "data\\" + name;
        for (char& c : packName) {
            if (c == '/') {
                c = '\\';
            }
        }
        return !pack.FileExists(packName);
    };
    auto fill = [&folder, &missing](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        if (missing(name)) {
            folder.Write("install/data/" + name, bytes);
        }
    };
    auto text = [](const std::string& contents) { return std::vector<std::uint8_t>(contents.begin(), contents.end()); };

    std::vector<Tansywell::CellRecord> cells;
    for (std::uint32_t i = 0; i < 4; ++i) {
        Tansywell::CellRecord cell;
        cell.y = 2 * i;
        cell.layerCount = 1;
        cell.firstTranslation = OrrelayEngine::Vector3(0.0f, 10.0f * static_cast<float>(i), 0.0f);
        cells.push_back(cell);
    }
    fill("boards/board0.blf", Content::BoardFileWriter().Build(1, 7, cells).GetBytes());
    fill("boards/board0.ini", text("1\n"));
    fill("boards/board0_camera.ini", text("100 10 300 20 400\n"));
    fill("environments/garden/environment.ini", text("0\n"));
    fill("ui/menus/background/background.ini", text("1\nsky 1 0\n"));
    fill("ui/menus/models/background/title_en.ini", text("0\n"));
    // The stage map of the one-stage, one-level campaign.
    fill("ui/menus/map/map.gmf", Content::MapFileWriter().Build(Content::MapFileWriter::MakeCampaign({1})).GetBytes());
    // The introduction waits on these to play through; small, so that they
    // hide nothing behind them.
    for (const char* name : {"frame", "logo", "mount_title", "mount_text", "text_appear", "text"}) {
        const std::string relative = std::string("ui/menus/models/background/") + name + ".mlf";
        if (missing(relative)) {
            const std::string path = folder.Write("install/data/" + relative, "");
            Content::ModelFileWriter().Build(MenuTests::MakeQuad(0, 0, 2, 2, 4)).Save(path);
        }
    }
    for (const char* section : TestGameEnvironment::kTextSections) {
        Content::TextTableWriter table;
        table.Add("TITLE", L"-");
        fill(std::string("ui/texts/en/") + section + ".ini", table.Build().GetBytes());
    }

    const std::string install = folder.MakeFolder("install");
    folder.MakeFolder("install/data");
    std::filesystem::create_symlink(QUILLORY_BUILD_DIR "/data/pack0.pak", install + "/data/pack0.pak");
    return install;
}

} // namespace GameTests
