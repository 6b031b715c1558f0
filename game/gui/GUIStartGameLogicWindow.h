// The stage map: the campaign's places (start, check points, finish) joined by
// path pieces over the menu background. The player picks any level up to the
// one the current profile has reached, by a click or a double click, and
// starts it; the path ahead of the reached place blinks. Answers 3 (back to
// the main menu) or 23 (start the chosen level).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/LevelPosition.h"
#include "framework/gui/GUIStartGameLogicWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace OrrelayEngine {
class FileManager;
class GUIButton;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {
class LevelManagerBase;
class ProfileBase;
class ProfileManagerBase;
} // namespace GameFramework

namespace GameTools {
class GUIDoubleClickDetecter;
}

namespace Tansywell {

class GUIMapElement;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultBack = 3;
    static constexpr std::uint32_t kResultStart = 23;

    // The map file is read here; a damaged one is fatal (it is the game's own data).
    GUIStartGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                            GUIMenuWindowManager* manager, GameFramework::LevelManagerBase* levels,
                            GameFramework::ProfileManagerBase* profiles, OrrelayEngine::GUIWindow* parent);
    ~GUIStartGameLogicWindow() override;

    void Update() override;
    void Show(std::uint32_t opener) override;
    void Hide() override;

    // Chooses the level to start, within what the current profile has reached.
    void Select(std::uint32_t stage, std::uint32_t level);

    // The map's own advance flag: the walk to a newly opened stage, set by the
    // game when a stage is complete; cleared once the walk has arrived.
    void SetAdvance(bool advance) { advance_ = advance; }
    bool IsAdvancing() const { return advance_; }
    const std::vector<std::unique_ptr<GUIMapElement>>& GetElements() const { return elements_; }
    GUIControl* GetBackButton() const { return backButton_; }
    GUIControl* GetStartButton() const { return startButton_; }
    bool IsRevealRunning() const { return revealRunning_; }

private:
    GameFramework::ProfileBase* CurrentProfile() const;
    GameFramework::LevelPosition ReachedPosition() const;
    // The last element at or before the position, in file order; the first
    // element when the position lies before every element.
    std::size_t ElementAtOrBefore(const GameFramework::LevelPosition& position) const;
    std::size_t FirstOfStage(std::uint32_t stage) const;
    void MarkAll();
    void PrintButtonTexts();
    void WalkElements();
    void Reveal(float frameSeconds);
    // One pass of the reveal, walking on from the start element.
    void RevealPass(std::size_t start, float t, bool fadeIn);

    [[maybe_unused]] GameFramework::LevelManagerBase* levels_;
    GameFramework::ProfileManagerBase* profiles_;
    [[maybe_unused]] OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::MessageManager* log_;
    GUIControl* backButton_ = nullptr;
    GUIControl* startButton_ = nullptr;
    std::unique_ptr<GameTools::GUIDoubleClickDetecter> detecter_;
    std::uint32_t stageCount_ = 0;
    std::vector<std::unique_ptr<GUIMapElement>> elements_;
    bool advance_ = false;
    bool revealRunning_ = false;
    float revealTimer_ = 0.0f;
};

} // namespace Tansywell
