// Where the board shows the points a destroyed item or an opened cell earned:
// a floating text starting at a point in GUI coordinates. The board calls it
// only when it was given one.
#pragma once

#include <cstdint>

#include "engine/core/Vector2.h"

namespace Tansywell {

class BoardScoreTexts
{
public:
    BoardScoreTexts();
    virtual ~BoardScoreTexts();

    BoardScoreTexts(const BoardScoreTexts&) = delete;
    BoardScoreTexts& operator=(const BoardScoreTexts&) = delete;

    virtual void AddText(std::uint32_t points, const OrrelayEngine::Vector2& guiPoint) = 0;
};

} // namespace Tansywell
