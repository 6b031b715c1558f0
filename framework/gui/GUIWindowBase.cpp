#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

GUIWindowBase::GUIWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIWindowBase::~GUIWindowBase() = default;

void GUIWindowBase::Update()
{
    result_ = 0;
}

void GUIWindowBase::Hide()
{}

} // namespace GameFramework
