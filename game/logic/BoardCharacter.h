// What the board asks of the tutorial character: praise for a large
// combination, a word at the level's end, and going away when the level is
// lost. The board calls it only when it was given one.
#pragma once

#include <cstdint>

namespace Tansywell {

class BoardCharacter
{
public:
    BoardCharacter();
    virtual ~BoardCharacter();

    BoardCharacter(const BoardCharacter&) = delete;
    BoardCharacter& operator=(const BoardCharacter&) = delete;

    // level 0 (good) to 3 (best).
    virtual void RequestPraise(std::uint32_t level) = 0;
    virtual void SayLevelEnd() = 0;
    virtual void Dismiss() = 0;
};

} // namespace Tansywell
