#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/scene/Model.h"

namespace OrrelayEngine {
namespace {

// Sliders have their corner at (100, 100); knobs are 10 x 10.
const Vector2 kCorner(100.0f, 100.0f);
const Vector2 kKnobSize(10.0f, 10.0f);

class GUISliderTest : public WidgetTest::WidgetFixture
{
protected:
    std::unique_ptr<GUISlider> MakeSlider(std::uint32_t orientation, const Vector2& trackEnd, std::uint32_t count)
    {
        auto slider = std::make_unique<GUISlider>(
            log, shaders.get(), models.get(), nullptr, nullptr, camera, guiSounds.get(), GUIWindow::kFlagShown, kCorner,
            Vector2(200.0f, 200.0f), nullptr, nullptr, orientation, Vector2(), trackEnd, count);
        slider->CreateKnobFromModel(kKnobSize, nullptr);
        return slider;
    }

    std::unique_ptr<GUIScroll> MakeScroll(std::uint32_t count)
    {
        auto scroll =
            std::make_unique<GUIScroll>(log, shaders.get(), models.get(), nullptr, nullptr, camera, guiSounds.get(),
                                        timers.get(), GUIWindow::kFlagShown, kCorner, Vector2(200.0f, 20.0f), nullptr,
                                        nullptr, 0, Vector2(20.0f, 0.0f), Vector2(160.0f, 0.0f), count);
        scroll->CreateDecreaseButton(Vector2(0.0f, 0.0f), Vector2(20.0f, 20.0f), nullptr);
        scroll->CreateIncreaseButton(Vector2(180.0f, 0.0f), Vector2(20.0f, 20.0f), nullptr);
        return scroll;
    }
};

TEST_F(GUISliderTest, DraggingTheKnobRoundsToTheNearestPosition)
{
    struct Case
    {
        const char* name;
        std::uint32_t orientation;
        Vector2 trackEnd;
        std::uint32_t count;
        bool inverted;
        float mouse; // along the moving axis
        std::uint32_t expected;
    };
    // On a 100-long track the knob's centre runs from 105 to 205.
    const Case cases[] = {
        {"left of the middle", 0, {100.0f, 0.0f}, 2, false, 154.9f, 0},
        {"exactly the middle, v = 0.5", 0, {100.0f, 0.0f}, 2, false, 155.0f, 1},
        {"right of the middle", 0, {100.0f, 0.0f}, 2, false, 156.0f, 1},
        {"past the end", 0, {100.0f, 0.0f}, 5, false, 400.0f, 4},
        {"vertical", 1, {0.0f, 100.0f}, 5, false, 130.0f, 1},
        {"inverted at the start", 0, {100.0f, 0.0f}, 5, true, 105.0f, 4},
        {"zero-length track, before", 0, {0.0f, 0.0f}, 5, false, 104.0f, 0},
        {"zero-length track, after", 0, {0.0f, 0.0f}, 5, false, 106.0f, 4},
        // Kept as designed: a track ending before its start cannot be dragged
        // (the knob's button has no inside to press).
        {"reversed track", 0, {-50.0f, 0.0f}, 5, false, 60.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto slider = MakeSlider(c.orientation, c.trackEnd, c.count);
        slider->SetInverted(c.inverted);
        slider->SetPosition(2u);
        // Press on the knob's corner cell, then drag along the axis.
        const Vector2 press(kCorner.x + 2.0f, kCorner.y + 2.0f);
        const Vector2 drag = c.orientation == 0 ? Vector2(c.mouse, press.y) : Vector2(press.x, c.mouse);
        Frame(*slider, press, true, true);
        EXPECT_EQ(slider->IsKnobHeld(), c.trackEnd.x >= 0.0f);
        Frame(*slider, drag, true, false);
        EXPECT_EQ(slider->GetPositionIndex(), c.expected);
    }
}

TEST_F(GUISliderTest, PositionCountsBelowTwoBecomeTwo)
{
    for (std::uint32_t count : {0u, 1u, 2u}) {
        SCOPED_TRACE(count);
        auto slider = MakeSlider(0, Vector2(100.0f, 0.0f), count);
        EXPECT_EQ(slider->GetPositionCount(), 2u);
        slider->SetPosition(7u);
        EXPECT_EQ(slider->GetPositionIndex(), 1u);
        slider->SetPositionCount(5);
        slider->SetPosition(4u);
        slider->SetPositionCount(count);
        EXPECT_EQ(slider->GetPositionCount(), 2u);
        EXPECT_EQ(slider->GetPositionIndex(), 1u) << "the position is kept within the new count";
    }
}

TEST_F(GUISliderTest, TheKnobModelSitsAtItsPositionAlongTheTrack)
{
    Model* source = models->CreateBox(Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 0.0f), nullptr, nullptr, 0);
    struct Case
    {
        bool inverted;
        std::uint32_t position;
        float x;
    };
    // Track from (0, 0) to (100, 0), five positions.
    const Case cases[] = {{false, 0, 100.0f}, {true, 0, 200.0f}, {true, 1, 175.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "inverted " << c.inverted << ", position " << c.position);
        auto slider = MakeSlider(0, Vector2(100.0f, 0.0f), 5);
        slider->CreateKnobFromModel(kKnobSize, source);
        slider->SetInverted(c.inverted);
        slider->SetPosition(c.position);
        ASSERT_TRUE(slider->Render());
        const Matrix4& placed = slider->GetKnob()->GetModel()->matrix;
        EXPECT_FLOAT_EQ(placed.m[3], c.x);
        EXPECT_FLOAT_EQ(placed.m[7], kCorner.y);
        EXPECT_FLOAT_EQ(placed.m[0], kKnobSize.x);
    }
    delete source;
}

// Menus model the knob where they show it and give it no scale: the drag
// puts the knob's drawn middle under the mouse, wherever the model lies.
TEST_F(GUISliderTest, ADraggedKnobStaysUnderTheMouseWhereverItsModelLies)
{
    for (const float modelX : {0.0f, 50.0f}) {
        SCOPED_TRACE(testing::Message() << "knob model from x " << modelX);
        Model* source =
            models->CreateBox(Vector3(modelX, 0.0f, 0.0f), Vector3(modelX + 10.0f, 10.0f, 0.0f), nullptr, nullptr, 0);
        auto slider = MakeSlider(0, Vector2(100.0f, 0.0f), 101);
        slider->CreateKnobFromModel(Vector2(1.0f, 1.0f), source);
        Frame(*slider, Vector2(kCorner.x + 2.0f, kCorner.y + 0.5f), true, true);
        for (const float mouseX : {kCorner.x + modelX + 30.0f, kCorner.x + modelX + 75.0f}) {
            Frame(*slider, Vector2(mouseX, kCorner.y + 0.5f), true, false);
            ASSERT_TRUE(slider->Render());
            EXPECT_NEAR(slider->GetKnob()->GetModel()->box.centre.x, mouseX, 1.0f);
        }
        delete source;
    }
}

TEST_F(GUISliderTest, AHeldArrowStepsAtOnceThenEveryFifteenHundredthsOfASecond)
{
    auto scroll = MakeScroll(10);
    const Vector2 onIncrease(kCorner.x + 190.0f, kCorner.y + 10.0f);
    const Vector2 offArrows(kCorner.x + 100.0f, kCorner.y + 50.0f);
    const double frame = 0.05;
    std::vector<std::uint32_t> positions;
    Frame(*scroll, onIncrease, true, true, frame);
    positions.push_back(scroll->GetPositionIndex());
    for (int i = 0; i < 6; ++i) {
        Frame(*scroll, onIncrease, true, false, frame);
        positions.push_back(scroll->GetPositionIndex());
    }
    EXPECT_EQ(positions, (std::vector<std::uint32_t>{1, 1, 1, 2, 2, 2, 3}));
    EXPECT_TRUE(scroll->IsKnobHeld());

    // Off the arrow the steps pause; back on, the first step comes at once.
    Frame(*scroll, offArrows, true, false, frame);
    EXPECT_EQ(scroll->GetPositionIndex(), 3u);
    Frame(*scroll, onIncrease, true, false, frame);
    EXPECT_EQ(scroll->GetPositionIndex(), 4u);
    Frame(*scroll, onIncrease, false, false, frame);

    // The ends hold.
    scroll->SetPosition(9u);
    Frame(*scroll, onIncrease, true, true, frame);
    EXPECT_EQ(scroll->GetPositionIndex(), 9u);
    Frame(*scroll, onIncrease, false, false, frame);
    scroll->SetPosition(1u);
    const Vector2 onDecrease(kCorner.x + 10.0f, kCorner.y + 10.0f);
    for (int i = 0; i < 5; ++i) {
        Frame(*scroll, onDecrease, true, i == 0, frame);
    }
    EXPECT_EQ(scroll->GetPositionIndex(), 0u);
}

} // namespace
} // namespace OrrelayEngine
