// The drop-down text console over the game picture: it shows every message the
// log took this frame, lets the user type configuration lines and answers
// them, keeps a history of what was typed, completes variable names with Tab,
// and has a "say" command that prints a line under a speaker's name.
//
// It hangs from the top edge of the GUI screen (y grows upwards) and slides
// down and up at its speed. The scrollback grows without limit: nothing in the
// game makes a console, only tools and tests do. Typed text reaches the
// configuration as UTF-8, so no character is lost on the way. Main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/ConsoleLine.h"

namespace OrrelayEngine {

class Config;
class Controls;
class GUIEditBox;
class GUIFont;
class GUIManager;
class GUIWindow;
class MessageManager;
class ShaderManager;
class TimerManager;

class Console
{
public:
    enum State : std::uint32_t
    {
        kOpening = 0,
        kOpen = 1,
        kClosing = 2,
        kClosed = 3
    };

    static constexpr std::int32_t kInputLengthLimit = 255;
    static constexpr float kInputWidthInScreens = 4.0f;
    static constexpr float kBottomMarginInLines = 0.2f;
    static constexpr float kLineHeightInFontSizes = 1.2f;
    static constexpr wchar_t kCaretCharacter = L'_';

    // Registers ui_console_alpha, ui_console_size, ui_console_speed,
    // ui_console_key and say. A value loaded from the .ini stands unless it is
    // out of range (alpha not in (0, 1], size not in (0, screen height], a
    // negative speed); then the argument takes its place. An empty background
    // texture gives a plain quad.
    Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, ShaderManager* shaders,
            GUIManager* gui, const std::wstring& footerText, const std::string& backgroundTexture, std::uint32_t fontId,
            std::uint32_t editBoxOption, wchar_t promptCharacter, wchar_t fillCharacter, const std::string& keyName,
            float alpha, float size, float speed);
    virtual ~Console();

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void Update();
    // Cuts the text into pieces no wider than the screen (a piece keeps at
    // least one character) and appends them; a line feed ends a screen line.
    void AddText(const Color& colour, const std::wstring& text);

    std::uint32_t GetState() const { return state_; }
    std::int32_t GetScrollOffset() const { return scrollOffset_; }
    const std::vector<ConsoleLine>& GetScrollback() const { return scrollback_; }
    const std::vector<std::wstring>& GetHistory() const { return history_; }
    std::int32_t GetHistoryPosition() const { return historyPosition_; }
    GUIWindow* GetBackgroundWindow() const { return background_; }
    GUIEditBox* GetInputLine() const { return input_; }
    float GetAlpha() const { return alpha_; }
    float GetSize() const { return size_; }
    float GetSpeed() const { return speed_; }
    const std::wstring& GetSpeakerName() const { return speakerName_; }
    void SetSpeakerName(const std::wstring& name) { speakerName_ = name; }

private:
    void RegisterVariables(float alpha, float size, float speed, const std::string& keyName);
    void CreateWindows(const std::string& backgroundTexture, std::uint32_t editBoxOption);
    void BuildTexts(const std::wstring& footerText, wchar_t promptCharacter, wchar_t fillCharacter);
    float Measure(const std::wstring& text) const;
    float ScreenWidth() const;
    float ScreenHeight() const;

    void TakeLogMessages();
    void Toggle();
    void Slide();
    void PrintTexts();
    // The screen line ending at piece last: the index of its first piece.
    std::size_t FirstPieceOfLine(std::size_t last) const;
    void HandleKey();
    void RunInputLine();
    void Answer(std::uint32_t result, const std::string& name);
    void CompleteInputLine();
    void ShowHistoryEntry();
    void StorePiece(ConsoleLine& piece, bool endsLine);

    MessageManager* log_;
    TimerManager* timers_;
    Config* config_;
    Controls* controls_;
    // Kept with the other services; the GUI toolkit makes the textures.
    [[maybe_unused]] ShaderManager* shaders_;
    GUIManager* gui_;
    std::uint32_t state_ = kClosed;
    std::string keyName_;
    float alpha_ = 0.0f;
    float size_ = 0.0f;
    float speed_ = 0.0f;
    std::wstring prompt_;
    std::wstring marker_;
    std::wstring footer_;
    std::string sayText_;
    std::uint32_t fontId_;
    GUIFont* font_ = nullptr;
    GUIWindow* background_ = nullptr;
    GUIEditBox* input_ = nullptr;
    std::int32_t scrollOffset_ = 0;
    std::vector<ConsoleLine> scrollback_;
    std::int32_t historyPosition_ = 0;
    std::vector<std::wstring> history_;
    float bottomMargin_ = 0.0f;
    float lineHeight_ = 0.0f;
    std::wstring speakerName_;
};

} // namespace OrrelayEngine
