#include "game/gui/GUIGameLogicMenuExitWindow.h"

namespace Tansywell {

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                       const GameData* data, GUIMenuWindowManager* manager,
                                                       OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicLeavingQuestion(engine, mixer, data, manager, parent, "GAME_LOGIC_EXIT_TITLE")
{}

} // namespace Tansywell
