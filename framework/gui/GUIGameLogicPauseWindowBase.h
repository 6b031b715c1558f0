// The framework's side of the pause screen shown over a level: only the result
// code, which the derived screen sets and the game base reads and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIGameLogicPauseWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
