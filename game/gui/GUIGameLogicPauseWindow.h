// The pause screen over a level: a small window saying the game is paused,
// with one button that resumes it (result 19).
#pragma once

#include "framework/gui/GUIGameLogicPauseWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameLogicPauseWindow : public GameFramework::GUIGameLogicPauseWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultResume = 19;

    GUIGameLogicPauseWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                            GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicPauseWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIControl* GetResume() const { return resume_; }

private:
    GUIControl* resume_;
};

} // namespace Tansywell
