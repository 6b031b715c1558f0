// The game object headless: the real Game over the null graphics driver, with
// the framework tests' stand-in screens, cursor and call log in place of the
// screens that later classes make, in an installation that holds the fonts,
// every text section the game loads, a one-stage campaign of two levels on a
// four-cell board and an empty background list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/BoardFileWriter.h"
#include "content/TextTableWriter.h"
#include "engine/core/EngineFactories.h"
#include "game/Game.h"
#include "platform/GraphicsDriverNull.h"
#include "tests/framework/StubGame.h"

namespace GameTests {

namespace gf = GameFramework;
using FrameworkTests::DeleteProfileScreen;
using FrameworkTests::GameLogicScreen;
using FrameworkTests::HighScoresScreen;
using FrameworkTests::LevelCompleteScreen;
using FrameworkTests::LoadingScreen;
using FrameworkTests::NewProfileScreen;
using FrameworkTests::RenameProfileScreen;
using FrameworkTests::StageCompleteScreen;
using FrameworkTests::StubCursor;

// The framework's stand-in installation with the game's own files on top.
class TestGameEnvironment : public FrameworkTests::StubGameEnvironment
{
public:
    static constexpr const auto& kTextSections = Tansywell::Game::kTextSections;

    TestGameEnvironment()
    {
        for (const char* section : kTextSections) {
            Content::TextTableWriter table;
            table.Add("TITLE", L"-");
            const std::vector<std::uint8_t> bytes = table.Build().GetBytes();
            WriteData(std::string("data/ui/texts/en/") + section + ".ini", std::string(bytes.begin(), bytes.end()));
        }
        WriteData("data/levels/stages_info.ini", "1\n");
        WriteData("data/levels/stage0.ini", "2\nfield 2 hills 1\nfield 2 hills 1\n");
        WriteData("data/boards/field.ini", "1\n");
        WriteData("data/boards/field_camera.ini", "100 10 300 20 400\n");
        WriteBoard();
        WriteData("data/environments/hills/environment.ini", "0\n");
        WriteData("data/ui/menus/background/background.ini", "0\n");
    }

private:
    // One column of four cells.
    void WriteBoard() const
    {
        std::vector<Tansywell::CellRecord> cells;
        for (std::uint32_t i = 0; i < 4; ++i) {
            Tansywell::CellRecord cell;
            cell.y = 2 * i;
            cell.layerCount = 1;
            cell.firstTranslation = OrrelayEngine::Vector3(0.0f, 10.0f * static_cast<float>(i), 0.0f);
            cells.push_back(cell);
        }
        const std::vector<std::uint8_t> bytes = Content::BoardFileWriter().Build(1, 7, cells).GetBytes();
        WriteData("data/boards/field.blf", std::string(bytes.begin(), bytes.end()));
    }
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

class TestGame : public Tansywell::Game
{
public:
    using GameBase::engine_;
    using GameBase::gameData_;
    using GameBase::levelManager_;
    using GameBase::mixer_;
    using GameBase::profileManager_;

    explicit TestGame(FrameworkTests::CallLog& log) : Game("Quorvane Games", "Quillory", 104, InitLater{}), log_(log)
    {
        SetEngineFactories(MakeNullGraphicsFactories());
        Init();
    }

