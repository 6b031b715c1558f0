#include "game/Game.h"

#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/StageRecord.h"
#include "game/GameCharacterSpeech.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIContinueGameLogicWindow.h"
#include "game/gui/GUIDeleteProfileWindow.h"
#include "game/gui/GUIExitWindow.h"
#include "game/gui/GUIGameCompleteWindow.h"
#include "game/gui/GUIGameCursor.h"
#include "game/gui/GUIGameLoadingWindow.h"
#include "game/gui/GUIGameLogicGameExitWindow.h"
#include "game/gui/GUIGameLogicLoadingWindow.h"
#include "game/gui/GUIGameLogicMenuExitWindow.h"
#include "game/gui/GUIGameLogicMenuWindow.h"
#include "game/gui/GUIGameLogicPauseWindow.h"
#include "game/gui/GUIGameLogicRestartWindow.h"
#include "game/gui/GUIGameLogicWindow.h"
#include "game/gui/GUIGameOverWindow.h"
#include "game/gui/GUIHelpWindow.h"
#include "game/gui/GUIHighScoresWindow.h"
#include "game/gui/GUIIntroductionWindow.h"
#include "game/gui/GUILevelCompleteWindow.h"
#include "game/gui/GUILogosWindow.h"
#include "game/gui/GUIMainMenuWindow.h"
#include "game/gui/GUIMenuWindowManager.h"
#include "game/gui/GUINewProfileWindow.h"
#include "game/gui/GUIOptionsWindow.h"
#include "game/gui/GUIProfileNameConflictWindow.h"
#include "game/gui/GUIProfilesWindow.h"
#include "game/gui/GUIRelaxWindow.h"
#include "game/gui/GUIRenameProfileWindow.h"
#include "game/gui/GUIStageCompleteWindow.h"
#include "game/gui/GUIStartGameLogicWindow.h"
#include "game/gui/GUIUpgradeWindow.h"
#include "game/gui/GUIWelcomeWindow.h"
#include "game/logic/Board.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"

