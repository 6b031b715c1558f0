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
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/scene/Model.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/ProfileManagerBase.h"
#include "game/Profile.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "game/logic/Tutorial.h"
#include "support/LogSearch.h"
#include "tests/game/GamePlayer.h"

namespace {

using OrrelayEngine::Vector2;
using PlayTests::GamePlayer;
using Tansywell::Board;
using Tansywell::Cell;

// Far more than any level of the campaign takes.
constexpr int kMoveLimit = 400;
constexpr float kMoveSeconds = 30.0f;
constexpr std::size_t kUntakenLimit = 8;
constexpr float kSpeechSeconds = 60.0f;

Tansywell::GameLogic* Level(const GamePlayer& player)
{
    return dynamic_cast<Tansywell::GameLogic*>(player.GetGame().GetGameLogic());
}

std::uint32_t KindAfterSwap(const Board& board, const Cell* cell, const Cell* a, const Cell* b)
{
    const Cell* source = cell == a ? b : cell == b ? a : cell;
    const Tansywell::BoardItem* item = board.GetItem(source);
    return item != nullptr ? item->GetKind() : ~0u;
}

// Cells with a layer or a web left in the groups of three the swap would
// make, read from the board without touching it.
std::uint32_t LayersTheSwapClears(const Board& board, const Cell* a, const Cell* b)
{
    std::vector<const Cell*> counted;
    std::uint32_t layers = 0;
    for (const Cell* start : {a, b}) {
        const std::uint32_t kind = KindAfterSwap(board, start, a, b);
        if (kind == ~0u || std::find(counted.begin(), counted.end(), start) != counted.end())
            continue;
        std::vector<const Cell*> group{start};
        for (std::size_t i = 0; i < group.size(); ++i) {
            for (std::uint32_t d = 0; d < Board::kDirectionCount; ++d) {
                const Cell* next = board.GetNeighbour(group[i], d);
                if (next != nullptr && KindAfterSwap(board, next, a, b) == kind &&
                    std::find(group.begin(), group.end(), next) == group.end())
                    group.push_back(next);
            }
        }
        if (group.size() < 3)
            continue;
        for (const Cell* cell : group) {
            counted.push_back(cell);
            layers += cell->GetLayerCount() != 0 || cell->IsBlocked() ? 1 : 0;
        }
    }
    return layers;
}

// The move whose first cell carries the tutorial's tip, when the tip shows.
bool FindTippedMove(const Tansywell::GameLogic& level, std::uint32_t& move)
{
    const Tansywell::Tutorial* tutorial = level.GetTutorial();
    const OrrelayEngine::Model* tip = tutorial != nullptr ? tutorial->GetTipModel() : nullptr;
    if (tip == nullptr || (tip->GetFlags() & OrrelayEngine::Model::kFlagVisible) == 0)
        return false;
    const Board& board = *level.GetBoard();
    for (std::uint32_t m = board.GetMoveCount(); m-- > 0;) {
        const OrrelayEngine::Matrix4& at = board.GetMoveFirst(m)->GetModelMatrix();
        if (at.m[3] == tip->matrix.m[3] && at.m[7] == tip->matrix.m[7] && at.m[11] == tip->matrix.m[11]) {
            move = m;
            return true;
        }
    }
    return false;
}

// The board waits for a move: nothing falls or burns, and a move is listed.
bool BoardAwaitsMove(const GamePlayer& player)
{
    const Tansywell::GameLogic* level = Level(player);
    if (level == nullptr || level->GetState() != GameFramework::GameLogicBase::kStateRunning)
        return false;
    const Board* board = level->GetBoard();
    return board->GetQueuedGroupCount() == 0 && board->GetMoveCount() != 0 && board->GetSelectedCell() == nullptr;
}

bool LevelOver(const GamePlayer& player)
{
    const Tansywell::GameLogic* level = Level(player);
    return level == nullptr || level->GetState() == GameFramework::GameLogicBase::kStateWon ||
           level->GetState() == GameFramework::GameLogicBase::kStateLost;
}

struct LevelPlayed
{
    std::uint32_t moves = 0;
    // The swap lesson was still being taught when the board came to its end.
    bool swapLessonCutShort = false;
};

// Plays the level to its end: the tutorial's swap when its tip shows, else
// the listed move that clears the most remaining layers (to win) or the
// fewest (to spend the energy). The character's speech runs its course.
bool PlayLevel(GamePlayer& player, bool toWin, LevelPlayed& played)
{
    std::uint32_t& moves = played.moves;
    const auto watchLesson = [&] {
        const Tansywell::GameLogic* level = Level(player);
        if (level == nullptr || level->GetTutorial() == nullptr)
            return;
        const Board& board = *level->GetBoard();
        if (board.GetClearedLayers() < board.GetTotalLayers() && board.GetEnergy() != 0)
            played.swapLessonCutShort = level->GetTutorial()->IsTopicActive(Tansywell::Tutorial::kTopicSwap);
    };
    if (!player.WaitFor([&] { return BoardAwaitsMove(player); }, 60.0f, "a level in play"))
        return false;
    // Moves the game did not take (a cell under the character, say), skipped
    // until a move is taken; a player would try another.
    std::vector<std::pair<const Cell*, const Cell*>> untaken;
    for (int turn = 0; turn < kMoveLimit; ++turn) {
        if (!player.WaitFor(
                [&] {
                    watchLesson();
                    return BoardAwaitsMove(player) || LevelOver(player);
                },
                kMoveSeconds, "the board settled after move " + std::to_string(moves)))
            return false;
        if (LevelOver(player))
            return true;
        const Tansywell::GameLogic& level = *Level(player);
        const Board& board = *level.GetBoard();
        std::uint32_t move = 0;
        if (!FindTippedMove(level, move)) {
            // The player out to win listens to the character before moving;
            // the one spending the energy plays on while it speaks.
            const Tansywell::Character* character = player.GetGame().GetCharacter();
            if (toWin && character != nullptr && !character->IsSpeechHidden()) {
                if (!player.WaitFor([&] { return character->IsSpeechHidden() || FindTippedMove(*Level(player), move); },
                                    kSpeechSeconds, "the character's speech over"))
                    return false;
                --turn;
                continue;
            }
            std::uint32_t best = toWin ? 0 : ~0u;
            for (std::uint32_t m = 0; m < board.GetMoveCount(); ++m) {
                const std::pair<const Cell*, const Cell*> pair(board.GetMoveFirst(m), board.GetMoveSecond(m));
                if (std::find(untaken.begin(), untaken.end(), pair) != untaken.end())
                    continue;
                const std::uint32_t layers = LayersTheSwapClears(board, board.GetMoveFirst(m), board.GetMoveSecond(m));
                if (toWin ? layers > best : layers < best) {
                    best = layers;
                    move = m;
                }
            }
        }
        const Cell* first = board.GetMoveFirst(move);
        const Cell* second = board.GetMoveSecond(move);
        // A player aims once the board stands still on the screen (the camera
        // swings in as the level starts).
        const Vector2 before = board.GetCellScreenPosition(first);
        player.Frame();
        const Vector2 after = board.GetCellScreenPosition(first);
        if (std::fabs(before.x - after.x) > 0.5f || std::fabs(before.y - after.y) > 0.5f) {
            --turn;
            continue;
        }
        const std::uint32_t energy = board.GetEnergy();
        player.ClickAt(board.GetCellScreenPosition(first));
        player.ClickAt(board.GetCellScreenPosition(second));
        if (!player.WaitFor(
                [&] {
                    watchLesson();
                    return LevelOver(player) || Level(player)->GetBoard()->GetEnergy() < energy;
                },
                2.0f, "the swap of move " + std::to_string(moves + 1) + " taken", false)) {
            untaken.emplace_back(first, second);
            if (untaken.size() > kUntakenLimit) {
                ADD_FAILURE() << untaken.size() << " swaps in a row not taken; " << player.Screen();
                return false;
            }
            // A cell left selected is let go with a click on it.
            if (board.GetSelectedCell() != nullptr)
                player.ClickAt(board.GetCellScreenPosition(board.GetSelectedCell()));
            continue;
        }
        untaken.clear();
        ++moves;
    }
    ADD_FAILURE() << "the level did not end in " << kMoveLimit << " moves; " << player.Screen();
    return false;
}

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

