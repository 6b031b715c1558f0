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
#include "game/Game.h"
#include "tests/framework/StubGame.h"

namespace GameTests {

// The framework's stand-in installation with the game's own files on top.
class TestGameEnvironment : public FrameworkTests::StubGameEnvironment
{
public:
    static constexpr const char* kTextSections[] = {
        "character",        "continue_game_logic", "delete_profile", "exit",       "game_complete",
        "game_logic",       "game_logic_exit",     "game_logic_menu", "game_logic_pause", "game_over",
        "help",             "high_scores",         "introduction",   "level_complete",   "loading",
        "main_menu",        "new_profile",         "options",        "profile_name_conflict", "profiles",
        "relax",            "rename_profile",      "stage_complete", "start_game",       "statistics",
        "welcome"};

    TestGameEnvironment()
    {
        for (const char* section : kTextSections)
        {
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
        for (std::uint32_t i = 0; i < 4; ++i)
        {
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
        OrrelayEngine::EngineFactories factories;
        factories.graphicsDriver = [](OrrelayEngine::Window&) {
            auto made = std::make_unique<Platform::GraphicsDriverNull>();
            Platform::AdapterDescription adapter = made->EnumerateAdapters()[0];
            adapter.desktopMode = Platform::DisplayMode{1024, 768, 32, 60};
            adapter.displayModes = {{1024, 768, 32, 60}, {800, 600, 32, 60}};
            made->SetAdapters({adapter});
            return made;
        };
        SetEngineFactories(factories);
        Init();
    }

    std::unique_ptr<GameTools::GUIGameCursorBase> CreateGameCursor() override
    {
        return std::make_unique<FrameworkTests::StubCursor>(log_, engine_.get());
    }
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override
    {
        return Make<Plain<GameFramework::GUILogosWindowBase>>(logos, "logos");
    }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override
    {
        return Make<FrameworkTests::LoadingScreen>(loading, "loading");
    }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override
    {
        return Make<FrameworkTests::LoadingScreen>(levelLoading, "level_loading");
    }
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override
    {
        return Make<Plain<GameFramework::GUIWelcomeWindowBase>>(welcome, "welcome", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override
    {
        return Make<Value<GameFramework::GUIExitWindowBase>>(exit, "exit");
    }
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override
    {
        return Make<Plain<GameFramework::GUIMainMenuWindowBase>>(mainMenu, "main_menu");
    }
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override
    {
        return Make<Plain<GameFramework::GUIProfilesWindowBase>>(profiles, "profiles", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override
    {
        return Make<FrameworkTests::NewProfileScreen>(newProfile, "new_profile", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override
    {
        return Make<FrameworkTests::RenameProfileScreen>(renameProfile, "rename_profile", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override
    {
        return Make<FrameworkTests::DeleteProfileScreen>(deleteProfile, "delete_profile", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override
    {
        return Make<Value<GameFramework::GUIProfileNameConflictWindowBase>>(nameConflict, "name_conflict");
    }
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override
    {
        return Make<Value<GameFramework::GUIStartGameLogicWindowBase>>(startGame, "start_game");
    }
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override
    {
        return Make<Plain<GameFramework::GUIContinueGameLogicWindowBase>>(continueGame, "continue");
    }
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override
    {
        return Make<FrameworkTests::HighScoresScreen>(highScores, "high_scores", highScoresTable_.get());
    }
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override
    {
        return Make<Plain<GameFramework::GUIOptionsWindowBase>>(options, "options", mixer_.get(),
                                                                profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override
    {
        return Make<Plain<GameFramework::GUIHelpWindowBase>>(help, "help");
    }
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override
    {
        return Make<FrameworkTests::GameLogicScreen>(inGame, "in_game", profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override
    {
        return Make<Plain<GameFramework::GUIGameLogicPauseWindowBase>>(pause, "pause");
    }
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override
    {
        return Make<Plain<GameFramework::GUIGameLogicMenuWindowBase>>(gameMenu, "game_menu", mixer_.get(),
                                                                      profileManager_.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override
    {
        return Make<Plain<GameFramework::GUIGameLogicMenuExitWindowBase>>(menuExit, "menu_exit");
    }
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override
    {
        return Make<Plain<GameFramework::GUIGameLogicRestartWindowBase>>(restart, "restart");
    }
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override
    {
        return Make<Plain<GameFramework::GUIGameLogicGameExitWindowBase>>(gameExit, "game_exit");
    }
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override
    {
        return Make<FrameworkTests::LevelCompleteScreen>(levelComplete, "level_complete");
    }
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override
    {
        return Make<FrameworkTests::StageCompleteScreen>(stageComplete, "stage_complete");
    }
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override
    {
        return Make<Plain<GameFramework::GUIGameCompleteWindowBase>>(gameComplete, "game_complete");
    }
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override
    {
        return Make<Plain<GameFramework::GUIGameOverWindowBase>>(gameOver, "game_over");
    }

    template <class Base>
    using Plain = FrameworkTests::PlainScreen<Base>;
    template <class Base>
    using Value = FrameworkTests::ValueScreen<Base>;

    // Borrowed views of the screens the factories made; null until made.
    Plain<GameFramework::GUILogosWindowBase>* logos = nullptr;
    FrameworkTests::LoadingScreen* loading = nullptr;
    FrameworkTests::LoadingScreen* levelLoading = nullptr;
    Plain<GameFramework::GUIWelcomeWindowBase>* welcome = nullptr;
    Value<GameFramework::GUIExitWindowBase>* exit = nullptr;
    Plain<GameFramework::GUIMainMenuWindowBase>* mainMenu = nullptr;
    Plain<GameFramework::GUIProfilesWindowBase>* profiles = nullptr;
    FrameworkTests::NewProfileScreen* newProfile = nullptr;
    FrameworkTests::RenameProfileScreen* renameProfile = nullptr;
    FrameworkTests::DeleteProfileScreen* deleteProfile = nullptr;
    Value<GameFramework::GUIProfileNameConflictWindowBase>* nameConflict = nullptr;
    Value<GameFramework::GUIStartGameLogicWindowBase>* startGame = nullptr;
    Plain<GameFramework::GUIContinueGameLogicWindowBase>* continueGame = nullptr;
    FrameworkTests::HighScoresScreen* highScores = nullptr;
    Plain<GameFramework::GUIOptionsWindowBase>* options = nullptr;
    Plain<GameFramework::GUIHelpWindowBase>* help = nullptr;
    FrameworkTests::GameLogicScreen* inGame = nullptr;
    Plain<GameFramework::GUIGameLogicPauseWindowBase>* pause = nullptr;
    Plain<GameFramework::GUIGameLogicMenuWindowBase>* gameMenu = nullptr;
    Plain<GameFramework::GUIGameLogicMenuExitWindowBase>* menuExit = nullptr;
    Plain<GameFramework::GUIGameLogicRestartWindowBase>* restart = nullptr;
    Plain<GameFramework::GUIGameLogicGameExitWindowBase>* gameExit = nullptr;
    FrameworkTests::LevelCompleteScreen* levelComplete = nullptr;
    FrameworkTests::StageCompleteScreen* stageComplete = nullptr;
    Plain<GameFramework::GUIGameCompleteWindowBase>* gameComplete = nullptr;
    Plain<GameFramework::GUIGameOverWindowBase>* gameOver = nullptr;

private:
    template <class Screen, class... Args>
    std::unique_ptr<Screen> Make(Screen*& view, const char* name, Args&&... args)
    {
        auto made = std::make_unique<Screen>(log_, name, engine_.get(), std::forward<Args>(args)...);
        view = made.get();
        return made;
    }

    FrameworkTests::CallLog& log_;
};

} // namespace GameTests
