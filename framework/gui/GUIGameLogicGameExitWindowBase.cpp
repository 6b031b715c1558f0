#include "framework/gui/GUIGameLogicGameExitWindowBase.h"

namespace GameFramework {

GUIGameLogicGameExitWindowBase::GUIGameLogicGameExitWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIGameLogicGameExitWindowBase::~GUIGameLogicGameExitWindowBase() = default;

void GUIGameLogicGameExitWindowBase::Update()
{
    result_ = 0;
}

void GUIGameLogicGameExitWindowBase::Show()
{}

void GUIGameLogicGameExitWindowBase::Hide()
{}

} // namespace GameFramework
