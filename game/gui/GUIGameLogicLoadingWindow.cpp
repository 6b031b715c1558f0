#include "game/gui/GUIGameLogicLoadingWindow.h"

#include <string>

#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

const std::string kTextLoading = "LOADING";

} // namespace

GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(OrrelayEngine::Engine* engine, GUIMenuWindowManager* manager)
    : GUILoadingWindowBase(engine), manager_(manager)
{}

GUIGameLogicLoadingWindow::~GUIGameLogicLoadingWindow() = default;

void GUIGameLogicLoadingWindow::Show(GameFramework::DataKeeper* dataKeeper)
{
    GUILoadingWindowBase::Show(dataKeeper);
    shown_ = true;
    textAsked_ = false;
    loadNext_ = false;
}

void GUIGameLogicLoadingWindow::Hide()
{
    GUILoadingWindowBase::Hide();
    shown_ = false;
}

void GUIGameLogicLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!shown_)
        return;
    if (loadNext_) {
        Run();
        result_ = kResultLoaded;
        // Answered once; the game hides the screen.
        shown_ = false;
        return;
    }
    if (!textAsked_ && manager_->free) {
        manager_->SetTextKey(kTextLoading);
        textAsked_ = true;
    }
    // The load holds the picture of the frame before it: the background fully
    // in, with the whole word on it.
    if (textAsked_ && manager_->IsTransitionDone() && manager_->IsTextPrinted())
        loadNext_ = true;
}

} // namespace Tansywell
