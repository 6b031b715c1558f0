// The offer of the relax mode (play without spending energy): YES switches
// it on in the current profile and saves the profile, NO leaves it; both
// answer 3. A game screen of its own, without a framework base: the game
// reads and clears its result code itself.
#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIRelaxWindow : public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultDone = 3;

    GUIRelaxWindow(OrrelayEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                   GameFramework::Mixer* mixer, const GameData* data, GUIMenuWindowManager* manager,
                   OrrelayEngine::GUIWindow* parent);
    ~GUIRelaxWindow() override;

    void Update() override;
    void Show();
    void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }
    std::uint32_t GetLineCount() const { return lineCount_; }

private:
    GameFramework::ProfileManagerBase* profiles_;
    std::unique_ptr<GUIControl> yes_;
    std::unique_ptr<GUIControl> no_;
    std::uint32_t lineCount_ = 0;
    std::uint32_t result_ = 0;
};

} // namespace Tansywell
