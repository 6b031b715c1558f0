// This game over the framework's game base: its start-up defaults (1024 x 768
// in 32 bits, icon 101, music and effects at 0.37 and 0.48, textures made for
// the GUI without mip-maps), the board camera's two saved variables, its text
// sections, every GUI sound, music track and sound effect it plays, the
// factories of its campaign, profiles, resource sets, level logic and every
// screen, and what its screens' handlers add to the framework's screen flow:
// music changes, the tutorial character's appearances, the cursor's trail and
// its own three screens (upgrade notice, introduction, relax-mode offer).
//
// The menu background exists from the loading screen on; the menu window
// manager, the character and the three screens of its own from the moment
// the assets have loaded. Until then everything that uses them skips them.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/GameBase.h"
#include "game/gui/LevelBonusRecord.h"

namespace OrrelayEngine {
class GUIWindow;
}

namespace Tansywell {

class Character;
class GameData;
class Profile;
class GameCharacterSpeech;
class GUIBackgroundWindow;
class GUIGameCursor;
class GUIIntroductionWindow;
class GUIMenuWindowManager;
class GUIRelaxWindow;
class GUIUpgradeWindow;

class Game : public GameFramework::GameBase
{
public:
    static constexpr char kVideoMode[] = "1024x768x32";
    // The text sections the game loads, ui/texts/<language>/<section>.ini in the pack.
    static constexpr const char* kTextSections[] = {"character",
                                                    "continue_game_logic",
                                                    "delete_profile",
                                                    "exit",
                                                    "game_complete",
                                                    "game_logic",
                                                    "game_logic_exit",
                                                    "game_logic_menu",
                                                    "game_logic_pause",
                                                    "game_over",
                                                    "help",
                                                    "high_scores",
                                                    "introduction",
                                                    "level_complete",
                                                    "loading",
                                                    "main_menu",
                                                    "new_profile",
                                                    "options",
                                                    "profile_name_conflict",
                                                    "profiles",
                                                    "relax",
                                                    "rename_profile",
                                                    "stage_complete",
                                                    "start_game",
                                                    "statistics",
                                                    "welcome"};
    static constexpr std::uint32_t kIconId = 101;
    static constexpr float kDefaultMusicVolume = 0.37f;
    static constexpr float kDefaultSoundVolume = 0.48f;
    static constexpr char kCameraTypeVariable[] = "g_camera_type";
    static constexpr char kCameraValueVariable[] = "g_camera_value";

    // Music: the menus play track 0 on channel 0; levels alternate tracks 1
    // and 2 on channel 1.
    static constexpr std::uint32_t kMenuChannel = 0;
    static constexpr std::uint32_t kGameChannel = 1;
    static constexpr std::uint32_t kMenuTrack = 0;
    static constexpr std::uint32_t kFirstGameTrack = 1;
    static constexpr std::uint32_t kGameTrackCount = 2;
    // What is playing fades out at this speed before other music fades in.
    static constexpr float kMusicStopFadeSpeed = 1.0f;

    // Sound effect ids the board, the items and the character play.
    static constexpr std::uint32_t kSoundFirstPraise = 6;
    static constexpr std::uint32_t kSoundPraiseCount = 9;
    static constexpr std::uint32_t kSoundBadSwap = 15;
    static constexpr std::uint32_t kSoundBonusColorDestruction = 16;
    static constexpr std::uint32_t kSoundBonusCombinationDestruction = 17;
    static constexpr std::uint32_t kSoundBonusItemDestruction = 18;
    static constexpr std::uint32_t kSoundFirstCombination = 19;
    static constexpr std::uint32_t kSoundDeselect = 24;
    static constexpr std::uint32_t kSoundLevelBegin = 25;
    static constexpr std::uint32_t kSoundLevelEnd = 26;
    static constexpr std::uint32_t kSoundLevelFailed = 27;
    static constexpr std::uint32_t kSoundSelect = 28;
    static constexpr std::uint32_t kSoundSwap = 29;

    // Runs the whole initialisation (Init is its last step). The engine makes
    // its platform services with factories: the real ones unless told.
    Game(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion,
         const OrrelayEngine::EngineFactories& factories = OrrelayEngine::EngineFactories());
    ~Game() override;

    void FillEngineSettings(OrrelayEngine::EngineSettings& settings) override;
    void RegisterConsoleCommands() override;
    // A missing section is fatal, as the base's own are.
    void LoadTexts() override;
    void LoadSounds() override;
    // Makes the menu window manager, the tutorial character (it needs the
    // loaded assets) and the three screens of its own, then the framework's.
    void CreateWindows() override;
    // The background, the manager, the character and the three screens of its
    // own, then the framework's screens and the level.
    void UpdateWindows() override;
    void ProcessWindowResults() override;
    void ClearWindowResults() override;
    float GetDefaultMusicVolume() override;
    float GetDefaultSoundVolume() override;

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameLogicData(const GameFramework::StageRecord& stage,
                                                                   const GameFramework::LevelRecord& level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageRecord& stage,
                                                                  const GameFramework::LevelRecord& level,
                                                                  std::uint32_t levelLogicValue) override;

