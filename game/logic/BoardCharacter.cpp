#include "game/logic/BoardCharacter.h"

namespace Tansywell {

BoardCharacter::BoardCharacter() = default;

BoardCharacter::~BoardCharacter() = default;

} // namespace Tansywell
