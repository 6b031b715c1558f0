// A question over a level whose yes leaves it for the menu background: yes
// closes the frame, brings the background in and answers Yes once it has
// come; no answers No at once. The restart and the leave-for-the-menu
// questions are this over their own framework bases.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLogicQuestion.h"
#include "game/gui/GUIMenuWindow.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

template <class ScreenBase, std::uint32_t Yes, std::uint32_t No>
class GUIGameLogicLeavingQuestion : public ScreenBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultYes = Yes;
    static constexpr std::uint32_t kResultNo = No;
    static constexpr std::uint32_t kSmallWindowFrame = 2;

    GUIGameLogicLeavingQuestion(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                                GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent, const char* titleKey)
        : ScreenBase(engine), GUIMenuWindow(engine, mixer, data, manager, kSmallWindowFrame, parent),
          question_(std::make_unique<GUIGameLogicQuestion>(engine, data, frameWindow_, controls_))
    {
        SetTitleKey(titleKey);
    }

    void Show() override
    {
        ScreenBase::Show();
        leaving_ = false;
        RequestTitleArea();
        SetShown(true);
    }

    void Hide() override
    {
        ScreenBase::Hide();
        ReleaseTitleArea();
        // A yes has already closed the frame.
        if (leaving_) {
            leaving_ = false;
            return;
        }
        SetShown(false);
    }

    void Update() override
    {
        ScreenBase::Update();
        GUIMenuWindow::Update();
        if (frameWindow_->IsVisible()) {
            question_->PrintTexts(color_);
            if (question_->IsYesClicked()) {
                SetShown(false);
                ReleaseTitleArea();
                manager_->ShowBackground();
                leaving_ = true;
            }
            if (question_->IsNoClicked())
                this->result_ = kResultNo;
            return;
        }
        // Answered once, though the screen is still updated while hidden.
        if (leaving_ && manager_->IsTransitionDone()) {
            this->result_ = kResultYes;
            leaving_ = false;
        }
    }

    GUIGameLogicQuestion* GetQuestion() const { return question_.get(); }
    bool IsLeaving() const { return leaving_; }

private:
    std::unique_ptr<GUIGameLogicQuestion> question_;
    bool leaving_ = false;
};

} // namespace Tansywell
