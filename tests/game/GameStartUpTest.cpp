// The whole game over the built data set, headless: from the logos through
// the loading to the first menu, and the program's ways out.
#include <gtest/gtest.h>

#include <cstdint>
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

TEST(GameStartUp, TheLogosAndTheLoadingLeadToTheWelcomeScreen)
{
    TestSupport::ScratchFolder installation;
    StartUpEnvironment env(InstallBuiltDataSet(installation));
    std::unique_ptr<HeadlessGame> made;
    try {
        made = std::make_unique<HeadlessGame>();
    } catch (const OrrelayEngine::FatalError& error) {
        FAIL() << error.GetMessage();
    } catch (const OrrelayEngine::FileError& error) {
        FAIL() << error.GetMessage();
    }
    HeadlessGame& game = *made;
    const OrrelayEngine::MessageManager& log = *game.GetEngine()->GetMessageManager();
    ASSERT_NE(nullptr, game.GetBackgroundWindow());
    EXPECT_EQ(nullptr, game.GetMenuWindowManager()) << "the menus wait for the assets";

    // A minute of frames at most; the assets load on their own thread meanwhile.
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
