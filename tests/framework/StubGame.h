// A whole game over the framework, headless: the real engine over the null
// graphics driver (offscreen window, audio mixed by hand, manual clock), a
// small data set written into a temporary installation folder, and stub
// screens, keepers, level manager, profile manager and level logic that write
// what happens to them (Show with its arguments, Hide, loads, destruction)
// into one shared call log. Screens answer the codes a test scripts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "content/FontFileWriter.h"
#include "content/TextTableWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/DataKeeper.h"
#include "framework/GameBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoreEntry.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "framework/gui/GUIContinueGameLogicWindowBase.h"
#include "framework/gui/GUIDeleteProfileWindowBase.h"
#include "framework/gui/GUIExitWindowBase.h"
#include "framework/gui/GUIGameCompleteWindowBase.h"
#include "framework/gui/GUIGameLogicGameExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuExitWindowBase.h"
#include "framework/gui/GUIGameLogicMenuWindowBase.h"
#include "framework/gui/GUIGameLogicPauseWindowBase.h"
#include "framework/gui/GUIGameLogicRestartWindowBase.h"
#include "framework/gui/GUIGameLogicWindowBase.h"
#include "framework/gui/GUIGameOverWindowBase.h"
#include "framework/gui/GUIHelpWindowBase.h"
#include "framework/gui/GUIHighScoresWindowBase.h"
#include "framework/gui/GUILevelCompleteWindowBase.h"
#include "framework/gui/GUILoadingWindowBase.h"
#include "framework/gui/GUILogosWindowBase.h"
#include "framework/gui/GUIMainMenuWindowBase.h"
#include "framework/gui/GUINewProfileWindowBase.h"
#include "framework/gui/GUIOptionsWindowBase.h"
#include "framework/gui/GUIProfileNameConflictWindowBase.h"
#include "framework/gui/GUIProfilesWindowBase.h"
#include "framework/gui/GUIRenameProfileWindowBase.h"
#include "framework/gui/GUIStageCompleteWindowBase.h"
#include "framework/gui/GUIStartGameLogicWindowBase.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "platform/AppWindow.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/GraphicsDriverNull.h"
#include "platform/InputDevice.h"
#include "platform/KeyState.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/ScopedEnvironment.h"
#include "platform/TemporaryFolder.h"
#include "tools/GUIGameCursorBase.h"

namespace FrameworkTests {

using namespace GameFramework;

// Written from the loading thread as well, while the main thread waits.
class CallLog
{
public:
    void Add(const std::string& line)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
    }
    std::vector<std::string> Lines() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// Update answers the code scripted with Answer, once; Hide and destruction are logged.
template <class Base>
class StubScreen : public Base
{
public:
    template <class... Args>
    StubScreen(CallLog& log, std::string name, Args&&... args)
        : Base(std::forward<Args>(args)...), log_(log), name_(std::move(name))
    {}
    ~StubScreen() override
    {
        if (window_ != nullptr)
            this->engine_->GetGUIManager()->DeleteWindow(window_);
        log_.Add("~" + name_);
    }

    void Update() override
    {
        Base::Update();
        if (window_ != nullptr)
            window_->PrintText(0, 0, OrrelayEngine::Vector2(), OrrelayEngine::Color(1.0f, 1.0f, 1.0f, 1.0f), line_);
        if (answer_ != 0) {
            this->SetResult(answer_);
            answer_ = 0;
        }
    }
    void Hide() override
    {
        Base::Hide();
        log_.Add(name_ + " hide");
    }
    void Answer(std::uint32_t code) { answer_ = code; }

