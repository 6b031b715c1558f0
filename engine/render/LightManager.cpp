#include "engine/render/LightManager.h"

#include <algorithm>

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

namespace OrrelayEngine {

LightManager::LightManager(MessageManager* log, RenderSystem* renderSystem) : log_(log), renderSystem_(renderSystem)
{}

LightManager::~LightManager()
{
    freeIds_.clear();
    for (std::uint32_t id : usedIds_) {
        lights_[id].reset();
    }
    usedIds_.clear();
    lights_.clear();
}

std::unique_ptr<Light> LightManager::MakeLight(std::uint32_t deviceIndex) const
{
    return renderSystem_->CreateLight(deviceIndex);
}

std::uint32_t LightManager::FindFreeDeviceIndex() const
{
    std::uint32_t index = 0;
    for (;;) {
        const bool taken = std::any_of(usedIds_.begin(), usedIds_.end(),
                                       [&](std::uint32_t id) { return lights_[id]->GetDeviceIndex() == index; });
        if (!taken) {
            return index;
        }
        ++index;
    }
}

Light* LightManager::CreateLight()
{
    const std::uint32_t deviceIndex = FindFreeDeviceIndex();
    std::uint32_t id = static_cast<std::uint32_t>(lights_.size());
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    usedIds_.push_back(id);
    if (id == lights_.size()) {
        lights_.emplace_back();
    }
    lights_[id] = MakeLight(deviceIndex);
    return lights_[id].get();
}

void LightManager::DeleteLight(Light* light)
{
    if (light == nullptr) {
        return;
    }
    auto used =
        std::find_if(usedIds_.begin(), usedIds_.end(), [&](std::uint32_t id) { return lights_[id].get() == light; });
    if (used == usedIds_.end()) {
        return;
    }
    const std::uint32_t id = *used;
    lights_[id].reset();
    freeIds_.push_back(id);
    usedIds_.erase(used);
}

Light* LightManager::GetLight(std::uint32_t id) const
{
    return id < lights_.size() ? lights_[id].get() : nullptr;
}

void LightManager::ApplyAll()
{
    renderSystem_->SetAmbientColor(ambient_);
    for (std::uint32_t id : usedIds_) {
        lights_[id]->Refresh();
    }
}

void LightManager::SetLighting(bool on)
{
    renderSystem_->SetLighting(on);
}

} // namespace OrrelayEngine
