// The framework's side of the question before the program is quit from a
// level: only the result code, which the derived screen sets and the game base
// reads and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIGameLogicGameExitWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
