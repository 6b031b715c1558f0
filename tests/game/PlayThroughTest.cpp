// The whole game played through by an automated player: a first start with a
// new player, the introduction, a level won and one lost, the results, the
// high scores, the options and the way out; then a second start that finds
// everything as it was saved. Every step names the screen it stood on when it
// fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/ConfigValues.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/scene/Model.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/ProfileManagerBase.h"
#include "game/Profile.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUILevelCompleteWindow.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "game/logic/Tutorial.h"
#include "support/LogSearch.h"
#include "tests/game/GamePlayer.h"
#include "tests/game/LevelBot.h"

namespace {

using OrrelayEngine::Vector2;
using PlayTests::BoardAwaitsMove;
using PlayTests::GamePlayer;
using PlayTests::Level;
using PlayTests::LevelPlayed;
using PlayTests::PlayLevel;

// The horizontal scroll nearest below the caption drawn on the screen's frame.
OrrelayEngine::GUIScroll* SliderUnder(const GamePlayer& player, const std::string& captionKey)
{
    const OrrelayEngine::GUIWindow* caption = player.FindCaption(captionKey);
    if (caption == nullptr)
        return nullptr;
    float captionY = caption->GetAbsolutePosition().y;
    for (std::uint32_t i = 0; i < caption->GetDrawnTextCount(); ++i) {
        if (caption->GetDrawnText(i).isKey != 0 && caption->GetDrawnText(i).key == captionKey)
            captionY += caption->GetDrawnText(i).offset.y;
    }
    OrrelayEngine::GUIScroll* nearest = nullptr;
    float nearestDistance = 0.0f;
    player.Gui().ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
        auto* scroll = dynamic_cast<OrrelayEngine::GUIScroll*>(&window);
        if (scroll == nullptr || !scroll->IsVisible())
            return;
        const float distance = captionY - GamePlayer::HitCentre(*scroll).y;
        if (distance > 0.0f && (nearest == nullptr || distance < nearestDistance)) {
            nearest = scroll;
            nearestDistance = distance;
        }
    });
    return nearest;
}

// Where the player sees the knob's middle: the drawn knob's box. At another
// position index it lies further along the track by that share of it.
Vector2 KnobCentre(const OrrelayEngine::GUIScroll& slider, std::uint32_t index)
{
    const OrrelayEngine::Vector3& drawn = slider.GetKnob()->GetModel()->box.centre;
    const float t = (static_cast<float>(index) - static_cast<float>(slider.GetPositionIndex())) /
                    static_cast<float>(slider.GetPositionCount() - 1);
    const Vector2& start = slider.GetTrackStart();
    const Vector2& end = slider.GetTrackEnd();
    return Vector2(drawn.x + (end.x - start.x) * t, drawn.y + (end.y - start.y) * t);
}

// The menus' background stands behind the screen: shown, its scenery in view.
bool BackgroundShown(const GamePlayer& player)
{
    const Tansywell::GUIBackgroundWindow* background = player.GetGame().GetBackgroundWindow();
    return background != nullptr && background->IsVisible() && !background->GetThemedWindows().empty() &&
           background->GetThemedWindows().back()->IsVisible();
}

// The arrow to the mode before the shown one: the options' lowest button on
// the left without a caption of its own (the volume bars' arrows lie above it).
OrrelayEngine::GUIWindow* PreviousResolutionArrow(const GamePlayer& player)
{
    OrrelayEngine::GUIWindow* lowest = nullptr;
    player.Gui().ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
        auto* button = dynamic_cast<OrrelayEngine::GUIButton*>(&window);
        if (button == nullptr || dynamic_cast<OrrelayEngine::GUICheckBox*>(&window) != nullptr ||
            !button->IsVisible() || !button->IsEnabled() || button->GetDrawnTextCount() != 0)
            return;
        const Vector2 at = GamePlayer::HitCentre(*button);
        if (at.x < player.Gui().GetScreenWidth() * 0.5f &&
            (lowest == nullptr || at.y < GamePlayer::HitCentre(*lowest).y))
            lowest = button;
    });
    return lowest;
}

OrrelayEngine::GUICheckBox* ShownCheckBox(const GamePlayer& player)
{
    OrrelayEngine::GUICheckBox* found = nullptr;
    player.Gui().ForEachWindow([&](OrrelayEngine::GUIWindow& window) {
        auto* box = dynamic_cast<OrrelayEngine::GUICheckBox*>(&window);
        if (box != nullptr && box->IsVisible() && box->IsEnabled())
            found = box;
    });
    return found;
}

