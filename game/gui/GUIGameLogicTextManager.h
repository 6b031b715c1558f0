// The floating score texts of the level in play: the board adds one for every
// score it awards, and every frame (also while the level is paused) each text
// moves on and the dead ones are deleted, the rest keeping their order. The
// texts print on a window of the manager's own.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/logic/BoardScoreTexts.h"

namespace OrrelayEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace OrrelayEngine

namespace Tansywell {

class GUIGameLogicText;

class GUIGameLogicTextManager : public BoardScoreTexts
{
public:
    // In front of the head-up display's frame, behind the tutorial character.
    static constexpr std::int32_t kDepthOrder = 50;

    // The manager's window is made under parent (borrowed; may be null).
    GUIGameLogicTextManager(OrrelayEngine::Engine* engine, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicTextManager() override;

    // A text reading "+" and the score, centred at the point (GUI coordinates).
    void AddText(std::uint32_t score, const OrrelayEngine::Vector2& position) override;
    void Update();

    std::uint32_t GetTextCount() const { return static_cast<std::uint32_t>(texts_.size()); }
    const GUIGameLogicText& GetText(std::uint32_t index) const { return *texts_[index]; }
    OrrelayEngine::GUIWindow* GetWindow() const { return window_; }

private:
    OrrelayEngine::Engine* engine_;
    OrrelayEngine::GUIManager* guiManager_;
    OrrelayEngine::GUIWindow* window_;
    std::vector<std::unique_ptr<GUIGameLogicText>> texts_;
};

} // namespace Tansywell
