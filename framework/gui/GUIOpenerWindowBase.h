// The framework's side of a screen that remembers which screen opened it: the
// value Show received, beside the result code (the quit question, the
// taken-name notice and the level chooser).
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace GameFramework {

class GUIOpenerWindowBase : public GUIWindowBase
{
public:
    using GUIWindowBase::GUIWindowBase;

    virtual void Show(std::uint32_t opener);

    // Where the screen was opened from, as Show received it.
    std::uint32_t GetOpener() const { return opener_; }

protected:
    std::uint32_t opener_ = 0;
};

} // namespace GameFramework
