#include "framework/gui/GUIGameOverWindowBase.h"

namespace GameFramework {

GUIGameOverWindowBase::GUIGameOverWindowBase(OrrelayEngine::Engine* engine, std::uint32_t value)
    : engine_(engine), value_(value)
{}

GUIGameOverWindowBase::~GUIGameOverWindowBase() = default;

void GUIGameOverWindowBase::Update()
{
    result_ = 0;
}

void GUIGameOverWindowBase::Show()
{}

void GUIGameOverWindowBase::Hide()
{}

} // namespace GameFramework
