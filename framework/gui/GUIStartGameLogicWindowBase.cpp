#include "framework/gui/GUIStartGameLogicWindowBase.h"

namespace GameFramework {

GUIStartGameLogicWindowBase::GUIStartGameLogicWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIStartGameLogicWindowBase::~GUIStartGameLogicWindowBase() = default;

void GUIStartGameLogicWindowBase::Update()
{
    result_ = 0;
}

void GUIStartGameLogicWindowBase::Show(std::uint32_t opener)
{
    opener_ = opener;
}

void GUIStartGameLogicWindowBase::Hide()
{}

} // namespace GameFramework