    // A shown window of the screen's own that prints line at every Update,
    // the engine work a real screen brings to each frame.
    void OwnWindow(const OrrelayEngine::Vector2& position, const std::wstring& line)
    {
        window_ = this->engine_->GetGUIManager()->CreateWindowFromModel(
            OrrelayEngine::GUIWindow::kFlagShown, position, OrrelayEngine::Vector2(200.0f, 20.0f), nullptr, nullptr);
        line_ = line;
    }
    OrrelayEngine::GUIWindow* GetOwnWindow() const { return window_; }
    const std::wstring& GetLine() const { return line_; }

protected:
    void LogShow(const std::string& arguments = std::string())
    {
        log_.Add(name_ + " show" + (arguments.empty() ? "" : " " + arguments));
    }

    CallLog& log_;
    std::string name_;
    std::uint32_t answer_ = 0;
    OrrelayEngine::GUIWindow* window_ = nullptr;
    std::wstring line_;
};

template <class Base>
class PlainScreen : public StubScreen<Base>
{
public:
    using StubScreen<Base>::StubScreen;
    void Show() override
    {
        Base::Show();
        this->LogShow();
    }
};

template <class Base>
class ValueScreen : public StubScreen<Base>
{
public:
    using StubScreen<Base>::StubScreen;
    void Show(std::uint32_t value) override
    {
        Base::Show(value);
        this->LogShow(std::to_string(value));
    }
};

class NewProfileScreen : public StubScreen<GUINewProfileWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(bool fromProfiles) override
    {
        GUINewProfileWindowBase::Show(fromProfiles);
        LogShow(fromProfiles ? "true" : "false");
    }
};

class RenameProfileScreen : public StubScreen<GUIRenameProfileWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(bool takeName, const std::wstring& name) override
    {
        GUIRenameProfileWindowBase::Show(takeName, name);
        LogShow(std::string(takeName ? "true " : "false ") + OrrelayEngine::WideToStringCopy(name));
    }
};

class DeleteProfileScreen : public StubScreen<GUIDeleteProfileWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(const std::wstring& name) override
    {
        GUIDeleteProfileWindowBase::Show(name);
        LogShow(OrrelayEngine::WideToStringCopy(name));
    }
};

// Loads what it is shown at its next Update and then reports 1, as the
// game's loading screens do.
class LoadingScreen : public StubScreen<GUILoadingWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(DataKeeper* keeper) override;
    void Update() override
    {
        StubScreen::Update();
        if (GetDataKeeper() != nullptr && !IsDone()) {
            Run();
            SetResult(GameBase::kResultDone);
        }
    }
};

class HighScoresScreen : public StubScreen<GUIHighScoresWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(std::uint32_t opener, const HighScoreEntry* entry) override
    {
        GUIHighScoresWindowBase::Show(opener, entry);
        LogShow(std::to_string(opener) + (entry != nullptr ? " entry " + std::to_string(entry->score) : " none"));
    }
};

class GameLogicScreen : public StubScreen<GUIGameLogicWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(GameLogicBase* logic) override
    {
        GUIGameLogicWindowBase::Show(logic);
        LogShow(logic != nullptr ? "level" : "none");
    }
    void SetActive(bool active) override
    {
        GUIGameLogicWindowBase::SetActive(active);
        log_.Add(name_ + (active ? " active" : " inactive"));
    }
};

class LevelCompleteScreen : public StubScreen<GUILevelCompleteWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(const LevelPosition& completed, float elapsedSeconds) override
    {
        GUILevelCompleteWindowBase::Show(completed, elapsedSeconds);
        LogShow(std::to_string(completed.stage) + "," + std::to_string(completed.level) + " " +
                OrrelayEngine::FloatToString(elapsedSeconds, 1));
    }
};

class StageCompleteScreen : public StubScreen<GUIStageCompleteWindowBase>
{
public:
    using StubScreen::StubScreen;
    void Show(const LevelPosition& completed) override
    {
        GUIStageCompleteWindowBase::Show(completed);
        LogShow(std::to_string(completed.stage) + "," + std::to_string(completed.level));
    }
};

