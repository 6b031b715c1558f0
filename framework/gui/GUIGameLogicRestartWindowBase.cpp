#include "framework/gui/GUIGameLogicRestartWindowBase.h"

namespace GameFramework {

GUIGameLogicRestartWindowBase::GUIGameLogicRestartWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIGameLogicRestartWindowBase::~GUIGameLogicRestartWindowBase() = default;

void GUIGameLogicRestartWindowBase::Update()
{
    result_ = 0;
}

void GUIGameLogicRestartWindowBase::Show()
{}

void GUIGameLogicRestartWindowBase::Hide()
{}

} // namespace GameFramework
