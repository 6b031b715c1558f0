// The framework's side of the question before a level is left from the in-game
// menu: only the result code, which the derived screen sets and the game base
// reads and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIGameLogicMenuExitWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
