#include "game/gui/GUIControl.h"

#include <algorithm>
#include <string>

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/GameData.h"

namespace Tansywell {

using OrrelayEngine::AnimationControl;
using OrrelayEngine::Color;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Model;
using OrrelayEngine::Vector2;

namespace {

constexpr float kShownAlpha = 0.0001f;

Vector2 Difference(const Vector2& a, const Vector2& b)
{
    return Vector2(a.x - b.x, a.y - b.y);
}
constexpr std::uint32_t kAnimationOpen = 0;
constexpr std::uint32_t kAnimationClose = 1;
// Window flags: hidden with coloured vertices when the widget shows at once,
// hidden plain when it waits for its opening animation.
constexpr std::uint32_t kFlagsStill = GUIWindow::kFlagColoredVertices;
constexpr std::uint32_t kFlagsAnimated = 0;
constexpr std::uint32_t kFlagsEditBox = GUIWindow::kFlagShown | GUIWindow::kFlagColoredVertices;

constexpr std::uint32_t kScrollPositionCount = 2;
constexpr std::uint32_t kEditFontId = 6;
constexpr std::uint32_t kWelcomeFontId = 1;
constexpr std::int32_t kEditLengthLimit = 20;
constexpr float kEditViewWidth = 300.0f;
constexpr float kEditWidthMargin = 35.0f;
const Vector2 kEditTextOffset(28.0f, 4.0f);

std::uint32_t FrameCount(const Model* model)
{
    const AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
    return animation != nullptr ? animation->GetFrameCount() : 1;
}

void PlayFromStart(AnimationControl* animation, std::uint32_t id)
{
    animation->SetAnimation(id);
    animation->position = 0.0f;
    animation->Play();
}

// An own hit rectangle (or text rectangle) over the area model's box.
void AreaFromModel(const Model* area, Vector2& offset, Vector2& size)
{
    size = GUIControl::ModelSize(area);
    const Vector2 centre = GUIControl::ModelPosition(area);
    offset = Vector2(centre.x - size.x * 0.5f, centre.y - size.y * 0.5f);
}

} // namespace

Vector2 GUIControl::ModelPosition(const Model* model)
{
    if (model == nullptr) {
        return Vector2();
    }
    return Vector2(model->box.centre.x, model->box.centre.y);
}

AnimationControl* GUIControl::AnimationOf(const GUIWindow* window)
{
    const Model* model = window != nullptr ? window->GetModel() : nullptr;
    return model != nullptr ? model->GetAnimationControl() : nullptr;
}

bool GUIControl::IsWindowShown(const GUIWindow* window)
{
    return window != nullptr && (window->GetFlags() & GUIWindow::kFlagShown) != 0;
}

void GUIControl::SetWindowShown(GUIWindow* window, bool shown)
{
    if (window == nullptr) {
        return;
    }
    if (shown) {
        window->SetFlags(GUIWindow::kFlagShown);
    } else {
        window->ClearFlags(GUIWindow::kFlagShown);
    }
}

Vector2 GUIControl::ModelSize(const Model* model)
{
    if (model == nullptr) {
        return Vector2();
    }
    return Vector2(model->box.halfSize.x * 2.0f, model->box.halfSize.y * 2.0f);
}

GUIControl::GUIControl(OrrelayEngine::Engine* engine, const GameData* data, std::uint32_t kind, const Model* layout,
                       const Model* look, const Model* selectionArea, const Model* textArea, GUIWindow* parent)
    : kind(kind), modelManager_(engine->GetModelManager()), guiManager_(engine->GetGUIManager()),
      fontManager_(guiManager_->GetFontManager()), textManager_(guiManager_->GetTextManager()), data_(data)
{
    const bool animated = FrameCount(layout) > 1;
    const std::uint32_t flags = animated ? kFlagsAnimated : kFlagsStill;
    switch (kind) {
    case kButton:
        button = guiManager_->CreateButton(flags, Vector2(), Vector2(1, 1), look, parent);
        mainWindow = button;
        break;
    case kScrollHorizontal:
    case kScrollVertical:
        CreateScroll(look, parent);
        break;
    case kCheckBox:
        checkBox = guiManager_->CreateCheckBox(kFlagsStill, Vector2(), Vector2(1, 1), look, parent);
        mainWindow = checkBox;
        break;
    case kEditBox:
        CreateEditBox(look, parent);
        break;
    default:
        CreateWindow(flags, look, parent);
        break;
    }

    const bool hasOwnAnimation = kind == kWindow || kind == kButton || kind == kCheckBox;
    if (animated && hasOwnAnimation) {
        MakeAnimationWindow(layout, parent);
    } else {
        PlaceAtLayout(layout, look);
    }

    Vector2 offset;
    Vector2 size;
    if (selectionArea != nullptr) {
        AreaFromModel(selectionArea, offset, size);
        mainWindow->SetHitRectangle(offset, size);
    }
    if (textArea != nullptr) {
        AreaFromModel(textArea, offset, size);
        mainWindow->SetTextArea(offset, size);
    }
    homePosition = ModelPosition(mainWindow->GetModel());
    color = Color(1, 1, 1, 1);
    mainMenuButton = data_ != nullptr && look != nullptr && look == data_->controls.buttonMainMenu.look;
}

void GUIControl::CreateWindow(std::uint32_t flags, const Model* look, GUIWindow* parent)
{
    mainWindow = guiManager_->CreateWindowFromModel(flags, Vector2(), Vector2(1, 1), look, parent);
    Model* model = mainWindow->GetModel();
    const std::uint32_t frames = FrameCount(model);
    if (frames <= 1) {
        return;
    }
    // Show the last frame at once: a still window is seen opened.
    model->GetAnimationControl()->position = static_cast<float>(frames - 1) - 0.0001f;
    const bool wasVisible = (model->GetFlags() & Model::kFlagVisible) != 0;
    model->SetFlags(Model::kFlagVisible);
    model->Update(false);
    if (!wasVisible) {
        model->ClearFlags(Model::kFlagVisible);
    }
}

void GUIControl::CreateScroll(const Model* look, GUIWindow* parent)
{
    const bool horizontal = kind == kScrollHorizontal;
    const GameData::ScrollModels& models = horizontal ? data_->controls.scrollH : data_->controls.scrollV;
    const Vector2 knob = ModelPosition(models.toddler);
    const Vector2 knobSize = ModelSize(models.toddler);
    const Vector2 low = Difference(ModelPosition(models.toddlerMin), knob);
    Vector2 high = Difference(ModelPosition(models.toddlerMax), knob);
    if (horizontal) {
        high = Vector2(high.x - knobSize.x, low.y);
    } else {
        high = Vector2(low.x, high.y - knobSize.y);
    }
    scroll = guiManager_->CreateScroll(kFlagsStill, Vector2(), ModelSize(look), look, parent, horizontal ? 0 : 1, low,
                                       high, kScrollPositionCount);
    scroll->SetPlacesModel(false);
    mainWindow = scroll;

    scroll->CreateKnobFromModel(Vector2(1, 1), models.toddler);
    // The knob is taken wherever it is drawn, and a press on the track beside
    // it takes it too (it then jumps under the mouse): the rectangle runs
    // from the knob at the first position to the knob at the last.
    if (OrrelayEngine::GUIButton* knobButton = scroll->GetKnob()) {
        const Vector2 travel(std::max(high.x - low.x, 0.0f), std::max(high.y - low.y, 0.0f));
        knobButton->SetHitRectangle(Vector2(knob.x - knobSize.x * 0.5f, knob.y - knobSize.y * 0.5f),
                                    Vector2(knobSize.x + travel.x, knobSize.y + travel.y));
    }

    // On a vertical list the increasing direction is downwards.
    const Model* decreaseArrow = horizontal ? data_->controls.buttonArrowLeft : data_->controls.buttonArrowUp;
    const Model* increaseArrow = horizontal ? data_->controls.buttonArrowRight : data_->controls.buttonArrowDown;
    const Model* decreasePlace = horizontal ? models.buttonDecrease : models.buttonIncrease;
    const Model* increasePlace = horizontal ? models.buttonIncrease : models.buttonDecrease;
    scroll->CreateDecreaseButton(Difference(ModelPosition(decreasePlace), ModelPosition(decreaseArrow)), Vector2(1, 1),
                                 decreaseArrow);
    scroll->CreateIncreaseButton(Difference(ModelPosition(increasePlace), ModelPosition(increaseArrow)), Vector2(1, 1),
                                 increaseArrow);
    Vector2 offset;
    Vector2 size;
    if (OrrelayEngine::GUIButton* arrow = scroll->GetDecreaseButton()) {
        AreaFromModel(decreaseArrow, offset, size);
        arrow->SetHitRectangle(offset, size);
    }
    if (OrrelayEngine::GUIButton* arrow = scroll->GetIncreaseButton()) {
        AreaFromModel(increaseArrow, offset, size);
        arrow->SetHitRectangle(offset, size);
    }
}

float GUIControl::EditWidthLimit() const
{
    const float areaWidth = ModelSize(data_->backgroundTextArea).x;
    float welcomeWidth = 0.0f;
    if (const OrrelayEngine::GUIFont* font = fontManager_->FindFont(kWelcomeFontId)) {
        Vector2 extent;
        font->MeasureText(extent, textManager_->GetText("MAIN_MENU_WELCOME") + L", !", 0.0f, font->GetSize());
        welcomeWidth = extent.x;
    }
    // A long welcome text must not leave a box too narrow to type a name in.
    return std::max(areaWidth - welcomeWidth + kEditWidthMargin, kMinEditWidth);
}

void GUIControl::CreateEditBox(const Model* look, GUIWindow* parent)
{
    editBox = guiManager_->CreateEditBox(kFlagsEditBox, Vector2(), Vector2(1, 1), look, parent, kEditFontId,
                                         Color(1, 1, 1, 1), kEditTextOffset, L'_', kEditLengthLimit, EditWidthLimit(),
                                         kEditViewWidth);
    mainWindow = editBox;
}

void GUIControl::MakeAnimationWindow(const Model* layout, GUIWindow* parent)
{
    animationWindow =
        kind == kWindow ? mainWindow : guiManager_->CreateWindowFromModel(0, Vector2(), Vector2(1, 1), layout, parent);
    AnimationControl* animation = AnimationOf(animationWindow);
    if (animation == nullptr) {
        return;
    }
    const std::uint32_t last = animation->GetFrameCount() - 1;
    animation->AddAnimation(kAnimationOpen, 0, last);
    animation->AddAnimation(kAnimationClose, last, 0);
    animation->loop = 0;
    animation->speed = kDefaultAnimationSpeed;
}

void GUIControl::PlaceAtLayout(const Model* layout, const Model* look)
{
    const Vector2 offset = Difference(ModelPosition(layout), ModelPosition(look));
    mainWindow->SetPosition(offset);
    Model* model = mainWindow->GetModel();
    if (mainWindow->PlacesModel() || model == nullptr) {
        return;
    }
    // Nobody moves this model later: move it once, now.
    OrrelayEngine::Matrix4 translation;
    OrrelayEngine::MatrixSetTranslation(translation, OrrelayEngine::Vector3(offset.x, offset.y, 0.0f));
    model->matrix = translation * model->matrix;
    model->box.SetTransform(model->matrix);
}

GUIControl::~GUIControl()
{
    if (animationWindow != nullptr && animationWindow != mainWindow) {
        guiManager_->DeleteWindow(animationWindow);
    }
    if (button == nullptr && scroll == nullptr && checkBox == nullptr && editBox == nullptr) {
        guiManager_->DeleteWindow(mainWindow);
        return;
    }
    guiManager_->DeleteButton(button);
    guiManager_->DeleteScroll(scroll);
    guiManager_->DeleteCheckBox(checkBox);
    guiManager_->DeleteEditBox(editBox);
}

void GUIControl::Update()
{
    if (animationWindow == nullptr) {
        const bool shown = color.a > kShownAlpha;
        SetWindowShown(mainWindow, shown);
        if (shown) {
            mainWindow->SetColor(color);
        }
        return;
    }
    const AnimationControl* animation = AnimationOf(animationWindow);
    if (animation == nullptr) {
        return;
    }
    const bool stopped = animation->playing == 0;
    if (IsWindowShown(animationWindow) && animation->currentId == kAnimationOpen && stopped &&
        !IsWindowShown(mainWindow)) {
        SetWindowShown(animationWindow, false);
        SetWindowShown(mainWindow, true);
        if (animationWindow != mainWindow) {
            mainWindow->SetPosition(Difference(ModelPosition(animationWindow->GetModel()), homePosition));
        }
    } else if (animation->currentId == kAnimationClose && stopped && IsWindowShown(animationWindow)) {
        SetWindowShown(animationWindow, false);
    }
    if (mainMenuButton) {
        // The button rides on its animated layout model.
        mainWindow->SetPosition(
            Difference(ModelPosition(animationWindow->GetModel()), ModelPosition(data_->controls.buttonMainMenu.look)));
    }
}

bool GUIControl::IsAnimating() const
{
    const AnimationControl* animation = AnimationOf(animationWindow);
    return animation != nullptr && animation->currentId == kAnimationOpen && animation->playing != 0;
}

bool GUIControl::IsShown() const
{
    if (animationWindow != nullptr && IsWindowShown(animationWindow)) {
        return true;
    }
    return IsWindowShown(mainWindow);
}

void GUIControl::SetAnimationSpeed(float framesPerSecond)
{
    if (AnimationControl* animation = AnimationOf(animationWindow)) {
        animation->speed = framesPerSecond;
    }
}

void GUIControl::PlayOpen()
{
    AnimationControl* animation = AnimationOf(animationWindow);
    if (animation == nullptr) {
        return;
    }
    SetWindowShown(animationWindow, true);
    if (mainMenuButton) {
        SetWindowShown(mainWindow, true);
    }
    PlayFromStart(animation, kAnimationOpen);
}

void GUIControl::PlayClose()
{
    AnimationControl* animation = AnimationOf(animationWindow);
    if (animation == nullptr) {
        return;
    }
    if (!mainMenuButton) {
        SetWindowShown(mainWindow, false);
    }
    SetWindowShown(animationWindow, true);
    PlayFromStart(animation, kAnimationClose);
}

} // namespace Tansywell
