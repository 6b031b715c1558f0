// The framework's side of the game object: finds the installation and user
// data folders, builds the engine and the framework's services, makes the
// game's own objects through the factories the game supplies, steps each
// frame (focus, video mode, lost device, the screens and the level), and turns
// the screens' result codes into the screen flow.
//
// Nothing virtual is called from the constructor: the game's constructor calls
// Init as its last step. One instance lives for the whole run; main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineFactories.h"
#include "framework/LevelPosition.h"

namespace OrrelayEngine {
class Config;
class Console;
class Controls;
class Engine;
class FileManager;
class FileTextual;
class GUIFontManager;
class GUIManager;
class GUISoundManager;
class GUITextManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
struct EngineSettings;
} // namespace OrrelayEngine

namespace GameTools {
class GUIGameCursorBase;
}

namespace GameFramework {

class DataKeeper;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIGameCompleteWindowBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;
class GameLogicBase;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class Mixer;
class ProfileBase;
class ProfileManagerBase;
struct HighScoreEntry;
struct LevelRecord;
struct LevelResult;
struct StageRecord;

class GameBase
{
public:
    // Result codes of the screens.
    enum Result : std::uint32_t
    {
        kResultNone = 0,
        kResultDone = 1,
        kResultToWelcome = 2,
        kResultToMainMenu = 3,
        kResultQuitRequested = 4,
        kResultToProfiles = 5,
        kResultToNewProfile = 6,
        kResultRenameProfile = 7,
        kResultDeleteProfile = 8,
        kResultNameTaken = 9,
        kResultToHighScores = 10,
        kResultToOptions = 11,
        kResultToHelp = 12,
        kResultPlayOn = 13,
        kResultContinue = 14,
        kResultPause = 15,
        kResultToGameMenu = 16,
        kResultRestart = 17,
        kResultLeaveLevel = 18,
        kResultResume = 19,
        kResultStageComplete = 20,
        kResultGameComplete = 21,
        kResultQuit = 22,
        kResultPlay = 23
    };

    // What the level chooser, the exit question and the name-conflict screen
    // are told about who opened them.
    static constexpr std::uint32_t kStartFromMainMenu = 2;
    static constexpr std::uint32_t kStartFromRestart = 6;
    static constexpr std::uint32_t kStartFromContinue = 7;
    static constexpr std::uint32_t kStartAfterLevel = 8;
    static constexpr std::uint32_t kStartAfterStage = 9;
    static constexpr std::uint32_t kExitFromWelcome = 1;
    static constexpr std::uint32_t kExitFromMainMenu = 2;
    static constexpr std::uint32_t kExitFromNewProfile = 3;
    static constexpr std::uint32_t kConflictFromNewProfile = 3;
    static constexpr std::uint32_t kConflictFromRename = 4;
    static constexpr std::uint32_t kHighScoresFromMainMenu = 2;
    static constexpr std::uint32_t kHighScoresAfterGameComplete = 10;
    static constexpr std::uint32_t kHighScoresAfterGameOver = 11;

    static constexpr std::uint32_t kHighScoresPerCategory = 10;
    static constexpr float kGuiScreenWidth = 800.0f;
    static constexpr float kGuiScreenHeight = 600.0f;
    static constexpr float kMusicFadeSpeed = 0.5f;
    static constexpr std::uint32_t kIdleSleepMilliseconds = 100;
    // The window-mode toggle becomes a video-mode update this many frames on.
    static constexpr std::uint32_t kWindowModeDelayFrames = 2;
    static constexpr std::uint32_t kResultPassesPerFrame = 3;

