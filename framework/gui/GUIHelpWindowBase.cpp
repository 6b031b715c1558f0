#include "framework/gui/GUIHelpWindowBase.h"

namespace GameFramework {

GUIHelpWindowBase::GUIHelpWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIHelpWindowBase::~GUIHelpWindowBase() = default;

void GUIHelpWindowBase::Update()
{
    result_ = 0;
}

void GUIHelpWindowBase::Show()
{}

void GUIHelpWindowBase::Hide()
{}

} // namespace GameFramework
