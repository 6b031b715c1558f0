// A button with a checked flag that each completed click inverts. Its texture
// frames show the state twice over: 0 to 2 unchecked, 3 to 5 checked, and 6
// or 7 when disabled.
#pragma once

#include <cstdint>
#include <string>

#include "engine/gui/GUIButton.h"

namespace OrrelayEngine {

class GUICheckBox : public GUIButton
{
public:
    static constexpr std::uint32_t kHoverSoundEvent = GUISoundManager::kCheckBoxEnter;
    static constexpr std::uint32_t kPressSoundEvent = GUISoundManager::kCheckBoxPress;

    GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                GUIWindow* parent, const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent);
    GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                GUIWindow* parent, const std::string& modelFileName);
    GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position, const Vector2& size,
                GUIWindow* parent, const Model* source);
    ~GUICheckBox() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;
    std::uint32_t GetFrameIndex() const override;

    bool IsChecked() const { return checked != 0; }
    void SetChecked(bool check) { checked = check ? 1 : 0; }

protected:
    std::uint8_t checked = 0;
};

} // namespace OrrelayEngine
