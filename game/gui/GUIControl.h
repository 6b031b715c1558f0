// One menu widget built from the artists' models: a plain window, a button, a
// scroll bar with its arrows, a check box or an edit box, placed where its
// layout model sits and looking like its look model. When the layout model is
// animated, the control plays it to open and close (frames forwards, then
// backwards) on a window of its own and shows the widget once it has opened.
#pragma once

#include <cstdint>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {
class AnimationControl;
class Engine;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIFontManager;
class GUIManager;
class GUIScroll;
class GUITextManager;
class GUIWindow;
class Model;
class ModelManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;

class GUIControl
{
public:
    enum Kind : std::uint32_t
    {
        kWindow = 0,
        kButton = 1,
        kScrollHorizontal = 2,
        kScrollVertical = 3,
        kCheckBox = 4,
        kEditBox = 5
    };

    static constexpr float kDefaultAnimationSpeed = 32.0f;
    // The edit box never narrower than this, whatever the welcome text measures.
    static constexpr float kMinEditWidth = 160.0f;

    // selectionArea and textArea may be null.
    GUIControl(OrrelayEngine::Engine* engine, const GameData* data, std::uint32_t kind,
               const OrrelayEngine::Model* layout, const OrrelayEngine::Model* look,
               const OrrelayEngine::Model* selectionArea, const OrrelayEngine::Model* textArea,
               OrrelayEngine::GUIWindow* parent);
    virtual ~GUIControl();
    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;

    // Once per frame, by the owning screen.
    void Update();
    // The opening animation is playing.
    bool IsAnimating() const;
    bool IsShown() const;
    void SetAnimationSpeed(float framesPerSecond);
    void PlayOpen();
    void PlayClose();

    // A GUI model's position is the centre of its world box, its size the box's extent.
    static OrrelayEngine::Vector2 ModelPosition(const OrrelayEngine::Model* model);
    static OrrelayEngine::Vector2 ModelSize(const OrrelayEngine::Model* model);
    // The animation of a window's model; null without a model.
    static OrrelayEngine::AnimationControl* AnimationOf(const OrrelayEngine::GUIWindow* window);
    // The window's own show flag, whatever its parents'.
    static bool IsWindowShown(const OrrelayEngine::GUIWindow* window);
    static void SetWindowShown(OrrelayEngine::GUIWindow* window, bool shown);

    // Read (and the colour written) directly by the screens.
    std::uint32_t kind;
    OrrelayEngine::GUIWindow* animationWindow = nullptr;
    OrrelayEngine::GUIWindow* mainWindow = nullptr;
    OrrelayEngine::GUIButton* button = nullptr;
    OrrelayEngine::GUIScroll* scroll = nullptr;
    OrrelayEngine::GUICheckBox* checkBox = nullptr;
    OrrelayEngine::GUIEditBox* editBox = nullptr;
    OrrelayEngine::Vector2 homePosition;
    OrrelayEngine::Color color{1, 1, 1, 1};
    bool mainMenuButton = false;

private:
    void CreateWindow(std::uint32_t flags, const OrrelayEngine::Model* look, OrrelayEngine::GUIWindow* parent);
    void CreateScroll(const OrrelayEngine::Model* look, OrrelayEngine::GUIWindow* parent);
    void CreateEditBox(const OrrelayEngine::Model* look, OrrelayEngine::GUIWindow* parent);
    float EditWidthLimit() const;
    void MakeAnimationWindow(const OrrelayEngine::Model* layout, OrrelayEngine::GUIWindow* parent);
    void PlaceAtLayout(const OrrelayEngine::Model* layout, const OrrelayEngine::Model* look);

    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUIFontManager* fontManager_;
    OrrelayEngine::GUITextManager* textManager_;
    const GameData* data_;
};

} // namespace Tansywell
