#include <gtest/gtest.h>

#include <vector>

#include "framework/ScoreKeeper.h"
#include "framework/StageRecord.h"
#include "game/CellRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/GameLogic.h"
#include "game/logic/ItemManager.h"
#include "tests/game/GameDataTestEngine.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Tansywell;

// Sixteenths of a second add up to 11 seconds exactly.
constexpr std::uint64_t kSixteenth = 62500;
constexpr int kFramesToElevenSeconds = 176;
// Long enough for any flight, landing or fly-away to end.
constexpr int kSettleFrames = 160;

// One column of four cells (y = 0, 2, 4, 6) holding kinds 0 0 1 0: swapping
// the last two makes a line of three, the board's only kind of move.
class GameLogicTest : public ::testing::Test
{
protected:
    GameLogicTest()
        : data_(game_.engine, GameTests::GameDataTestEngine::MakeLanguage(), &stage_, &level_),
          character_(game_.engine, nullptr, nullptr, nullptr, &game_.data, nullptr)
    {
        level_.kindCount = 2;
        level_.cameraName = "column_camera";
        game_.Write("data/boards/column_camera.ini", "100 10 300 20 400\n");
    }

    void Build(std::uint32_t lastLayers, float energyFactor)
    {
        GameLogicData::Board board;
        board.width = 1;
        board.height = 7;
        for (std::uint32_t i = 0; i < 4; ++i) {
            CellRecord cell;
            cell.y = 2 * i;
            cell.layerCount = i == 3 ? lastLayers : 1;
            cell.firstTranslation = OrrelayEngine::Vector3(0.0f, 10.0f * static_cast<float>(i), 0.0f);
            board.cells.push_back(cell);
        }
        data_.SetBoard(board);
        level_.energyFactor = energyFactor;
        logic_ = std::make_unique<GameLogic>(game_.engine, nullptr, nullptr, &game_.data, &data_, &stage_, &level_, 0,
                                             &character_);
        Board& board_ = *logic_->GetBoard();
        ItemManager& items = *logic_->GetItemManager();
        const std::uint32_t kinds[] = {0, 0, 1, 0};
        for (std::uint32_t i = 0; i < 4; ++i) {
            Cell* cell = board_.GetCellAt(i);
            items.DestroyItem(board_.GetItem(cell));
            BoardItem* item = items.GetItem(kinds[i]);
            item->SetHome(cell->GetTopPosition());
            item->Spawn();
            board_.SetItem(cell, item);
        }
        // The items appear and the replaced ones fly away; the level's clock
        // and hint timer are not run meanwhile.
        for (int frame = 0; frame < kSettleFrames; ++frame) {
            game_.Frame(kSixteenth);
            items.Update();
        }
        board_.ListMoves();
        ASSERT_GT(board_.GetMoveCount(), 0u);
    }

    // The player swaps the last two cells.
    void Swap()
    {
        Board& board = *logic_->GetBoard();
        board.Step(board.GetCellAt(2), true, false);
        board.Step(board.GetCellAt(3), true, false);
        ASSERT_EQ(1u, board.GetQueuedGroupCount());
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            game_.Frame(kSixteenth);
            logic_->Update();
        }
    }

    // Frames until the board destroys items; false when it never does.
    bool FramesUntilADestruction()
    {
        for (int frame = 0; frame < kSettleFrames; ++frame) {
            Frames(1);
            if (logic_->GetBoard()->GetDestroyedCount() > 0)
                return true;
        }
        return false;
    }

    GameTests::GameDataTestEngine game_;
    GameFramework::StageRecord stage_;
    GameLevelRecord level_;
    GameLogicData data_;
    Character character_;
    std::unique_ptr<GameLogic> logic_;
};

TEST_F(GameLogicTest, OpensTheLevelWithItsScoringTableCharacterAndCameraSwing)
{
    Build(1, 1.0f);
    const std::uint32_t expected[] = {10, 100, 200, 150, 250, 500, 1000};
    for (std::uint32_t kind = 0; kind < 7; ++kind)
        EXPECT_EQ(expected[kind], logic_->GetScoreKeeper()->GetPoints(kind));
    EXPECT_FALSE(logic_->IsClockPaused());
    EXPECT_EQ(GameLogic::kStateRunning, logic_->GetState());
    EXPECT_EQ(400u, logic_->GetBoard()->GetScorePotential());
    EXPECT_EQ(Character::kStateLevel, character_.GetState());
    EXPECT_TRUE(logic_->GetCameraControl()->IsSwingInRunning());
    EXPECT_EQ(0.0f, logic_->GetCameraControl()->GetSwingProgress()) << "the camera moves only with the level";
    Frames(1);
    EXPECT_GT(logic_->GetCameraControl()->GetSwingProgress(), 0.0f);
}

TEST_F(GameLogicTest, HintsEveryElevenSecondsWithoutADestruction)
{
    Build(1, 1.0f);
    Frames(kFramesToElevenSeconds);
    EXPECT_EQ(11.0f, logic_->GetHintTimer()) << "eleven seconds exactly is not past the delay";
    Frames(1);
    EXPECT_EQ(0.0f, logic_->GetHintTimer()) << "the hint restarts the timer";
    Frames(kFramesToElevenSeconds);
    EXPECT_EQ(11.0f, logic_->GetHintTimer());
    Frames(1);
    EXPECT_EQ(0.0f, logic_->GetHintTimer());
}

TEST_F(GameLogicTest, ARunningFrameAllocatesNothing)
{
    Build(1, 1.0f);
    logic_->GetBonusManager()->CreateBonus(Tansywell::Bonus::kItemDestruction);
    Frames(kFramesToElevenSeconds);
    const TestSupport::ScopedAllocationCount allocations;
    Frames(4);
    EXPECT_EQ(0u, allocations.Count());
}

TEST_F(GameLogicTest, ADestructionRestartsTheHintTimer)
{
    Build(1, 4.0f);
    Frames(kFramesToElevenSeconds / 2);
    Swap();
    ASSERT_TRUE(FramesUntilADestruction());
    EXPECT_EQ(0.0f, logic_->GetHintTimer());
    Frames(4);
    EXPECT_EQ(0.25f, logic_->GetHintTimer());
}

TEST_F(GameLogicTest, WonAndLostTogetherIsWonOnceTheItemsHaveFlownAway)
{
    // Three layers give one unit of energy (3 x 0.76 x 0.5): the winning swap
    // spends the last of it.
    Build(0, 0.5f);
    ASSERT_EQ(1u, logic_->GetBoard()->GetStartingEnergy());
    Swap();
    ASSERT_TRUE(FramesUntilADestruction());
    Frames(1);
    ASSERT_TRUE(logic_->GetBoard()->IsWon());
    ASSERT_TRUE(logic_->GetBoard()->IsLost());
    ASSERT_TRUE(logic_->GetItemManager()->IsAnyItemActive());
    EXPECT_EQ(GameLogic::kStateRunning, logic_->GetState()) << "the items are still flying away";
    EXPECT_TRUE(logic_->GetCameraControl()->IsSwingOutRunning());

    int frames = 0;
    while (logic_->GetState() == GameLogic::kStateRunning && frames++ < kSettleFrames)
        Frames(1);
    EXPECT_FALSE(logic_->GetItemManager()->IsAnyItemActive());
    EXPECT_EQ(GameLogic::kStateWon, logic_->GetState());
    EXPECT_TRUE(logic_->IsClockPaused());
}

} // namespace