// Loads nothing but says so; its destruction marks its lifetime.
class StubKeeper : public DataKeeper
{
public:
    StubKeeper(CallLog& log, std::string name, OrrelayEngine::Engine* engine, const LanguageInfo& language)
        : DataKeeper(engine, language, false), log_(log), name_(std::move(name))
    {}
    ~StubKeeper() override
    {
        StopLoading();
        log_.Add("~" + name_);
    }
    void LoadResources() override
    {
        std::string files;
        for (const std::string& file : GetResourceFiles())
            files += " " + file;
        log_.Add("load " + name_ + files);
    }
    const std::string& GetName() const { return name_; }

private:
    CallLog& log_;
    std::string name_;
};

inline void LoadingScreen::Show(DataKeeper* keeper)
{
    GUILoadingWindowBase::Show(keeper);
    const auto* stub = dynamic_cast<const StubKeeper*>(keeper);
    LogShow(stub != nullptr ? stub->GetName() : "none");
}

class StubLevels : public LevelManagerBase
{
public:
    StubLevels(CallLog& log, OrrelayEngine::Engine* engine) : LevelManagerBase(engine), log_(log) { Load(); }
    ~StubLevels() override { log_.Add("~level_manager"); }
    void GetLevelResourceFiles(const LevelPosition& position, std::vector<std::string>& names) override
    {
        names.push_back("level" + std::to_string(position.stage) + std::to_string(position.level) + ".xml");
    }

protected:
    std::unique_ptr<StageRecord> CreateStage() override { return std::make_unique<StageRecord>(); }
    std::unique_ptr<LevelRecord> CreateLevel() override { return std::make_unique<LevelRecord>(); }

private:
    CallLog& log_;
};

class StubProfile : public ProfileBase
{
public:
    StubProfile(OrrelayEngine::Engine* engine, const std::wstring& name, const std::string& folder)
        : ProfileBase(engine, name, folder, "TWPRF", 104)
    {
        Create(name);
    }
    StubProfile(OrrelayEngine::Engine* engine, const std::string& fileName, const std::string& folder)
        : ProfileBase(engine, fileName, folder, "TWPRF", 104)
    {
        Load(fileName);
    }
};

class StubProfiles : public ProfileManagerBase
{
public:
    StubProfiles(CallLog& log, OrrelayEngine::Engine* engine, Mixer* mixer, const std::string& folder,
                 const LevelManagerBase* campaign)
        : ProfileManagerBase(engine, mixer, folder, "FLPMF", 100, campaign), log_(log), engine_(engine), folder_(folder)
    {
        Load();
    }
    ~StubProfiles() override { log_.Add("~profile_manager"); }
    std::unique_ptr<ProfileBase> LoadProfile(const std::string& fileName) override
    {
        return std::make_unique<StubProfile>(engine_, fileName, folder_);
    }
    std::unique_ptr<ProfileBase> CreateProfile(const std::wstring& name) override
    {
        return std::make_unique<StubProfile>(engine_, name, folder_);
    }

private:
    CallLog& log_;
    OrrelayEngine::Engine* engine_;
    std::string folder_;
};

class StubLogic : public GameLogicBase
{
public:
    StubLogic(CallLog& log, OrrelayEngine::Engine* engine, Mixer* mixer, const StageRecord& stage,
              const LevelRecord& level, std::uint32_t value)
        : GameLogicBase(engine, mixer, &stage, &level, value), log_(log)
    {
        PauseClock(false);
    }
    ~StubLogic() override { log_.Add("~logic"); }

private:
    CallLog& log_;
};

class StubCursor : public GameTools::GUIGameCursorBase
{
public:
    StubCursor(CallLog& log, OrrelayEngine::Engine* engine) : GUIGameCursorBase(engine), log_(log) {}
    ~StubCursor() override { log_.Add("~cursor"); }
    void SetVisible(bool visible) override
    {
        GUIGameCursorBase::SetVisible(visible);
        log_.Add(visible ? "cursor visible" : "cursor hidden");
    }

private:
    CallLog& log_;
};

