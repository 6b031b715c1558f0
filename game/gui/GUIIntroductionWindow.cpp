#include "game/gui/GUIIntroductionWindow.h"

#include <algorithm>
#include <string>

#include "engine/core/TimerManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"
#include "game/gui/MenuTextCount.h"

namespace Tansywell {

namespace {

constexpr std::uint32_t kFrameKind = 1;
const std::string kTitleKey = "INTRODUCTION_TITLE";
const std::string kSizeKey = "INTRODUCTION_TEXT_SIZE";
const std::string kLineKey = "INTRODUCTION_TEXT_";
const std::string kContinueKey = "CONTINUE";
constexpr float kFadeInPerSecond = 2.0f;
constexpr float kFadeOutPerSecond = 4.0f;
constexpr float kFirstLineY = 247.0f;
constexpr float kLineStep = 20.0f;

} // namespace

GUIIntroductionWindow::GUIIntroductionWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                             const GameData* data, GUIMenuWindowManager* manager,
                                             OrrelayEngine::GUIWindow* parent)
    : GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    continue_ = GUIMenuParts::MakeBigButton(engine, data, data->bigWindow.button[0], frameWindow_);
    controls_.push_back(continue_.get());
}

GUIIntroductionWindow::~GUIIntroductionWindow() = default;

void GUIIntroductionWindow::Show()
{
    SetShown(true);
    SetTitleKey(kTitleKey);
    lineCount_ = MenuTextCount::Read(textManager_->GetText(kSizeKey));
    pageCount_ = (lineCount_ + kLinesPerPage - 1) / kLinesPerPage;
    currentPage_ = 0;
    shownPage_ = 0;
    textAlpha_ = 1.0f;
}

void GUIIntroductionWindow::Hide()
{
    SetShown(false);
}

void GUIIntroductionWindow::Update()
{
    result_ = 0;
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    if (GUIMenuParts::WasClicked(*continue_)) {
        ++currentPage_;
        // Also with no page at all: the first click starts the game.
        if (currentPage_ >= pageCount_)
            result_ = kResultStartGame;
    }
    FadePages(timerManager_->GetFrameTime());
    PrintPage();
    GUIMenuParts::PrintCaption(*continue_, kContinueKey, color_);
}

void GUIIntroductionWindow::FadePages(float frameSeconds)
{
    if (currentPage_ >= pageCount_)
        return;
    if (shownPage_ == currentPage_) {
        textAlpha_ = std::min(1.0f, textAlpha_ + kFadeInPerSecond * frameSeconds);
        return;
    }
    textAlpha_ -= kFadeOutPerSecond * frameSeconds;
    if (textAlpha_ < 0.0f) {
        textAlpha_ = 0.0f;
        shownPage_ = currentPage_;
    }
}

void GUIIntroductionWindow::PrintPage()
{
    const std::uint32_t first = shownPage_ * kLinesPerPage;
    if (first >= lineCount_)
        return;
    const std::uint32_t lines = std::min(kLinesPerPage, lineCount_ - first);
    OrrelayEngine::Color colour = color_;
    colour.a *= textAlpha_;
    for (std::uint32_t i = 0; i < lines; ++i) {
        GUIMenuParts::PrintLine(frameWindow_, kLineKey, static_cast<std::int32_t>(first + i),
                                kFirstLineY - static_cast<float>(i) * kLineStep, colour);
    }
}

} // namespace Tansywell
