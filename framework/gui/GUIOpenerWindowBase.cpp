#include "framework/gui/GUIOpenerWindowBase.h"

namespace GameFramework {

void GUIOpenerWindowBase::Show(std::uint32_t opener)
{
    opener_ = opener;
}

} // namespace GameFramework