namespace Tansywell {

namespace {

const char kMenuSounds[] = "menu";
const char kMusic[] = "music";
const char kGameSounds[] = "game";

struct GuiSound
{
    std::uint32_t event;
    const char* name;
};

// Mouse-over and press of each kind of control, and the edit box's typing;
// event 0 holds two sounds that the GUI plays in turn.
const GuiSound kGuiSounds[] = {{0, "button_select_0"}, {0, "button_select_1"}, {1, "button_click"},
                               {2, "button_select_0"}, {3, "button_click"},    {4, "button_select_0"},
                               {5, "button_click"},    {6, "button_select_0"}, {7, "button_click"},
                               {8, "button_select_0"}, {9, "button_click"},    {10, "button_select_0"},
                               {11, "button_click"},   {12, "edit_box_print"}};

const char* const kMusicTracks[] = {"menu", "game0", "game1"};

struct Effect
{
    std::uint32_t id;
    const char* name;
    const char* group;
    bool loop;
    std::uint32_t instances;
};

// In the order registered; the id is given, not taken from the order.
const Effect kEffects[] = {{4, "window_appear", kMenuSounds, false, 1},
                           {5, "window_disappear", kMenuSounds, false, 1},
                           {0, "volume_slider", kMenuSounds, true, 1},
                           {1, "charge_score", kMenuSounds, true, 1},
                           {2, "charge_mana", kMenuSounds, true, 1},
                           {3, "upgrade", kMenuSounds, false, 1},
                           {6, "character_paise_0", kGameSounds, false, 1},
                           {7, "character_paise_1", kGameSounds, false, 1},
                           {8, "character_paise_2", kGameSounds, false, 1},
                           {9, "character_paise_3", kGameSounds, false, 1},
                           {10, "character_paise_4", kGameSounds, false, 1},
                           {11, "character_paise_5", kGameSounds, false, 1},
                           {12, "character_paise_6", kGameSounds, false, 1},
                           {13, "character_paise_7", kGameSounds, false, 1},
                           {14, "character_paise_8", kGameSounds, false, 1},
                           {15, "bad_swap", kGameSounds, false, 2},
                           {16, "bonus_color_destruction", kGameSounds, false, 1},
                           {17, "bonus_combination_destruction", kGameSounds, false, 2},
                           {18, "bonus_item_destruction", kGameSounds, false, 2},
                           {19, "combination_0", kGameSounds, false, 4},
                           {20, "combination_1", kGameSounds, false, 3},
                           {21, "combination_2", kGameSounds, false, 2},
                           {22, "combination_3", kGameSounds, false, 1},
                           {23, "combination_4", kGameSounds, false, 1},
                           {24, "deselect", kGameSounds, false, 1},
                           {25, "level_begin", kGameSounds, false, 1},
                           {26, "level_end", kGameSounds, false, 1},
                           {27, "level_failed", kGameSounds, false, 1},
                           {28, "select", kGameSounds, false, 2},
                           {29, "swap", kGameSounds, false, 2}};

} // namespace

Game::Game(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion,
           const OrrelayEngine::EngineFactories& factories)
    : Game(makerName, productName, defaultVersion, InitLater{})
{
    SetEngineFactories(factories);
    Init();
}

Game::Game(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion, InitLater)
    : GameBase(makerName, productName, defaultVersion)
{
    // The GUI's textures are drawn texel for texel; mip-maps would only blur them.
    OrrelayEngine::SetTextureMipMapping(false);
}

Game::~Game()
{
    // The level borrows the character: it goes first.
    gameLogic_.reset();
    relaxWindow_.reset();
    introductionWindow_.reset();
    upgradeWindow_.reset();
    characterSpeech_.reset();
    character_.reset();
    menuWindowManager_.reset();
    backgroundWindow_.reset();
}

void Game::FillEngineSettings(OrrelayEngine::EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.videoMode = kVideoMode;
    settings.iconId = kIconId;
}

void Game::RegisterConsoleCommands()
{
    GameBase::RegisterConsoleCommands();
    config_->AddVariable(kCameraTypeVariable, OrrelayEngine::kConfigInteger, false, true, &cameraType_, "1", false);
    config_->AddVariable(kCameraValueVariable, OrrelayEngine::kConfigFloat, false, true, &cameraValue_, "1", false);
}

void Game::LoadTexts()
{
    GameBase::LoadTexts();
    try {
        for (const char* section : kTextSections)
            LoadTextSection(section);
    } catch (const OrrelayEngine::FileError& error) {
        messageManager_->LogFatal(error.GetMessage());
    }
}

void Game::LoadSounds()
{
    OrrelayEngine::GUISoundManager* guiSounds = guiManager_->GetSoundManager();
    for (const GuiSound& sound : kGuiSounds)
        guiSounds->AddSound(sound.event, FindSoundFile(kMenuSounds, sound.name));
    // The GUI sounds just made take the present effects volume.
    mixer_->ApplySoundVolume();
    std::uint32_t track = 0;
    for (const char* name : kMusicTracks)
        mixer_->AddMusicTrack(track++, FindSoundFile(kMusic, name), true);
    for (const Effect& effect : kEffects)
        mixer_->AddSound(effect.id, FindSoundFile(effect.group, effect.name), effect.loop, effect.instances);
}

void Game::CreateWindows()
{
    // Without the menu background (a stand-in loading screen in tests) there
    // is nothing for the menus of its own to stand on.
    if (backgroundWindow_ != nullptr)
        menuWindowManager_ = std::make_unique<GUIMenuWindowManager>(backgroundWindow_.get());
    character_ = std::make_unique<Character>(engine_.get(), levelManager_.get(), profileManager_.get(), mixer_.get(),
                                             GetData(), GetMenuParent());
    if (menuWindowManager_ != nullptr) {
        characterSpeech_ = std::make_unique<GameCharacterSpeech>(character_.get());
        upgradeWindow_ = std::make_unique<GUIUpgradeWindow>(engine_.get(), characterSpeech_.get(),
                                                            menuWindowManager_.get(), GetMenuParent());
        introductionWindow_ = std::make_unique<GUIIntroductionWindow>(engine_.get(), mixer_.get(), GetData(),
                                                                      menuWindowManager_.get(), GetMenuParent());
        relaxWindow_ = std::make_unique<GUIRelaxWindow>(engine_.get(), profileManager_.get(), mixer_.get(), GetData(),
                                                        menuWindowManager_.get(), GetMenuParent());
    }
    GameBase::CreateWindows();
}

void Game::UpdateWindows()
{
    if (backgroundWindow_ != nullptr)
        backgroundWindow_->Update();
    if (menuWindowManager_ != nullptr)
        menuWindowManager_->Update();
    if (character_ != nullptr)
        character_->Update();
    if (upgradeWindow_ != nullptr)
        upgradeWindow_->Update();
    if (introductionWindow_ != nullptr)
        introductionWindow_->Update();
    if (relaxWindow_ != nullptr)
        relaxWindow_->Update();
    GameBase::UpdateWindows();
}

void Game::ProcessWindowResults()
{
    GameBase::ProcessWindowResults();
    if (upgradeWindow_ != nullptr)
        ProcessUpgradeWindowResult();
    if (introductionWindow_ != nullptr)
        ProcessIntroductionWindowResult();
    if (relaxWindow_ != nullptr)
        ProcessRelaxWindowResult();
}

void Game::ClearWindowResults()
{
    if (upgradeWindow_ != nullptr)
        upgradeWindow_->SetResult(kResultNone);
    if (introductionWindow_ != nullptr)
        introductionWindow_->SetResult(kResultNone);
    if (relaxWindow_ != nullptr)
        relaxWindow_->SetResult(kResultNone);
    GameBase::ClearWindowResults();
}

float Game::GetDefaultMusicVolume()
{
    return kDefaultMusicVolume;
}

float Game::GetDefaultSoundVolume()
{
    return kDefaultSoundVolume;
}

std::unique_ptr<GameFramework::LevelManagerBase> Game::CreateLevelManager()
{
    return std::make_unique<LevelManager>(engine_.get());
}

std::unique_ptr<GameFramework::ProfileManagerBase> Game::CreateProfileManager()
{
    // The campaign, made just before, keeps every profile's position inside it.
    return std::make_unique<ProfileManager>(engine_.get(), mixer_.get(), GetUserFolder(), levelManager_.get());
}

std::unique_ptr<GameFramework::DataKeeper> Game::CreateGameData()
{
    return std::make_unique<GameData>(engine_.get(), languageManager_->GetCurrentLanguage());
}

std::unique_ptr<GameFramework::DataKeeper> Game::CreateGameLogicData(const GameFramework::StageRecord& stage,
                                                                     const GameFramework::LevelRecord& level)
{
    // The campaign's records are the game's own: LevelManager makes them.
    return std::make_unique<GameLogicData>(engine_.get(), languageManager_->GetCurrentLanguage(), &stage,
                                           &static_cast<const GameLevelRecord&>(level));
}

std::unique_ptr<GameFramework::GameLogicBase> Game::CreateGameLogic(const GameFramework::StageRecord& stage,
                                                                    const GameFramework::LevelRecord& level,
                                                                    std::uint32_t levelLogicValue)
{
    return std::make_unique<GameLogic>(engine_.get(), static_cast<const ProfileManager*>(profileManager_.get()),
                                       mixer_.get(), static_cast<const GameData*>(gameData_.get()),
                                       static_cast<const GameLogicData*>(gameLogicData_.get()), &stage,
                                       &static_cast<const GameLevelRecord&>(level), levelLogicValue, character_.get());
}

void Game::StartMenuMusicAfterLogos()
{
    mixer_->PlayMusic(kMenuChannel, kMenuTrack, true, kMusicFadeSpeed);
}

void Game::SwitchToMenuMusic()
{
    mixer_->StopAllMusic(true, kMusicStopFadeSpeed);
    mixer_->PlayMusic(kMenuChannel, kMenuTrack, true, kMusicFadeSpeed);
}

void Game::StartGameMusic()
{
    mixer_->StopAllMusic(true, kMusicStopFadeSpeed);
    mixer_->PlayMusic(kGameChannel, GetNextGameTrack(), true, kMusicFadeSpeed);
    gameTrackToggle_ = (gameTrackToggle_ + 1) % kGameTrackCount;
}

// ---------------------------------------------------------------------------
// Screens

std::unique_ptr<GameTools::GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursor>(engine_.get());
}

