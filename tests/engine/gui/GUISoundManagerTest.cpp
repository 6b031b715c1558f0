#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetTestSupport.h"

namespace WidgetTest {
namespace {

using OrrelayEngine::GUISoundManager;

class GUISoundTest : public WidgetFixture
{
protected:
    // The clock moves on, the event plays, the frame's queued sounds run.
    void PlayAfter(double seconds, std::uint32_t eventId)
    {
        Platform::AdvanceManualClock(static_cast<std::uint64_t>(seconds * 1e6 + 0.5));
        guiSounds->Play(eventId);
        soundManager->Update(true);
    }
};

TEST_F(GUISoundTest, PlaysWithinTheGuardIntervalOfOneEventMakeOneSound)
{
    // At the clock's start: a sound never played does not count as started at 0 s.
    PlayAfter(0.0, 1);
    PlayAfter(0.009, 1);
    PlayAfter(0.0, 2);
    EXPECT_EQ(soundSystem.played, (std::vector<std::string>{"event1", "event2"}));
    PlayAfter(0.002, 1);
    PlayAfter(0.0, 12);
    EXPECT_EQ(soundSystem.played, (std::vector<std::string>{"event1", "event2", "event1"}));
}

TEST_F(GUISoundTest, TwoSoundsOfAnEventAlternate)
{
    guiSounds->AddSound(0, "second");
    EXPECT_EQ(guiSounds->GetSoundCount(0), 2u);
    for (int i = 0; i < 4; ++i) {
        PlayAfter(0.5, 0);
    }
    EXPECT_EQ(soundSystem.played, (std::vector<std::string>{"event0", "second", "event0", "second"}));
}

TEST_F(GUISoundTest, WithoutASoundManagerEverythingIsSilent)
{
    GUISoundManager silent(timers.get(), nullptr);
    silent.AddSound(0, "event0");
    silent.Play(0);
    silent.Play(7);
    EXPECT_EQ(silent.GetSoundCount(0), 0u);
    EXPECT_EQ(soundManager->GetCommandCount(), 0u);
    // An event without sounds is as quiet with a sound manager.
    PlayAfter(1.0, 40);
    EXPECT_TRUE(soundSystem.played.empty());
}

} // namespace
} // namespace WidgetTest
