#include "framework/gui/GUIGameLogicPauseWindowBase.h"

namespace GameFramework {

GUIGameLogicPauseWindowBase::GUIGameLogicPauseWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIGameLogicPauseWindowBase::~GUIGameLogicPauseWindowBase() = default;

void GUIGameLogicPauseWindowBase::Update()
{
    result_ = 0;
}

void GUIGameLogicPauseWindowBase::Show()
{}

void GUIGameLogicPauseWindowBase::Hide()
{}

} // namespace GameFramework
