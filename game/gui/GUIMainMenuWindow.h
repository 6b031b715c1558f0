// The main menu: greets the current profile by name and offers the seven
// buttons that lead to every other screen. Each button only sets the result
// code; the game's result handlers change screens. The buttons react only
// once the menu has opened and stopped animating.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/gui/GUIMainMenuWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow
{
public:
    enum Button : std::uint32_t
    {
        kStart = 0,
        kHighScores,
        kOptions,
        kChangeProfile,
        kShowPlace,
        kCredits,
        kExit,
        kButtonCount
    };

    static constexpr std::uint32_t kResultStart = 23;
    static constexpr std::uint32_t kResultIntroduction = 25;
    static constexpr std::uint32_t kResultHighScores = 10;
    static constexpr std::uint32_t kResultOptions = 11;
    static constexpr std::uint32_t kResultChangeProfile = 5;
    static constexpr std::uint32_t kResultShowPlace = 24;
    static constexpr std::uint32_t kResultCredits = 12;
    static constexpr std::uint32_t kResultExit = 4;

    GUIMainMenuWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                      GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* manager,
                      OrrelayEngine::GUIWindow* parent);
    ~GUIMainMenuWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

private:
    std::uint32_t StartResult() const;

    GameFramework::ProfileManagerBase* profiles_;
    std::array<std::unique_ptr<GUIControl>, kButtonCount> buttons_;
};

} // namespace Tansywell
