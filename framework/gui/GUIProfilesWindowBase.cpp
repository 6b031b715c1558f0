#include "framework/gui/GUIProfilesWindowBase.h"

namespace GameFramework {

GUIProfilesWindowBase::GUIProfilesWindowBase(OrrelayEngine::Engine* engine, ProfileManagerBase* profileManager)
    : GUIWindowBase(engine), profileManager_(profileManager)
{}

} // namespace GameFramework
