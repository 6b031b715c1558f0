// The framework's side of the game-over screen: the result code, and one value
// the derived screen gives its constructor and reads back itself.
#pragma once

#include <cstdint>

#include "framework/gui/GUIWindowBase.h"

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIGameOverWindowBase : public GUIWindowBase
{
public:
    explicit GUIGameOverWindowBase(OrrelayEngine::Engine* engine, std::uint32_t value = 0);

    virtual void Show() {}

    std::uint32_t GetValue() const { return value_; }

protected:
    std::uint32_t value_;
};

} // namespace GameFramework
