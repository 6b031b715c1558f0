// The program's ways out with the real game over the null graphics driver:
// every way of closing its window ends the run once with status 0, a game that
// cannot start shows why and exits non-zero, and the command line changes
// nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/core/EngineFactories.h"
#include "engine/core/Window.h"
#include "game/GameLoader.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "support/ScratchFolder.h"
#include "tests/game/StartUpEnvironment.h"

namespace {

using GameTests::StartUpEnvironment;

const char kRegistry[] = "StatsHost=https://stats.example.org\n";
const char kPage[] = "https://stats.example.org/stats/quillory.html";

// The null driver's factory, which also posts message once the window exists:
// it waits in the queue until the main loop takes it.
OrrelayEngine::EngineFactories ClosingWith(const Platform::WindowMessage& message)
{
    OrrelayEngine::EngineFactories factories = GameTests::MakeNullGraphicsFactories();
    const auto makeDriver = factories.graphicsDriver;
    factories.graphicsDriver = [makeDriver, message](OrrelayEngine::Window& window) {
        Platform::PostWindowMessage(*window.GetAppWindow(), message);
        return makeDriver(window);
    };
    return factories;
}

struct ProgramRun
{
    int status = -1;
    std::string log;
    std::string config;
    std::vector<Platform::RecordedMessageBox> boxes;
    std::vector<std::string> pages;
};

// One whole program run for a user who already has a data folder, so the log
// is written.
ProgramRun RunProgram(const std::string& commandLine, const OrrelayEngine::EngineFactories& factories,
                      const std::function<void(const StartUpEnvironment&)>& arrange = nullptr)
{
    TestSupport::ScratchFolder installation;
    StartUpEnvironment env(GameTests::InstallBuiltDataSet(installation));
    env.folder.Write("config/Quorvane Games/Quillory/registry.ini", kRegistry);
    env.folder.MakeFolder("userdata/Quorvane Games/Quillory");
    if (arrange)
        arrange(env);
    ProgramRun run;
    run.status = Tansywell::GameLoader::RunProgram(commandLine, factories);
    run.log = TestSupport::ScratchFolder::ReadAll(env.UserPath("Quillory.html"));
    run.config = TestSupport::ScratchFolder::ReadAll(env.UserPath("Quillory.ini"));
    run.boxes = Platform::GetRecordedMessageBoxes();
    run.pages = Platform::GetRecordedWebAddresses();
    return run;
}

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(GameLoader, EveryWayOfClosingTheWindowEndsTheRunOnceWithStatusZero)
{
    using Platform::WindowMessage;
    using Platform::WindowMessageType;
    struct Case
    {
        const char* name;
        WindowMessage message;
    };
    const Case cases[] = {
        {"close (Alt+F4)", {WindowMessageType::Close, 0}},
        {"window menu's close",
         {WindowMessageType::SystemCommand, static_cast<std::uint32_t>(Platform::SystemCommand::Close)}},
        {"session quit", {WindowMessageType::Quit, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = RunProgram("", ClosingWith(c.message));
        EXPECT_EQ(0, run.status);
        EXPECT_TRUE(run.boxes.empty());
        EXPECT_EQ(std::vector<std::string>{kPage}, run.pages);
        EXPECT_EQ(0u, CountOf(run.log, "PROGRAM ABORTING: "));
        EXPECT_EQ(1u, CountOf(run.log, " Log end: "));
        EXPECT_EQ(run.log.size() - 7, run.log.rfind("</HTML>")) << "the footer closes the log";
        EXPECT_FALSE(run.config.empty()) << "the configuration is saved on the way out";
    }
}

TEST(GameLoader, AFatalErrorAtStartUpShowsItsMessageAndExitsNonZero)
{
    // Without its font list the game cannot show anything.
    const ProgramRun run = RunProgram("", GameTests::MakeNullGraphicsFactories(), [](const StartUpEnvironment&) {
        Platform::SetExecutableFolderForTests("/nonexistent-quillory-installation");
    });
    EXPECT_NE(0, run.status);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Fatal Error", run.boxes[0].caption);
    EXPECT_EQ(1u, CountOf(run.log, "PROGRAM ABORTING: " + run.boxes[0].text)) << run.log;
    EXPECT_EQ(std::vector<std::string>{kPage}, run.pages);
    EXPECT_EQ(1u, CountOf(run.log, " Log end: "));
}

TEST(GameLoader, TheCommandLineChangesNothing)
{
    const Platform::WindowMessage close{Platform::WindowMessageType::Close, 0};
    const ProgramRun plain = RunProgram("", ClosingWith(close));
    const ProgramRun withArguments = RunProgram("-fullscreen 0 +exit v_mode 640x480x16 --console", ClosingWith(close));
    EXPECT_EQ(plain.status, withArguments.status);
    EXPECT_EQ(plain.config, withArguments.config);
}

} // namespace
