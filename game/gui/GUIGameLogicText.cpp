#include "game/gui/GUIGameLogicText.h"

#include <algorithm>

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

namespace Tansywell {

GUIGameLogicText::GUIGameLogicText(OrrelayEngine::Engine* engine, const OrrelayEngine::Vector2& position,
                                   const std::wstring& text, OrrelayEngine::GUIWindow* window)
    : timerManager_(engine->GetTimerManager()), fontManager_(engine->GetGUIManager()->GetFontManager()),
      position_(position), text_(text), window_(window)
{}

GUIGameLogicText::~GUIGameLogicText() = default;

void GUIGameLogicText::Update()
{
    age_ += timerManager_->GetFrameTime();
    const float growth = std::min(age_, kGrowSeconds) / kGrowSeconds;
    alpha_ = growth;
    size_ = growth * kFullSize;
    rise_ = age_ > kGrowSeconds ? (age_ - kGrowSeconds) * kRiseUnitsPerSecond : 0.0f;
    if (age_ > kFadeStartSeconds)
        alpha_ = 1.0f - std::min(age_ - kFadeStartSeconds, kFadeSeconds) / kFadeSeconds;
    if (age_ > kLifeSeconds) {
        alive_ = false;
        return;
    }

    OrrelayEngine::Vector2 extent;
    const OrrelayEngine::GUIFont* font = fontManager_ != nullptr ? fontManager_->FindFont(kFontId) : nullptr;
    if (font != nullptr)
        font->MeasureText(extent, text_, 0.0f, size_);
    const OrrelayEngine::Vector2 corner(position_.x - extent.x * 0.5f, position_.y - extent.y * 0.5f + rise_);
    window_->PrintText(0, kFontId, corner, OrrelayEngine::Color(1.0f, 1.0f, 1.0f, alpha_), text_, 0.0f, size_);
}

} // namespace Tansywell
