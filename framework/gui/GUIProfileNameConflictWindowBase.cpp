#include "framework/gui/GUIProfileNameConflictWindowBase.h"

namespace GameFramework {

GUIProfileNameConflictWindowBase::GUIProfileNameConflictWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIProfileNameConflictWindowBase::~GUIProfileNameConflictWindowBase() = default;

void GUIProfileNameConflictWindowBase::Update()
{
    result_ = 0;
}

void GUIProfileNameConflictWindowBase::Show(std::uint32_t opener)
{
    opener_ = opener;
}

void GUIProfileNameConflictWindowBase::Hide()
{}

} // namespace GameFramework
