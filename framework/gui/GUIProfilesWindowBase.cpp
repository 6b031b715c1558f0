#include "framework/gui/GUIProfilesWindowBase.h"

namespace GameFramework {

GUIProfilesWindowBase::GUIProfilesWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : engine_(engine), profileManager_(profileManager)
{}

GUIProfilesWindowBase::~GUIProfilesWindowBase() = default;

void GUIProfilesWindowBase::Update()
{
    result_ = 0;
}

void GUIProfilesWindowBase::Show()
{}

void GUIProfilesWindowBase::Hide()
{}

} // namespace GameFramework