// What the first run leaves saved, read from the game as it ends.
struct SavedState
{
    std::wstring profile;
    std::uint32_t totalScore = 0;
    GameFramework::LevelPosition furthest;
    std::vector<bool> flags;
    std::wstring bestName;
    std::uint32_t bestScore = 0;
    std::string soundVolume;
    std::uint8_t fullscreen = 0;
};

// The one route the first run plays: the moves of the level won and of the
// level lost, and the frames from the start to the way out. A change to the
// levels, the rules or the screens' timing moves it, and it is pinned again.
struct Route
{
    std::uint32_t levelOneMoves;
    std::uint32_t levelTwoMoves;
    std::uint64_t frames;
};
constexpr Route kRoute{19, 21, 5967};

SavedState ReadState(const PlayTests::PlayedGame& game)
{
    SavedState state;
    const auto* profile = dynamic_cast<const Tansywell::Profile*>(game.profileManager_->GetCurrentProfile());
    if (profile == nullptr)
        return state;
    state.profile = profile->GetName();
    state.totalScore = profile->GetTotalScore();
    state.furthest = profile->GetFurthestPosition();
    for (std::uint32_t flag = 0; flag < Tansywell::Profile::kFlagCount; ++flag)
        state.flags.push_back(profile->GetFlag(flag));
    if (const GameFramework::HighScoreEntry* best = game.highScoresTable_->GetEntry(profile->GetScoreCategory(), 0)) {
        state.bestName = best->name;
        state.bestScore = best->score;
    }
    state.soundVolume = game.GetEngine()->GetConfig()->GetValue(GameFramework::Mixer::kSoundVolumeVariable);
    state.fullscreen = game.GetEngine()->GetConfig()->GetValues()->fullscreen;
    return state;
}

void ExpectSameState(const SavedState& saved, const SavedState& found)
{
    EXPECT_EQ(saved.profile, found.profile);
    EXPECT_EQ(saved.totalScore, found.totalScore);
    EXPECT_EQ(saved.furthest.stage, found.furthest.stage);
    EXPECT_EQ(saved.furthest.level, found.furthest.level);
    EXPECT_EQ(saved.flags, found.flags);
    EXPECT_EQ(saved.bestName, found.bestName);
    EXPECT_EQ(saved.bestScore, found.bestScore);
    EXPECT_EQ(saved.soundVolume, found.soundVolume);
    EXPECT_EQ(saved.fullscreen, found.fullscreen);
}

