// The framework's side of the question before the program is quit: the result
// code, and the value Show received telling which screen opened it (1 the
// welcome screen, 2 the main menu, 3 the new-profile screen).
#pragma once

#include "framework/gui/GUIOpenerWindowBase.h"

namespace GameFramework {

class GUIExitWindowBase : public GUIOpenerWindowBase
{
public:
    using GUIOpenerWindowBase::GUIOpenerWindowBase;
};

} // namespace GameFramework
