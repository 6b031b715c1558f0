// The owner of every GUI object: it makes the GUI camera and the GUI's
// sub-managers (texts, fonts, GUI sounds, radio groups), keeps one pool per
// widget class, hands out widgets through one factory per kind and deletes
// them on request, and once per frame feeds the mouse to every widget and has
// every widget place its model and print its texts.
//
// There is no focus, capture or z-order: every visible widget under the mouse
// sees the same press. Screens keep the pointers the factories return and give
// them back to the matching delete operation; nothing is looked up by name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/ObjectManager.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {

class Camera;
class CameraManager;
class Controls;
class FileManager;
class GUIButton;
class GUICheckBox;
class GUICursor;
class GUIEditBox;
class GUIFontManager;
class GUIRadioButton;
class GUIRadioGroupManager;
class GUIScroll;
class GUISlider;
class GUISoundManager;
class GUITextManager;
class GUIWindow;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class SoundManager;
class TimerManager;
class Window;

class GUIManager
{
public:
    // The GUI camera's two range fields.
    static constexpr float kCameraNear = 500.0f;
    static constexpr float kCameraFar = -500.0f;

    // soundManager may be null (a silent game); it is only handed to the GUI sounds.
    GUIManager(MessageManager* messageManager, FileManager* fileManager, Window* window, TimerManager* timerManager,
               CameraManager* cameraManager, ShaderManager* shaderManager, ModelManager* modelManager,
               Controls* controls, SoundManager* soundManager);
    virtual ~GUIManager();
    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    // After input has been read.
    void Update();
    // Before the model manager's render pass.
    void Render();

    void GetCursorPosition(Vector2& out) const;
    float GetScreenWidth() const;
    float GetScreenHeight() const;
    void SetScreenSize(float width, float height);

    GUIWindow* CreateQuadWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                const ShaderDescriptor& textureDescriptor, GUIWindow* parent,
                                const Vector2& textureExtent);
    GUIWindow* CreateWindowFromFile(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const std::string& modelFileName, GUIWindow* parent);
    // A null source gives a window without a model.
    GUIWindow* CreateWindowFromModel(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                     const Model* source, GUIWindow* parent);
    GUIButton* CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* source,
                            GUIWindow* parent);
    GUICheckBox* CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* source,
                                GUIWindow* parent);
    GUIScroll* CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* source,
                            GUIWindow* parent, std::uint32_t orientation, const Vector2& trackStart,
                            const Vector2& trackEnd, std::uint32_t positionCount);
    GUIEditBox* CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* source,
                              GUIWindow* parent, std::uint32_t fontId, const Color& textColour,
                              const Vector2& textOffset, wchar_t caretCharacter, std::int32_t lengthLimit,
                              float textWidthLimit, float viewWidth);
    GUICursor* CreateCursor(const ShaderDescriptor& textureDescriptor, float size);
    // A null source gives an invisible cursor that only tracks the position.
    GUICursor* CreateCursorFromModel(const Model* source);

    // An object that is not in its pool is left alone.
    void DeleteWindow(GUIWindow* window);
    void DeleteButton(GUIButton* button);
    void DeleteCheckBox(GUICheckBox* checkBox);
    void DeleteEditBox(GUIEditBox* editBox);
    void DeleteScroll(GUIScroll* scroll);
    void DeleteCursor(GUICursor* cursor);

    Camera* GetCamera() const { return camera; }
    GUITextManager* GetTextManager() const { return textManager.get(); }
    GUIFontManager* GetFontManager() const { return fontManager.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager.get(); }
    GUIRadioGroupManager* GetRadioGroupManager() const { return radioGroupManager.get(); }
    GUICursor* GetDefaultCursor() const { return defaultCursor; }
    // Every window, button, check box, radio button, edit box, slider and
    // scroll, pool by pool: what an automated player looks over.
    void ForEachWindow(const std::function<void(GUIWindow&)>& visit) const;

private:
    template <typename T>
    static void UpdatePool(const ObjectManager<T>& pool, const Vector2& mouse, bool held, bool pressed);
    template <typename T>
    static void RenderPool(const ObjectManager<T>& pool);
    template <typename T>
    static void DeleteFromPool(ObjectManager<T>& pool, T* object);

    MessageManager* messageManager;
    // Handed over with the other engine services; nothing here reads them.
    [[maybe_unused]] FileManager* fileManager;
    [[maybe_unused]] Window* window;
    TimerManager* timerManager;
    CameraManager* cameraManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    Controls* controls;
    Camera* camera = nullptr;
    std::unique_ptr<GUITextManager> textManager;
    std::unique_ptr<GUIFontManager> fontManager;
    std::unique_ptr<GUISoundManager> soundManager;
    std::unique_ptr<GUIRadioGroupManager> radioGroupManager;
    std::unique_ptr<ObjectManager<GUICursor>> cursors;
    std::unique_ptr<ObjectManager<GUIWindow>> windows;
    std::unique_ptr<ObjectManager<GUIButton>> buttons;
    std::unique_ptr<ObjectManager<GUICheckBox>> checkBoxes;
    std::unique_ptr<ObjectManager<GUIRadioButton>> radioButtons;
    std::unique_ptr<ObjectManager<GUIEditBox>> editBoxes;
    std::unique_ptr<ObjectManager<GUISlider>> sliders;
    std::unique_ptr<ObjectManager<GUIScroll>> scrolls;
    GUICursor* defaultCursor = nullptr;
};

} // namespace OrrelayEngine
