#include "game/gui/GUIProfileNameConflictWindow.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 2;
const std::string kTitleKey = "PROFILE_NAME_CONFLICT_TITLE";
const std::string kLineKey = "PROFILE_NAME_CONFLICT_TEXT_";
const std::string kOkKey = "OK";
const std::string kEnterKey = "ENTER";
constexpr std::int32_t kLineCount = 2;
constexpr float kFirstLineY = 134.0f;
constexpr float kLineStep = 23.0f;

} // namespace

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                           const GameData* data, GUIMenuWindowManager* manager,
                                                           OrrelayEngine::GUIWindow* parent)
    : GUIProfileNameConflictWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    ok_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[0], frameWindow_);
    controls_.push_back(ok_.get());
}

GUIProfileNameConflictWindow::~GUIProfileNameConflictWindow() = default;

void GUIProfileNameConflictWindow::Show(std::uint32_t opener)
{
    GUIProfileNameConflictWindowBase::Show(opener);
    SetShown(true);
    SetTitleKey(kTitleKey);
}

void GUIProfileNameConflictWindow::Hide()
{
    GUIProfileNameConflictWindowBase::Hide();
    SetShown(false);
}

void GUIProfileNameConflictWindow::Update()
{
    GUIProfileNameConflictWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*ok_) || inputControls_->WasKeyPressed(kEnterKey))
        result_ = opener_ == kOpenerNewProfile ? kResultNewProfile : kResultRename;
    for (std::int32_t i = 0; i < kLineCount; ++i)
        GUIMenuParts::PrintLine(frameWindow_, kLineKey, i, kFirstLineY - static_cast<float>(i) * kLineStep, color_);
    GUIMenuParts::PrintCaption(*ok_, kOkKey, color_);
}

} // namespace Tansywell
