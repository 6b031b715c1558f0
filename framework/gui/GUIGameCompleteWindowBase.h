// The framework's side of the screen shown when the whole game is complete:
// only the result code, which the derived screen sets and the game base reads
// and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIGameCompleteWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
