#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/gui/GUIManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/logic/CameraControl.h"
#include "game/logic/Cell.h"
#include "game/logic/Character.h"
#include "game/logic/Tutorial.h"
#include "tests/game/PresentationHarness.h"
#include "tests/support/AllocationCounter.h"

namespace {

using Tansywell::Character;
using Tansywell::Profile;
using Tansywell::Tutorial;

class TutorialTest : public ::testing::Test
{
protected:
    TutorialTest()
        : profiles(p.h.engine, nullptr, p.h.game.tools.harness.settings.logFolder),
          profile(static_cast<Profile*>(profiles.AddProfile(L"Ann")))
    {
        profiles.SetCurrentProfile(profile, false);
    }

    // Only the given topic still to teach (all of them for kFlagCount).
    void Teach(std::uint32_t flag)
    {
        for (std::uint32_t f = Profile::kFlagTutorialSwap; f <= Profile::kFlagTutorialCamera; ++f)
            profile->SetFlag(f, flag == Profile::kFlagCount || f == flag);
    }

    void Start(std::uint32_t levelIndex)
    {
        p.h.Build();
        p.level.levelIndex = levelIndex;
        character = std::make_unique<Character>(p.h.engine, nullptr, &profiles, nullptr, &p.h.game.data, nullptr);
        character->SetState(Character::kStateLevel);
        camera = std::make_unique<Tansywell::CameraControl>(p.h.engine, &p.level, p.h.board.get());
        tutorial = std::make_unique<Tutorial>(p.h.engine, &profiles, &p.h.game.data, character.get(), camera.get(),
                                              p.h.board.get(), &p.level);
    }

    void Frame(Tansywell::Cell* hovered = nullptr)
    {
        p.h.Frame(hovered, hovered != nullptr, hovered != nullptr);
        character->Update();
        tutorial->Update();
        // The windows print the texts queued this frame.
        p.h.engine->GetGUIManager()->Render();
    }

    PresentationTests::PresentationHarness p{3, 8};
    Tansywell::ProfileManager profiles;
    Profile* profile;
    std::unique_ptr<Character> character;
    std::unique_ptr<Tansywell::CameraControl> camera;
    std::unique_ptr<Tutorial> tutorial;
};

TEST_F(TutorialTest, NewProfileLearnsToSwapAndAnEarlySwapIsPraisedAtOnce)
{
    Teach(Profile::kFlagCount);
    Start(0);
    Frame();
    EXPECT_TRUE(tutorial->IsTopicActive(Tutorial::kTopicSwap));
    EXPECT_FALSE(character->IsPraiseAllowed()) << "no praise during a lesson";

    // Column 0 holds 0 0 1 0: swapping the last two makes a group.
    p.h.PlaceFiller();
    for (const auto& place : {std::pair<std::uint32_t, std::uint32_t>{0, 0}, {2, 0}, {4, 1}, {6, 0}})
        p.h.Place(0, place.first, place.second);
    p.h.board->ListMoves();
    Frame(p.h.At(0, 6));
    Frame(p.h.At(0, 4));
    for (int i = 0; i < 20 && p.h.board->GetDestroyedCount() == 0; ++i)
        Frame();
    ASSERT_GT(p.h.board->GetDestroyedCount(), 0u);
    EXPECT_EQ("CHARACTER_TUTORIAL_MAKE_SWAP_4", character->GetTextKey());
    EXPECT_EQ(7u, tutorial->GetStep());
}

TEST_F(TutorialTest, SteadyFramesOfTheLessonCameraAndCharacterAllocateNothing)
{
    Teach(Profile::kFlagCount);
    Start(0);
    camera->StartSwingIn();
    character->Say("K", 5.0f);
    for (int i = 0; i < 3; ++i)
        Frame();
    TestSupport::ScopedAllocationCount allocations;
    for (int i = 0; i < 30; ++i) {
        p.h.game.Frame(100000);
        camera->Update();
        character->Update();
        tutorial->Update();
        p.h.engine->GetGUIManager()->Render();
    }
    EXPECT_EQ(0u, allocations.Count());
    EXPECT_TRUE(tutorial->IsTopicActive(Tutorial::kTopicSwap));
}

TEST_F(TutorialTest, CameraLessonNeverOnTheFirstLevelOfAStage)
{
    Teach(Profile::kFlagTutorialCamera);
    Start(0);
    Frame();
    EXPECT_FALSE(tutorial->IsAnyTopicActive());
    EXPECT_TRUE(character->IsPraiseAllowed());

    tutorial = std::make_unique<Tutorial>(p.h.engine, &profiles, &p.h.game.data, character.get(), camera.get(),
                                          p.h.board.get(), &p.level);
    p.level.levelIndex = 1;
    Frame();
    EXPECT_TRUE(tutorial->IsTopicActive(Tutorial::kTopicCamera));
    EXPECT_FALSE(character->IsPraiseAllowed());
}

TEST_F(TutorialTest, CellLessonIsClearedOnlyOnceSpoken)
{
    for (bool staysValid : {true, false}) {
        SCOPED_TRACE(staysValid);
        Teach(Profile::kFlagTutorialDoubleMana);
        p.h.Record(0, 0).layerCount = 2;
        Start(0);
        Frame();
        ASSERT_TRUE(tutorial->IsTopicActive(Tutorial::kTopicDoubleMana));
        if (!staysValid)
            p.h.At(0, 0)->RemoveLayer();
        for (int i = 0; i < 300 && tutorial->IsAnyTopicActive(); ++i)
            Frame();
        EXPECT_FALSE(tutorial->IsAnyTopicActive());
        EXPECT_EQ(staysValid, character->GetTextKey() == "CHARACTER_TUTORIAL_DOUBLE_MANNA_0");
        EXPECT_EQ(!staysValid, profile->GetFlag(Profile::kFlagTutorialDoubleMana));
        // A lesson whose target has gone does not start again on it.
        Frame();
        EXPECT_FALSE(tutorial->IsAnyTopicActive());
        EXPECT_TRUE(character->IsPraiseAllowed());
        tutorial.reset();
        camera.reset();
        character.reset();
    }
}

} // namespace
