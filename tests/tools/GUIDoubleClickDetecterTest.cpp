#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/core/Timer.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "tests/tools/ToolsTestEngine.h"
#include "tools/GUIDoubleClickDetecter.h"

namespace {

using GameTools::GUIDoubleClickDetecter;
using OrrelayEngine::GUIButton;

// The mouse sits over the left half of the screen.
const OrrelayEngine::Vector2 kMouse(100.0f, 100.0f);

class GUIDoubleClickDetecterTest : public ::testing::Test
{
protected:
    GUIDoubleClickDetecterTest() : detecter_(tools_.engine)
    {
        OrrelayEngine::GUIManager* gui = tools_.engine->GetGUIManager();
        for (GUIButton*& button : buttons_) {
            button = gui->CreateButton(OrrelayEngine::GUIWindow::kFlagShown, {0.0f, 0.0f}, {400.0f, 600.0f}, nullptr,
                                       nullptr);
            detecter_.AddControl(button);
        }
    }

    // Puts the mouse over one button only.
    void Hover(GUIButton* over)
    {
        for (GUIButton* button : buttons_)
            button->Update(button == over ? kMouse : OrrelayEngine::Vector2(700.0f, 100.0f), false, false);
    }

    // One frame at the given time since the test's start: the button goes
    // down (+1), up (-1) or stays (0). Answers whether a double click ended.
    bool FrameAt(double seconds, int button)
    {
        const auto target = static_cast<std::uint64_t>(seconds * 1e6 + 0.5) + start_;
        tools_.Frame(target - now_);
        now_ = target;
        if (button != 0)
            ToolsTests::ToolsTestEngine::MouseButton(button > 0);
        tools_.ReadInput();
        detecter_.Update();
        tools_.EndFrame();
        return detecter_.IsDoubleClick();
    }

    ToolsTests::ToolsTestEngine tools_;
    GUIDoubleClickDetecter detecter_;
    GUIButton* buttons_[2] = {nullptr, nullptr};
    std::uint64_t start_ = 0;
    std::uint64_t now_ = 0;
};

TEST_F(GUIDoubleClickDetecterTest, TheSecondReleaseCountsWithinSixTenthsOfTheFirstPress)
{
    // After weeks of running, a float keeps the time in quarter seconds and
    // 0.61 s after the first press would read as 0.5 s.
    const struct
    {
        double clockStart;
        double secondRelease;
        bool doubleClick;
    } cases[] = {
        {0.0, 0.4, true},
        {0.0, 0.61, false},
        {4000000.0, 0.4, true},
        {4000000.0, 0.61, false},
    };
    Hover(buttons_[0]);
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << "clock " << entry.clockStart << ", release " << entry.secondRelease);
        // The first press on a whole second of the frame timer, where a float
        // press time would be exact and the later times rounded.
        const double timerNow = tools_.engine->GetTimerManager()->GetFrameTimer()->GetTimePrecise();
        const double wait = std::floor(timerNow) + entry.clockStart + 10.0 - timerNow;
        start_ = now_ + static_cast<std::uint64_t>(wait * 1e6 + 0.5);
        EXPECT_FALSE(FrameAt(0.0, +1));
        EXPECT_FALSE(FrameAt(0.1, -1));
        EXPECT_FALSE(FrameAt(0.3, +1));
        EXPECT_EQ(entry.doubleClick, FrameAt(entry.secondRelease, -1));
        EXPECT_EQ(buttons_[0], detecter_.GetClickedControl());
        EXPECT_FALSE(FrameAt(entry.secondRelease + 0.05, 0)) << "the flag lasts one frame";
    }
}

TEST_F(GUIDoubleClickDetecterTest, APressOnASecondControlStartsTheCountAgain)
{
    Hover(buttons_[0]);
    FrameAt(0.0, +1);
    FrameAt(0.1, -1);
    Hover(buttons_[1]);
    EXPECT_FALSE(FrameAt(0.2, +1));
    EXPECT_EQ(buttons_[1], detecter_.GetClickedControl());
    EXPECT_EQ(1u, detecter_.GetClickCount());
    EXPECT_FALSE(FrameAt(0.3, -1)) << "one click on the second control so far";
    FrameAt(0.4, +1);
    EXPECT_TRUE(FrameAt(0.5, -1));
    EXPECT_EQ(buttons_[1], detecter_.GetClickedControl());
}

} // namespace
