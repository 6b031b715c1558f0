// The dialog that renames a profile: OK (or ENTER) renames it unless another
// profile has the name, which leads to the name-conflict notice; CANCEL goes
// back to the profile list. The profile's own name is accepted as it is.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/GUIRenameProfileWindowBase.h"
#include "game/gui/GUIMenuWindow.h"
#include "game/gui/ProfileNameForm.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultProfiles = 5;
    static constexpr std::uint32_t kResultNameConflict = 9;

    GUIRenameProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                           GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                           GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIRenameProfileWindow() override;

    void Update() override;
    // takeName puts the profile's name into the edit box; back from the
    // name-conflict notice the typed name stays.
    void Show(bool takeName, const std::wstring& name) override;
    void Hide() override;

private:
    ProfileNameForm form_;
};

} // namespace Tansywell
