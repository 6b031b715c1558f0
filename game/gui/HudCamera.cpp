#include "game/gui/HudCamera.h"

namespace Tansywell {

HudCamera::HudCamera() = default;

HudCamera::~HudCamera() = default;

} // namespace Tansywell
