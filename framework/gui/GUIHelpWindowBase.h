// The framework's side of the help screen: only the result code, which the
// derived screen sets and the game base reads and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIHelpWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
