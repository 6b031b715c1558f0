#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/sound/Sound.h"
#include "framework/FadingSound.h"
#include "framework/Mixer.h"
#include "framework/SoundInstance.h"
#include "game/GameData.h"
#include "game/LevelManager.h"
#include "game/ProfileManager.h"
#include "game/logic/Board.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "tests/game/TestGame.h"

namespace {

using GameTests::TestGame;
using Tansywell::Game;

class GameTest : public ::testing::Test
{
protected:
    GameTests::TestGameEnvironment env_;
    FrameworkTests::CallLog log_;
    TestGame game_{log_};
};

TEST_F(GameTest, AFreshInstallationStartsWithTheGameDefaults)
{
    OrrelayEngine::EngineSettings settings;
    game_.FillEngineSettings(settings);
    EXPECT_EQ("1024x768x32", settings.videoMode);
    EXPECT_EQ(101u, settings.iconId);
    EXPECT_FLOAT_EQ(0.37f, game_.mixer_->GetMusicVolume());
    EXPECT_FLOAT_EQ(0.48f, game_.mixer_->GetSoundVolume());
    OrrelayEngine::Config* config = game_.engine_->GetConfig();
    EXPECT_EQ(1, OrrelayEngine::StringToInt(config->GetValue(Game::kCameraTypeVariable)));
    EXPECT_FLOAT_EQ(1.0f, OrrelayEngine::StringToFloat(config->GetValue(Game::kCameraValueVariable)));

    EXPECT_NE(nullptr, dynamic_cast<Tansywell::LevelManager*>(game_.levelManager_.get()));
    EXPECT_NE(nullptr, dynamic_cast<Tansywell::ProfileManager*>(game_.profileManager_.get()));
    EXPECT_NE(nullptr, dynamic_cast<Tansywell::GameData*>(game_.gameData_.get()));
}

TEST_F(GameTest, RegistersEverySoundUnderItsId)
{
    std::map<std::uint32_t, std::uint32_t> instances;
    std::map<std::uint32_t, std::string> names;
    for (const auto& instance : game_.mixer_->GetSoundInstances()) {
        ++instances[instance->soundId];
        names[instance->soundId] = instance->soundName;
    }
    ASSERT_EQ(30u, instances.size());
    EXPECT_EQ("audio\\game\\character_paise_8.ogg", names[14]);
    EXPECT_EQ(1u, instances[14]);
    EXPECT_EQ("audio\\game\\bad_swap.ogg", names[15]);
    EXPECT_EQ(2u, instances[15]);
    EXPECT_EQ("audio\\menu\\window_appear.ogg", names[4]);
    EXPECT_EQ(4u, instances[19]);
    EXPECT_EQ(3u, instances[20]);

    EXPECT_EQ(3u, game_.mixer_->GetTrackCount());
    OrrelayEngine::GUISoundManager* gui = game_.engine_->GetGUIManager()->GetSoundManager();
    EXPECT_EQ(2u, gui->GetSoundCount(0));
    EXPECT_EQ(1u, gui->GetSoundCount(12));
}

TEST_F(GameTest, LevelsAlternateTheTwoGameTracks)
{
    GameFramework::Mixer& mixer = *game_.mixer_;
    game_.StartMenuMusicAfterLogos();
    ASSERT_NE(nullptr, mixer.GetChannelTrack(Game::kMenuChannel));
    EXPECT_EQ("audio\\music\\menu.ogg", mixer.GetChannelTrack(Game::kMenuChannel)->GetSound()->GetFileName());

    const char* const expected[] = {"audio\\music\\game0.ogg", "audio\\music\\game1.ogg", "audio\\music\\game0.ogg"};
    for (const char* track : expected) {
        game_.StartGameMusic();
        ASSERT_NE(nullptr, mixer.GetChannelTrack(Game::kGameChannel));
        EXPECT_EQ(track, mixer.GetChannelTrack(Game::kGameChannel)->GetSound()->GetFileName());
        // A restart between levels changes nothing in the alternation.
        game_.SwitchToMenuMusic();
        EXPECT_EQ("audio\\music\\menu.ogg", mixer.GetChannelTrack(Game::kMenuChannel)->GetSound()->GetFileName());
    }
}

TEST_F(GameTest, PlaysALevelMadeByItsFactories)
{
    game_.logos->Answer(GameFramework::GameBase::kResultDone);
    for (int frame = 0; frame < 3; ++frame)
        game_.Frame();
    game_.profileManager_->SetCurrentProfile(game_.profileManager_->AddProfile(L"Ann"), true);
    game_.startGame->Answer(GameFramework::GameBase::kResultPlay);
    for (int frame = 0; frame < 3; ++frame)
        game_.Frame();

    const auto* logic = dynamic_cast<const Tansywell::GameLogic*>(game_.GetGameLogic());
    ASSERT_NE(nullptr, logic);
    EXPECT_EQ(4u, logic->GetBoard()->GetCellCount());
    ASSERT_NE(nullptr, game_.GetCharacter());
    EXPECT_EQ(Tansywell::Character::kStateLevel, game_.GetCharacter()->GetState());
    // The camera reads the game's saved view: tilted on a fresh installation.
    EXPECT_EQ(Tansywell::CameraControl::kTypeTilted, logic->GetCameraControl()->GetCameraType());
    for (int frame = 0; frame < 30; ++frame)
        game_.Frame();
    EXPECT_EQ(Tansywell::GameLogic::kStateRunning, logic->GetState());
}

} // namespace
