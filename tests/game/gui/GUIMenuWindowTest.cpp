#include "game/gui/GUIMenuWindow.h"

#include <gtest/gtest.h>

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIControl.h"
#include "support/AllocationCounter.h"
#include "tests/game/gui/MenuHarness.h"

namespace {

using MenuTests::MakeQuad;
using Tansywell::GUIBackgroundWindow;
using Tansywell::GUIControl;
using Tansywell::GUIMenuWindow;

class TestScreen : public GUIMenuWindow
{
public:
    TestScreen(MenuTests::MenuHarness& h, std::uint32_t frameKind)
        : GUIMenuWindow(h.t.engine, &h.mixer, &h.t.data, h.manager.get(), frameKind, h.background->GetMenuParent())
    {}
    float Fade() const { return color_.a; }
    bool FrameShown() const { return frame_->IsShown(); }
    bool TitleAreaWanted() const { return titleAreaWanted_; }
    bool TitleAreaHeld() const { return titleAreaHeld_; }
};

class GUIMenuWindowTest : public testing::Test
{
protected:
    GUIMenuWindowTest()
    {
        Tansywell::GameData& data = h.t.data;
        const OrrelayEngine::ModelFile frame = MakeQuad(200, 150, 600, 450, 16);
        const OrrelayEngine::ModelFile area = MakeQuad(250, 200, 550, 400);
        data.mainMenu.window = h.Template("main", frame);
        data.bigWindow.window = h.Template("big", frame);
        data.smallWindow.window = h.Template("small", frame);
        data.startGame.window = h.Template("start", frame);
        data.mainMenu.windowArea = data.bigWindow.windowArea = data.smallWindow.windowArea = data.startGame.windowArea =
            h.Template("area", area);
        h.StartBackground();
    }

    // Screens update in the order given, each frame.
    void Drive(std::vector<TestScreen*> screens)
    {
        h.screens = [screens] {
            for (TestScreen* screen : screens) {
                screen->Update();
            }
        };
    }
    bool OpenFully(TestScreen& screen)
    {
        return h.StepUntil([&] { return screen.IsActive() && screen.Fade() >= 1.0f; });
    }

