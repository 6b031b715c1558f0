#include "framework/gui/GUIGameOverWindowBase.h"

namespace GameFramework {

GUIGameOverWindowBase::GUIGameOverWindowBase(OrrelayEngine::Engine* engine, std::uint32_t value)
    : GUIWindowBase(engine), value_(value)
{}

} // namespace GameFramework
