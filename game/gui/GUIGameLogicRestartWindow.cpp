#include "game/gui/GUIGameLogicRestartWindow.h"

namespace Tansywell {

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                                     const GameData* data, GUIMenuWindowManager* manager,
                                                     OrrelayEngine::GUIWindow* parent)
    : GUIGameLogicLeavingQuestion(engine, mixer, data, manager, parent, "GAME_LOGIC_EXIT_TITLE")
{}

} // namespace Tansywell
