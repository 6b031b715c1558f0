#include "framework/gui/GUIContinueGameLogicWindowBase.h"

namespace GameFramework {

GUIContinueGameLogicWindowBase::GUIContinueGameLogicWindowBase(OrrelayEngine::Engine* engine) : engine_(engine)
{}

GUIContinueGameLogicWindowBase::~GUIContinueGameLogicWindowBase() = default;

void GUIContinueGameLogicWindowBase::Update()
{
    result_ = 0;
}

void GUIContinueGameLogicWindowBase::Show()
{}

void GUIContinueGameLogicWindowBase::Hide()
{}

} // namespace GameFramework
