#include "game/gui/GUIMapElement.h"

#include "engine/core/BoundingBox.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/StageMapFile.h"
#include "tools/GUIDoubleClickDetecter.h"

namespace Tansywell {

using OrrelayEngine::Color;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Matrix4;
using OrrelayEngine::Model;
using OrrelayEngine::Vector2;

namespace {

constexpr std::int32_t kPlaceDepthOrder = 2;
constexpr std::int32_t kShadowDepthOrder = 1;
// The shadow falls a little right and below its place.
const OrrelayEngine::Vector3 kShadowOffset(2.0f, -2.0f, 0.0f);

} // namespace

GUIMapElement::GUIMapElement(OrrelayEngine::Engine* engine, const GameData* data,
                             GameTools::GUIDoubleClickDetecter* detecter, std::int32_t kind, const Matrix4& matrix,
                             std::uint32_t stage, std::uint32_t level, GUIWindow* parent)
    : engine_(engine), guiManager_(engine->GetGUIManager()), log_(engine->GetMessageManager()), data_(data),
      detecter_(detecter), parent_(parent), matrix_(matrix), kind_(kind), stage_(stage), level_(level)
{
    const Model* model = ModelFor(false);
    CreateWindows(model);
    OrrelayEngine::BoundingBox box = model != nullptr ? model->box : OrrelayEngine::BoundingBox();
    box.SetTransform(matrix_);
    button_ = guiManager_->CreateButton(0, Vector2(box.worldMin.x, box.worldMin.y),
                                        Vector2(box.worldMax.x - box.worldMin.x, box.worldMax.y - box.worldMin.y),
                                        nullptr, placeWindow_);
    detecter_->AddControl(button_);
    ShowFrame(placeWindow_, kStateAhead);
}

GUIMapElement::~GUIMapElement()
{
    detecter_->RemoveControl(button_);
    guiManager_->DeleteButton(button_);
    guiManager_->DeleteWindow(placeWindow_);
    guiManager_->DeleteWindow(shadowWindow_);
}

const Model* GUIMapElement::ModelFor(bool checkPointVariant) const
{
    switch (kind_) {
    case StageMapFile::kStart:
        return data_->map.start;
    case StageMapFile::kFinish:
        return data_->map.finish;
    case StageMapFile::kCheckPoint:
        return data_->map.checkPoint;
    default:
        return checkPointVariant ? data_->map.pathCheckPoint : data_->map.path;
    }
}

void GUIMapElement::CreateWindows(const Model* model)
{
    placeWindow_ =
        guiManager_->CreateWindowFromModel(GUIWindow::kFlagColoredVertices, Vector2(), Vector2(1, 1), model, parent_);
    shadowWindow_ =
        guiManager_->CreateWindowFromModel(GUIWindow::kFlagColoredVertices, Vector2(), Vector2(1, 1), model, parent_);
    placeWindow_->SetDepthOrder(kPlaceDepthOrder);
    shadowWindow_->SetDepthOrder(kShadowDepthOrder);
    if (Model* place = placeWindow_->GetModel()) {
        place->baseMatrix = matrix_;
    }
    if (Model* shadow = shadowWindow_->GetModel()) {
        Matrix4 offset;
        OrrelayEngine::MatrixSetTranslation(offset, kShadowOffset);
        shadow->baseMatrix = offset * matrix_;
    }
    ShowFrame(shadowWindow_, kShadowFrame);
}

void GUIMapElement::ShowFrame(GUIWindow* window, std::uint32_t frame)
{
    if (window == placeWindow_) {
        shownFrame_ = frame;
    }
    if (OrrelayEngine::AnimationControl* animation = GUIControl::AnimationOf(window)) {
        animation->Pause();
        animation->position = static_cast<float>(frame);
    }
    OrrelayEngine::GUIButton::ShowTextureFrame(window->GetShaderUser(), frame);
}

void GUIMapElement::SetState(std::int32_t state)
{
    state_ = state;
    ShowFrame(placeWindow_, static_cast<std::uint32_t>(state));
    if (!marked_) {
        button_->SetEnabled(state < kStateLocked);
    }
    if (state < kStateLocked) {
        SetAlpha(1.0f);
    }
}

void GUIMapElement::SetAlpha(float alpha)
{
    const Color colour(1, 1, 1, alpha);
    placeWindow_->SetColor(colour);
    shadowWindow_->SetColor(colour);
}

void GUIMapElement::SetVisible(bool visible)
{
    GUIControl::SetWindowShown(placeWindow_, visible);
    GUIControl::SetWindowShown(shadowWindow_, visible);
    GUIControl::SetWindowShown(button_, visible);
    if (visible) {
        marked_ = false;
        button_->SetEnabled(true);
    }
}

void GUIMapElement::Mark()
{
    marked_ = true;
    button_->SetEnabled(false);
}

void GUIMapElement::Highlight(bool allowed)
{
    highlighted_ = false;
    if (state_ == kStateChosen || state_ == kStateLocked) {
        return;
    }
    if (button_->IsMouseOver() && !marked_ && allowed) {
        ShowFrame(placeWindow_, kStateHighlighted);
        highlighted_ = true;
    } else {
        ShowFrame(placeWindow_, static_cast<std::uint32_t>(state_));
    }
}

void GUIMapElement::SetCheckPointVariant(bool checkPoint)
{
    if (checkPoint == checkPointVariant_) {
        return;
    }
    checkPointVariant_ = checkPoint;
    GUIWindow* oldPlace = placeWindow_;
    GUIWindow* oldShadow = shadowWindow_;
    const bool shown = GUIControl::IsWindowShown(oldPlace);
    Color colour;
    oldPlace->GetColor(colour);
    CreateWindows(ModelFor(checkPoint));
    button_->SetParent(placeWindow_);
    guiManager_->DeleteWindow(oldPlace);
    guiManager_->DeleteWindow(oldShadow);
    GUIControl::SetWindowShown(placeWindow_, shown);
    GUIControl::SetWindowShown(shadowWindow_, shown);
    SetAlpha(colour.a);
    ShowFrame(placeWindow_, static_cast<std::uint32_t>(state_));
}

bool GUIMapElement::IsVisible() const
{
    return GUIControl::IsWindowShown(placeWindow_);
}

bool GUIMapElement::IsClicked() const
{
    return button_->IsClicked();
}

bool GUIMapElement::IsDoubleClicked() const
{
    if ((marked_ && state_ != kStateChosen) || state_ == kStateLocked) {
        return false;
    }
    return detecter_->IsDoubleClick() && detecter_->GetClickedControl() == button_;
}

} // namespace Tansywell
