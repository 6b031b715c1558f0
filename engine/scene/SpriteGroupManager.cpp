#include "engine/scene/SpriteGroupManager.h"

namespace OrrelayEngine {

SpriteGroupManager::SpriteGroupManager(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                                       ModelManager* modelManager)
    : log_(log), cameraManager_(cameraManager), shaderManager_(shaderManager), modelManager_(modelManager)
{}

SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(std::uint32_t spriteCount, const ShaderDescriptor* descriptor,
                                                   Camera* camera)
{
    return new SpriteGroup(log_, cameraManager_, modelManager_, shaderManager_, spriteCount, descriptor, camera);
}

SpriteGroup* SpriteGroupManager::CreateRegisteredSpriteGroup(std::uint32_t spriteCount,
                                                             const ShaderDescriptor* descriptor, Camera* camera)
{
    SpriteGroup* group = CreateSpriteGroup(spriteCount, descriptor, camera);
    groups_.Add(group);
    return group;
}

SpriteGroup* SpriteGroupManager::CreateCopy(const SpriteGroup* source, bool copySprites)
{
    if (source == nullptr) {
        return nullptr;
    }
    SpriteGroup* group = new SpriteGroup(*source, copySprites);
    groups_.Add(group);
    return group;
}

void SpriteGroupManager::DeleteSpriteGroup(SpriteGroup* group)
{
    if (groups_.Remove(group)) {
        delete group;
    }
}

void SpriteGroupManager::UpdateAll()
{
    for (SpriteGroup* group : groups_.GetSlots()) {
        if (group != nullptr) {
            group->Build();
        }
    }
}

} // namespace OrrelayEngine
