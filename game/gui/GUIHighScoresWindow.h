// The high-score table in the big window: rank, name and score of each entry
// of the table's first category, the entry just made in the larger font, or
// a line saying there are no records. The button reads "BACK" when opened
// from the main menu, "OK" after a game, and answers 3; after a game over, a
// profile still to be offered relax mode answers 26 once instead.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/GUIHighScoresWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultMainMenu = 3;
    static constexpr std::uint32_t kResultRelaxOffer = 26;
    static constexpr std::uint32_t kOpenerMainMenu = 2;
    static constexpr std::uint32_t kOpenerGameOver = 11;

    GUIHighScoresWindow(OrrelayEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                        GameFramework::Mixer* mixer, GameFramework::HighScoresTable* highScores, const GameData* data,
                        GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIHighScoresWindow() override;

    void Update() override;
    void Show(std::uint32_t opener, const GameFramework::HighScoreEntry* newEntry) override;
    void Hide() override;

    GUIControl* GetButton() const { return button_; }
    // The entries printed in the last frame.
    std::uint32_t GetPrintedEntries() const { return printedEntries_; }
    const std::string& GetButtonCaptionKey() const;

private:
    void FitNames();
    void Answer();
    void PrintEntries();

    GameFramework::ProfileManagerBase* profileManager_;
    GUIControl* button_;
    OrrelayEngine::GUIWindow* columns_[3];
    std::uint32_t printedEntries_ = 0;
    std::wstring line_;
    // The entries' names as they fit beside their scores, made at Show.
    std::vector<std::wstring> names_;
};

} // namespace Tansywell
