// The question before a profile is deleted: three lines naming the profile,
// YES deletes it and goes back to the profile list (or, when no profile is
// left, on to the new-profile dialog), NO goes back without deleting.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/gui/GUIDeleteProfileWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultProfiles = 5;
    static constexpr std::uint32_t kResultNewProfile = 6;
    static constexpr std::uint32_t kLineCount = 3;

    GUIDeleteProfileWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                           GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                           GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIDeleteProfileWindow() override;

    void Update() override;
    void Show(const std::wstring& name) override;
    void Hide() override;

    // A line as printed, the profile's name put in.
    const std::wstring& GetLine(std::uint32_t line) const { return lines_[line]; }

private:
    std::unique_ptr<GUIControl> yes_;
    std::unique_ptr<GUIControl> no_;
    // Made at Show: a frame prints them and must not allocate.
    std::array<std::wstring, kLineCount> lines_;
};

} // namespace Tansywell
