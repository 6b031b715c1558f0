#include "engine/gui/GUIButton.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderUser.h"

namespace OrrelayEngine {

GUIButton::GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                     GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent)
    : GUIWindow(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, flags, position, size,
                parent, textureDescriptor, textureExtent),
      soundManager(soundManager)
{}

GUIButton::GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                     GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const std::string& modelFileName)
    : GUIWindow(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, flags, position, size,
                parent, modelFileName),
      soundManager(soundManager)
{}

GUIButton::GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                     GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                     GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const Model* source)
    : GUIWindow(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, flags, position, size,
                parent, source),
      soundManager(soundManager)
{}

GUIButton::~GUIButton() = default;

bool GUIButton::Update(const Vector2& mouse, bool held, bool pressed)
{
    clicked = 0;
    if (!GUIWindow::Update(mouse, held, pressed) || state == kStateDisabled) {
        return false;
    }
    if (mouseOver != 0 && pressed && pressLatched == 0) {
        pressLatched = 1;
        PlaySound(pressSound);
    }
    if (pressLatched != 0) {
        if (!held) {
            clicked = mouseOver;
            pressLatched = 0;
        } else {
            state = mouseOver != 0 ? kStatePressed : kStateNormal;
        }
    }
    if (pressLatched == 0) {
        state = mouseOver != 0 ? kStateMouseOver : kStateNormal;
        if (mouseOver != 0 && wasMouseOver == 0) {
            PlaySound(hoverSound);
        }
    }
    wasMouseOver = mouseOver;
    return true;
}

bool GUIButton::Render()
{
    if (!GUIWindow::Render()) {
        return false;
    }
    ShowTextureFrame(GetShaderUser(), GetFrameIndex());
    return true;
}

void GUIButton::UpdateVisibility()
{
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (wasVisible || !IsVisible()) {
        return;
    }
    // A press latched before the button was hidden would otherwise complete
    // as a click at the first release after it is shown again.
    pressLatched = 0;
    if (state != kStateDisabled) {
        state = kStateNormal;
    }
}

void GUIButton::SetEnabled(bool enabled)
{
    if (IsEnabled() == enabled) {
        return;
    }
    state = enabled ? kStateNormal : kStateDisabled;
    pressLatched = 0;
}

std::uint32_t GUIButton::GetFrameIndex() const
{
    return state;
}

void GUIButton::SetSoundEvents(std::uint32_t hoverEvent, std::uint32_t pressEvent)
{
    hoverSound = hoverEvent;
    pressSound = pressEvent;
}

std::uint32_t GUIButton::GetTwoSidedFrameIndex(std::uint32_t buttonState, bool flag)
{
    constexpr std::uint32_t kFlagOnOffset = 3;
    constexpr std::uint32_t kDisabledFrame = 6;
    if (buttonState >= kStateDisabled) {
        return kDisabledFrame + (flag ? 1 : 0);
    }
    return buttonState + (flag ? kFlagOnOffset : 0);
}

void GUIButton::ShowTextureFrame(ShaderUser* user, std::uint32_t frame)
{
    // The frame position is read by the shader update that follows the GUI render.
    if (user != nullptr && user->GetStageCount() > 0 && user->GetStage(0).frameCount > 1) {
        user->SetFramePosition(0, static_cast<float>(frame));
    }
}

void GUIButton::PlaySound(std::uint32_t eventId) const
{
    if (soundManager != nullptr) {
        soundManager->Play(eventId);
    }
}

} // namespace OrrelayEngine