    std::unique_ptr<GameTools::GUIGameCursorBase> CreateGameCursor() override
    {
        return std::make_unique<StubCursor>(log_, engine_.get());
    }
    std::unique_ptr<gf::GUILogosWindowBase> CreateLogosWindow() override
    {
        return Make<Plain<gf::GUILogosWindowBase>>(logos, "logos");
    }
    std::unique_ptr<gf::GUILoadingWindowBase> CreateLoadingWindow() override { return Make<LoadingScreen>("loading"); }
    std::unique_ptr<gf::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override
    {
        return Make<LoadingScreen>("level_loading");
    }
    std::unique_ptr<gf::GUIWelcomeWindowBase> CreateWelcomeWindow() override
    {
        return Make<Plain<gf::GUIWelcomeWindowBase>>("welcome", profileManager_.get());
    }
    std::unique_ptr<gf::GUIExitWindowBase> CreateExitWindow() override
    {
        return Make<Value<gf::GUIExitWindowBase>>("exit");
    }
    std::unique_ptr<gf::GUIMainMenuWindowBase> CreateMainMenuWindow() override
    {
        return Make<Plain<gf::GUIMainMenuWindowBase>>("main_menu");
    }
    std::unique_ptr<gf::GUIProfilesWindowBase> CreateProfilesWindow() override
    {
        return Make<Plain<gf::GUIProfilesWindowBase>>("profiles", profileManager_.get());
    }
    std::unique_ptr<gf::GUINewProfileWindowBase> CreateNewProfileWindow() override
    {
        return Make<NewProfileScreen>("new_profile", profileManager_.get());
    }
    std::unique_ptr<gf::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override
    {
        return Make<RenameProfileScreen>("rename_profile", profileManager_.get());
    }
    std::unique_ptr<gf::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override
    {
        return Make<DeleteProfileScreen>("delete_profile", profileManager_.get());
    }
    std::unique_ptr<gf::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override
    {
        return Make<Value<gf::GUIProfileNameConflictWindowBase>>("name_conflict");
    }
    std::unique_ptr<gf::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override
    {
        return Make<Value<gf::GUIStartGameLogicWindowBase>>(startGame, "start_game");
    }
    std::unique_ptr<gf::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override
    {
        return Make<Plain<gf::GUIContinueGameLogicWindowBase>>("continue");
    }
    std::unique_ptr<gf::GUIHighScoresWindowBase> CreateHighScoresWindow() override
    {
        return Make<HighScoresScreen>("high_scores", highScoresTable_.get());
    }
    std::unique_ptr<gf::GUIOptionsWindowBase> CreateOptionsWindow() override
    {
        return Make<Plain<gf::GUIOptionsWindowBase>>("options", mixer_.get(), profileManager_.get());
    }
    std::unique_ptr<gf::GUIHelpWindowBase> CreateHelpWindow() override
    {
        return Make<Plain<gf::GUIHelpWindowBase>>("help");
    }
    std::unique_ptr<gf::GUIGameLogicWindowBase> CreateGameLogicWindow() override
    {
        return Make<GameLogicScreen>("in_game", profileManager_.get());
    }
    std::unique_ptr<gf::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override
    {
        return Make<Plain<gf::GUIGameLogicPauseWindowBase>>("pause");
    }
    std::unique_ptr<gf::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override
    {
        return Make<Plain<gf::GUIGameLogicMenuWindowBase>>("game_menu", mixer_.get(), profileManager_.get());
    }
    std::unique_ptr<gf::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override
    {
        return Make<Plain<gf::GUIGameLogicMenuExitWindowBase>>("menu_exit");
    }
    std::unique_ptr<gf::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override
    {
        return Make<Plain<gf::GUIGameLogicRestartWindowBase>>("restart");
    }
    std::unique_ptr<gf::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override
    {
        return Make<Plain<gf::GUIGameLogicGameExitWindowBase>>("game_exit");
    }
    std::unique_ptr<gf::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override
    {
        return Make<LevelCompleteScreen>("level_complete");
    }
    std::unique_ptr<gf::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override
    {
        return Make<StageCompleteScreen>("stage_complete");
    }
    std::unique_ptr<gf::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override
    {
        return Make<Plain<gf::GUIGameCompleteWindowBase>>("game_complete");
    }
    std::unique_ptr<gf::GUIGameOverWindowBase> CreateGameOverWindow() override
    {
        return Make<Plain<gf::GUIGameOverWindowBase>>("game_over");
    }

    template <class Base>
    using Plain = FrameworkTests::PlainScreen<Base>;
    template <class Base>
    using Value = FrameworkTests::ValueScreen<Base>;

    // Borrowed views of the screens the tests answer for; null until made.
    Plain<gf::GUILogosWindowBase>* logos = nullptr;
    Value<gf::GUIStartGameLogicWindowBase>* startGame = nullptr;

private:
    template <class Screen, class... Args>
    std::unique_ptr<Screen> Make(const char* name, Args&&... args)
    {
        return std::make_unique<Screen>(log_, name, engine_.get(), std::forward<Args>(args)...);
    }
    template <class Screen, class... Args>
    std::unique_ptr<Screen> Make(Screen*& view, const char* name, Args&&... args)
    {
        auto made = Make<Screen>(name, std::forward<Args>(args)...);
        view = made.get();
        return made;
    }

    FrameworkTests::CallLog& log_;
};

} // namespace GameTests
