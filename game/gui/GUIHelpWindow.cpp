#include "game/gui/GUIHelpWindow.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 1;
constexpr std::uint32_t kHeadingFont = 3;
const std::string kTitleKey = "HELP_TITLE";
const std::string kLineKey = "HELP_TEXT_";
const std::string kBackKey = "BACK";

constexpr float kFirstLineY = 250.0f;
constexpr float kAfterHeading = 19.0f;
constexpr float kAfterParagraph = 24.0f;
constexpr float kAfterLine = 18.0f;

// The last line of each paragraph under a heading; more space follows it.
bool EndsParagraph(std::uint32_t line)
{
    return line == 3 || line == 5 || line == 7 || line == 9;
}

} // namespace

GUIHelpWindow::GUIHelpWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                             GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIHelpWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    back_ = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[0], frameWindow_);
    controls_.push_back(back_.get());
}

GUIHelpWindow::~GUIHelpWindow() = default;

bool GUIHelpWindow::IsHeading(std::uint32_t line)
{
    return line == 0 || line == 4 || line == 6 || line == 8 || line == 10;
}

float GUIHelpWindow::LineY(std::uint32_t line)
{
    float y = kFirstLineY;
    for (std::uint32_t i = 0; i < line; ++i)
        y -= IsHeading(i) ? kAfterHeading : (EndsParagraph(i) ? kAfterParagraph : kAfterLine);
    return y;
}

void GUIHelpWindow::Show()
{
    GUIHelpWindowBase::Show();
    SetShown(true);
    SetTitleKey(kTitleKey);
}

void GUIHelpWindow::Hide()
{
    GUIHelpWindowBase::Hide();
    SetShown(false);
}

void GUIHelpWindow::Update()
{
    GUIHelpWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*back_))
        result_ = kResultBack;
    for (std::uint32_t i = 0; i < kLineCount; ++i) {
        frameWindow_->PrintTextKey(GUIMenuParts::kAlignLine, IsHeading(i) ? kHeadingFont : GUIMenuParts::kLineFont,
                                   OrrelayEngine::Vector2(0.0f, LineY(i)), color_, kLineKey,
                                   static_cast<std::int32_t>(i));
    }
    GUIMenuParts::PrintCaption(*back_, kBackKey, color_);
}

} // namespace Tansywell
