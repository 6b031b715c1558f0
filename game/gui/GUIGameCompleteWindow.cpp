#include "game/gui/GUIGameCompleteWindow.h"

#include <algorithm>
#include <string>

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

const std::string kTextLine = "GAME_COMPLETE_TEXT_";
const std::string kTextSize = "GAME_COMPLETE_TEXT_SIZE";
const std::string kTextContinue = "CONTINUE";
constexpr float kFirstLineY = 247.0f;
constexpr float kLineStepY = 20.0f;

// The leading decimal digits of the text; none gives 0.
std::uint32_t ReadCount(const std::wstring& text, std::uint32_t limit)
{
    std::uint32_t count = 0;
    for (const wchar_t character : text) {
        if (character < L'0' || character > L'9')
            break;
        count = std::min(count * 10 + static_cast<std::uint32_t>(character - L'0'), limit);
    }
    return count;
}

} // namespace

GUIGameCompleteWindow::GUIGameCompleteWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                             const GameData* data, GUIMenuWindowManager* manager,
                                             OrrelayEngine::GUIWindow* parent)
    : GUIGameCompleteWindowBase(engine), GUIMenuWindow(engine, mixer, data, manager, kFrameBig, parent),
      button_(CreateBigButton(engine, data, data->bigWindow.button[0], frameWindow_))
{
    controls_.push_back(button_);
    SetTitleKey("GAME_COMPLETE_TITLE");
}

GUIGameCompleteWindow::~GUIGameCompleteWindow()
{
    delete button_;
}

void GUIGameCompleteWindow::Show()
{
    GUIGameCompleteWindowBase::Show();
    SetShown(true);
    lineCount_ = ReadCount(textManager_->GetText(kTextSize), kMaxLines);
    pageCount_ = (lineCount_ + kLinesPerPage - 1) / kLinesPerPage;
    page_ = 0;
    pageAlpha_ = 1.0f;
    turning_ = false;
}

void GUIGameCompleteWindow::Hide()
{
    GUIGameCompleteWindowBase::Hide();
    SetShown(false);
}

void GUIGameCompleteWindow::Update()
{
    GUIGameCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    printedLines_ = 0;
    if (!frameWindow_->IsVisible())
        return;
    TurnPages(timerManager_->GetFrameTime());
    const OrrelayEngine::Color colour(1.0f, 1.0f, 1.0f, pageAlpha_ * color_.a);
    const std::uint32_t first = page_ * kLinesPerPage;
    for (std::uint32_t n = 0; n < kLinesPerPage && first + n < lineCount_; ++n) {
        const OrrelayEngine::Vector2 offset(0.0f, kFirstLineY - kLineStepY * static_cast<float>(n));
        frameWindow_->PrintTextKey(1, 2, offset, colour, kTextLine, static_cast<std::int32_t>(first + n));
        ++printedLines_;
    }
    button_->button->PrintTextKey(3, 1, OrrelayEngine::Vector2(), color_, kTextContinue);
    if (button_->button->IsClicked() && !turning_) {
        if (page_ + 1 >= pageCount_)
            result_ = kResultDone;
        else
            turning_ = true;
    }
}

void GUIGameCompleteWindow::TurnPages(float frameSeconds)
{
    if (turning_) {
        pageAlpha_ -= kPageFadeOutPerSecond * frameSeconds;
        if (pageAlpha_ <= 0.0f) {
            pageAlpha_ = 0.0f;
            ++page_;
            turning_ = false;
        }
        return;
    }
    pageAlpha_ = std::min(pageAlpha_ + kPageFadeInPerSecond * frameSeconds, 1.0f);
}

} // namespace Tansywell
