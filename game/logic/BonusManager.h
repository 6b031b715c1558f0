// Makes, steps and deletes the bonuses of one level; the item that carries a
// bonus holds a pointer to it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace OrrelayEngine {
class Engine;
}

namespace Tansywell {

class Bonus;
class GameData;

class BonusManager
{
public:
    BonusManager(OrrelayEngine::Engine* engine, const GameData* gameData);
    virtual ~BonusManager();

    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;

    // The caller stores the bonus in its item; the manager keeps owning it.
    Bonus* CreateBonus(std::uint32_t kind);
    // Null, or a bonus not in the list, changes nothing.
    void DeleteBonus(Bonus* bonus);
    // Once per frame while the level runs.
    void Update();

    std::uint32_t GetBonusCount() const { return static_cast<std::uint32_t>(bonuses_.size()); }
    Bonus* GetBonus(std::uint32_t index) const { return bonuses_[index].get(); }

private:
    OrrelayEngine::Engine* engine_;
    const GameData* gameData_;
    std::vector<std::unique_ptr<Bonus>> bonuses_;
};

} // namespace Tansywell
