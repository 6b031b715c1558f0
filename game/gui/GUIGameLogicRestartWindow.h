// The question before the level is restarted: yes closes the frame, brings the
// menu background in and answers 13 once the background has come; no goes
// back to the in-game menu (16).
#pragma once

#include "framework/gui/GUIGameLogicRestartWindowBase.h"
#include "game/gui/GUIGameLogicLeavingQuestion.h"

namespace Tansywell {

class GUIGameLogicRestartWindow
    : public GUIGameLogicLeavingQuestion<GameFramework::GUIGameLogicRestartWindowBase, 13, 16>
{
public:
    GUIGameLogicRestartWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                              GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent);
};

} // namespace Tansywell
