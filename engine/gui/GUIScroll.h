// A slider with two arrow buttons that step the position while they are
// held: one step in the first frame of the hold, then one every 0.15 s while
// the mouse stays on the held arrow. Moving off the arrow pauses the steps
// and starts the timing afresh.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GUISlider.h"

namespace OrrelayEngine {

class TimerManager;

class GUIScroll : public GUISlider
{
public:
    static constexpr float kStepIntervalSeconds = 0.15f;
    static constexpr std::uint32_t kKnobHoverSoundEvent = GUISoundManager::kScrollKnobEnter;
    static constexpr std::uint32_t kKnobPressSoundEvent = GUISoundManager::kScrollKnobPress;
    static constexpr std::uint32_t kArrowHoverSoundEvent = GUISoundManager::kScrollArrowEnter;
    static constexpr std::uint32_t kArrowPressSoundEvent = GUISoundManager::kScrollArrowPress;
    static constexpr std::int32_t kKnobDepthOrder = 2;

    // The knob and both arrows start as model-less buttons of zero size; the
    // screens build the real ones with the creators below.
    GUIScroll(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
              GUISoundManager* soundManager, TimerManager* timerManager, std::uint32_t flags, const Vector2& position,
              const Vector2& size, GUIWindow* parent, const Model* source, std::uint32_t orientation,
              const Vector2& trackStart, const Vector2& trackEnd, std::uint32_t positionCount);
    ~GUIScroll() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& colour) override;

    void CreateKnobFromFile(const Vector2& knobSize, const std::string& modelFileName) override;
    void CreateKnobFromModel(const Vector2& knobSize, const Model* source) override;
    void CreateKnob(const Vector2& knobSize, const ShaderDescriptor& textureDescriptor,
                    const Vector2& textureExtent) override;
    void SetEnabled(bool enabled) override;
    bool IsKnobHeld() const override;

    // Each replaces its arrow with a button over a copy of the model (null:
    // no model), placed relative to the scroll's corner.
    void CreateIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize, const Model* source);
    void CreateDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize, const Model* source);
    GUIButton* GetIncreaseButton() const { return increaseButton.get(); }
    GUIButton* GetDecreaseButton() const { return decreaseButton.get(); }
    // Positions per arrow step.
    void SetStep(std::uint32_t positions) { step = positions; }
    std::uint32_t GetStep() const { return step; }

private:
    void ConfigureKnob();
    std::unique_ptr<GUIButton> CreateArrow(const Vector2& buttonPosition, const Vector2& buttonSize,
                                           const Model* source);
    void StepArrows(bool up, bool down);

    TimerManager* timerManager;
    std::unique_ptr<GUIButton> increaseButton;
    std::unique_ptr<GUIButton> decreaseButton;
    std::uint32_t step = 1;
    float holdTime = 0.0f;
};

} // namespace OrrelayEngine