// The platform as the stub game needs it, and the data set in an installation
// folder that stands in for the program's own.
class StubGameEnvironment
{
public:
    StubGameEnvironment()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        environment.Set("XDG_DATA_HOME", folder.Path() + "/userdata");
        environment.Set("XDG_CONFIG_HOME", folder.Path() + "/config");
        Platform::SetMachineConfigRoot(folder.Path() + "/machine");
        Platform::SetExecutableFolderForTests(InstallFolder());
        Platform::SetManualClock(true);
        Platform::SetMessageBoxMode(Platform::MessageBoxMode::Record);
        Platform::SetOpenGlWindows(false);
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Manual);
        Platform::ClearInputFailuresForTesting();
        Platform::ReleaseAllHeldKeys();
        Platform::DiscardPendingEvents();
        WriteDataSet();
    }
    ~StubGameEnvironment()
    {
        Platform::DiscardPendingEvents();
        Platform::ReleaseAllHeldKeys();
        Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Sdl);
        Platform::SetOpenGlWindows(true);
        Platform::SetMessageBoxMode(Platform::MessageBoxMode::Show);
        Platform::SetManualClock(false);
        Platform::SetExecutableFolderForTests("");
        Platform::SetMachineConfigRoot("/etc/xdg");
    }
    StubGameEnvironment(const StubGameEnvironment&) = delete;
    StubGameEnvironment& operator=(const StubGameEnvironment&) = delete;

    std::string InstallFolder() const { return folder.Path() + "/install"; }
    // A file under the installation folder, by its native relative path.
    void WriteData(const std::string& relative, const std::string& contents) const
    {
        folder.Write("install/" + relative, contents);
    }
    void RemoveData(const std::string& relative) const { std::remove((InstallFolder() + "/" + relative).c_str()); }
    // The values the installer would have left for the user, as name=value lines.
    void WriteRegistry(const std::string& lines) const
    {
        folder.Write("config/Quorvane Games/Quillory/registry.ini", lines);
    }
    std::string NativeUserFolder() const { return folder.Path() + "/userdata/Quorvane Games/Quillory"; }

    static std::string FontList(const std::string& entries, std::uint32_t count, std::uint32_t consoleFontId)
    {
        return std::to_string(count) + " " + std::to_string(consoleFontId) + "\n" + entries;
    }

    PlatformTests::TemporaryFolder folder;
    PlatformTests::ScopedEnvironment environment;

private:
    void WriteDataSet() const
    {
        OrrelayEngine::FontFile::Glyph glyph;
        glyph.character = L'A';
        glyph.du = 0.1f;
        glyph.dv = 0.1f;
        glyph.width = 8.0f;
        Content::FontFileWriter fontWriter;
        const std::vector<std::uint8_t> font = fontWriter.Build({glyph}).GetBytes();
        WriteData("data/ui/fonts/main.fnt", std::string(font.begin(), font.end()));
        WriteData("data/ui/fonts/en.ini",
                  FontList("ui\\fonts\\main.fnt ui\\fonts\\main.tga 32bit 12.5 4 1.5 1 0\n", 1, 0));
        Content::TextTableWriter title;
        title.Add("GAME_TITLE", L"Quillory \u00e9t\u00e9");
        WriteTable("data/ui/texts/en/game_title.ini", title);
        Content::TextTableWriter common;
        common.Add("OK", L"OK");
        WriteTable("data/ui/texts/en/common.ini", common);
        WriteData("data/levels/stages_info.ini", "2\n");
        WriteData("data/levels/stage0/levels_info.ini", "3\n.\n.\n.\n");
        WriteData("data/levels/stage1/levels_info.ini", "2\n.\n.\n");
    }

    void WriteTable(const std::string& relative, const Content::TextTableWriter& writer) const
    {
        const std::vector<std::uint8_t> bytes = writer.Build().GetBytes();
        WriteData(relative, std::string(bytes.begin(), bytes.end()));
    }
};