std::unique_ptr<GameFramework::GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindow>(engine_.get());
}

std::unique_ptr<GameFramework::GUILoadingWindowBase> Game::CreateLoadingWindow()
{
    backgroundWindow_ =
        std::make_unique<GUIBackgroundWindow>(engine_.get(), mixer_.get(), levelManager_.get(), profileManager_.get(),
                                              languageManager_->GetCurrentLanguage());
    return std::make_unique<GUIGameLoadingWindow>(engine_.get(), GetCursor(), backgroundWindow_.get());
}

std::unique_ptr<GameFramework::GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(engine_.get(), menuWindowManager_.get());
}

std::unique_ptr<GameFramework::GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                              menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                           GetMenuParent());
}

std::unique_ptr<GameFramework::GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindow>(engine_.get(), mixer_.get(), GetData(), profileManager_.get(),
                                               menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                               menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                                 menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                                    menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                                    menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindow>(engine_.get(), mixer_.get(), GetData(),
                                                          menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                                     levelManager_.get(), profileManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindow>(engine_.get(), mixer_.get(), GetData(), profileManager_.get(),
                                                        menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindow>(engine_.get(), profileManager_.get(), mixer_.get(),
                                                 highScoresTable_.get(), GetData(), menuWindowManager_.get(),
                                                 GetMenuParent());
}

std::unique_ptr<GameFramework::GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                              menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return std::make_unique<GUIHelpWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                           GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    auto window = std::make_unique<GUIGameLogicWindow>(engine_.get(), profileManager_.get(), GetData());
    window->SetLevelBonusRecord(&levelBonusRecord_);
    return window;
}

std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                                     GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindow>(engine_.get(), mixer_.get(), profileManager_.get(), GetData(),
                                                    menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return std::make_unique<GUIGameLogicMenuExitWindow>(engine_.get(), mixer_.get(), GetData(),
                                                        menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return std::make_unique<GUIGameLogicRestartWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                                       GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return std::make_unique<GUIGameLogicGameExitWindow>(engine_.get(), mixer_.get(), GetData(),
                                                        menuWindowManager_.get(), GetMenuParent());
}

std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    // The campaign is the game's own: CreateLevelManager made it.
    auto window = std::make_unique<GUILevelCompleteWindow>(
        engine_.get(), GetData(), mixer_.get(), static_cast<LevelManager*>(levelManager_.get()), profileManager_.get(),
        menuWindowManager_.get(), GetMenuParent());
    window->SetLevelBonusRecord(&levelBonusRecord_);
    return window;
}

std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(engine_.get(), levelManager_.get());
}

