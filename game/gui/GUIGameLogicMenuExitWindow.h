// The question before the level is left for the main menu: yes closes the
// frame, brings the menu background in and answers 3 once the background has
// come; no goes back to the in-game menu (16).
#pragma once

#include "framework/gui/GUIGameLogicMenuExitWindowBase.h"
#include "game/gui/GUIGameLogicLeavingQuestion.h"

namespace Tansywell {

class GUIGameLogicMenuExitWindow
    : public GUIGameLogicLeavingQuestion<GameFramework::GUIGameLogicMenuExitWindowBase, 3, 16>
{
public:
    GUIGameLogicMenuExitWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                               GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
};

} // namespace Tansywell
