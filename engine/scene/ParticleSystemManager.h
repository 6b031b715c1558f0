// Makes particle systems (from a file, in code, or as copies) and steps the
// registered ones once per frame, after the cameras and before the sprite
// groups are rebuilt. Only copies are registered; templates belong to their
// creators. Systems put on the hide-when-done list are hidden once their
// effect has finished (no longer emitting, no particle alive).
#pragma once

#include <string>
#include <vector>

#include "engine/core/ObjectManager.h"
#include "engine/scene/ParticleSystem.h"

namespace OrrelayEngine {

class ParticleSystemManager
{
public:
    ParticleSystemManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                          ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager);
    virtual ~ParticleSystemManager();
    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    ParticleSystem* CreateSelfMade(Camera* camera);
    // A file that cannot be read gives the default system; the reader has
    // logged why.
    ParticleSystem* LoadParticleSystem(const std::string& fileName, Camera* camera);
    ParticleSystem* CreateCopy(const ParticleSystem* source);
    // Null or a system not registered here: nothing happens.
    void DeleteParticleSystem(ParticleSystem* system);
    void HideWhenDone(ParticleSystem* system);
    void UpdateAll();

    std::uint32_t GetSystemCount() const { return systems_.GetCount(); }
    std::uint32_t GetHideWhenDoneCount() const { return static_cast<std::uint32_t>(hideWhenDone_.size()); }

private:
    MessageManager* log_;
    FileManager* fileManager_;
    TimerManager* timerManager_;
    ShaderManager* shaderManager_;
    SpriteGroupManager* spriteGroupManager_;
    ObjectManager<ParticleSystem> systems_;
    std::vector<ParticleSystem*> hideWhenDone_;
};

} // namespace OrrelayEngine
