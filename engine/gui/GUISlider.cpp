#include "engine/gui/GUISlider.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/core/Matrix4.h"
#include "engine/scene/Model.h"

namespace OrrelayEngine {

namespace {

// The shortest track the drag divides by, so that a track of zero length (or
// one ending before its start) still yields the first or the last position.
constexpr float kMinTrackRange = 1.0f;

float AlongAxis(const Vector2& vector, bool horizontal)
{
    return horizontal ? vector.x : vector.y;
}

} // namespace

GUISlider::GUISlider(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                     GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Model* source, std::uint32_t orientation, const Vector2& trackStart,
                     const Vector2& trackEnd, std::uint32_t positionCount)
    : GUIWindow(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, flags, position, size,
                parent, source),
      soundManager(soundManager), orientation(orientation), trackStart(trackStart), trackEnd(trackEnd),
      positionCount(std::max(positionCount, kMinPositionCount))
{
    GUISlider::CreateKnobFromModel(Vector2(), nullptr);
    SetPosition(0u);
}

GUISlider::~GUISlider() = default;

bool GUISlider::Update(const Vector2& mouse, bool held, bool pressed)
{
    if (!GUIWindow::Update(mouse, held, pressed) || !knob->Update(mouse, held, pressed) || state == kStateDisabled) {
        return false;
    }
    state = mouseOver != 0 ? kStateMouseOver : kStateNormal;
    if (knob->IsPressLatched()) {
        DragKnob(mouse);
    }
    return true;
}

bool GUISlider::Render()
{
    if (!GUIWindow::Render()) {
        return false;
    }
    PlaceKnobModel();
    knob->Render();
    GUIButton::ShowTextureFrame(GetShaderUser(), state);
    return true;
}

void GUISlider::SetColor(const Color& colour)
{
    GUIWindow::SetColor(colour);
    knob->SetColor(colour);
}

void GUISlider::UpdateVisibility()
{
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (!wasVisible && IsVisible() && state != kStateDisabled) {
        state = kStateNormal;
    }
}

void GUISlider::CreateKnobFromFile(const Vector2& newKnobSize, const std::string& modelFileName)
{
    AdoptKnob(newKnobSize, std::make_unique<GUIButton>(messageManager, shaderManager, modelManager, fontManager,
                                                       textManager, ChildCamera(), soundManager, ChildFlags(),
                                                       trackStart, KnobButtonSize(newKnobSize), this, modelFileName));
}

void GUISlider::CreateKnobFromModel(const Vector2& newKnobSize, const Model* source)
{
    AdoptKnob(newKnobSize, std::make_unique<GUIButton>(messageManager, shaderManager, modelManager, fontManager,
                                                       textManager, ChildCamera(), soundManager, ChildFlags(),
                                                       trackStart, KnobButtonSize(newKnobSize), this, source));
}

void GUISlider::CreateKnob(const Vector2& newKnobSize, const ShaderDescriptor& textureDescriptor,
                           const Vector2& textureExtent)
{
    AdoptKnob(newKnobSize,
              std::make_unique<GUIButton>(messageManager, shaderManager, modelManager, fontManager, textManager,
                                          ChildCamera(), soundManager, ChildFlags(), trackStart,
                                          KnobButtonSize(newKnobSize), this, textureDescriptor, textureExtent));
}

void GUISlider::SetEnabled(bool enabled)
{
    if (IsEnabled() == enabled) {
        return;
    }
    state = enabled ? kStateNormal : kStateDisabled;
    knob->SetEnabled(enabled);
}

bool GUISlider::IsKnobHeld() const
{
    return knob->IsPressLatched();
}

void GUISlider::SetPosition(std::uint32_t index)
{
    positionIndex = std::min(index, positionCount - 1);
}

void GUISlider::SetPositionCount(std::uint32_t count)
{
    if (count == positionCount) {
        return;
    }
    positionCount = std::max(count, kMinPositionCount);
    SetPosition(positionIndex);
}

std::uint32_t GUISlider::ChildFlags() const
{
    return kFlagShown | (GetFlags() & kFlagColoredVertices);
}

Camera* GUISlider::ChildCamera() const
{
    return model != nullptr ? model->GetCamera() : camera;
}

void GUISlider::AdoptKnob(const Vector2& newKnobSize, std::unique_ptr<GUIButton> newKnob)
{
    knob = std::move(newKnob);
    knobSize = newKnobSize;
    // The slider places the knob's model where the position puts it.
    knob->SetPlacesModel(false);
    knob->SetSoundEvents(kKnobHoverSoundEvent, kKnobPressSoundEvent);
}

Vector2 GUISlider::KnobButtonSize(const Vector2& newKnobSize) const
{
    return Vector2(newKnobSize.x + trackEnd.x - trackStart.x, newKnobSize.y + trackEnd.y - trackStart.y);
}

void GUISlider::DragKnob(const Vector2& mouse)
{
    const bool horizontal = orientation == kOrientationHorizontal;
    const float range = std::max(AlongAxis(trackEnd, horizontal) - AlongAxis(trackStart, horizontal), kMinTrackRange);
    const float knobCentre = AlongAxis(GetAbsolutePosition(), horizontal) + AlongAxis(trackStart, horizontal) +
                             AlongAxis(KnobCentreOffset(), horizontal);
    float t = std::clamp((AlongAxis(mouse, horizontal) - knobCentre) / range, 0.0f, 1.0f);
    if (inverted != 0) {
        t = 1.0f - t;
    }
    const float v = static_cast<float>(positionCount - 1) * t;
    const float whole = std::floor(v);
    // Half-way rounds up: with two positions the track's middle already gives 1.
    const std::uint32_t index = static_cast<std::uint32_t>(whole) + (v - whole >= 0.5f ? 1u : 0u);
    SetPosition(index);
}

Vector2 GUISlider::KnobCentreOffset() const
{
    const Model* knobModel = knob->GetModel();
    if (knobModel == nullptr) {
        return Vector2(knobSize.x * 0.5f, knobSize.y * 0.5f);
    }
    const Vector3 middle = (knobModel->box.localMin + knobModel->box.localMax) * 0.5f;
    const Matrix4 scale(knobSize.x, 0.0f, 0.0f, 0.0f, 0.0f, knobSize.y, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f,
                        0.0f, 1.0f);
    const Vector3 drawn = (scale * knobModel->baseMatrix).TransformPoint(middle);
    return Vector2(drawn.x, drawn.y);
}

void GUISlider::PlaceKnobModel()
{
    Model* knobModel = knob->GetModel();
    if (knobModel == nullptr) {
        return;
    }
    float t = static_cast<float>(positionIndex) / static_cast<float>(positionCount - 1);
    if (inverted != 0) {
        t = 1.0f - t;
    }
    const Vector2 origin = GetAbsolutePosition();
    const float x = origin.x + trackStart.x + t * (trackEnd.x - trackStart.x);
    const float y = origin.y + trackStart.y + t * (trackEnd.y - trackStart.y);
    const Matrix4 placement(knobSize.x, 0.0f, 0.0f, x, 0.0f, knobSize.y, 0.0f, y, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f,
                            0.0f, 1.0f);
    knobModel->matrix = placement * knobModel->baseMatrix;
    knobModel->box.SetTransform(knobModel->matrix);
}

} // namespace OrrelayEngine
