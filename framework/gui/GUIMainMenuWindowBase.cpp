#include "framework/gui/GUIMainMenuWindowBase.h"

namespace GameFramework {

GUIMainMenuWindowBase::GUIMainMenuWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIMainMenuWindowBase::~GUIMainMenuWindowBase() = default;

void GUIMainMenuWindowBase::Update()
{
    result_ = 0;
}

void GUIMainMenuWindowBase::Show()
{}

void GUIMainMenuWindowBase::Hide()
{}

} // namespace GameFramework
