#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/scene/AnimationControl.h"

namespace OrrelayEngine {
namespace {

struct Output
{
    std::uint32_t current;
    std::uint32_t next;
    float blend;
};

void ExpectOutput(const AnimationControl& control, const Output& expected)
{
    EXPECT_EQ(control.currentFrame, expected.current);
    EXPECT_EQ(control.nextFrame, expected.next);
    EXPECT_NEAR(control.blend, expected.blend, 0.0001f);
}

TEST(AnimationControl, ForwardRangeStepsThroughItsFramesAndStopsOnTheLast)
{
    AnimationControl control(nullptr, nullptr, 10);
    control.AddAnimation(1, 2, 5);
    control.SetAnimation(1);
    control.speed = 4.0f;
    control.Play();
    const Output expected[] = {
        {2, 3, 0.5f}, {3, 4, 0.0f}, {3, 4, 0.5f}, {4, 5, 0.0f}, {4, 5, 0.5f}, {5, 2, 0.0f},
    };
    for (const Output& step : expected) {
        control.Advance(0.125f);
        ExpectOutput(control, step);
    }
    EXPECT_EQ(control.playing, 0u);
    // Finished: it stays on the last frame.
    control.Advance(0.125f);
    ExpectOutput(control, {5, 2, 0.0f});
}

TEST(AnimationControl, ReversedRangePlaysFromItsFirstFrameDownToItsLast)
{
    AnimationControl control(nullptr, nullptr, 10);
    control.AddAnimation(7, 6, 3);
    control.SetAnimation(7);
    control.speed = 2.0f;
    control.Play();
    control.Advance(0.0f);
    ExpectOutput(control, {5, 6, 1.0f});
    control.Advance(0.25f);
    // Position 0.5 from the top: between 6 and 5, halfway.
    ExpectOutput(control, {5, 6, 0.5f});
    control.Advance(1.0f);
    // 2.5 frames down from 6.
    ExpectOutput(control, {3, 4, 0.5f});
    control.Advance(1.0f);
    // Finished on frame 3, the range's last.
    EXPECT_EQ(control.playing, 0u);
    const float shown = static_cast<float>(control.currentFrame) * (1.0f - control.blend) +
                        static_cast<float>(control.nextFrame) * control.blend;
    EXPECT_NEAR(shown, 3.0f, 0.0001f);
}

TEST(AnimationControl, OneFrameRangeAlwaysShowsThatFrameWithoutBlend)
{
    struct Case
    {
        std::uint8_t loop;
        float delayMaximum;
        float speed;
    };
    const Case cases[] = {{0, 0.0f, 5.0f}, {1, 0.0f, 5.0f}, {1, 0.5f, 5.0f}, {1, 0.0f, 1000.0f}, {0, 0.0f, 0.0f}};
    for (const Case& c : cases) {
        AnimationControl control(nullptr, nullptr, 4);
        control.AddAnimation(3, 3, 3);
        control.SetAnimation(3);
        control.loop = c.loop;
        control.delayMaximum = c.delayMaximum;
        control.speed = c.speed;
        control.Play();
        for (int frame = 0; frame < 20; ++frame) {
            control.Advance(0.1f);
            ExpectOutput(control, {3, 3, 0.0f});
        }
    }
    // A model of a single frame never names a frame past its data either.
    AnimationControl single(nullptr, nullptr, 1);
    single.loop = 1;
    single.loopLimit = 2;
    single.speed = 30.0f;
    single.Play();
    for (int frame = 0; frame < 10; ++frame) {
        single.Advance(0.1f);
        ExpectOutput(single, {0, 0, 0.0f});
    }
}

TEST(AnimationControl, SeamlessLoopTakesTheLastFrameAsTheFirstOfTheNextCycle)
{
    AnimationControl control(nullptr, nullptr, 4);
    control.loop = 1;
    control.speed = 1.0f;
    control.Play();
    control.Advance(2.5f);
    ExpectOutput(control, {2, 3, 0.5f});
    control.Advance(1.0f);
    // 3.5 is past the last interval: 0.5 into the next cycle.
    ExpectOutput(control, {0, 1, 0.5f});
    EXPECT_EQ(control.loopsDone, 1u);
    // A step of many cycles at once is folded in one go.
    control.Advance(30.0f);
    ExpectOutput(control, {0, 1, 0.5f});
    EXPECT_EQ(control.loopsDone, 11u);
    EXPECT_EQ(control.playing, 1u);
}

TEST(AnimationControl, LoopLimitEndsAtFrameZeroAfterTheLastCycle)
{
    AnimationControl control(nullptr, nullptr, 3);
    control.loop = 1;
    control.loopLimit = 2;
    control.speed = 1.0f;
    control.Play();
    control.Advance(2.5f);
    EXPECT_EQ(control.loopsDone, 1u);
    ExpectOutput(control, {0, 1, 0.5f});
    control.Advance(1.6f);
    EXPECT_EQ(control.playing, 0u);
    ExpectOutput(control, {0, 1, 0.0f});
}

TEST(AnimationControl, LoopWithDelaysPausesBetweenCyclesForARandomTime)
{
    SetRandomSeed(1234);
    AnimationControl control(nullptr, nullptr, 3);
    control.loop = 1;
    control.delayMinimum = 0.5f;
    control.delayMaximum = 1.0f;
    control.speed = 10.0f;
    control.Play();
    EXPECT_GE(control.delayRemaining, 0.5f);
    EXPECT_LT(control.delayRemaining, 1.0f);
    // Waiting: the position does not move until the delay has run out.
    control.Advance(0.3f);
    EXPECT_FLOAT_EQ(control.position, 0.0f);
    float waited = 0.3f;
    while (control.position == 0.0f && waited < 2.0f) {
        control.Advance(0.01f);
        waited += 0.01f;
    }
    EXPECT_GE(waited, 0.5f);
    EXPECT_LT(waited, 1.02f);
    // At the end of the cycle a new delay is drawn and the position rewinds.
    for (int i = 0; i < 40 && control.position != 0.0f; ++i) {
        control.Advance(0.01f);
    }
    EXPECT_FLOAT_EQ(control.position, 0.0f);
    EXPECT_GE(control.delayRemaining, 0.45f);
    EXPECT_EQ(control.playing, 1u);
}

TEST(AnimationControl, SeekToEndReportsTheLastIntervalNearlyBlended)
{
    AnimationControl control(nullptr, nullptr, 8);
    control.AddAnimation(2, 1, 6);
    control.SetAnimation(2);
    control.SeekToEnd();
    control.Advance(0.016f);
    EXPECT_EQ(control.currentFrame, 5u);
    EXPECT_EQ(control.nextFrame, 6u);
    EXPECT_GT(control.blend, 0.999f);

    control.interpolate = 0;
    control.Advance(0.016f);
    EXPECT_FLOAT_EQ(control.blend, 0.0f);
}

TEST(AnimationControl, RangesAreFiledOnceAndKeptAsGiven)
{
    MessageManager log("Test", false, false, "", "");
    AnimationControl control(&log, nullptr, 5);
    EXPECT_TRUE(control.AddAnimation(4, 1, 2));
    EXPECT_FALSE(control.AddAnimation(4, 0, 3));
    AnimationControl::Range range;
    ASSERT_TRUE(control.GetRange(4, range));
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
    EXPECT_TRUE(control.AddAnimation(5, 3, 40));
    control.GetRange(5, range);
    EXPECT_EQ(range.last, 40u);
    ASSERT_TRUE(control.GetRange(AnimationControl::kAllFrames, range));
    EXPECT_EQ(range.last, 4u);

    control.SetAnimation(4);
    control.position = 0.5f;
    control.SetAnimation(99);
    EXPECT_EQ(control.currentId, 4u);
    EXPECT_FLOAT_EQ(control.position, 0.5f);
    EXPECT_EQ(log.GetMessageCount(), 1u);
}

TEST(AnimationControl, NoSpeedOrPositionGivesAFrameOutsideTheRange)
{
    const float speeds[] = {-3.0f, 1e30f, -1e30f};
    for (float speed : speeds) {
        AnimationControl control(nullptr, nullptr, 6);
        control.AddAnimation(1, 2, 4);
        control.SetAnimation(1);
        control.loop = 1;
        control.speed = speed;
        control.Play();
        for (int i = 0; i < 5; ++i) {
            control.Advance(0.1f);
            EXPECT_GE(control.currentFrame, 2u);
            EXPECT_LE(control.currentFrame, 4u);
            EXPECT_GE(control.nextFrame, 2u);
            EXPECT_LE(control.nextFrame, 4u);
        }
    }
}

TEST(AnimationControl, AControlOfOneFramePlaysTheKeysItsOwnerFiles)
{
    // The key-frame camera's control is made with one frame; its ranges index
    // the camera's own key lists.
    AnimationControl control(nullptr, nullptr, 1);
    ASSERT_TRUE(control.AddAnimation(0, 0, 4));
    control.SetAnimation(0);
    control.speed = 2.0f;
    control.Play();
    control.Advance(0.75f);
    ExpectOutput(control, {1, 2, 0.5f});
    control.Advance(1.0f);
    ExpectOutput(control, {3, 4, 0.5f});
    control.Advance(1.0f);
    ExpectOutput(control, {4, 0, 0.0f});
    EXPECT_EQ(control.playing, 0u);

    // Ranges over the whole frame numbering neither divide by zero nor wrap.
    const AnimationControl::Range extremes[] = {{0, 0xFFFFFFFFu}, {0xFFFFFFFFu, 0}, {0xFFFFFFF0u, 0xFFFFFFFFu}};
    for (const AnimationControl::Range& extreme : extremes) {
        AnimationControl wide(nullptr, nullptr, 1);
        wide.AddAnimation(1, extreme.first, extreme.last);
        wide.SetAnimation(1);
        wide.loop = 1;
        wide.speed = 3.0e9f;
        wide.Play();
        for (int i = 0; i < 4; ++i) {
            wide.Advance(0.7f);
            const std::uint32_t low = std::min(extreme.first, extreme.last);
            EXPECT_GE(wide.currentFrame, low);
            EXPECT_GE(wide.nextFrame, low);
        }
    }
}

TEST(AnimationControl, CopyTakesTheTableOnlyBetweenEqualFrameCounts)
{
    AnimationControl source(nullptr, nullptr, 6);
    source.AddAnimation(3, 1, 4);
    source.SetAnimation(3);
    source.speed = 7.0f;
    source.position = 1.5f;
    source.loop = 1;

    AnimationControl same(nullptr, nullptr, 6);
    same.CopyFrom(source);
    AnimationControl::Range range;
    EXPECT_TRUE(same.GetRange(3, range));
    EXPECT_EQ(same.currentId, 3u);
    EXPECT_FLOAT_EQ(same.speed, 7.0f);

    AnimationControl other(nullptr, nullptr, 9);
    other.CopyFrom(source);
    EXPECT_FALSE(other.GetRange(3, range));
    EXPECT_FLOAT_EQ(other.speed, 0.0f);

    AnimationControl state(nullptr, nullptr, 9);
    state.AssignState(source);
    EXPECT_FALSE(state.GetRange(3, range));
    EXPECT_FLOAT_EQ(state.position, 1.5f);
    EXPECT_EQ(state.loop, 1u);
}

TEST(AnimationControl, RandomizePhaseEitherDelaysOrMovesThePosition)
{
    SetRandomSeed(99);
    for (int i = 0; i < 50; ++i) {
        AnimationControl control(nullptr, nullptr, 11);
        control.delayMaximum = 2.0f;
        control.RandomizePhase();
        if (control.delayRemaining < 0.0001f) {
            EXPECT_GE(control.position, 0.0f);
            EXPECT_LT(control.position, 10.0f);
        } else {
            EXPECT_FLOAT_EQ(control.position, 0.0f);
            EXPECT_LT(control.delayRemaining, 2.0f);
        }
    }
}

} // namespace
} // namespace OrrelayEngine
