#include "game/gui/GUIExitWindow.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"
#include "game/gui/GUIMenuWindowManager.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "EXIT_TITLE";
const std::string kLineKey = "EXIT_TEXT_";
const std::string kYesKey = "YES";
const std::string kNoKey = "NO";
constexpr std::int32_t kLineCount = 2;
constexpr float kFirstLineY = 147.0f;
constexpr float kLineStep = 23.0f;

constexpr std::uint32_t kOpenerWelcome = 1;
constexpr std::uint32_t kOpenerMainMenu = 2;
constexpr std::uint32_t kOpenerNewProfile = 3;

// The result NO gives for the screen that asked; 0 for an unknown one.
std::uint32_t BackResult(std::uint32_t opener)
{
    switch (opener) {
    case kOpenerWelcome:
        return 2;
    case kOpenerMainMenu:
        return 3;
    case kOpenerNewProfile:
        return 6;
    default:
        return 0;
    }
}

} // namespace

GUIExitWindow::GUIExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                             GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIExitWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    yes_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[0], frameWindow_);
    controls_.push_back(yes_.get());
    no_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[1], frameWindow_);
    controls_.push_back(no_.get());
}

GUIExitWindow::~GUIExitWindow() = default;

void GUIExitWindow::Show(std::uint32_t opener)
{
    GUIExitWindowBase::Show(opener);
    SetShown(true);
    SetTitleKey(kTitleKey);
}

void GUIExitWindow::Hide()
{
    GUIExitWindowBase::Hide();
    SetShown(false);
}

void GUIExitWindow::Update()
{
    GUIExitWindowBase::Update();
    GUIMenuWindow::Update();
    // The manager is free again once the dialog has finished closing.
    if (quitting_ && manager_->free)
        result_ = kResultQuit;
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*yes_)) {
        quitting_ = true;
        Hide();
    }
    if (GUIMenuParts::WasClicked(*no_))
        result_ = BackResult(opener_);
    for (std::int32_t i = 0; i < kLineCount; ++i)
        GUIMenuParts::PrintLine(frameWindow_, kLineKey, i, kFirstLineY - static_cast<float>(i) * kLineStep, color_);
    GUIMenuParts::PrintCaption(*yes_, kYesKey, color_);
    GUIMenuParts::PrintCaption(*no_, kNoKey, color_);
}

} // namespace Tansywell