    std::unique_ptr<GameTools::GUIGameCursorBase> CreateGameCursor() override;
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override;
    // Makes the menu background first: the loading screen plays its introduction.
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override;
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override;
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override;
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override;
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override;
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override;
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override;
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override;
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override;
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override;
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override;
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override;

    void ProcessLogosWindowResult() override;
    void ProcessMainMenuWindowResult() override;
    void ProcessProfilesWindowResult() override;
    void ProcessGameLogicLoadingWindowResult() override;
    void ProcessStartGameLogicWindowResult() override;
    void ProcessHighScoresWindowResult() override;
    void ProcessGameLogicWindowResult() override;
    void ProcessGameLogicPauseWindowResult() override;
    void ProcessGameLogicMenuWindowResult() override;
    void ProcessGameLogicMenuExitWindowResult() override;
    void ProcessGameLogicRestartWindowResult() override;
    void ProcessGameLogicGameExitWindowResult() override;
    void ProcessLevelWonState() override;
    void ReturnToPreviousLevel() override;
    void ProcessGameOverState() override;
    void ProcessLevelCompleteWindowResult() override;
    void ProcessStageCompleteWindowResult() override;
    void ProcessGameCompleteWindowResult() override;
    void ProcessGameOverWindowResult() override;
    virtual void ProcessUpgradeWindowResult();
    virtual void ProcessIntroductionWindowResult();
    virtual void ProcessRelaxWindowResult();

    // Music changes of the screens' handlers.
    // The logos are over: the menu track fades in, nothing is stopped first.
    void StartMenuMusicAfterLogos();
    // Back to the menus from a level: what plays fades out, the menu track in.
    void SwitchToMenuMusic();
    // A level has loaded: what plays fades out and the next game track fades
    // in; levels alternate between the two, starting with the first, whatever
    // happens in between.
    void StartGameMusic();

    // The game track the next level starts (1 or 2).
    std::uint32_t GetNextGameTrack() const { return kFirstGameTrack + gameTrackToggle_; }
    // Null until the assets have loaded.
    Character* GetCharacter() const { return character_.get(); }
    // Null until the loading screen is made.
    GUIBackgroundWindow* GetBackgroundWindow() const { return backgroundWindow_.get(); }
    // Null until the assets have loaded.
    GUIMenuWindowManager* GetMenuWindowManager() const { return menuWindowManager_.get(); }
    GUIUpgradeWindow* GetUpgradeWindow() const { return upgradeWindow_.get(); }
    GUIIntroductionWindow* GetIntroductionWindow() const { return introductionWindow_.get(); }
    GUIRelaxWindow* GetRelaxWindow() const { return relaxWindow_.get(); }

protected:
    struct InitLater
    {};
    // Everything the public constructor does but Init, which the caller runs
    // once it has set what it needs (tests: the engine's stand-in services).
    Game(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion, InitLater);

    // The storage of g_camera_type and g_camera_value, which the board camera reads.
    std::int32_t cameraType_ = 1;
    float cameraValue_ = 1.0f;
    std::unique_ptr<GUIBackgroundWindow> backgroundWindow_;
    std::unique_ptr<GUIMenuWindowManager> menuWindowManager_;
    std::unique_ptr<Character> character_;
    // What the upgrade notice asks of the character.
    std::unique_ptr<GameCharacterSpeech> characterSpeech_;
    std::unique_ptr<GUIUpgradeWindow> upgradeWindow_;
    std::unique_ptr<GUIIntroductionWindow> introductionWindow_;
    std::unique_ptr<GUIRelaxWindow> relaxWindow_;
    // What the head-up display and the level-complete screen share about the
    // end of a won level.
    LevelBonusRecord levelBonusRecord_;
    // Which of the two game tracks starts next: 0 or 1; not saved.
    std::uint32_t gameTrackToggle_ = 0;

private:
    // The parent of every menu screen: the innermost of the background's windows.
    OrrelayEngine::GUIWindow* GetMenuParent() const;
    const GameData* GetData() const;
    // Null when the cursor is a stand-in (tests).
    GUIGameCursor* GetCursor() const;
    void SetCursorTrail(bool enabled);
    // Null without a current profile.
    Profile* GetCurrentProfile() const;
};

} // namespace Tansywell
