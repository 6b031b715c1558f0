// The help screen: the game's rules as one page of twelve lines, headings in
// a larger font, and a button back to the main menu.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/gui/GUIHelpWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class Mixer;
} // namespace GameFramework

namespace Tansywell {

class GUIHelpWindow : public GameFramework::GUIHelpWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultBack = 3;
    static constexpr std::uint32_t kLineCount = 12;

    GUIHelpWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                  GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
    ~GUIHelpWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    // Where each line is printed on the frame, top down.
    static float LineY(std::uint32_t line);
    static bool IsHeading(std::uint32_t line);

private:
    std::unique_ptr<GUIControl> back_;
};

} // namespace Tansywell
