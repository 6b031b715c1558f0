#include "framework/gui/GUILogosWindowBase.h"

#include "engine/core/Engine.h"

namespace GameFramework {

GUILogosWindowBase::GUILogosWindowBase(OrrelayEngine::Engine* engine)
    : GUIWindowBase(engine), log_(engine->GetMessageManager()), timers_(engine->GetTimerManager())
{}

} // namespace GameFramework
