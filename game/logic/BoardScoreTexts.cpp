#include "game/logic/BoardScoreTexts.h"

namespace Tansywell {

BoardScoreTexts::BoardScoreTexts() = default;

BoardScoreTexts::~BoardScoreTexts() = default;

} // namespace Tansywell
