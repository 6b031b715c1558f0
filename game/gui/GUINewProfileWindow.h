// The dialog that makes a new profile: OK (or ENTER) makes it unless the name
// is taken, which leads to the name-conflict notice. The other button goes
// back to the profile list, or, when no profile is left to go back to, reads
// EXIT and asks whether to quit.
#pragma once

#include <cstdint>

#include "framework/gui/GUINewProfileWindowBase.h"
#include "game/gui/GUIMenuWindow.h"
#include "game/gui/ProfileNameForm.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultProfiles = 5;
    static constexpr std::uint32_t kResultNameConflict = 9;
    static constexpr std::uint32_t kResultExit = 4;

    GUINewProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                        GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                        GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUINewProfileWindow() override;

    void Update() override;
    // clearName empties the edit box; back from the name-conflict notice the
    // typed name stays.
    void Show(bool clearName) override;
    void Hide() override;

private:
    ProfileNameForm form_;
    bool noProfiles_ = false;
};

} // namespace Tansywell
