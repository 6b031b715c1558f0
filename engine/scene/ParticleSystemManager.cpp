#include "engine/scene/ParticleSystemManager.h"

#include <algorithm>

#include "engine/core/Error.h"

namespace OrrelayEngine {

ParticleSystemManager::ParticleSystemManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                                             ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager)
    : log_(log), fileManager_(fileManager), timerManager_(timerManager), shaderManager_(shaderManager),
      spriteGroupManager_(spriteGroupManager)
{}

ParticleSystemManager::~ParticleSystemManager() = default;

ParticleSystem* ParticleSystemManager::CreateSelfMade(Camera* camera)
{
    return new ParticleSystem(log_, fileManager_, timerManager_, shaderManager_, spriteGroupManager_, camera);
}

ParticleSystem* ParticleSystemManager::LoadParticleSystem(const std::string& fileName, Camera* camera)
{
    try {
        return new ParticleSystem(log_, fileManager_, timerManager_, shaderManager_, spriteGroupManager_, fileName,
                                  camera);
    } catch (const Error&) {
        return CreateSelfMade(camera);
    }
}

ParticleSystem* ParticleSystemManager::CreateCopy(const ParticleSystem* source)
{
    if (source == nullptr) {
        return nullptr;
    }
    ParticleSystem* system = new ParticleSystem(*source);
    systems_.Add(system);
    return system;
}

void ParticleSystemManager::DeleteParticleSystem(ParticleSystem* system)
{
    if (!systems_.Remove(system)) {
        return;
    }
    std::replace(hideWhenDone_.begin(), hideWhenDone_.end(), system, static_cast<ParticleSystem*>(nullptr));
    delete system;
}

void ParticleSystemManager::HideWhenDone(ParticleSystem* system)
{
    if (system != nullptr) {
        hideWhenDone_.push_back(system);
    }
}

void ParticleSystemManager::UpdateAll()
{
    for (ParticleSystem* system : systems_.GetSlots()) {
        if (system != nullptr) {
            system->Update();
        }
    }
    for (ParticleSystem*& system : hideWhenDone_) {
        if (system != nullptr && system->emitting == 0 && system->GetLiveCount() == 0) {
            system->SetVisible(false);
            system = nullptr;
        }
    }
    EraseNulls(hideWhenDone_);
}

} // namespace OrrelayEngine
