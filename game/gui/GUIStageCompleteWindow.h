// A screen with nothing to show: in the first update after Show it answers 13
// (on to the next stage) or, after the last level of the game, 21 (the
// game-complete screen).
#pragma once

#include "framework/gui/GUIStageCompleteWindowBase.h"

namespace GameFramework {
class LevelManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase
{
public:
    static constexpr std::uint32_t kResultNextStage = 13;
    static constexpr std::uint32_t kResultGameComplete = 21;

    GUIStageCompleteWindow(OrrelayEngine::Engine* engine, GameFramework::LevelManagerBase* levelManager);
    ~GUIStageCompleteWindow() override;

    void Update() override;
    void Show(const GameFramework::LevelPosition& completed) override;

private:
    GameFramework::LevelManagerBase* levelManager_;
    bool answerPending_ = false;
};

} // namespace Tansywell
