#include <gtest/gtest.h>

#include "framework/ScoreKeeper.h"

namespace {

using GameFramework::ScoreKeeper;

TEST(ScoreKeeper, FirstRegistrationOfAKindWinsAndUnknownKindsScoreNothing)
{
    ScoreKeeper keeper(0);
    keeper.AddPointValue(0, 10);
    keeper.AddPointValue(1, 100);
    keeper.AddPointValue(0, 999);

    EXPECT_EQ(keeper.GetPoints(0), 10u);
    EXPECT_EQ(keeper.GetPoints(1), 100u);
    EXPECT_EQ(keeper.GetPoints(7), 0u);
}

TEST(ScoreKeeper, PointsFollowTheMultiplierAndTheScoreWraps)
{
    ScoreKeeper keeper(5);
    keeper.AddPointValue(6, 1000);
    keeper.SetMultiplier(3);
    EXPECT_EQ(keeper.GetPoints(6), 3000u);

    keeper.AddScore(keeper.GetPoints(6));
    EXPECT_EQ(keeper.GetScore(), 3005u);

    keeper.SetScore(0xFFFFFFFFu);
    keeper.AddScore(2);
    EXPECT_EQ(keeper.GetScore(), 1u);
}

} // namespace