class StubGame : public GameBase
{
public:
    using GameBase::engine_;
    using GameBase::gameCursor_;
    using GameBase::gameData_;
    using GameBase::gameLogicData_;
    using GameBase::levelManager_;
    using GameBase::mixer_;
    using GameBase::previousGameLogicData_;
    using GameBase::profileManager_;

    explicit StubGame(CallLog& log) : GameBase("Quorvane Games", "Quillory", 104), log_(log)
    {
        OrrelayEngine::EngineFactories factories;
        factories.graphicsDriver = [this](OrrelayEngine::Window&) {
            auto made = std::make_unique<Platform::GraphicsDriverNull>();
            Platform::AdapterDescription adapter = made->EnumerateAdapters()[0];
            adapter.desktopMode = Platform::DisplayMode{1024, 768, 32, 60};
            adapter.displayModes = {{800, 600, 32, 60}, {640, 480, 32, 60}};
            made->SetAdapters({adapter});
            driver = made.get();
            return made;
        };
        SetEngineFactories(factories);
    }

    // Tests run windowed, where a lost device asks for a reset.
    void FillEngineSettings(OrrelayEngine::EngineSettings& settings) override
    {
        GameBase::FillEngineSettings(settings);
        settings.fullscreenDefault = false;
        if (adjustSettings)
            adjustSettings(settings);
    }

    std::unique_ptr<LevelManagerBase> CreateLevelManager() override
    {
        return std::make_unique<StubLevels>(log_, engine_.get());
    }
    std::unique_ptr<ProfileManagerBase> CreateProfileManager() override
    {
        return std::make_unique<StubProfiles>(log_, engine_.get(), mixer_.get(), GetUserFolder(), levelManager_.get());
    }
    std::unique_ptr<DataKeeper> CreateGameData() override
    {
        return std::make_unique<StubKeeper>(log_, "game_data", engine_.get(), languageManager_->GetCurrentLanguage());
    }
    std::unique_ptr<GameTools::GUIGameCursorBase> CreateGameCursor() override
    {
        return std::make_unique<StubCursor>(log_, engine_.get());
    }
    std::unique_ptr<DataKeeper> CreateGameLogicData(const StageRecord& stage, const LevelRecord& level) override
    {
        return std::make_unique<StubKeeper>(log_,
                                            "level_data" + std::to_string(stage.stageIndex) +
                                                std::to_string(level.levelIndex) + "_" +
                                                std::to_string(++levelDataMade),
                                            engine_.get(), languageManager_->GetCurrentLanguage());
    }
    std::unique_ptr<GameLogicBase> CreateGameLogic(const StageRecord& stage, const LevelRecord& level,
                                                   std::uint32_t value) override
    {
        return std::make_unique<StubLogic>(log_, engine_.get(), mixer_.get(), stage, level, value);
    }

