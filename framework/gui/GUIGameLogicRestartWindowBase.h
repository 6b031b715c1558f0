// The framework's side of the question before a level is restarted: only the
// result code, which the derived screen sets and the game base reads and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIGameLogicRestartWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
