// A text that types itself out on a GUI window, a few characters per second,
// and erases itself from its end at the same speed before a new text is typed.
// The menu background and the tutorial character print with it; the character
// waits for IsDone before it goes on.
//
// The part shown is placed where the whole text would stand, so an aligned
// text does not move while characters appear or vanish. A frame allocates
// nothing once the texts have been set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {
class Engine;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class TimerManager;
} // namespace OrrelayEngine

namespace GameTools {

class GUITextPrinter
{
public:
    // window may be null: the printer then does nothing. speed in characters
    // per second; alignFlags as for GUIFontManager::GetTextPosition.
    GUITextPrinter(OrrelayEngine::Engine* engine, OrrelayEngine::GUIWindow* window, std::uint32_t alignFlags,
                   float speed, std::uint32_t fontId, const OrrelayEngine::Vector2& offset,
                   const OrrelayEngine::Color& colour);
    virtual ~GUITextPrinter();

    GUITextPrinter(const GUITextPrinter&) = delete;
    GUITextPrinter& operator=(const GUITextPrinter&) = delete;

    // Done stays set only when it was set and the text is the one already aimed at.
    void SetText(const std::wstring& text);
    // The text of an upper-case key ("UNKNOWN" for a missing one).
    void SetTextKey(const std::string& key);
    void SetColor(const OrrelayEngine::Color& colour) { colour_ = colour; }
    // Room for texts of length characters, so that typing one allocates nothing.
    void Reserve(std::size_t length);
    void Clear();
    // Once per frame.
    void Update();

    bool IsDone() const { return done_ != 0; }
    // Characters shown, fractional.
    float GetPrintedCount() const { return printedCount_; }
    const std::wstring& GetTargetText() const { return targetText_; }
    // The text being typed or erased.
    const std::wstring& GetShownText() const { return shownText_; }

private:
    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUIFontManager* fontManager_;
    OrrelayEngine::GUITextManager* textManager_;
    OrrelayEngine::GUIWindow* window_;
    std::uint32_t alignFlags_;
    float speed_;
    std::uint32_t fontId_;
    OrrelayEngine::Vector2 offset_;
    OrrelayEngine::Color colour_;
    float printedCount_ = 0.0f;
    std::wstring targetText_;
    std::wstring shownText_;
    std::uint8_t done_ = 1;
    // The characters printed this frame; kept so that its storage is reused.
    std::wstring printed_;
};

} // namespace GameTools
