#include "tools/GUIDoubleClickDetecter.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/input/Controls.h"

namespace GameTools {

using namespace OrrelayEngine;

namespace {

constexpr char kClickKey[] = "MOUSE1";
constexpr double kNoPress = -1.0;
constexpr std::uint32_t kClicksOfADoubleClick = 2;

} // namespace

GUIDoubleClickDetecter::GUIDoubleClickDetecter(Engine* engine)
    : GUIDoubleClickDetecter(engine->GetTimerManager(), engine->GetControls())
{
    engine_ = engine;
}

GUIDoubleClickDetecter::GUIDoubleClickDetecter(TimerManager* timerManager, Controls* controls)
    : timerManager_(timerManager), controls_(controls)
{}

GUIDoubleClickDetecter::~GUIDoubleClickDetecter() = default;

void GUIDoubleClickDetecter::AddControl(GUIButton* control)
{
    controlList_.push_back(control);
}

void GUIDoubleClickDetecter::RemoveControl(GUIButton* control)
{
    if (control == nullptr) {
        return;
    }
    const auto found = std::find(controlList_.begin(), controlList_.end(), control);
    if (found != controlList_.end()) {
        controlList_.erase(found);
    }
}

void GUIDoubleClickDetecter::Update()
{
    doubleClick_ = 0;
    const double now = timerManager_->GetFrameTimer()->GetTimePrecise();
    const bool pressed = controls_->WasKeyPressed(kClickKey);
    if (pressTime_ < 0.0 || now - pressTime_ >= kWindowSeconds) {
        // Only a new press counts once the window has passed.
        if (pressed) {
            if (GUIButton* control = FindControlUnderMouse()) {
                BeginClick(control, now);
            }
        }
    } else if (pressed) {
        GUIButton* control = FindControlUnderMouse();
        if (control == nullptr) {
            DropClick();
        } else if (control != clickedControl_) {
            BeginClick(control, now);
        }
    } else if (mouseWasDown_ != 0 && !controls_->IsKeyDown(kClickKey)) {
        if (clickCount_ >= kClicksOfADoubleClick) {
            doubleClick_ = 1;
            pressTime_ = kNoPress;
            clickCount_ = 0;
        } else {
            ++clickCount_;
        }
    }
    mouseWasDown_ = controls_->IsKeyDown(kClickKey) ? 1 : 0;
}

GUIButton* GUIDoubleClickDetecter::FindControlUnderMouse() const
{
    for (GUIButton* control : controlList_) {
        if (control != nullptr && control->IsEnabled() && control->IsMouseOver()) {
            return control;
        }
    }
    return nullptr;
}

void GUIDoubleClickDetecter::BeginClick(GUIButton* control, double now)
{
    clickedControl_ = control;
    pressTime_ = now;
    clickCount_ = 1;
}

void GUIDoubleClickDetecter::DropClick()
{
    pressTime_ = kNoPress;
    clickCount_ = 0;
    clickedControl_ = nullptr;
}

} // namespace GameTools
