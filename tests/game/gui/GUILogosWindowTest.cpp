#include "game/gui/GUILogosWindow.h"

#include <gtest/gtest.h>

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLoadingWindow.h"
#include "tests/game/gui/MenuHarness.h"

namespace {

using Tansywell::GUILogosWindow;

// Frames until the screen answers 1, at 60 frames a second.
int FramesToFinish(MenuTests::MenuHarness& h, GUILogosWindow& logos)
{
    for (int frame = 0; frame < 1000; ++frame) {
        logos.Update();
        if (logos.GetResult() == 1) {
            return frame;
        }
        h.Step();
    }
    return -1;
}

TEST(GUILogosWindowTest, EachPictureHoldsThenFadesAndNoPictureEndsAtOnce)
{
    const struct
    {
        bool pictures[2];
        int frames;
    } cases[] = {{{false, false}, 0}, {{false, true}, 150}, {{true, true}, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        MenuTests::MenuHarness h;
        for (int i = 0; i < 2; ++i) {
            if (c.pictures[i]) {
                h.WriteText("data/ui/menus/textures/publisher_" + std::to_string(i) + "_logo_big.jpg", "x");
            }
        }
        GUILogosWindow logos(h.t.engine);
        EXPECT_EQ(logos.GetFirstWindow() != nullptr, c.pictures[0] || c.pictures[1]);
        EXPECT_EQ(logos.GetSecondWindow() != nullptr, c.pictures[0] && c.pictures[1]);
        logos.Show();
        // 1.5 s held and 1.0 s of fade per picture.
        EXPECT_NEAR(FramesToFinish(h, logos), c.frames, 2);
    }
}

TEST(GUIGameLoadingWindowTest, LoadsWhenTheBackgroundWaitsAndHandsTheSetOver)
{
    MenuTests::MenuHarness h;
    h.StartBackground();
    h.background->started = true;
    Tansywell::GameData fresh(h.t.engine, GameTests::GameDataTestEngine::MakeLanguage());
    Tansywell::GUIGameLoadingWindow loading(h.t.engine, nullptr, h.background.get());
    loading.Show(&fresh);
    loading.Update();
    EXPECT_EQ(loading.GetResult(), 0u) << "the background is still in its introduction";
    ASSERT_TRUE(h.StepUntil([&] { return h.background->IsWaitingForLoad(); }));
    loading.Update();
    EXPECT_EQ(loading.GetResult(), 1u);
    EXPECT_TRUE(loading.IsDone());
    EXPECT_FALSE(h.background->IsWaitingForLoad());
    h.Step();
    EXPECT_EQ(h.background->GetState(), Tansywell::GUIBackgroundWindow::kStateReady);
}

} // namespace
