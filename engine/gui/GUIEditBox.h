// A one-line text field: a window that takes the keys typed into the
// application window, keeps a text with a caret, scrolls the text sideways so
// that the caret stays in view, prints the shown part and a blinking caret on
// itself and plays the typing sound. Every visible box that is editing takes
// the typed keys; the mouse plays no part.
//
// Kept by every operation: 0 <= first visible <= caret <= min(length, limit - 1).
#pragma once

#include <cstdint>
#include <string>

#include "engine/gui/GUIWindow.h"

namespace OrrelayEngine {

class Controls;
class GUIFont;
class GUISoundManager;
class TimerManager;

class GUIEditBox : public GUIWindow
{
public:
    static constexpr std::uint16_t kKeyBackspace = 0x08;
    static constexpr std::uint16_t kKeyEnd = 0x23;
    static constexpr std::uint16_t kKeyHome = 0x24;
    static constexpr std::uint16_t kKeyLeft = 0x25;
    static constexpr std::uint16_t kKeyRight = 0x27;
    static constexpr std::uint16_t kKeyInsert = 0x2D;
    static constexpr std::uint16_t kKeyDelete = 0x2E;
    static constexpr std::uint32_t kNoFont = 0xFFFFFFFFu;
    static constexpr float kBlinkPeriodSeconds = 0.4f;
    // How far the view jumps back when the caret reaches its left edge.
    static constexpr std::int32_t kScrollBackStep = 5;

    // lengthLimit below 1 is taken as 1.
    GUIEditBox(MessageManager* messageManager, ShaderManager* shaderManager, ModelManager* modelManager,
               GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
               const Vector2& position, const Vector2& size, GUIWindow* parent, const Model* source,
               TimerManager* timerManager, Controls* controls, GUISoundManager* soundManager, std::uint32_t fontId,
               const Color& textColour, const Vector2& textOffset, wchar_t caretCharacter, std::int32_t lengthLimit,
               float textWidthLimit, float viewWidth);
    ~GUIEditBox() override;

    bool Update(const Vector2& mouse, bool held, bool pressed) override;

    // Keeps the whole text, even one longer than the limit; the caret goes to
    // its end or to limit - 1.
    void SetText(const std::wstring& newText);
    const std::wstring& GetText() const { return text; }
    void SetEditing(bool editing);
    bool IsEditing() const { return editingFlag != 0; }
    bool IsOverwriting() const { return overwrite != 0; }
    std::int32_t GetCaret() const { return caret; }
    std::int32_t GetFirstVisible() const { return firstVisible; }
    std::int32_t GetLengthLimit() const { return lengthLimit; }

private:
    void RefreshFont();
    std::int32_t Length() const { return static_cast<std::int32_t>(text.size()); }
    std::int32_t LastCaret() const;
    float Measure(const std::wstring& line) const;
    // Measures text[first, first + count) followed by the caret.
    float MeasureWithCaret(std::int32_t first, std::int32_t count);
    bool CanInsert(wchar_t character);
    void ScrollToCaret();
    void StepBackView();
    void AdvanceCaret();
    bool ApplyKeyCode(std::uint16_t code);
    bool ApplyCharacter(wchar_t character);
    void QueueVisibleText(const Color& printColour);

    TimerManager* timerManager;
    Controls* controls;
    GUISoundManager* soundManager;
    std::uint32_t fontId;
    // Looked up each frame: a font loaded again under its id replaces the old one.
    GUIFont* font = nullptr;
    Color textColour;
    Vector2 textOffset;
    std::wstring caretString;
    std::int32_t lengthLimit;
    float textWidthLimit;
    float viewWidth;
    std::uint8_t overwrite = 0;
    std::int32_t caret = 0;
    std::int32_t firstVisible = 0;
    std::wstring text;
    std::uint8_t editingFlag = 1;
    // Reused every frame, so that a steady frame takes no memory.
    std::wstring visibleText;
    std::wstring scratch;
};

} // namespace OrrelayEngine
