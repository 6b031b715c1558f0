#include "tools/GUITextPrinter.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"

namespace GameTools {

using namespace OrrelayEngine;

namespace {

// A count this close to 0 has nothing left to erase; the same margin above the
// text's length keeps the last character from being lost to rounding.
constexpr float kCountEpsilon = 0.0001f;
constexpr float kPrintAngle = 0.0f;
constexpr float kFontSize = -1.0f;
constexpr std::uint32_t kNoAlignment = 0;

} // namespace

GUITextPrinter::GUITextPrinter(Engine* engine, GUIWindow* window, std::uint32_t alignFlags, float speed,
                               std::uint32_t fontId, const Vector2& offset, const Color& colour)
    : engine_(engine), timerManager_(engine->GetTimerManager()), guiManager_(engine->GetGUIManager()),
      fontManager_(guiManager_->GetFontManager()), textManager_(guiManager_->GetTextManager()), window_(window),
      alignFlags_(alignFlags), speed_(speed), fontId_(fontId), offset_(offset), colour_(colour)
{}

GUITextPrinter::~GUITextPrinter() = default;

void GUITextPrinter::SetText(const std::wstring& text)
{
    done_ = done_ != 0 && text == targetText_ ? 1 : 0;
    targetText_ = text;
}

void GUITextPrinter::SetTextKey(const std::string& key)
{
    SetText(textManager_->GetText(key));
}

void GUITextPrinter::Reserve(std::size_t length)
{
    targetText_.reserve(length);
    shownText_.reserve(length);
    printed_.reserve(length);
    if (window_ != nullptr)
        window_->ReserveTextRecords(1, length);
}

void GUITextPrinter::Clear()
{
    targetText_.clear();
    shownText_.clear();
    printedCount_ = 0.0f;
    done_ = 1;
}

void GUITextPrinter::Update()
{
    if (window_ == nullptr) {
        return;
    }
    const float step = speed_ * timerManager_->GetFrameTime();
    // Nothing shown means nothing to erase: typing starts in this frame.
    if (shownText_ != targetText_ && shownText_.empty()) {
        shownText_ = targetText_;
        printedCount_ = 0.0f;
    }
    const std::wstring* worked = &targetText_;
    if (shownText_ != targetText_) {
        printedCount_ -= step;
        worked = &shownText_;
        if (printedCount_ < kCountEpsilon) {
            // The next frame starts typing the new text.
            printedCount_ = 0.0f;
            shownText_ = targetText_;
        }
    } else {
        printedCount_ = std::min(printedCount_ + step, static_cast<float>(targetText_.size()) + kCountEpsilon);
    }

    // The offset that puts the first character where the whole text would start.
    Vector2 aligned;
    Vector2 unaligned;
    fontManager_->GetTextPosition(aligned, alignFlags_, fontId_, window_, offset_, kPrintAngle, *worked);
    fontManager_->GetTextPosition(unaligned, kNoAlignment, fontId_, window_, offset_, kPrintAngle, *worked);
    Vector2 printOffset(offset_.x + aligned.x - unaligned.x, offset_.y + aligned.y - unaligned.y);

    const std::size_t count = std::min(static_cast<std::size_t>(std::max(printedCount_, 0.0f)), worked->size());
    printed_.assign(*worked, 0, count);
    window_->PrintText(kNoAlignment, fontId_, printOffset, colour_, printed_, kPrintAngle, kFontSize);
    done_ = printed_ == targetText_ ? 1 : 0;
}

} // namespace GameTools