    GameBase(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion);
    // Releases in the order: level, screens, cursor, high scores, managers,
    // resource sets, languages, mixer, and the engine last.
    virtual ~GameBase();

    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    virtual void Frame();
    // Throws what the engine or a loader throws (FatalError).
    virtual void Init();
    virtual void FillEngineSettings(OrrelayEngine::EngineSettings& settings);
    virtual void RegisterConsoleCommands();
    // A missing font list or font is fatal: the game cannot show a word without.
    virtual void LoadFonts();
    // A missing text section is fatal, for the same reason.
    virtual void LoadTexts();
    virtual void CreateConsole();
    virtual void LoadSounds();
    virtual void CreateWindows();
    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GameTools::GUIGameCursorBase> CreateGameCursor() = 0;
    virtual std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateLoadingWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() = 0;
    virtual std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() = 0;
    virtual std::unique_ptr<GUIExitWindowBase> CreateExitWindow() = 0;
    virtual std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() = 0;
    virtual std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() = 0;
    virtual std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() = 0;
    virtual std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() = 0;
    virtual std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() = 0;
    virtual std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() = 0;
    virtual std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() = 0;
    virtual std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() = 0;
    virtual std::unique_ptr<GUIHelpWindowBase> CreateHelpWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() = 0;
    virtual std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() = 0;
    virtual std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameLogicData(const StageRecord& stage, const LevelRecord& level) = 0;
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(const StageRecord& stage, const LevelRecord& level,
                                                           std::uint32_t levelLogicValue) = 0;
    virtual std::unique_ptr<LevelResult> CreateLevelResult();
    virtual void GetLevelResult(LevelResult& result);
    virtual void ProcessConsoleCommands();
    virtual float GetDefaultMusicVolume();
    virtual float GetDefaultSoundVolume();
    virtual void ResetRenderDevice();
    virtual void ProcessWindowResults();
    virtual void ClearWindowResults();
    virtual void UpdateWindows();
    virtual void ProcessLogosWindowResult();
    virtual void ProcessLoadingWindowResult();
    virtual void ProcessWelcomeWindowResult();
    virtual void ProcessExitWindowResult();
    virtual void ProcessMainMenuWindowResult();
    virtual void ProcessProfilesWindowResult();
    virtual void ProcessGameLogicLoadingWindowResult();
    virtual void ProcessNewProfileWindowResult();
    virtual void ProcessRenameProfileWindowResult();
    virtual void ProcessDeleteProfileWindowResult();
    virtual void ProcessProfileNameConflictWindowResult();
    virtual void ProcessStartGameLogicWindowResult();
    virtual void ProcessContinueGameLogicWindowResult();
    virtual void ProcessHighScoresWindowResult();
    virtual void ProcessOptionsWindowResult();
    virtual void ProcessHelpWindowResult();
    virtual void ProcessGameLogicWindowResult();
    virtual void ProcessGameLogicPauseWindowResult();
    virtual void ProcessGameLogicMenuWindowResult();
    virtual void ProcessGameLogicMenuExitWindowResult();
    virtual void ProcessGameLogicRestartWindowResult();
    virtual void ProcessGameLogicGameExitWindowResult();
    virtual void ProcessLevelWonState();
    // Back one level (to the last level of the stage before at a stage's first
    // level; stage 0 level 0 stays); the framework itself never calls it.
    virtual void ReturnToPreviousLevel();
    virtual void ProcessGameOverState();
    virtual void ProcessLevelCompleteWindowResult();
    virtual void ProcessStageCompleteWindowResult();
    virtual void ProcessGameCompleteWindowResult();
    virtual void ProcessGameOverWindowResult();

    // The engine's exit command has been issued.
    bool IsExitRequested() const;
    // Loads "ui\texts\<language code>\<section>.ini" into the text table.
    void LoadTextSection(const std::string& section);
    // "audio\<folder>\<name>.wav" when the data hold it, else the same with ".ogg".
    std::string FindSoundFile(const std::string& folder, const std::string& name) const;

    const std::string& GetMakerName() const { return makerName_; }
    const std::string& GetProductName() const { return productName_; }
    std::uint32_t GetVersion() const { return version_; }
    const std::string& GetRegistryKey() const { return registryKey_; }
    const std::string& GetInstallFolder() const { return installFolder_; }
    const std::string& GetUserFolder() const { return userFolder_; }
    OrrelayEngine::Engine* GetEngine() const { return engine_.get(); }
    std::uint32_t GetFontCount() const { return fontCount_; }
    std::uint32_t GetConsoleFontId() const { return consoleFontId_; }
    GameLogicBase* GetGameLogic() const { return gameLogic_.get(); }

protected:
    // Tests build the engine over stand-ins; the real services by default.
    void SetEngineFactories(const OrrelayEngine::EngineFactories& factories) { engineFactories_ = factories; }

    // Screen flow helpers.
    void ShowWelcomeOrMainMenu();
    // The current profile, or null after the welcome screen has been shown in
    // place of what needed one (the last profile can be deleted).
    ProfileBase* TakeCurrentProfileOrWelcome();
    void CloseLevel();
    void PauseLevel(bool pause);
    void StartLevel();
    void CreateLevel();
    void ShowHighScoresAfterGame(std::uint32_t score, std::uint32_t callerCode);

    std::string makerName_;
    std::string productName_;
    std::uint32_t version_ = 0;
    std::string registryKey_;
    std::string installFolder_;
    std::string userFolder_;
    std::unique_ptr<OrrelayEngine::Engine> engine_;

