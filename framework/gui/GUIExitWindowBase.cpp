#include "framework/gui/GUIExitWindowBase.h"

namespace GameFramework {

GUIExitWindowBase::GUIExitWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIExitWindowBase::~GUIExitWindowBase() = default;

void GUIExitWindowBase::Update()
{
    result_ = 0;
}

void GUIExitWindowBase::Show(std::uint32_t opener)
{
    opener_ = opener;
}

void GUIExitWindowBase::Hide()
{}

} // namespace GameFramework
