#include "engine/gui/GUIRadioButton.h"

#include "engine/gui/GUIRadioGroupManager.h"

namespace OrrelayEngine {

GUIRadioButton::GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                               GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                               GUISoundManager* soundManager, GUIRadioGroupManager* groupManager,
                               const std::string& groupName, std::uint32_t flags, const Vector2& position,
                               const Vector2& size, GUIWindow* parent, const ShaderDescriptor& textureDescriptor,
                               const Vector2& textureExtent)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, textureDescriptor, textureExtent),
      groupManager(groupManager), groupName(groupName)
{
    JoinGroup();
}

GUIRadioButton::GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                               GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                               GUISoundManager* soundManager, GUIRadioGroupManager* groupManager,
                               const std::string& groupName, std::uint32_t flags, const Vector2& position,
                               const Vector2& size, GUIWindow* parent, const std::string& modelFileName)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, modelFileName),
      groupManager(groupManager), groupName(groupName)
{
    JoinGroup();
}

GUIRadioButton::GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                               GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                               GUISoundManager* soundManager, GUIRadioGroupManager* groupManager,
                               const std::string& groupName, std::uint32_t flags, const Vector2& position,
                               const Vector2& size, GUIWindow* parent, const Model* source)
    : GUIButton(messageManager, shaderManager, modelManager, fontManager, textManager, guiCamera, soundManager, flags,
                position, size, parent, source),
      groupManager(groupManager), groupName(groupName)
{
    JoinGroup();
}

GUIRadioButton::~GUIRadioButton()
{
    if (groupManager != nullptr) {
        groupManager->RemoveButton(groupName, this);
    }
}

bool GUIRadioButton::Update(const Vector2& mouse, bool held, bool pressed)
{
    if (!GUIButton::Update(mouse, held, pressed)) {
        return false;
    }
    if (IsClicked() && selected == 0) {
        selected = 1;
        DeselectOthers();
    }
    return true;
}

std::uint32_t GUIRadioButton::GetFrameIndex() const
{
    return GetTwoSidedFrameIndex(state, selected != 0);
}

void GUIRadioButton::SetSelected(bool select)
{
    selected = select ? 1 : 0;
    if (select) {
        DeselectOthers();
    }
}

void GUIRadioButton::JoinGroup()
{
    SetSoundEvents(kHoverSoundEvent, kPressSoundEvent);
    if (groupManager != nullptr) {
        groupManager->AddButton(groupName, this);
    }
}

void GUIRadioButton::DeselectOthers()
{
    if (groupManager == nullptr) {
        return;
    }
    groupManager->GetGroup(groupName, groupMembers);
    for (GUIRadioButton* member : groupMembers) {
        if (member != this) {
            member->selected = 0;
        }
    }
}

} // namespace OrrelayEngine
