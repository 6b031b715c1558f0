// A button with a selected flag shared exclusively within a named group: a
// click on an unselected radio button selects it and clears every other
// member of its group. It files itself in the group manager when made and
// takes itself out when deleted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"

namespace OrrelayEngine {

class GUIRadioGroupManager;

class GUIRadioButton : public GUIButton
{
public:
    static constexpr std::uint32_t kHoverSoundEvent = GUISoundManager::kRadioButtonEnter;
    static constexpr std::uint32_t kPressSoundEvent = GUISoundManager::kRadioButtonPress;

    GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                   GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                   GUISoundManager* soundManager, GUIRadioGroupManager* groupManager, const std::string& groupName,
                   std::uint32_t flags, const Vector2& position, const Vector2& size, GUIWindow* parent,
                   const ShaderDescriptor& textureDescriptor, const Vector2& textureExtent);
    GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                   GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                   GUISoundManager* soundManager, GUIRadioGroupManager* groupManager, const std::string& groupName,
                   std::uint32_t flags, const Vector2& position, const Vector2& size, GUIWindow* parent,
                   const std::string& modelFileName);
    GUIRadioButton(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
                   GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera,
                   GUISoundManager* soundManager, GUIRadioGroupManager* groupManager, const std::string& groupName,
                   std::uint32_t flags, const Vector2& position, const Vector2& size, GUIWindow* parent,
                   const Model* source);
    ~GUIRadioButton() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;
    std::uint32_t GetFrameIndex() const override;

    bool IsSelected() const { return selected != 0; }
    // For tests: selecting clears the rest of the group, as a click does.
    void SetSelected(bool select);
    const std::string& GetGroupName() const { return groupName; }

private:
    friend class GUIRadioGroupManager;

    void JoinGroup();
    void DeselectOthers();

    GUIRadioGroupManager* groupManager;
    std::string groupName;
    std::uint8_t selected = 0;
    // Reused on every click, so that a click allocates nothing once warm.
    std::vector<GUIRadioButton*> groupMembers;
};

} // namespace OrrelayEngine
