#include "framework/gui/GUIGameCompleteWindowBase.h"

namespace GameFramework {

GUIGameCompleteWindowBase::GUIGameCompleteWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIGameCompleteWindowBase::~GUIGameCompleteWindowBase() = default;

void GUIGameCompleteWindowBase::Update()
{
    result_ = 0;
}

void GUIGameCompleteWindowBase::Show()
{}

void GUIGameCompleteWindowBase::Hide()
{}

} // namespace GameFramework