std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                                   GetMenuParent());
}

std::unique_ptr<GameFramework::GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindow>(engine_.get(), mixer_.get(), GetData(), menuWindowManager_.get(),
                                               GetMenuParent());
}

// ---------------------------------------------------------------------------
// What the game adds to the screen flow

void Game::ProcessLogosWindowResult()
{
    const std::uint32_t result = logosWindow_->GetResult();
    GameBase::ProcessLogosWindowResult();
    if (result == kResultDone) {
        if (backgroundWindow_ != nullptr)
            backgroundWindow_->started = true;
        StartMenuMusicAfterLogos();
    }
}

void Game::ProcessMainMenuWindowResult()
{
    const std::uint32_t result = mainMenuWindow_->GetResult();
    GameBase::ProcessMainMenuWindowResult();
    if (result == GUIMainMenuWindow::kResultIntroduction) {
        mainMenuWindow_->Hide();
        if (introductionWindow_ != nullptr)
            introductionWindow_->Show();
        if (character_ != nullptr)
            character_->SetState(Character::kStateMenus);
    } else if (result == GUIMainMenuWindow::kResultShowPlace) {
        mainMenuWindow_->Hide();
        if (upgradeWindow_ != nullptr)
            upgradeWindow_->Activate(GUIUpgradeWindow::kKindFromMainMenu);
    }
}

void Game::ProcessProfilesWindowResult()
{
    const std::uint32_t result = profilesWindow_->GetResult();
    GameBase::ProcessProfilesWindowResult();
    // The map's marks follow the profile now chosen.
    if (result == kResultToMainMenu && backgroundWindow_ != nullptr)
        backgroundWindow_->UpdateReachedPlaces();
}

