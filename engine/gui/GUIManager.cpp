#include "engine/gui/GUIManager.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIRadioButton.h"
#include "engine/gui/GUIRadioGroupManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kOrthographic = 1;

const std::string& MouseButtonName()
{
    // Built once: a key query by a fresh string would allocate every frame.
    static const std::string name("MOUSE1");
    return name;
}

} // namespace

GUIManager::GUIManager(MessageManager* messageManager, FileManager* fileManager, Window* window,
                       TimerManager* timerManager, CameraManager* cameraManager, ShaderManager* shaderManager,
                       ModelManager* modelManager, Controls* controls, SoundManager* soundManager)
    : messageManager(messageManager), fileManager(fileManager), window(window), timerManager(timerManager),
      cameraManager(cameraManager), shaderManager(shaderManager), modelManager(modelManager), controls(controls),
      cursors(std::make_unique<ObjectManager<GUICursor>>()), windows(std::make_unique<ObjectManager<GUIWindow>>()),
      buttons(std::make_unique<ObjectManager<GUIButton>>()), checkBoxes(std::make_unique<ObjectManager<GUICheckBox>>()),
      radioButtons(std::make_unique<ObjectManager<GUIRadioButton>>()),
      editBoxes(std::make_unique<ObjectManager<GUIEditBox>>()), sliders(std::make_unique<ObjectManager<GUISlider>>()),
      scrolls(std::make_unique<ObjectManager<GUIScroll>>())
{
    camera = cameraManager->CreateCamera(kOrthographic);
    camera->nearDistance = kCameraNear;
    camera->farDistance = kCameraFar;
    textManager = std::make_unique<GUITextManager>(messageManager, fileManager);
    fontManager = std::make_unique<GUIFontManager>(messageManager, fileManager, shaderManager, modelManager, camera);
    this->soundManager = std::make_unique<GUISoundManager>(timerManager, soundManager);
    radioGroupManager = std::make_unique<GUIRadioGroupManager>(messageManager);
    defaultCursor = CreateCursorFromModel(nullptr);
    defaultCursor->SetVisible(false);
}

GUIManager::~GUIManager()
{
    DeleteCursor(defaultCursor);
    // Widgets go before the managers they were given, so that no destructor
    // (a radio button leaving its group) reaches a manager already gone.
    scrolls.reset();
    sliders.reset();
    editBoxes.reset();
    radioButtons.reset();
    checkBoxes.reset();
    buttons.reset();
    windows.reset();
    cursors.reset();
    textManager.reset();
    fontManager.reset();
    soundManager.reset();
    radioGroupManager.reset();
    cameraManager->DeleteCamera(camera);
}

template <typename T>
void GUIManager::UpdatePool(const ObjectManager<T>& pool, const Vector2& mouse, bool held, bool pressed)
{
    for (T* widget : pool.GetSlots()) {
        if (widget != nullptr) {
            widget->Update(mouse, held, pressed);
        }
    }
}

template <typename T>
void GUIManager::RenderPool(const ObjectManager<T>& pool)
{
    for (T* widget : pool.GetSlots()) {
        if (widget != nullptr) {
            widget->Render();
        }
    }
}

template <typename T>
void GUIManager::DeleteFromPool(ObjectManager<T>& pool, T* object)
{
    if (pool.Remove(object)) {
        delete object;
    }
}

void GUIManager::Update()
{
    for (GUICursor* cursor : cursors->GetSlots()) {
        if (cursor != nullptr) {
            cursor->Update();
        }
    }
    const Vector2 mouse = defaultCursor->GetPosition();
    const bool held = controls != nullptr && controls->IsKeyDown(MouseButtonName());
    const bool pressed = controls != nullptr && controls->WasKeyPressed(MouseButtonName());
    UpdatePool(*windows, mouse, held, pressed);
    UpdatePool(*buttons, mouse, held, pressed);
    UpdatePool(*checkBoxes, mouse, held, pressed);
    UpdatePool(*radioButtons, mouse, held, pressed);
    UpdatePool(*editBoxes, mouse, held, pressed);
    UpdatePool(*sliders, mouse, held, pressed);
    UpdatePool(*scrolls, mouse, held, pressed);
}

void GUIManager::ForEachWindow(const std::function<void(GUIWindow&)>& visit) const
{
    const auto visitPool = [&visit](const auto& pool) {
        for (GUIWindow* window : pool.GetSlots()) {
            if (window != nullptr) {
                visit(*window);
            }
        }
    };
    visitPool(*windows);
    visitPool(*buttons);
    visitPool(*checkBoxes);
    visitPool(*radioButtons);
    visitPool(*editBoxes);
    visitPool(*sliders);
    visitPool(*scrolls);
}