    std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() override
    {
        return Make<PlainScreen<GUILogosWindowBase>>(logos, "logos");
    }
    std::unique_ptr<GUILoadingWindowBase> CreateLoadingWindow() override
    {
        return Make<LoadingScreen>(loading, "loading");
    }
    std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() override
    {
        return Make<LoadingScreen>(levelLoading, "level_loading");
    }
    std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() override
    {
        return Make<PlainScreen<GUIWelcomeWindowBase>>(welcome, "welcome", profileManager_.get());
    }
    std::unique_ptr<GUIExitWindowBase> CreateExitWindow() override
    {
        return Make<ValueScreen<GUIExitWindowBase>>(exit, "exit");
    }
    std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() override
    {
        return Make<PlainScreen<GUIMainMenuWindowBase>>(mainMenu, "main_menu");
    }
    std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() override
    {
        return Make<PlainScreen<GUIProfilesWindowBase>>(profiles, "profiles", profileManager_.get());
    }
    std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() override
    {
        return Make<NewProfileScreen>(newProfile, "new_profile", profileManager_.get());
    }
    std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() override
    {
        return Make<RenameProfileScreen>(renameProfile, "rename_profile", profileManager_.get());
    }
    std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override
    {
        return Make<DeleteProfileScreen>(deleteProfile, "delete_profile", profileManager_.get());
    }
    std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override
    {
        return Make<ValueScreen<GUIProfileNameConflictWindowBase>>(nameConflict, "name_conflict");
    }
    std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override
    {
        return Make<ValueScreen<GUIStartGameLogicWindowBase>>(startGame, "start_game");
    }
    std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override
    {
        return Make<PlainScreen<GUIContinueGameLogicWindowBase>>(continueGame, "continue");
    }
    std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() override
    {
        return Make<HighScoresScreen>(highScores, "high_scores", highScoresTable_.get());
    }
    std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() override
    {
        return Make<PlainScreen<GUIOptionsWindowBase>>(options, "options", mixer_.get(), profileManager_.get());
    }
    std::unique_ptr<GUIHelpWindowBase> CreateHelpWindow() override
    {
        return Make<PlainScreen<GUIHelpWindowBase>>(help, "help");
    }
    std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() override
    {
        return Make<GameLogicScreen>(inGame, "in_game", profileManager_.get());
    }
    std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override
    {
        return Make<PlainScreen<GUIGameLogicPauseWindowBase>>(pause, "pause");
    }
    std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override
    {
        return Make<PlainScreen<GUIGameLogicMenuWindowBase>>(gameMenu, "game_menu", mixer_.get(),
                                                             profileManager_.get());
    }
    std::unique_ptr<GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override
    {
        return Make<PlainScreen<GUIGameLogicMenuExitWindowBase>>(menuExit, "menu_exit");
    }
    std::unique_ptr<GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override
    {
        return Make<PlainScreen<GUIGameLogicRestartWindowBase>>(restart, "restart");
    }
    std::unique_ptr<GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override
    {
        return Make<PlainScreen<GUIGameLogicGameExitWindowBase>>(gameExit, "game_exit");
    }
    std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override
    {
        return Make<LevelCompleteScreen>(levelComplete, "level_complete");
    }
    std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() override
    {
        return Make<StageCompleteScreen>(stageComplete, "stage_complete");
    }
    std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() override
    {
        return Make<PlainScreen<GUIGameCompleteWindowBase>>(gameComplete, "game_complete");
    }
    std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() override
    {
        return Make<PlainScreen<GUIGameOverWindowBase>>(gameOver, "game_over");
    }

    void Frame() override
    {
        ++frames;
        GameBase::Frame();
    }

    void ResetRenderDevice() override
    {
        log_.Add("reset device");
        GameBase::ResetRenderDevice();
    }

    // Calls visit with each of the 26 screens, all made by then.
    template <class Visit>
    void ForEachScreen(Visit&& visit)
    {
        visit(*logos);
        visit(*loading);
        visit(*levelLoading);
        visit(*welcome);
        visit(*exit);
        visit(*mainMenu);
        visit(*profiles);
        visit(*newProfile);
        visit(*renameProfile);
        visit(*deleteProfile);
        visit(*nameConflict);
        visit(*startGame);
        visit(*continueGame);
        visit(*highScores);
        visit(*options);
        visit(*help);
        visit(*inGame);
        visit(*pause);
        visit(*gameMenu);
        visit(*menuExit);
        visit(*restart);
        visit(*gameExit);
        visit(*levelComplete);
        visit(*stageComplete);
        visit(*gameComplete);
        visit(*gameOver);
    }

