// The question before the level is restarted: yes closes the frame, brings the
// menu background in and answers 13 once the background has come; no goes
// back to the in-game menu (16).
#pragma once

#include <memory>

#include "framework/gui/GUIGameLogicRestartWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameLogicQuestion;

class GUIGameLogicRestartWindow : public GameFramework::GUIGameLogicRestartWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultYes = 13;
    static constexpr std::uint32_t kResultNo = 16;

    GUIGameLogicRestartWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                              GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicRestartWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIGameLogicQuestion* GetQuestion() const { return question_.get(); }
    bool IsLeaving() const { return leaving_; }

private:
    std::unique_ptr<GUIGameLogicQuestion> question_;
    bool leaving_ = false;
};

} // namespace Tansywell