TEST(PlayThrough, APlayerWinsALevelLosesTheNextSetsTheOptionsAndFindsItAllAtTheNextStart)
{
    PlayTests::PlayMachine machine;
    GamePlayer player;
    ASSERT_TRUE(player.Start());
    if (!PlayTests::AssetsLoaded(player))
        GTEST_SKIP() << "the data set has no introduction yet: " << player.Screen();
    const OrrelayEngine::MessageManager* log = player.GetGame().GetEngine()->GetMessageManager();
    EXPECT_EQ(1u, player.GetGame().GetEngine()->GetConfig()->GetValues()->fullscreen)
        << "the first start is full screen";

    // First start: logos, loading, welcome, then the introduction's pages.
    ASSERT_TRUE(PlayTests::EnterAsNewPlayer(player, "Ada"));
    int pages = 0;
    ASSERT_TRUE(PlayTests::OpenStageMap(player, pages));
    EXPECT_GT(pages, 0) << "a new player is introduced";
    ASSERT_TRUE(player.Click("START_GAME_START"));

    // Level 1: its field reads 1-1, and the view button turns the board flat
    // and back, its caption offering the other view.
    ASSERT_TRUE(player.WaitFor([&] { return BoardAwaitsMove(player); }, 60.0f, "level 1 in play"));
    EXPECT_TRUE(player.ShowsText(L"1-1")) << player.Screen();
    const auto cameraType = [&] { return Level(player)->GetCameraControl()->GetCameraType(); };
    ASSERT_TRUE(player.Click("GAME_LOGIC_2D"));
    EXPECT_TRUE(player.WaitFor(
        [&] { return cameraType() == Tansywell::CameraControl::kTypeFlat && player.Shows("GAME_LOGIC_3D"); }, 2.0f,
        "the flat view"));
    EXPECT_TRUE(player.Click("GAME_LOGIC_3D"));
    EXPECT_TRUE(player.WaitFor(
        [&] { return cameraType() == Tansywell::CameraControl::kTypeTilted && player.Shows("GAME_LOGIC_2D"); }, 2.0f,
        "the tilted view"));

    // Level 1, won, its energy left counted into a bonus.
    LevelPlayed won;
    ASSERT_TRUE(PlayLevel(player, true, won));
    ASSERT_EQ(GameFramework::GameLogicBase::kStateWon, Level(player)->GetState()) << player.Screen();
    const auto* ada = dynamic_cast<const Tansywell::Profile*>(player.GetGame().profileManager_->GetCurrentProfile());
    ASSERT_NE(nullptr, ada);
    // A lesson the level's end cut short returns in a later level; one taught is done.
    EXPECT_EQ(won.swapLessonCutShort, ada->GetFlag(Tansywell::Profile::kFlagTutorialSwap));
    EXPECT_TRUE(won.scoreFloated) << "no score floated up at the first swap's cells";
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("LEVEL_COMPLETE_ENERGY_BONUS"); }, 20.0f,
                               "the level complete with its bonus"));
    const auto* results =
        dynamic_cast<const Tansywell::GUILevelCompleteWindow*>(player.GetGame().levelCompleteWindow_.get());
    ASSERT_NE(nullptr, results);
    // The bonus goes into the profile as it is counted.
    const std::uint32_t scoreWithoutBonus = ada->GetTotalScore() - results->GetBonus();
    ASSERT_TRUE(player.Click("CONTINUE", 60.0f));

    // Level 2 follows at once: pause and resume, the menu and back, then the
    // energy spent.
    ASSERT_TRUE(player.WaitFor([&] { return BoardAwaitsMove(player); }, 60.0f, "level 2 in play"));
    EXPECT_GT(results->GetBonus(), 0u) << "level 1 was won with energy left";
    const std::uint32_t scoreAfterWin = ada->GetTotalScore();
    EXPECT_EQ(scoreWithoutBonus + results->GetBonus(), scoreAfterWin);
    EXPECT_EQ(1u, Level(player)->GetLevel()->levelIndex);
    player.Key(SDLK_p, SDL_SCANCODE_P);
    ASSERT_TRUE(player.Click("GAME_LOGIC_PAUSED_RESUME"));
    ASSERT_TRUE(player.WaitFor([&] { return Level(player)->GetState() == GameFramework::GameLogicBase::kStateRunning; },
                               2.0f, "level 2 running after the pause"));
    const float clock = Level(player)->GetElapsedTime();
    player.Frames(PlayTests::kFramesPerSecond);
    EXPECT_GT(Level(player)->GetElapsedTime(), clock) << "the level's clock stands still after the pause";
    player.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(player.Click("GAME_LOGIC_MENU_RETURN"));
    LevelPlayed lost;
    ASSERT_TRUE(PlayLevel(player, false, lost));
    ASSERT_EQ(GameFramework::GameLogicBase::kStateLost, Level(player)->GetState()) << player.Screen();

    // Game over, the high scores with Ada's entry new, the relax offer declined.
    ASSERT_TRUE(player.Click("CONTINUE", 60.0f));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("OK") && player.ShowsText(L"Ada"); }, 20.0f,
                               "the high scores with Ada's entry"));
    ASSERT_TRUE(player.Click("OK"));
    ASSERT_TRUE(player.Click("NO"));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("MAIN_MENU_OPTIONS"); }, 20.0f, "the main menu"));
    EXPECT_TRUE(BackgroundShown(player)) << "the main menu stands on black after the relax offer";

    // Options: the sound volume dragged and cancelled; then dragged again, full
    // screen switched off, another resolution, applied.
    GameFramework::Mixer& mixer = *player.GetGame().mixer_;
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "applied");
        ASSERT_TRUE(player.Click("MAIN_MENU_OPTIONS"));
        ASSERT_TRUE(player.WaitFor([&] { return player.Shows("OPTIONS_APPLY"); }, 20.0f, "the options"));
        OrrelayEngine::GUIScroll* sound = SliderUnder(player, "OPTIONS_SOUND_VOLUME");
        ASSERT_NE(nullptr, sound) << player.Screen();
        const float shown = mixer.GetSoundVolume();
        const std::uint32_t last = sound->GetPositionCount() - 1;
        const std::uint32_t before = sound->GetPositionIndex();
        const std::uint32_t wanted = before > last / 2 ? last / 4 : last * 3 / 4;
        player.Drag(KnobCentre(*sound, before), KnobCentre(*sound, wanted));
        EXPECT_NEAR(static_cast<float>(wanted) / static_cast<float>(last), mixer.GetSoundVolume(), 0.02f);
        if (!cancel)
            break;
        ASSERT_TRUE(player.Click("CANCEL"));
        ASSERT_TRUE(player.WaitFor([&] { return player.Shows("MAIN_MENU_OPTIONS"); }, 20.0f, "the main menu"));
        EXPECT_FLOAT_EQ(shown, mixer.GetSoundVolume()) << "Cancel kept the changed volume";
    }
    OrrelayEngine::GUICheckBox* fullscreen = ShownCheckBox(player);
    ASSERT_NE(nullptr, fullscreen) << player.Screen();
    ASSERT_TRUE(fullscreen->IsChecked());
    player.ClickAt(GamePlayer::HitCentre(*fullscreen));
    EXPECT_FALSE(fullscreen->IsChecked());
    OrrelayEngine::GUIWindow* previousMode = PreviousResolutionArrow(player);
    ASSERT_NE(nullptr, previousMode) << player.Screen();
    player.ClickAt(GamePlayer::HitCentre(*previousMode));
    ASSERT_TRUE(player.Click("OPTIONS_APPLY"));
    ASSERT_TRUE(player.WaitFor([&] { return player.GetGame().GetEngine()->GetConfig()->GetValues()->fullscreen == 0; },
                               2.0f, "windowed play"));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("MAIN_MENU_EXIT"); }, 20.0f, "the main menu"));
    EXPECT_EQ("800x600x32", player.GetGame().GetEngine()->GetConfig()->GetValues()->videoMode);
    EXPECT_TRUE(BackgroundShown(player)) << "the main menu stands on black after another resolution";

    // The way out.
    ASSERT_TRUE(player.Click("MAIN_MENU_EXIT"));
    ASSERT_TRUE(player.Click("YES"));
    ASSERT_TRUE(player.WaitFor([&] { return player.HasExited(); }, 10.0f, "the end of the run"));
    const SavedState saved = ReadState(player.GetGame());
    EXPECT_EQ(0u,
              TestSupport::CountLogged(*log, "", TestSupport::LogMatch::kPart, OrrelayEngine::MessageManager::kFatal));
    const std::uint64_t firstRunFrames = player.FrameCount();
    // The game deals and plays the same every run, so the route is one.
    EXPECT_EQ(kRoute.levelOneMoves, won.moves);
    EXPECT_EQ(kRoute.levelTwoMoves, lost.moves);
    EXPECT_EQ(kRoute.frames, firstRunFrames);
    ASSERT_TRUE(player.Stop()) << "the run ends with status 0";
    EXPECT_TRUE(Platform::GetRecordedMessageBoxes().empty());
    std::printf("[ PLAY     ] first run: %llu frames (%.1f s of play), level 1 won in %u moves, level 2 lost in %u\n",
                static_cast<unsigned long long>(firstRunFrames),
                static_cast<double>(firstRunFrames) / PlayTests::kFramesPerSecond, won.moves, lost.moves);

    // Second start in the same folder.
    GamePlayer second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.WaitFor([&] { return second.Shows("MAIN_MENU_START") && second.ShowsText(L"Ada"); }, 60.0f,
                               "the main menu greeting Ada at the next start"));
    const SavedState found = ReadState(second.GetGame());
    EXPECT_EQ(L"Ada", found.profile);
    EXPECT_EQ(scoreAfterWin, found.totalScore);
    EXPECT_EQ(1u, found.furthest.level);
    EXPECT_EQ(L"Ada", found.bestName);
    EXPECT_EQ(0u, found.fullscreen);
    ExpectSameState(saved, found);
    std::printf("[ PLAY     ] second start: %llu frames to the main menu greeting Ada\n",
                static_cast<unsigned long long>(second.FrameCount()));
    ASSERT_TRUE(second.Stop());
}

} // namespace
