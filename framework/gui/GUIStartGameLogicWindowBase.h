// The framework's side of the level chooser: the result code, and the value
// Show received telling where the screen was opened from (2 main menu, 6
// restart, 7 continue or new game, 8 after a level, 9 after a stage).
#pragma once

#include "framework/gui/GUIOpenerWindowBase.h"

namespace GameFramework {

class GUIStartGameLogicWindowBase : public GUIOpenerWindowBase
{
public:
    using GUIOpenerWindowBase::GUIOpenerWindowBase;
};

} // namespace GameFramework
