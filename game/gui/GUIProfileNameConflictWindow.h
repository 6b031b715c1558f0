// The notice that a profile name is taken: two lines and OK (or ENTER), which
// goes back to the dialog that opened it, the new-profile or the rename one.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/gui/GUIProfileNameConflictWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
} // namespace GameFramework

namespace Tansywell {

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kOpenerNewProfile = 3;
    static constexpr std::uint32_t kResultNewProfile = 6;
    static constexpr std::uint32_t kResultRename = 7;

    GUIProfileNameConflictWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                                 GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIProfileNameConflictWindow() override;

    void Update() override;
    void Show(std::uint32_t opener) override;
    void Hide() override;

private:
    std::unique_ptr<GUIControl> ok_;
};

} // namespace Tansywell
