// The framework's side of the question whether to continue the game under way:
// only the result code, which the derived screen sets and the game base reads
// and clears.
#pragma once

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIContinueGameLogicWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show() {}
};

} // namespace GameFramework
