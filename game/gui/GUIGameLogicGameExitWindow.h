// The question before the program is quit from a level: yes answers 22 at
// once, no resumes the level (19).
#pragma once

#include <memory>

#include "framework/gui/GUIGameLogicGameExitWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameLogicQuestion;

class GUIGameLogicGameExitWindow : public GameFramework::GUIGameLogicGameExitWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultYes = 22;
    static constexpr std::uint32_t kResultNo = 19;

    GUIGameLogicGameExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameLogicGameExitWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIGameLogicQuestion* GetQuestion() const { return question_.get(); }

private:
    std::unique_ptr<GUIGameLogicQuestion> question_;
};

} // namespace Tansywell
