#include "game/Game.h"

#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/LanguageManager.h"
#include "framework/Mixer.h"
#include "framework/StageRecord.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/ProfileManager.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"

namespace Tansywell {

namespace {

const char* const kTextSections[] = {
    "character",        "continue_game_logic", "delete_profile",   "exit",
    "game_complete",    "game_logic",          "game_logic_exit",  "game_logic_menu",
    "game_logic_pause", "game_over",           "help",             "high_scores",
    "introduction",     "level_complete",      "loading",          "main_menu",
    "new_profile",      "options",             "profile_name_conflict", "profiles",
    "relax",            "rename_profile",      "stage_complete",   "start_game",
    "statistics",       "welcome"};

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
const GuiSound kGuiSounds[] = {
    {0, "button_select_0"}, {0, "button_select_1"}, {1, "button_click"},    {2, "button_select_0"},
    {3, "button_click"},    {4, "button_select_0"}, {5, "button_click"},    {6, "button_select_0"},
    {7, "button_click"},    {8, "button_select_0"}, {9, "button_click"},    {10, "button_select_0"},
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
const Effect kEffects[] = {
    {4, "window_appear", kMenuSounds, false, 1},
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

Game::Game(const std::string& makerName, const std::string& productName, std::uint32_t defaultVersion)
    : Game(makerName, productName, defaultVersion, InitLater{})
{
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
    character_.reset();
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
    try
    {
        for (const char* section : kTextSections)
            LoadTextSection(section);
    }
    catch (const OrrelayEngine::FileError& error)
    {
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
    character_ = std::make_unique<Character>(engine_.get(), levelManager_.get(), profileManager_.get(), mixer_.get(),
                                             static_cast<const GameData*>(gameData_.get()), nullptr);
    GameBase::CreateWindows();
}

void Game::UpdateWindows()
{
    if (character_ != nullptr)
        character_->Update();
    GameBase::UpdateWindows();
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

} // namespace Tansywell
