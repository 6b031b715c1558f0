// The introduction shown before a profile's first game: pages of up to twelve
// lines that the player turns with one button, the old page fading out and
// the new one in; after the last page the screen answers 23, the start of a
// game. A game screen of its own, without a framework base: the game reads
// and clears its result code itself.
#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
} // namespace GameFramework

namespace Tansywell {

class GUIIntroductionWindow : public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultStartGame = 23;
    static constexpr std::uint32_t kLinesPerPage = 12;

    GUIIntroductionWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                          GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIIntroductionWindow() override;

    void Update() override;
    void Show();
    void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }
    std::uint32_t GetPageCount() const { return pageCount_; }
    std::uint32_t GetShownPage() const { return shownPage_; }

private:
    void FadePages(float frameSeconds);
    void PrintPage();

    std::unique_ptr<GUIControl> continue_;
    std::uint32_t result_ = 0;
    std::uint32_t lineCount_ = 0;
    std::uint32_t pageCount_ = 0;
    std::uint32_t currentPage_ = 0;
    std::uint32_t shownPage_ = 0;
    float textAlpha_ = 1.0f;
};

} // namespace Tansywell
