#include "game/logic/ShadowManager.h"

#include "game/logic/Shadow.h"

namespace Tansywell {

ShadowManager::ShadowManager(OrrelayEngine::Engine* engine, const GameData* gameData)
    : engine_(engine), gameData_(gameData)
{}

ShadowManager::~ShadowManager() = default;

void ShadowManager::Attach(const Item* item)
{
    for (const std::unique_ptr<Shadow>& shadow : shadows_) {
        if (shadow->GetItem() == nullptr) {
            shadow->SetItem(item);
            return;
        }
    }
    shadows_.push_back(std::make_unique<Shadow>(engine_, gameData_, groundHeight_));
    shadows_.back()->SetItem(item);
}

void ShadowManager::Release(const Item* item)
{
    if (Shadow* shadow = FindShadow(item))
        shadow->SetItem(nullptr);
}

void ShadowManager::UpdateAll()
{
    for (const std::unique_ptr<Shadow>& shadow : shadows_)
        shadow->Update();
}

Shadow* ShadowManager::FindShadow(const Item* item) const
{
    if (item == nullptr)
        return nullptr;
    for (const std::unique_ptr<Shadow>& shadow : shadows_) {
        if (shadow->GetItem() == item)
            return shadow.get();
    }
    return nullptr;
}

} // namespace Tansywell