    MenuTests::MenuHarness h;
};

TEST_F(GUIMenuWindowTest, TwoScreensRequestedInOneFrameOpenOneAfterTheOther)
{
    h.manager->free = true;
    TestScreen first(h, GUIMenuWindow::kFrameSmall);
    TestScreen second(h, GUIMenuWindow::kFrameBig);
    Drive({&first, &second});
    first.SetShown(true);
    second.SetShown(true);
    ASSERT_TRUE(OpenFully(first));
    EXPECT_FALSE(second.IsActive());

    first.SetShown(false);
    ASSERT_TRUE(h.StepUntil([&] { return second.IsActive(); }));
    // Only once the first screen's frame has closed.
    EXPECT_FALSE(first.FrameShown());
    EXPECT_TRUE(OpenFully(second));
}

TEST_F(GUIMenuWindowTest, AScreenHiddenInTheFrameItFinishedOpeningStillFreesTheManager)
{
    h.manager->free = true;
    TestScreen screen(h, GUIMenuWindow::kFrameMainMenu);
    Drive({&screen});
    screen.SetShown(true);
    ASSERT_TRUE(h.StepUntil([&] { return screen.IsActive() && !screen.AnyControlAnimating(); }));
    screen.SetShown(false);
    EXPECT_TRUE(h.StepUntil([&] { return h.manager->free; }));
    EXPECT_FALSE(screen.FrameShown());
}

TEST_F(GUIMenuWindowTest, OpeningAndClosingSoundsPlayOnceExceptForTheMainMenu)
{
    h.manager->free = true;
    for (std::uint32_t kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        const int opens = h.Plays(GUIMenuWindow::kOpenSoundId);
        const int closes = h.Plays(GUIMenuWindow::kCloseSoundId);
        TestScreen screen(h, kind);
        Drive({&screen});
        screen.SetShown(true);
        ASSERT_TRUE(OpenFully(screen));
        screen.SetShown(false);
        ASSERT_TRUE(h.StepUntil([&] { return h.manager->free; }));
        h.Steps(3);
        const int expected = kind == GUIMenuWindow::kFrameMainMenu ? 0 : 1;
        EXPECT_EQ(h.Plays(GUIMenuWindow::kOpenSoundId) - opens, expected);
        EXPECT_EQ(h.Plays(GUIMenuWindow::kCloseSoundId) - closes, expected);
        h.screens = nullptr;
    }
}

TEST_F(GUIMenuWindowTest, AFadeOfExactlyTheThresholdHidesAStillControl)
{
    OrrelayEngine::Model* still = h.Template("still", MakeQuad(10, 10, 50, 30));
    GUIControl control(h.t.engine, &h.t.data, GUIControl::kButton, still, still, nullptr, nullptr, nullptr);
    ASSERT_EQ(control.animationWindow, nullptr);
    const struct
    {
        float alpha;
        bool shown;
    } cases[] = {{0.0001f, false}, {0.00011f, true}, {0.0f, false}, {1.0f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alpha);
        control.color.a = c.alpha;
        control.Update();
        EXPECT_EQ(control.IsShown(), c.shown);
    }
}

TEST_F(GUIMenuWindowTest, HidingARequestedScreenWithdrawsTheRequestSilently)
{
    TestScreen withdrawn(h, GUIMenuWindow::kFrameSmall);
    TestScreen later(h, GUIMenuWindow::kFrameBig);
    Drive({&withdrawn, &later});
    withdrawn.RequestTitleArea();
    withdrawn.SetShown(true);
    h.Step();
    withdrawn.SetShown(false);
    EXPECT_FALSE(withdrawn.TitleAreaWanted());

    h.manager->free = true;
    later.SetShown(true);
    EXPECT_TRUE(OpenFully(later));
    EXPECT_FALSE(withdrawn.IsActive());
    EXPECT_EQ(h.Plays(GUIMenuWindow::kCloseSoundId), 0);
}

TEST_F(GUIMenuWindowTest, TitleAreaMendsLeaveLaterScreensFreeToOpen)
{
    h.RunIntroduction();
    // A level has started: the background has faded out, the title area with it.
    h.background->Suspend();
    ASSERT_TRUE(h.StepUntil([&] { return h.manager->IsTitleAreaClosed(); }));
    TestScreen over(h, GUIMenuWindow::kFrameSmall);
    TestScreen later(h, GUIMenuWindow::kFrameBig);
    Drive({&over, &later});

    // A release asked before the area was ever held does not block the screen.
    over.ReleaseTitleArea();
    over.RequestTitleArea();
    over.SetShown(true);
    ASSERT_TRUE(OpenFully(over));
    EXPECT_TRUE(h.manager->IsTitleAreaOpen());
    over.ReleaseTitleArea();
    over.SetShown(false);
    ASSERT_TRUE(h.StepUntil([&] { return h.manager->free && h.manager->IsTitleAreaClosed(); }));

    // Hidden while its title area opens: the area is closed again and the
    // manager freed.
    over.RequestTitleArea();
    over.SetShown(true);
    ASSERT_TRUE(h.StepUntil([&] { return h.background->GetState() == GUIBackgroundWindow::kStateTitleOpening; }));
    over.SetShown(false);
    ASSERT_TRUE(h.StepUntil([&] { return h.manager->free && h.manager->IsTitleAreaClosed(); }));
    EXPECT_FALSE(over.TitleAreaHeld());

    later.SetShown(true);
    EXPECT_TRUE(OpenFully(later));
}

TEST_F(GUIMenuWindowTest, AnOpenScreenOverTheBackgroundAllocatesNothingPerFrame)
{
    h.RunIntroduction();
    TestScreen screen(h, GUIMenuWindow::kFrameSmall);
    Drive({&screen});
    screen.SetTitle(L"A title long enough to live outside any small-string buffer");
    screen.SetShown(true);
    ASSERT_TRUE(OpenFully(screen));
    h.Steps(120);
    h.screens = nullptr;
    std::size_t allocations = 0;
    for (int i = 0; i < 60; ++i) {
        h.t.Frame();
        const TestSupport::ScopedAllocationCount count;
        h.background->Update();
        h.manager->Update();
        screen.Update();
        allocations += count.Count();
        // Outside the count: the engine's own frame, which renders what was queued.
        h.t.engine->Frame(0);
    }
    EXPECT_EQ(allocations, 0u);
}

} // namespace