    // Level 1, won.
    LevelPlayed won;
    ASSERT_TRUE(PlayLevel(player, true, won));
    ASSERT_EQ(GameFramework::GameLogicBase::kStateWon, Level(player)->GetState()) << player.Screen();
    const auto* ada = dynamic_cast<const Tansywell::Profile*>(player.GetGame().profileManager_->GetCurrentProfile());
    ASSERT_NE(nullptr, ada);
    // A lesson the level's end cut short returns in a later level; one taught is done.
    EXPECT_EQ(won.swapLessonCutShort, ada->GetFlag(Tansywell::Profile::kFlagTutorialSwap));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("LEVEL_COMPLETE_ENERGY_BONUS"); }, 20.0f,
                               "the level complete with its bonus"));
    ASSERT_TRUE(player.Click("CONTINUE", 60.0f));
    const std::uint32_t scoreAfterWin = ada->GetTotalScore();
    EXPECT_GT(scoreAfterWin, 0u);

    // Level 2 follows at once: pause and resume, the menu and back, then the
    // energy spent.
    ASSERT_TRUE(player.WaitFor([&] { return BoardAwaitsMove(player); }, 60.0f, "level 2 in play"));
    EXPECT_EQ(1u, Level(player)->GetLevel()->levelIndex);
    player.Key(SDLK_p, SDL_SCANCODE_P);
    ASSERT_TRUE(player.Click("GAME_LOGIC_PAUSED_RESUME"));
    player.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(player.Click("GAME_LOGIC_MENU_RETURN"));
    // Cascades can win a level even for a player taking the smallest moves; the
    // board dealt depends on how many frames the threaded load took. Such a
    // player goes on to the next level and spends its energy there.
    LevelPlayed lost;
    for (int levelsWon = 0;; ++levelsWon) {
        ASSERT_TRUE(PlayLevel(player, false, lost));
        if (Level(player)->GetState() == GameFramework::GameLogicBase::kStateLost)
            break;
        ASSERT_LT(levelsWon, 2) << "three levels won while spending the energy: " << player.Screen();
        ASSERT_TRUE(player.WaitFor([&] { return player.Shows("LEVEL_COMPLETE_ENERGY_BONUS"); }, 20.0f,
                                   "the level complete with its bonus"));
        ASSERT_TRUE(player.Click("CONTINUE", 60.0f));
    }

    // Game over, the high scores with Ada's entry new, the relax offer declined.
    ASSERT_TRUE(player.Click("CONTINUE", 60.0f));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("OK") && player.ShowsText(L"Ada"); }, 20.0f,
                               "the high scores with Ada's entry"));
    ASSERT_TRUE(player.Click("OK"));
    ASSERT_TRUE(player.Click("NO"));

    // Options: the sound volume dragged, full screen switched off, applied.
    ASSERT_TRUE(player.Click("MAIN_MENU_OPTIONS"));
    ASSERT_TRUE(player.WaitFor([&] { return player.Shows("OPTIONS_APPLY"); }, 20.0f, "the options"));
    OrrelayEngine::GUIScroll* sound = SliderUnder(player, "OPTIONS_SOUND_VOLUME");
    ASSERT_NE(nullptr, sound) << player.Screen();
    const std::uint32_t last = sound->GetPositionCount() - 1;
    const std::uint32_t before = sound->GetPositionIndex();
    const std::uint32_t wanted = before > last / 2 ? last / 4 : last * 3 / 4;
    player.Drag(KnobCentre(*sound, before), KnobCentre(*sound, wanted));
    EXPECT_NEAR(static_cast<float>(wanted) / static_cast<float>(last), player.GetGame().mixer_->GetSoundVolume(),
                0.02f);
    OrrelayEngine::GUICheckBox* fullscreen = ShownCheckBox(player);
    ASSERT_NE(nullptr, fullscreen) << player.Screen();
    ASSERT_TRUE(fullscreen->IsChecked());
    player.ClickAt(GamePlayer::HitCentre(*fullscreen));
    EXPECT_FALSE(fullscreen->IsChecked());
    ASSERT_TRUE(player.Click("OPTIONS_APPLY"));
    ASSERT_TRUE(player.WaitFor([&] { return player.GetGame().GetEngine()->GetConfig()->GetValues()->fullscreen == 0; },
                               2.0f, "windowed play"));

    // The way out.
    ASSERT_TRUE(player.Click("MAIN_MENU_EXIT"));
    ASSERT_TRUE(player.Click("YES"));
    ASSERT_TRUE(player.WaitFor([&] { return player.HasExited(); }, 10.0f, "the end of the run"));
    const SavedState saved = ReadState(player.GetGame());
    EXPECT_EQ(0u,
              TestSupport::CountLogged(*log, "", TestSupport::LogMatch::kPart, OrrelayEngine::MessageManager::kFatal));
    const std::uint64_t firstRunFrames = player.FrameCount();
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
