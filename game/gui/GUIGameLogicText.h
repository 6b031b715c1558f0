// One score that pops up where a board cell lost a layer: over its first
// 0.2 s it grows to full size and strength, then it rises; from 1.2 s it
// fades, and at 1.7 s it is dead (its manager deletes it).
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/Vector2.h"

namespace OrrelayEngine {
class Engine;
class GUIFontManager;
class GUIWindow;
class TimerManager;
} // namespace OrrelayEngine

namespace Tansywell {

class GUIGameLogicText
{
public:
    static constexpr std::uint32_t kFontId = 10;
    static constexpr float kFullSize = 22.0f;
    static constexpr float kGrowSeconds = 0.2f;
    static constexpr float kRiseUnitsPerSecond = 35.0f;
    static constexpr float kFadeStartSeconds = 1.2f;
    static constexpr float kFadeSeconds = 0.5f;
    static constexpr float kLifeSeconds = 1.7f;

    // position: the text's centre in GUI coordinates; window: where it prints (borrowed).
    GUIGameLogicText(OrrelayEngine::Engine* engine, const OrrelayEngine::Vector2& position, const std::wstring& text,
                     OrrelayEngine::GUIWindow* window);
    ~GUIGameLogicText();

    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;

    void Update();

    bool IsAlive() const { return alive_; }
    float GetAge() const { return age_; }
    float GetAlpha() const { return alpha_; }
    float GetSize() const { return size_; }
    float GetRise() const { return rise_; }
    const std::wstring& GetText() const { return text_; }
    const OrrelayEngine::Vector2& GetPosition() const { return position_; }

private:
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::GUIFontManager* fontManager_;
    OrrelayEngine::Vector2 position_;
    std::wstring text_;
    OrrelayEngine::GUIWindow* window_;
    float age_ = 0.0f;
    bool alive_ = true;
    float alpha_ = 0.0f;
    float size_ = 0.0f;
    float rise_ = 0.0f;
};

} // namespace Tansywell
