#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIRadioButton.h"
#include "engine/gui/GUIRadioGroupManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"

namespace OrrelayEngine {
namespace {

// Every widget here is a 100 x 40 rectangle with its corner at (100, 100).
const Vector2 kInside(150.0f, 120.0f);
const Vector2 kOutside(50.0f, 50.0f);

class GUIButtonTest : public WidgetTest::WidgetFixture
{
protected:
    // Over a texture when one is given, else without a model.
    template <typename Widget>
    std::unique_ptr<Widget> Make(const ShaderDescriptor* texture = nullptr)
    {
        const Vector2 corner(100.0f, 100.0f), size(100.0f, 40.0f);
        if (texture != nullptr) {
            return std::make_unique<Widget>(log, shaders.get(), models.get(), nullptr, nullptr, camera, guiSounds.get(),
                                            GUIWindow::kFlagShown, corner, size, nullptr, *texture,
                                            Vector2(1.0f, 1.0f));
        }
        return std::make_unique<Widget>(log, shaders.get(), models.get(), nullptr, nullptr, camera, guiSounds.get(),
                                        GUIWindow::kFlagShown, corner, size, nullptr, nullptr);
    }

    std::unique_ptr<GUIRadioButton> MakeRadio(GUIRadioGroupManager& groups, const std::string& group)
    {
        return std::make_unique<GUIRadioButton>(log, shaders.get(), models.get(), nullptr, nullptr, camera,
                                                guiSounds.get(), &groups, group, GUIWindow::kFlagShown,
                                                Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f), nullptr, nullptr);
    }

    // Press and release over the widget.
    void Click(GUIWindow& widget)
    {
        Frame(widget, kInside, true, true);
        Frame(widget, kInside, false, false);
    }
};

TEST_F(GUIButtonTest, AClickNeedsThePressAndTheReleaseOverTheButton)
{
    struct Step
    {
        bool over;
        bool held;
        bool pressed;
        std::uint32_t state;
        bool clicked;
    };
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        std::size_t pressSounds;
    };
    const Case cases[] = {
        {"press and release over", {{true, true, true, 2, false}, {true, false, false, 1, true}}, 1},
        {"press, move out, release",
         {{true, true, true, 2, false}, {false, true, false, 0, false}, {false, false, false, 0, false}},
         1},
        {"out and back in while held",
         {{true, true, true, 2, false},
          {false, true, false, 0, false},
          {true, true, false, 2, false},
          {true, false, false, 1, true}},
         1},
        {"press outside, move over, release",
         {{false, true, true, 0, false}, {true, true, false, 1, false}, {true, false, false, 1, false}},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        soundSystem.played.clear();
        auto button = Make<GUIButton>();
        Frame(*button, kOutside, false, false);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i));
            const Step& step = c.steps[i];
            Frame(*button, step.over ? kInside : kOutside, step.held, step.pressed);
            EXPECT_EQ(button->GetState(), step.state);
            EXPECT_EQ(button->IsClicked(), step.clicked);
        }
        EXPECT_EQ(CountPlayed(GUISoundManager::kButtonPress), c.pressSounds);
    }
}

TEST_F(GUIButtonTest, HoverSoundPlaysOnEnteringButNotOnTheFirstUpdate)
{
    auto button = Make<GUIButton>();
    Frame(*button, kInside, false, false);
    EXPECT_EQ(CountPlayed(GUISoundManager::kButtonEnter), 0u) << "made under the mouse";
    for (const Vector2& mouse : {kOutside, kInside, kInside, kInside}) {
        Frame(*button, mouse, false, false);
    }
    EXPECT_EQ(CountPlayed(GUISoundManager::kButtonEnter), 1u);
}

