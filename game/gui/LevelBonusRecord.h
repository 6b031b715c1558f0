// What the head-up display and the level-complete screen share about the end
// of a won level: whether the mana bar has been handed to the results (the
// HUD's bar then empties), whether the energy bonus is being counted (the
// HUD's energy bar then runs down), and the energy fraction the HUD showed
// when the counting began, which caps the bonus.
#pragma once

namespace Tansywell {

struct LevelBonusRecord
{
    bool manaTaken = false;
    bool energyCounting = false;
    float storedEnergy = 0.0f;
};

} // namespace Tansywell
