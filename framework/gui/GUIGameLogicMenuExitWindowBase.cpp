#include "framework/gui/GUIGameLogicMenuExitWindowBase.h"

namespace GameFramework {

GUIGameLogicMenuExitWindowBase::GUIGameLogicMenuExitWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIGameLogicMenuExitWindowBase::~GUIGameLogicMenuExitWindowBase() = default;

void GUIGameLogicMenuExitWindowBase::Update()
{
    result_ = 0;
}

void GUIGameLogicMenuExitWindowBase::Show()
{}

void GUIGameLogicMenuExitWindowBase::Hide()
{}

} // namespace GameFramework