TEST_F(GUIButtonTest, DisabledWidgetsIgnoreTheMouseAndShowTheirDisabledFrame)
{
    // A texture of 8 frames, so that rendering shows the frame index.
    const ShaderDescriptor eightFrames = MakeTextureShaderDescriptor(4, 2, "button.tga", "", true);
    const std::pair<bool, std::uint32_t> checkBoxCases[] = {{false, 6}, {true, 7}};
    std::vector<std::pair<std::unique_ptr<GUIButton>, std::uint32_t>> cases;
    cases.emplace_back(Make<GUIButton>(&eightFrames), 3);
    for (const auto& [checked, frame] : checkBoxCases) {
        auto box = Make<GUICheckBox>(&eightFrames);
        box->SetChecked(checked);
        cases.emplace_back(std::move(box), frame);
    }
    for (auto& [widget, frame] : cases) {
        SCOPED_TRACE(frame);
        soundSystem.played.clear();
        widget->SetEnabled(false);
        Frame(*widget, kOutside, false, false);
        Click(*widget);
        EXPECT_FALSE(widget->IsClicked());
        EXPECT_EQ(widget->GetState(), GUIButton::kStateDisabled);
        EXPECT_TRUE(soundSystem.played.empty());
        ASSERT_TRUE(widget->Render());
        EXPECT_EQ(widget->GetShaderUser()->GetFramePosition(0), static_cast<float>(frame));
    }
}

TEST_F(GUIButtonTest, ACheckBoxTogglesOncePerCompletedClick)
{
    auto box = Make<GUICheckBox>();
    Frame(*box, kInside, true, true);
    Frame(*box, kInside, true, false);
    EXPECT_FALSE(box->IsChecked()) << "pressing alone does not toggle";
    Frame(*box, kInside, false, false);
    Frame(*box, kInside, false, false);
    EXPECT_TRUE(box->IsChecked());
    Click(*box);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(CountPlayed(GUISoundManager::kCheckBoxPress), 2u);
}

TEST_F(GUIButtonTest, ARadioButtonClickSelectsItAloneInItsGroup)
{
    GUIRadioGroupManager groups(log);
    auto first = MakeRadio(groups, "difficulty");
    auto second = MakeRadio(groups, "difficulty");
    auto other = MakeRadio(groups, "sound");
    other->SetSelected(true);
    first->SetSelected(true);
    Click(*second);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    EXPECT_TRUE(other->IsSelected()) << "another group is untouched";
    Click(*second);
    EXPECT_TRUE(second->IsSelected()) << "clicking a selected button changes nothing";

    std::vector<GUIRadioButton*> members;
    first.reset();
    groups.GetGroup("difficulty", members);
    EXPECT_EQ(members, std::vector<GUIRadioButton*>{second.get()});
}

TEST_F(GUIButtonTest, ARadioButtonOutlivingItsGroupManagerIsDeletedSafely)
{
    auto groups = std::make_unique<GUIRadioGroupManager>(log);
    auto radio = MakeRadio(*groups, "difficulty");
    groups.reset();
    radio.reset(); // the sanitizer catches a use after free here
}

TEST_F(GUIButtonTest, APressCutShortByHidingOrDisablingNeverBecomesAClick)
{
    const char* const cases[] = {"hidden", "disabled"};
    for (const char* how : cases) {
        SCOPED_TRACE(how);
        const bool hide = std::string(how) == "hidden";
        auto button = Make<GUIButton>();
        Frame(*button, kInside, true, true);
        ASSERT_TRUE(button->IsPressLatched());
        hide ? button->ClearFlags(GUIWindow::kFlagShown) : button->SetEnabled(false);
        // The mouse is released while the button cannot see it.
        Frame(*button, kInside, false, false);
        hide ? button->SetFlags(GUIWindow::kFlagShown) : button->SetEnabled(true);
        Frame(*button, kInside, false, false);
        EXPECT_FALSE(button->IsClicked());
        EXPECT_EQ(button->GetState(), GUIButton::kStateMouseOver);
    }
}

} // namespace
} // namespace OrrelayEngine