void Game::ProcessGameLogicLoadingWindowResult()
{
    const std::uint32_t result = gameLogicLoadingWindow_->GetResult();
    GameBase::ProcessGameLogicLoadingWindowResult();
    if (result == kResultDone) {
        if (backgroundWindow_ != nullptr)
            backgroundWindow_->Suspend();
        StartGameMusic();
    }
}

void Game::ProcessStartGameLogicWindowResult()
{
    if (startGameLogicWindow_->GetResult() == kResultPlay) {
        gameCursor_->SetVisible(false);
        SetCursorTrail(false);
    }
    GameBase::ProcessStartGameLogicWindowResult();
}

void Game::ProcessHighScoresWindowResult()
{
    if (highScoresWindow_->GetResult() == GUIHighScoresWindow::kResultRelaxOffer) {
        if (character_ != nullptr)
            character_->SetState(Character::kStateMenus);
        highScoresWindow_->Hide();
        if (relaxWindow_ != nullptr)
            relaxWindow_->Show();
    }
    GameBase::ProcessHighScoresWindowResult();
}

void Game::ProcessGameLogicWindowResult()
{
    const std::uint32_t result = gameLogicWindow_->GetResult();
    // A menu over the level: the cursor trails again.
    if (result == kResultQuitRequested || result == kResultPause || result == kResultToGameMenu)
        SetCursorTrail(true);
    GameBase::ProcessGameLogicWindowResult();
}

void Game::ProcessGameLogicPauseWindowResult()
{
    if (gameLogicPauseWindow_->GetResult() == kResultResume)
        SetCursorTrail(false);
    GameBase::ProcessGameLogicPauseWindowResult();
}

void Game::ProcessGameLogicMenuWindowResult()
{
    if (gameLogicMenuWindow_->GetResult() == kResultResume)
        SetCursorTrail(false);
    GameBase::ProcessGameLogicMenuWindowResult();
}

void Game::ProcessGameLogicMenuExitWindowResult()
{
    const std::uint32_t result = gameLogicMenuExitWindow_->GetResult();
    GameBase::ProcessGameLogicMenuExitWindowResult();
    if (result == kResultToMainMenu) {
        SwitchToMenuMusic();
        if (character_ != nullptr)
            character_->Hide();
    }
}

void Game::ProcessGameLogicRestartWindowResult()
{
    const std::uint32_t result = gameLogicRestartWindow_->GetResult();
    GameBase::ProcessGameLogicRestartWindowResult();
    if (result == kResultPlayOn)
        SwitchToMenuMusic();
}

void Game::ProcessGameLogicGameExitWindowResult()
{
    if (gameLogicGameExitWindow_->GetResult() == kResultResume)
        SetCursorTrail(false);
    GameBase::ProcessGameLogicGameExitWindowResult();
}

void Game::ProcessLevelWonState()
{
    auto* levelComplete = dynamic_cast<GUILevelCompleteWindow*>(levelCompleteWindow_.get());
    auto* logic = dynamic_cast<GameLogic*>(gameLogic_.get());
    if (levelComplete != nullptr && logic != nullptr && logic->GetBoard() != nullptr)
        levelComplete->SetLevelBonus(logic->GetBoard()->GetScorePotential(), logic->GetBoard()->IsRelaxMode());
    SetCursorTrail(true);
    GameBase::ProcessLevelWonState();
}

void Game::ReturnToPreviousLevel()
{
    GameBase::ReturnToPreviousLevel();
    startGameLogicWindow_->Show(kStartAfterLevel);
}

void Game::ProcessGameOverState()
{
    GameBase::ProcessGameOverState();
    SetCursorTrail(false);
}

void Game::ProcessLevelCompleteWindowResult()
{
    const std::uint32_t result = levelCompleteWindow_->GetResult();
    if (result == kResultPlayOn || result == GUILevelCompleteWindow::kResultUpgrade)
        SwitchToMenuMusic();
    if (result == kResultPlayOn && character_ != nullptr)
        character_->Dismiss();
    if (result == GUILevelCompleteWindow::kResultUpgrade) {
        if (character_ != nullptr)
            character_->StartUpgrade();
        levelCompleteWindow_->Hide();
        if (upgradeWindow_ != nullptr)
            upgradeWindow_->Activate(GUIUpgradeWindow::kKindFromLevel);
    }
    GameBase::ProcessLevelCompleteWindowResult();
}

