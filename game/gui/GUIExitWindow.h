// The quit question, asked from the welcome dialog, the main menu and the
// new-profile dialog. YES first closes the dialog with its normal fade and
// closing animations and only then asks the game to end; NO goes back to the
// screen that asked.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/gui/GUIExitWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
} // namespace GameFramework

namespace Tansywell {

class GUIExitWindow : public GameFramework::GUIExitWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultQuit = 22;

    GUIExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                  GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIExitWindow() override;

    void Update() override;
    void Show(std::uint32_t opener) override;
    void Hide() override;

private:
    std::unique_ptr<GUIControl> yes_;
    std::unique_ptr<GUIControl> no_;
    bool quitting_ = false;
};

} // namespace Tansywell