void GUIManager::Render()
{
    for (GUICursor* cursor : cursors->GetSlots()) {
        if (cursor != nullptr) {
            cursor->Render();
        }
    }
    // Pool order does not decide what is in front: the render pass sorts by depth.
    RenderPool(*windows);
    RenderPool(*buttons);
    RenderPool(*checkBoxes);
    RenderPool(*radioButtons);
    RenderPool(*editBoxes);
    RenderPool(*sliders);
    RenderPool(*scrolls);
    fontManager->Flush();
}

void GUIManager::GetCursorPosition(Vector2& out) const
{
    out = defaultCursor->GetPosition();
}

float GUIManager::GetScreenWidth() const
{
    return camera->width;
}

float GUIManager::GetScreenHeight() const
{
    return camera->height;
}

void GUIManager::SetScreenSize(float width, float height)
{
    camera->width = width;
    camera->height = height;
}

GUIWindow* GUIManager::CreateQuadWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor& textureDescriptor, GUIWindow* parent,
                                        const Vector2& textureExtent)
{
    auto* made = new GUIWindow(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                               camera, flags, position, size, parent, textureDescriptor, textureExtent);
    windows->Add(made);
    return made;
}

GUIWindow* GUIManager::CreateWindowFromFile(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                            const std::string& modelFileName, GUIWindow* parent)
{
    auto* made = new GUIWindow(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                               camera, flags, position, size, parent, modelFileName);
    windows->Add(made);
    return made;
}

GUIWindow* GUIManager::CreateWindowFromModel(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                             const Model* source, GUIWindow* parent)
{
    auto* made = new GUIWindow(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                               camera, flags, position, size, parent, source);
    windows->Add(made);
    return made;
}

GUIButton* GUIManager::CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* source, GUIWindow* parent)
{
    auto* made = new GUIButton(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                               camera, soundManager.get(), flags, position, size, parent, source);
    buttons->Add(made);
    return made;
}

GUICheckBox* GUIManager::CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                        const Model* source, GUIWindow* parent)
{
    auto* made = new GUICheckBox(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                 camera, soundManager.get(), flags, position, size, parent, source);
    checkBoxes->Add(made);
    return made;
}

GUIScroll* GUIManager::CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* source, GUIWindow* parent, std::uint32_t orientation,
                                    const Vector2& trackStart, const Vector2& trackEnd, std::uint32_t positionCount)
{
    auto* made = new GUIScroll(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(),
                               camera, soundManager.get(), timerManager, flags, position, size, parent, source,
                               orientation, trackStart, trackEnd, positionCount);
    scrolls->Add(made);
    return made;
}

GUIEditBox* GUIManager::CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                      const Model* source, GUIWindow* parent, std::uint32_t fontId,
                                      const Color& textColour, const Vector2& textOffset, wchar_t caretCharacter,
                                      std::int32_t lengthLimit, float textWidthLimit, float viewWidth)
{
    auto* made =
        new GUIEditBox(messageManager, shaderManager, modelManager, fontManager.get(), textManager.get(), camera, flags,
                       position, size, parent, source, timerManager, controls, soundManager.get(), fontId, textColour,
                       textOffset, caretCharacter, lengthLimit, textWidthLimit, viewWidth);
    editBoxes->Add(made);
    return made;
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor& textureDescriptor, float size)
{
    auto* made = new GUICursor(modelManager, controls, camera, textureDescriptor, size);
    cursors->Add(made);
    return made;
}

GUICursor* GUIManager::CreateCursorFromModel(const Model* source)
{
    auto* made = new GUICursor(modelManager, controls, camera, source);
    cursors->Add(made);
    return made;
}

void GUIManager::DeleteWindow(GUIWindow* target)
{
    DeleteFromPool(*windows, target);
}

void GUIManager::DeleteButton(GUIButton* button)
{
    DeleteFromPool(*buttons, button);
}

void GUIManager::DeleteCheckBox(GUICheckBox* checkBox)
{
    DeleteFromPool(*checkBoxes, checkBox);
}

void GUIManager::DeleteEditBox(GUIEditBox* editBox)
{
    DeleteFromPool(*editBoxes, editBox);
}

void GUIManager::DeleteScroll(GUIScroll* scroll)
{
    DeleteFromPool(*scrolls, scroll);
}

void GUIManager::DeleteCursor(GUICursor* cursor)
{
    DeleteFromPool(*cursors, cursor);
}

} // namespace OrrelayEngine
