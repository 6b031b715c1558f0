// The framework's side of the screen telling that a profile name is taken: the
// result code, and the value Show received telling which screen opened it
// (3 the new-profile screen, 4 the rename screen).
#pragma once

#include "framework/gui/GUIOpenerWindowBase.h"

namespace GameFramework {

class GUIProfileNameConflictWindowBase : public GUIOpenerWindowBase
{
public:
    using GUIOpenerWindowBase::GUIOpenerWindowBase;
};

} // namespace GameFramework
