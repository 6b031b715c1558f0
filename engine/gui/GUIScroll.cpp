#include "engine/gui/GUIScroll.h"

#include <algorithm>

#include "engine/core/TimerManager.h"

namespace OrrelayEngine {

namespace {

// A hold time above this is due a step; below it the remainder of the last
// interval is still running.
constexpr float kHoldTimeEpsilon = 0.0001f;

} // namespace

GUIScroll::GUIScroll(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                     GUISoundManager* soundManager, TimerManager* timerManager, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, GUIWindow* parent, const Model* source,
                     std::uint32_t orientation, const Vector2& trackStart, const Vector2& trackEnd,
                     std::uint32_t positionCount)
    : GUISlider(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, source, orientation, trackStart, trackEnd, positionCount),
      timerManager(timerManager)
{
    GUIScroll::CreateKnobFromModel(Vector2(), nullptr);
    increaseButton = CreateArrow(Vector2(), Vector2(), nullptr);
    decreaseButton = CreateArrow(Vector2(), Vector2(), nullptr);
}

GUIScroll::~GUIScroll() = default;

bool GUIScroll::Update(const Vector2& mouse, bool held, bool pressed)
{
    if (!GUISlider::Update(mouse, held, pressed)) {
        holdTime = 0.0f;
        return false;
    }
    increaseButton->Update(mouse, held, pressed);
    decreaseButton->Update(mouse, held, pressed);
    StepArrows(increaseButton->IsPressLatched() && increaseButton->IsMouseOver(),
               decreaseButton->IsPressLatched() && decreaseButton->IsMouseOver());
    return true;
}

bool GUIScroll::Render()
{
    if (!GUISlider::Render()) {
        return false;
    }
    increaseButton->Render();
    decreaseButton->Render();
    return true;
}

void GUIScroll::SetColor(const Color& colour)
{
    GUISlider::SetColor(colour);
    increaseButton->SetColor(colour);
    decreaseButton->SetColor(colour);
}

void GUIScroll::CreateKnobFromFile(const Vector2& newKnobSize, const std::string& modelFileName)
{
    GUISlider::CreateKnobFromFile(newKnobSize, modelFileName);
    ConfigureKnob();
}

void GUIScroll::CreateKnobFromModel(const Vector2& newKnobSize, const Model* source)
{
    GUISlider::CreateKnobFromModel(newKnobSize, source);
    ConfigureKnob();
}

void GUIScroll::CreateKnob(const Vector2& newKnobSize, const ShaderDescriptor& textureDescriptor,
                           const Vector2& textureExtent)
{
    GUISlider::CreateKnob(newKnobSize, textureDescriptor, textureExtent);
    ConfigureKnob();
}

void GUIScroll::SetEnabled(bool enabled)
{
    GUISlider::SetEnabled(enabled);
    increaseButton->SetEnabled(enabled);
    decreaseButton->SetEnabled(enabled);
}

bool GUIScroll::IsKnobHeld() const
{
    return GUISlider::IsKnobHeld() || increaseButton->IsPressLatched() || decreaseButton->IsPressLatched();
}

void GUIScroll::CreateIncreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize, const Model* source)
{
    increaseButton = CreateArrow(buttonPosition, buttonSize, source);
}

void GUIScroll::CreateDecreaseButton(const Vector2& buttonPosition, const Vector2& buttonSize, const Model* source)
{
    decreaseButton = CreateArrow(buttonPosition, buttonSize, source);
}

void GUIScroll::ConfigureKnob()
{
    knob->SetDepthOrder(kKnobDepthOrder);
    knob->SetSoundEvents(kKnobHoverSoundEvent, kKnobPressSoundEvent);
}

std::unique_ptr<GUIButton> GUIScroll::CreateArrow(const Vector2& buttonPosition, const Vector2& buttonSize,
                                                  const Model* source)
{
    auto arrow = std::make_unique<GUIButton>(messageManager, shaderManager, modelManager, fontManager, textManager,
                                             ChildCamera(), soundManager, ChildFlags(), buttonPosition, buttonSize,
                                             this, source);
    arrow->SetSoundEvents(kArrowHoverSoundEvent, kArrowPressSoundEvent);
    return arrow;
}

void GUIScroll::StepArrows(bool up, bool down)
{
    if (!up && !down) {
        holdTime = 0.0f;
        return;
    }
    holdTime += timerManager->GetFrameTime();
    while (holdTime > kHoldTimeEpsilon) {
        holdTime -= kStepIntervalSeconds;
        if (up) {
            SetPosition(std::min(positionIndex + step, positionCount - 1));
        }
        if (down) {
            const std::int64_t lowered = static_cast<std::int64_t>(positionIndex) - static_cast<std::int64_t>(step);
            SetPosition(lowered < 1 ? 0u : static_cast<std::uint32_t>(lowered));
        }
    }
}

} // namespace OrrelayEngine
