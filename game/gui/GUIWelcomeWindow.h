// The first-run dialog, shown while no profile exists: the player types a
// name, OK (or ENTER) makes the profile and goes on to the main menu, EXIT
// asks whether to quit. A name already listed is taken as it is: the welcome
// dialog does not ask whether the name is used.
#pragma once

#include <cstdint>

#include "framework/gui/GUIWelcomeWindowBase.h"
#include "game/gui/GUIMenuWindow.h"
#include "game/gui/ProfileNameForm.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultMainMenu = 3;
    static constexpr std::uint32_t kResultExit = 4;

    GUIWelcomeWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                     GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                     GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIWelcomeWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

private:
    ProfileNameForm form_;
};

} // namespace Tansywell