    OrrelayEngine::MessageManager* messageManager_ = nullptr;
    OrrelayEngine::FileManager* fileManager_ = nullptr;
    OrrelayEngine::TimerManager* timerManager_ = nullptr;
    OrrelayEngine::Config* config_ = nullptr;
    OrrelayEngine::Window* window_ = nullptr;
    OrrelayEngine::RenderSystem* renderSystem_ = nullptr;
    OrrelayEngine::LightManager* lightManager_ = nullptr;
    OrrelayEngine::ShaderManager* shaderManager_ = nullptr;
    OrrelayEngine::TextureManager* textureManager_ = nullptr;
    OrrelayEngine::ModelManager* modelManager_ = nullptr;
    OrrelayEngine::SpriteGroupManager* spriteGroupManager_ = nullptr;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_ = nullptr;
    OrrelayEngine::Controls* controls_ = nullptr;
    // Null when the engine runs silent.
    OrrelayEngine::SoundManager* soundManager_ = nullptr;
    OrrelayEngine::GUIManager* guiManager_ = nullptr;
    OrrelayEngine::GUIFontManager* fontManager_ = nullptr;
    OrrelayEngine::GUITextManager* textManager_ = nullptr;
    OrrelayEngine::GUISoundManager* guiSoundManager_ = nullptr;
    OrrelayEngine::ScreenCapture* screenCapture_ = nullptr;
    OrrelayEngine::Console* console_ = nullptr;

    // The storage of d_show_statistics.
    std::uint8_t showStatistics_ = 0;
    std::unique_ptr<LanguageManager> languageManager_;
    std::unique_ptr<Mixer> mixer_;
    std::uint32_t fontCount_ = 0;
    std::uint32_t consoleFontId_ = 0;

    std::unique_ptr<DataKeeper> gameData_;
    std::unique_ptr<DataKeeper> gameLogicData_;
    // The level before's set lives one level longer.
    std::unique_ptr<DataKeeper> previousGameLogicData_;
    std::unique_ptr<LevelManagerBase> levelManager_;
    std::unique_ptr<ProfileManagerBase> profileManager_;
    std::unique_ptr<HighScoresTable> highScoresTable_;
    std::unique_ptr<GameTools::GUIGameCursorBase> gameCursor_;

    std::unique_ptr<GUILogosWindowBase> logosWindow_;
    std::unique_ptr<GUILoadingWindowBase> loadingWindow_;
    std::unique_ptr<GUILoadingWindowBase> gameLogicLoadingWindow_;
    std::unique_ptr<GUIWelcomeWindowBase> welcomeWindow_;
    std::unique_ptr<GUIExitWindowBase> exitWindow_;
    std::unique_ptr<GUIMainMenuWindowBase> mainMenuWindow_;
    std::unique_ptr<GUIProfilesWindowBase> profilesWindow_;
    std::unique_ptr<GUINewProfileWindowBase> newProfileWindow_;
    std::unique_ptr<GUIRenameProfileWindowBase> renameProfileWindow_;
    std::unique_ptr<GUIDeleteProfileWindowBase> deleteProfileWindow_;
    std::unique_ptr<GUIProfileNameConflictWindowBase> profileNameConflictWindow_;
    std::unique_ptr<GUIStartGameLogicWindowBase> startGameLogicWindow_;
    std::unique_ptr<GUIContinueGameLogicWindowBase> continueGameLogicWindow_;
    std::unique_ptr<GUIHighScoresWindowBase> highScoresWindow_;
    std::unique_ptr<GUIOptionsWindowBase> optionsWindow_;
    std::unique_ptr<GUIHelpWindowBase> helpWindow_;
    std::unique_ptr<GUIGameLogicWindowBase> gameLogicWindow_;
    std::unique_ptr<GUIGameLogicPauseWindowBase> gameLogicPauseWindow_;
    std::unique_ptr<GUIGameLogicMenuWindowBase> gameLogicMenuWindow_;
    std::unique_ptr<GUIGameLogicMenuExitWindowBase> gameLogicMenuExitWindow_;
    std::unique_ptr<GUIGameLogicRestartWindowBase> gameLogicRestartWindow_;
    std::unique_ptr<GUIGameLogicGameExitWindowBase> gameLogicGameExitWindow_;
    std::unique_ptr<GUILevelCompleteWindowBase> levelCompleteWindow_;
    std::unique_ptr<GUIStageCompleteWindowBase> stageCompleteWindow_;
    std::unique_ptr<GUIGameCompleteWindowBase> gameCompleteWindow_;
    std::unique_ptr<GUIGameOverWindowBase> gameOverWindow_;

    std::unique_ptr<GameLogicBase> gameLogic_;

    bool pausedByFocus_ = false;
    bool savedClockPaused_ = false;
    std::uint32_t windowModeFrameCounter_ = 0;

private:
    // True when the frame goes on in full (the level was just paused).
    bool HandleFocusLoss();
    void RunIdleFrame();
    void ResumeAfterFocus();
    void ApplyPendingVideoMode();
    void ResetLostDevice();
    void CountWindowModeFrames();
    void ReadFontList(OrrelayEngine::FileTextual& file);
    // Issued commands are marked handled as they are taken.
    bool TakeCommand(const std::string& name);
    LevelPosition GetLevelPosition() const;
    // The records of the current profile's position; a position the campaign
    // lacks is fatal (the campaign is the game's own data).
    void FindLevelRecords(const LevelPosition& position, const StageRecord*& stage, const LevelRecord*& level) const;

    OrrelayEngine::EngineFactories engineFactories_;
};

} // namespace GameFramework
