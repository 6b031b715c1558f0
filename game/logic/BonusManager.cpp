#include "game/logic/BonusManager.h"

#include "game/logic/Bonus.h"

namespace Tansywell {

BonusManager::BonusManager(OrrelayEngine::Engine* engine, const GameData* gameData)
    : engine_(engine), gameData_(gameData)
{}

BonusManager::~BonusManager() = default;

Bonus* BonusManager::CreateBonus(std::uint32_t kind)
{
    bonuses_.push_back(std::make_unique<Bonus>(engine_, gameData_, kind));
    return bonuses_.back().get();
}

void BonusManager::DeleteBonus(Bonus* bonus)
{
    for (auto it = bonuses_.begin(); it != bonuses_.end(); ++it) {
        if (it->get() == bonus) {
            bonuses_.erase(it);
            return;
        }
    }
}

void BonusManager::Update()
{
    for (const std::unique_ptr<Bonus>& bonus : bonuses_)
        bonus->Update();
}

} // namespace Tansywell
