// A window the player can press: it follows mouse-over, press and release,
// reports a click for exactly the one update in which it completes, plays a
// GUI sound on entering and on pressing, and shows its state as a texture
// frame of its model. A click needs the press and the release both over the
// button; a press that began elsewhere never latches it. Check boxes, radio
// buttons, slider knobs and scroll arrows are buttons too.
#pragma once

#include <cstdint>
#include <string>

#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"

namespace OrrelayEngine {

class GUIButton : public GUIWindow
{
public:
    enum State : std::uint32_t
    {
        kStateNormal = 0,
        kStateMouseOver = 1,
        kStatePressed = 2,
        kStateDisabled = 3
    };

    static constexpr std::uint32_t kHoverSoundEvent = GUISoundManager::kButtonEnter;
    static constexpr std::uint32_t kPressSoundEvent = GUISoundManager::kButtonPress;

    GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
              GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent);
    GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
              GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const std::string& modelFileName);
    // A null source gives a button without a model (an invisible hot spot).
    GUIButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
              GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const Model* source);
    ~GUIButton() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;
    bool Render() override;
    // A button shown again starts afresh: normal state (unless disabled) and
    // no press carried over from before it was hidden.
    void UpdateVisibility() override;
    // Any change also drops a latched press, so that re-enabling a button
    // under a released mouse reports no click.
    virtual void SetEnabled(bool enabled);
    // The texture frame that shows the state.
    virtual std::uint32_t GetFrameIndex() const;

    bool IsEnabled() const { return state != kStateDisabled; }
    bool IsClicked() const { return clicked != 0; }
    std::uint32_t GetState() const { return state; }
    bool IsPressLatched() const { return pressLatched != 0; }
    // The GUI sound events played on entering and on pressing.
    void SetSoundEvents(std::uint32_t hoverEvent, std::uint32_t pressEvent);
    std::uint32_t GetHoverSound() const { return hoverSound; }
    std::uint32_t GetPressSound() const { return pressSound; }

    // Shows that frame of a texture of several frames; a single-frame texture
    // (or none) looks the same in every state.
    static void ShowTextureFrame(ShaderUser* user, std::uint32_t frame);

protected:
    // The frame of a button with an on/off flag (check box, radio button):
    // the state with the flag off, the state + 3 with it on, 6 or 7 disabled.
    static std::uint32_t GetTwoSidedFrameIndex(std::uint32_t buttonState, bool flag);

    GUISoundManager* soundManager;
    std::uint32_t state = kStateNormal;
    std::uint8_t pressLatched = 0;
    // 1 at construction, so that a button made under the mouse does not greet it.
    std::uint8_t wasMouseOver = 1;
    std::uint8_t clicked = 0;
    std::uint32_t hoverSound = kHoverSoundEvent;
    std::uint32_t pressSound = kPressSoundEvent;

private:
    void PlaySound(std::uint32_t eventId) const;
};

} // namespace OrrelayEngine
