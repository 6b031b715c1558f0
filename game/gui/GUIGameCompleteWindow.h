// The closing texts of the game, in pages of twelve lines faded in and out; a
// click of the button turns to the next page and, on the last, answers 1.
// How many lines there are is itself a text ("GAME_COMPLETE_TEXT_SIZE"), read
// at Show and held to at most 120.
#pragma once

#include "framework/gui/GUIGameCompleteWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultDone = 1;
    static constexpr std::uint32_t kLinesPerPage = 12;
    static constexpr std::uint32_t kMaxLines = 120;
    static constexpr float kPageFadeInPerSecond = 2.0f;
    static constexpr float kPageFadeOutPerSecond = 4.0f;

    GUIGameCompleteWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                          GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameCompleteWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    // Set by the game when the character speaks over this screen.
    void SetCharacterFlag(bool flag) { characterFlag_ = flag; }
    bool GetCharacterFlag() const { return characterFlag_; }

    GUIControl* GetButton() const { return button_; }
    std::uint32_t GetLineCount() const { return lineCount_; }
    std::uint32_t GetPageCount() const { return pageCount_; }
    std::uint32_t GetPage() const { return page_; }
    float GetPageAlpha() const { return pageAlpha_; }
    // Lines printed in the last frame.
    std::uint32_t GetPrintedLines() const { return printedLines_; }

private:
    void TurnPages(float frameSeconds);

    GUIControl* button_;
    bool characterFlag_ = false;
    std::uint32_t lineCount_ = 0;
    std::uint32_t pageCount_ = 0;
    std::uint32_t page_ = 0;
    float pageAlpha_ = 1.0f;
    bool turning_ = false;
    std::uint32_t printedLines_ = 0;
};

} // namespace Tansywell
