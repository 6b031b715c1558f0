#include "engine/gui/GUICheckBox.h"

namespace OrrelayEngine {

GUICheckBox::GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                         GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                         GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position,
                         const Vector2& size, GUIWindow* parent, const ShaderDescriptor& textureDescriptor,
                         const Vector2& textureExtent)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, textureDescriptor, textureExtent)
{
    SetSoundEvents(kHoverSoundEvent, kPressSoundEvent);
}

GUICheckBox::GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                         GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                         GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position,
                         const Vector2& size, GUIWindow* parent, const std::string& modelFileName)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, modelFileName)
{
    SetSoundEvents(kHoverSoundEvent, kPressSoundEvent);
}

GUICheckBox::GUICheckBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                         GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                         GUISoundManager* soundManager, std::uint32_t flags, const Vector2& position,
                         const Vector2& size, GUIWindow* parent, const Model* source)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, source)
{
    SetSoundEvents(kHoverSoundEvent, kPressSoundEvent);
}

GUICheckBox::~GUICheckBox() = default;

bool GUICheckBox::Update(const Vector2& mouse, bool held, bool pressed)
{
    if (!GUIButton::Update(mouse, held, pressed)) {
        return false;
    }
    if (IsClicked()) {
        checked = checked != 0 ? 0 : 1;
    }
    return true;
}

std::uint32_t GUICheckBox::GetFrameIndex() const
{
    return GetTwoSidedFrameIndex(state, checked != 0);
}

} // namespace OrrelayEngine
