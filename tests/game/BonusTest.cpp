#include <gtest/gtest.h>

#include "engine/scene/Model.h"
#include "game/logic/Bonus.h"
#include "game/logic/BonusManager.h"
#include "tests/game/GameDataTestEngine.h"

namespace {

using Tansywell::Bonus;
using Tansywell::BonusManager;

// A sixteenth of a second adds up to whole and half seconds exactly.
constexpr std::uint64_t kSixteenth = 62500;

TEST(Bonus, FadesInItsLastSecondAndDiesPastForty)
{
    GameTests::GameDataTestEngine game;
    BonusManager bonuses(game.engine, &game.data);
    Bonus* bonus = bonuses.CreateBonus(Bonus::kColorDestruction);
    ASSERT_NE(nullptr, bonus->GetModel());
    bonus->SetColor(OrrelayEngine::Color(1.0f, 1.0f, 1.0f, 1.0f));

    const auto runTo = [&](float seconds) {
        while (bonus->GetAge() < seconds) {
            game.Frame(kSixteenth);
            bonuses.Update();
        }
    };
    runTo(39.5f);
    EXPECT_EQ(39.5f, bonus->GetAge());
    // Vertex colours hold eight bits.
    EXPECT_NEAR(0.5f, bonus->GetModel()->GetColor().a, 1.0f / 255.0f);
    EXPECT_TRUE(bonus->IsAlive());

    runTo(40.0f);
    EXPECT_EQ(40.0f, bonus->GetAge());
    EXPECT_TRUE(bonus->IsAlive()) << "alive at forty seconds exactly, with nothing left to show";
    EXPECT_NEAR(0.0f, bonus->GetModel()->GetColor().a, 1e-3f);
    EXPECT_NE(0u, bonus->GetModel()->GetFlags() & OrrelayEngine::Model::kFlagVisible);

    runTo(40.01f);
    EXPECT_FALSE(bonus->IsAlive());
    EXPECT_EQ(0u, bonus->GetModel()->GetFlags() & OrrelayEngine::Model::kFlagVisible);
}

TEST(BonusManager, DeletesOnlyItsOwnBonuses)
{
    GameTests::GameDataTestEngine game;
    BonusManager bonuses(game.engine, &game.data);
    BonusManager others(game.engine, &game.data);
    Bonus* stranger = others.CreateBonus(Bonus::kItemDestruction);
    Bonus* own = bonuses.CreateBonus(Bonus::kCombinationDestruction);
    bonuses.DeleteBonus(nullptr);
    bonuses.DeleteBonus(stranger);
    EXPECT_EQ(1u, bonuses.GetBonusCount());
    EXPECT_EQ(1u, others.GetBonusCount());
    bonuses.DeleteBonus(own);
    EXPECT_EQ(0u, bonuses.GetBonusCount());
}

} // namespace
