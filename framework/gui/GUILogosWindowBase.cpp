#include "framework/gui/GUILogosWindowBase.h"

#include "engine/core/Engine.h"

namespace GameFramework {

GUILogosWindowBase::GUILogosWindowBase(OrrelayEngine::Engine* engine)
    : engine_(engine), log_(engine->GetMessageManager()), timers_(engine->GetTimerManager())
{}

GUILogosWindowBase::~GUILogosWindowBase() = default;

void GUILogosWindowBase::Update()
{
    result_ = 0;
}

void GUILogosWindowBase::Show()
{}

void GUILogosWindowBase::Hide()
{}

} // namespace GameFramework
