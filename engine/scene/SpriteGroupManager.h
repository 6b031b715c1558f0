// Creates sprite groups and rebuilds the registered ones once per frame,
// after the particle systems have moved their particles and before the
// models are drawn. Registered groups belong to the manager; the others to
// their creators.
#pragma once

#include <cstdint>

#include "engine/core/ObjectManager.h"
#include "engine/scene/SpriteGroup.h"

namespace OrrelayEngine {

class SpriteGroupManager
{
public:
    SpriteGroupManager(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                       ModelManager* modelManager);
    virtual ~SpriteGroupManager();
    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    SpriteGroup* CreateSpriteGroup(std::uint32_t spriteCount, const ShaderDescriptor* descriptor, Camera* camera);
    SpriteGroup* CreateRegisteredSpriteGroup(std::uint32_t spriteCount, const ShaderDescriptor* descriptor,
                                             Camera* camera);
    SpriteGroup* CreateCopy(const SpriteGroup* source, bool copySprites);
    // Null or a group not registered here: nothing happens.
    void DeleteSpriteGroup(SpriteGroup* group);
    void UpdateAll();

    std::uint32_t GetGroupCount() const { return groups_.GetCount(); }

private:
    MessageManager* log_;
    CameraManager* cameraManager_;
    ShaderManager* shaderManager_;
    ModelManager* modelManager_;
    ObjectManager<SpriteGroup> groups_;
};

} // namespace OrrelayEngine
