// The screen of a lost level: two lines and a continue button, which closes
// the frame and brings the menu background in; once it has come the screen
// answers 1.
#pragma once

#include "framework/gui/GUIGameOverWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace Tansywell {

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultDone = 1;

    GUIGameOverWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                      GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIGameOverWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIControl* GetButton() const { return button_; }
    bool IsLeaving() const { return leaving_; }

private:
    GUIControl* button_;
    bool leaving_ = false;
};

} // namespace Tansywell
