#include "game/gui/GUIMenuWindow.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "framework/Mixer.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

using OrrelayEngine::Color;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Model;

namespace {

constexpr float kEpsilon = 0.0001f;
constexpr float kFadeInPerSecond = 4.0f;
constexpr float kFadeOutPerSecond = 8.0f;
constexpr float kMainMenuAnimationSpeed = 42.0f;
// The frame becomes opaque over its first frames of animation.
constexpr float kFrameOpaqueAtFrame = 15.0f;

// The frame model and its text area by frame kind.
void FrameModels(const GameData* data, std::uint32_t frameKind, const Model*& frame, const Model*& area)
{
    switch (frameKind) {
    case GUIMenuWindow::kFrameMainMenu:
        frame = data->mainMenu.window, area = data->mainMenu.windowArea;
        break;
    case GUIMenuWindow::kFrameBig:
        frame = data->bigWindow.window, area = data->bigWindow.windowArea;
        break;
    case GUIMenuWindow::kFrameSmall:
        frame = data->smallWindow.window, area = data->smallWindow.windowArea;
        break;
    default:
        frame = data->startGame.window, area = data->startGame.windowArea;
        break;
    }
}

} // namespace

GUIMenuWindow::GUIMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                             GUIMenuWindowManager* manager, std::uint32_t frameKind, GUIWindow* parent)
    : menuEngine_(engine), timerManager_(engine->GetTimerManager()), menuConfig_(engine->GetConfig()),
      inputControls_(engine->GetControls()), guiManager_(engine->GetGUIManager()),
      fontManager_(guiManager_->GetFontManager()), textManager_(guiManager_->GetTextManager()), mixer_(mixer),
      data_(data), manager_(manager), frameKind_(frameKind)
{
    const Model* frame = nullptr;
    const Model* area = nullptr;
    FrameModels(data, frameKind, frame, area);
    frame_ = new GUIControl(engine, data, GUIControl::kWindow, frame, frame, nullptr, area, parent);
    frameWindow_ = frame_->mainWindow;
    controls_.push_back(frame_);
    if (frameKind == kFrameMainMenu) {
        frame_->SetAnimationSpeed(kMainMenuAnimationSpeed);
    }
}

GUIMenuWindow::~GUIMenuWindow()
{
    delete frame_;
}

void GUIMenuWindow::SetShown(bool shown)
{
    if (shown) {
        showRequested_ = true;
        return;
    }
    if (active_) {
        active_ = false;
        if (frameKind_ != kFrameMainMenu) {
            PlaySound(kCloseSoundId);
        }
        return;
    }
    // Hidden before it ever opened: withdrawn, or it would open later by itself.
    showRequested_ = false;
    titleAreaWanted_ = false;
}

void GUIMenuWindow::SetTitle(const std::wstring& title)
{
    title_ = title;
}

void GUIMenuWindow::SetTitleKey(const std::string& key)
{
    title_ = textManager_->GetText(key);
}

bool GUIMenuWindow::AnyControlAnimating() const
{
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const GUIControl* control) { return control->IsAnimating(); });
}

void GUIMenuWindow::PlaySound(std::uint32_t soundId) const
{
    if (mixer_ != nullptr) {
        mixer_->PlaySound(soundId);
    }
}

bool GUIMenuWindow::CanAppear() const
{
    if (active_ || !manager_->free || !showRequested_) {
        return false;
    }
    if (!titleAreaWanted_) {
        return true;
    }
    if (titleAreaReleaseRequested_) {
        return false;
    }
    return titleAreaHeld_ || manager_->IsTitleAreaClosed();
}

void GUIMenuWindow::Appear()
{
    active_ = true;
    showRequested_ = false;
    if (titleAreaWanted_) {
        titleAreaHeld_ = true;
        titleAreaWanted_ = false;
    }
}

bool GUIMenuWindow::StepTitleArea()
{
    if (!titleAreaHeld_) {
        return true;
    }
    const bool open = manager_->IsTitleAreaOpen();
    if (active_ && !open && manager_->free) {
        manager_->free = false;
        manager_->RequestTitleArea(true);
    }
    if (open && manager_->IsTitleAreaFreshlyOpened()) {
        manager_->ClearTitleAreaOpened();
        manager_->free = true;
        if (!active_) {
            // Hidden while the area opened: nobody else would ever close it
            // or free the manager.
            manager_->RequestTitleArea(false);
            titleAreaHeld_ = false;
            titleAreaReleaseRequested_ = false;
            return true;
        }
    }
    if (!active_ && manager_->free && titleAreaReleaseRequested_ && open) {
        manager_->RequestTitleArea(false);
        titleAreaHeld_ = false;
        titleAreaReleaseRequested_ = false;
    }
    return manager_->IsTitleAreaOpen();
}

void GUIMenuWindow::StepOpening(float frameSeconds)
{
    if (manager_->free) {
        for (GUIControl* control : controls_) {
            control->PlayOpen();
        }
        manager_->free = false;
        closePending_ = true;
        color_.a = 0.0f;
        manager_->SetTitle(title_);
        if (frameKind_ != kFrameMainMenu) {
            PlaySound(kOpenSoundId);
        }
    }
    if (!AnyControlAnimating()) {
        color_.a = std::min(color_.a + frameSeconds * kFadeInPerSecond, 1.0f);
    }
}

void GUIMenuWindow::StepClosing(float frameSeconds, bool frameWasShown)
{
    color_.a = std::max(color_.a - frameSeconds * kFadeOutPerSecond, 0.0f);
    // Hidden before its fade-in began, a screen still closes its frame, or
    // the manager would stay busy for ever.
    if (closePending_ && color_.a < kEpsilon) {
        closePending_ = false;
        for (GUIControl* control : controls_) {
            control->PlayClose();
        }
    }
    if (frameWasShown && !frame_->IsShown()) {
        manager_->free = true;
    }
}

void GUIMenuWindow::FollowFrameAnimation()
{
    if (!frameWindow_->IsVisible()) {
        return;
    }
    const OrrelayEngine::AnimationControl* animation = GUIControl::AnimationOf(frameWindow_);
    // A still frame has no animation to follow: it keeps the screen's colour.
    if (animation == nullptr || animation->GetFrameCount() <= 1) {
        return;
    }
    const float t = animation->currentId == 0 ? animation->position
                                              : static_cast<float>(animation->currentFrame) + animation->blend;
    frameWindow_->SetColor(Color(1, 1, 1, std::min(std::max(t / kFrameOpaqueAtFrame, 0.0f), 1.0f)));
}

void GUIMenuWindow::Update()
{
    const float dt = timerManager_->GetFrameTime();
    if (CanAppear()) {
        Appear();
    }
    if (!StepTitleArea()) {
        return;
    }
    if (active_) {
        StepOpening(dt);
    }
    const bool frameWasShown = frame_->IsShown();
    for (GUIControl* control : controls_) {
        control->color = Color(color_.r, color_.g, color_.b, color_.a);
        control->Update();
    }
    if (!active_) {
        StepClosing(dt, frameWasShown);
    }
    FollowFrameAnimation();
}

} // namespace Tansywell