void Game::ProcessStageCompleteWindowResult()
{
    // The map opens on the stage just finished and walks into the new one.
    if (stageCompleteWindow_->GetResult() == kResultPlayOn) {
        if (auto* map = dynamic_cast<GUIStartGameLogicWindow*>(startGameLogicWindow_.get()))
            map->SetAdvance(true);
    }
    if (stageCompleteWindow_->GetResult() == kResultGameComplete) {
        Profile* profile = GetCurrentProfile();
        const bool pending = profile != nullptr && profile->GetFlag(Profile::kFlagGameCompleteCharacterPending);
        if (pending && character_ != nullptr)
            character_->SetState(Character::kStateMenus);
        if (auto* gameComplete = dynamic_cast<GUIGameCompleteWindow*>(gameCompleteWindow_.get()))
            gameComplete->SetCharacterFlag(pending);
    }
    GameBase::ProcessStageCompleteWindowResult();
}

void Game::ProcessGameCompleteWindowResult()
{
    const std::uint32_t result = gameCompleteWindow_->GetResult();
    GameBase::ProcessGameCompleteWindowResult();
    if (result != kResultDone)
        return;
    Profile* profile = GetCurrentProfile();
    if (profile != nullptr && profile->GetFlag(Profile::kFlagGameCompleteCharacterPending)) {
        profile->SetFlag(Profile::kFlagGameCompleteCharacterPending, false);
        profile->Save();
        if (character_ != nullptr)
            character_->Dismiss();
    }
}

void Game::ProcessGameOverWindowResult()
{
    const std::uint32_t result = gameOverWindow_->GetResult();
    GameBase::ProcessGameOverWindowResult();
    if (result == kResultDone)
        SwitchToMenuMusic();
}

void Game::ProcessUpgradeWindowResult()
{
    switch (upgradeWindow_->GetResult()) {
    case GUIUpgradeWindow::kResultMainMenu:
        upgradeWindow_->Deactivate();
        mainMenuWindow_->Show();
        break;
    case GUIUpgradeWindow::kResultStageComplete: {
        upgradeWindow_->Deactivate();
        GameFramework::LevelPosition position;
        if (gameLogic_ != nullptr && gameLogic_->GetLevel() != nullptr) {
            position.stage = gameLogic_->GetLevel()->stageIndex;
            position.level = gameLogic_->GetLevel()->levelIndex;
        }
        stageCompleteWindow_->Show(position);
        break;
    }
    default:
        break;
    }
}

void Game::ProcessIntroductionWindowResult()
{
    if (introductionWindow_->GetResult() != GUIIntroductionWindow::kResultStartGame)
        return;
    Profile* profile = GetCurrentProfile();
    if (profile != nullptr) {
        profile->SetFlag(Profile::kFlagIntroductionPending, false);
        profile->Save();
    }
    if (character_ != nullptr)
        character_->Dismiss();
    introductionWindow_->Hide();
    if (profile != nullptr && profile->IsGameUnderWay()) {
        continueGameLogicWindow_->Show();
    } else {
        if (profile != nullptr)
            profile->Reset();
        startGameLogicWindow_->Show(kStartFromMainMenu);
    }
}

void Game::ProcessRelaxWindowResult()
{
    if (relaxWindow_->GetResult() != GUIRelaxWindow::kResultDone)
        return;
    if (character_ != nullptr)
        character_->Dismiss();
    relaxWindow_->Hide();
    mainMenuWindow_->Show();
}

OrrelayEngine::GUIWindow* Game::GetMenuParent() const
{
    return backgroundWindow_ != nullptr ? backgroundWindow_->GetMenuParent() : nullptr;
}

const GameData* Game::GetData() const
{
    return static_cast<const GameData*>(gameData_.get());
}

GUIGameCursor* Game::GetCursor() const
{
    return dynamic_cast<GUIGameCursor*>(gameCursor_.get());
}

void Game::SetCursorTrail(bool enabled)
{
    if (GUIGameCursor* cursor = GetCursor())
        cursor->SetTrailEnabled(enabled);
}

Profile* Game::GetCurrentProfile() const
{
    return profileManager_ != nullptr ? dynamic_cast<Profile*>(profileManager_->GetCurrentProfile()) : nullptr;
}

} // namespace Tansywell
