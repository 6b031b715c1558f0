// The framework's side of the question whether to continue the game under way:
// only the result code, which the derived screen sets and the game base reads
// and clears.
#pragma once

#include <cstdint>

namespace OrrelayEngine {
class Engine;
} // namespace OrrelayEngine

namespace GameFramework {

class GUIContinueGameLogicWindowBase
{
public:
    explicit GUIContinueGameLogicWindowBase(OrrelayEngine::Engine* engine);
    virtual ~GUIContinueGameLogicWindowBase();

    GUIContinueGameLogicWindowBase(const GUIContinueGameLogicWindowBase&) = delete;
    GUIContinueGameLogicWindowBase& operator=(const GUIContinueGameLogicWindowBase&) = delete;

    // Sets the result code to 0; the derived screen calls it first in its own.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    std::uint32_t GetResult() const { return result_; }
    void SetResult(std::uint32_t result) { result_ = result; }

protected:
    OrrelayEngine::Engine* engine_;
    std::uint32_t result_ = 0;
};

} // namespace GameFramework
