// The whole game over the built data set, headless: from the logos through
// the loading to the first menu, and the program's ways out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIWelcomeWindow.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "support/LogSearch.h"
#include "support/ScratchFolder.h"
#include "tests/game/StartUpEnvironment.h"

namespace {

using GameTests::HeadlessGame;
using GameTests::InstallBuiltDataSet;
using GameTests::StartUpEnvironment;

constexpr std::uint64_t kSixtiethOfASecond = 16667;

// Frames until the welcome screen is up: a minute of them at most, the assets
// loading on their own thread meanwhile.
void RunToTheWelcomeScreen(HeadlessGame& game)
{
    auto* welcome = static_cast<Tansywell::GUIWelcomeWindow*>(game.welcomeWindow_.get());
    for (std::uint32_t frame = 0; frame < 3600 && (welcome == nullptr || !welcome->IsActive()); ++frame) {
        Platform::AdvanceManualClock(kSixtiethOfASecond);
        try {
            game.Frame();
        } catch (const OrrelayEngine::FatalError& error) {
            FAIL() << "frame " << frame << ": " << error.GetMessage();
        } catch (const OrrelayEngine::FileError& error) {
            FAIL() << "frame " << frame << ": " << error.GetMessage();
        }
        welcome = static_cast<Tansywell::GUIWelcomeWindow*>(game.welcomeWindow_.get());
        ASSERT_FALSE(game.IsExitRequested());
    }
    ASSERT_NE(nullptr, welcome) << "the assets never finished loading";
    EXPECT_TRUE(welcome->IsActive());
}

std::unique_ptr<HeadlessGame> StartHeadlessGame()
{
    try {
        return std::make_unique<HeadlessGame>();
    } catch (const OrrelayEngine::FatalError& error) {
        ADD_FAILURE() << error.GetMessage();
    } catch (const OrrelayEngine::FileError& error) {
        ADD_FAILURE() << error.GetMessage();
    }
    return nullptr;
}

TEST(GameStartUp, TheLogosAndTheLoadingLeadToTheWelcomeScreen)
{
    TestSupport::ScratchFolder installation;
    StartUpEnvironment env(InstallBuiltDataSet(installation));
    const std::unique_ptr<HeadlessGame> made = StartHeadlessGame();
    ASSERT_NE(nullptr, made);
    HeadlessGame& game = *made;
    const OrrelayEngine::MessageManager& log = *game.GetEngine()->GetMessageManager();
    ASSERT_NE(nullptr, game.GetBackgroundWindow());
    EXPECT_EQ(nullptr, game.GetMenuWindowManager()) << "the menus wait for the assets";

    RunToTheWelcomeScreen(game);
    if (HasFatalFailure())
        return;
    EXPECT_NE(nullptr, game.GetMenuWindowManager());
    EXPECT_NE(nullptr, game.GetCharacter());
    EXPECT_NE(nullptr, game.GetUpgradeWindow());
    EXPECT_NE(nullptr, game.GetIntroductionWindow());
    EXPECT_NE(nullptr, game.GetRelaxWindow());
    EXPECT_TRUE(game.GetBackgroundWindow()->started);
    EXPECT_EQ(0u,
              TestSupport::CountLogged(log, "", TestSupport::LogMatch::kPart, OrrelayEngine::MessageManager::kFatal));
    EXPECT_TRUE(Platform::GetRecordedMessageBoxes().empty());
}

// A picture of another size is stretched to a power of two at every load,
// blurring it; its opacity is then stretched again to match. The menus' and the
// head-up display's pictures are made at their stored sizes.
TEST(GameStartUp, TheMenuPicturesLoadAtTheSizeTheyAreMade)
{
    TestSupport::ScratchFolder installation;
    StartUpEnvironment env(InstallBuiltDataSet(installation));
    // The log keeps only a frame's lines in memory; its file, written once the
    // user's folder exists, keeps the whole start.
    std::filesystem::create_directories(env.UserPath());
    std::string logFile;
    {
        const std::unique_ptr<HeadlessGame> game = StartHeadlessGame();
        ASSERT_NE(nullptr, game);
        logFile = Platform::ToNativePath(game->GetEngine()->GetMessageManager()->GetFilePath());
        RunToTheWelcomeScreen(*game);
        if (HasFatalFailure())
            return;
    }
    std::ifstream in(logFile);
    ASSERT_TRUE(in.good()) << logFile;
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(TestSupport::LogLineMatches(page, "Level Manager: Found", TestSupport::LogMatch::kPart))
        << "the log ends before the load";
    // The page's lines end in line breaks of its own.
    std::vector<std::string> resized;
    for (std::size_t at = 0, end = 0; at < page.size(); at = end + 4) {
        end = std::min(page.find("<BR>", at), page.size());
        const std::string line = page.substr(at, end - at);
        if (TestSupport::LogLineMatches(line, "Texture Manager: \"data\\ui\\", TestSupport::LogMatch::kPart) &&
            TestSupport::LogLineMatches(line, "image size should", TestSupport::LogMatch::kPart))
            resized.push_back(line);
    }
    EXPECT_EQ(std::vector<std::string>{}, resized);
}

// However the game ends, the page is opened once when the installer named a
// host, never without one; a game that could not start exits with 1.
TEST(GameStartUp, AGameThatCannotStartExitsWithOneAndStillOpensTheStatisticsPage)
{
    struct Case
    {
        const char* registry;
        std::vector<std::string> opened;
    };
    const Case cases[] = {
        {"StatsHost=https://stats.example.org\n", {"https://stats.example.org/stats/quillory.html"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registry);
        TestSupport::ScratchFolder emptyInstallation;
        StartUpEnvironment env(emptyInstallation.Path());
        env.folder.Write("config/Quorvane Games/Quillory/registry.ini", c.registry);

        EXPECT_EQ(1, Tansywell::GameLoader::RunProgram(""));
        EXPECT_EQ(1u, Platform::GetRecordedMessageBoxes().size());
        EXPECT_EQ(c.opened, Platform::GetRecordedWebAddresses());
    }
}

} // namespace