    // Borrowed views of the screens the factories made; null until made.
    PlainScreen<GUILogosWindowBase>* logos = nullptr;
    LoadingScreen* loading = nullptr;
    LoadingScreen* levelLoading = nullptr;
    PlainScreen<GUIWelcomeWindowBase>* welcome = nullptr;
    ValueScreen<GUIExitWindowBase>* exit = nullptr;
    PlainScreen<GUIMainMenuWindowBase>* mainMenu = nullptr;
    PlainScreen<GUIProfilesWindowBase>* profiles = nullptr;
    NewProfileScreen* newProfile = nullptr;
    RenameProfileScreen* renameProfile = nullptr;
    DeleteProfileScreen* deleteProfile = nullptr;
    ValueScreen<GUIProfileNameConflictWindowBase>* nameConflict = nullptr;
    ValueScreen<GUIStartGameLogicWindowBase>* startGame = nullptr;
    PlainScreen<GUIContinueGameLogicWindowBase>* continueGame = nullptr;
    HighScoresScreen* highScores = nullptr;
    PlainScreen<GUIOptionsWindowBase>* options = nullptr;
    PlainScreen<GUIHelpWindowBase>* help = nullptr;
    GameLogicScreen* inGame = nullptr;
    PlainScreen<GUIGameLogicPauseWindowBase>* pause = nullptr;
    PlainScreen<GUIGameLogicMenuWindowBase>* gameMenu = nullptr;
    PlainScreen<GUIGameLogicMenuExitWindowBase>* menuExit = nullptr;
    PlainScreen<GUIGameLogicRestartWindowBase>* restart = nullptr;
    PlainScreen<GUIGameLogicGameExitWindowBase>* gameExit = nullptr;
    LevelCompleteScreen* levelComplete = nullptr;
    StageCompleteScreen* stageComplete = nullptr;
    PlainScreen<GUIGameCompleteWindowBase>* gameComplete = nullptr;
    PlainScreen<GUIGameOverWindowBase>* gameOver = nullptr;

    std::function<void(OrrelayEngine::EngineSettings&)> adjustSettings;
    // Borrowed from the render system; valid while the engine lives.
    Platform::GraphicsDriverNull* driver = nullptr;
    std::uint32_t levelDataMade = 0;
    std::uint32_t frames = 0;

private:
    template <class Screen, class... Args>
    std::unique_ptr<Screen> Make(Screen*& view, const char* name, Args&&... args)
    {
        auto made = std::make_unique<Screen>(log_, name, engine_.get(), std::forward<Args>(args)...);
        view = made.get();
        return made;
    }

    CallLog& log_;
};

// One stub game with its environment and call log; the game goes first.
struct StubGameRun
{
    StubGame& Start()
    {
        game = std::make_unique<StubGame>(log);
        game->Init();
        return *game;
    }

    void Frames(std::uint32_t count)
    {
        for (std::uint32_t i = 0; i < count; ++i)
            game->Frame();
    }

    ProfileBase* AddProfile(const std::wstring& name)
    {
        ProfileBase* profile = game->profileManager_->AddProfile(name);
        game->profileManager_->SetCurrentProfile(profile, true);
        return profile;
    }

    // Started, past the logos and the global load, at the welcome screen or
    // (with a profile) the main menu; the log emptied.
    void Boot(bool withProfile)
    {
        Start();
        if (withProfile)
            AddProfile(L"Ann");
        game->logos->Answer(GameBase::kResultDone);
        Frames(3);
        log.Clear();
    }

    // From the level chooser to the level in play; the log emptied.
    void PlayLevel()
    {
        game->startGame->Answer(GameBase::kResultPlay);
        Frames(3);
        log.Clear();
    }

    // Sets a screen's code as its buttons would and runs the frame that handles it.
    template <class Screen>
    std::vector<std::string> Answer(Screen* screen, std::uint32_t code)
    {
        log.Clear();
        screen->SetResult(code);
        game->Frame();
        return log.Lines();
    }

    StubGameEnvironment env;
    CallLog log;
    std::unique_ptr<StubGame> game;
};

} // namespace FrameworkTests
