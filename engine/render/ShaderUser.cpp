#include "engine/render/ShaderUser.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Shader.h"

namespace OrrelayEngine {

ShaderUser::ShaderUser(MessageManager* /*log*/, TimerManager* timerManager, Shader* shader,
                       const ShaderDescriptor& descriptor)
    : ShaderDescriptor(descriptor), timerManager_(timerManager), shader_(shader)
{
    for (std::uint32_t stage = 0; stage < GetStageCount(); ++stage) {
        const ShaderStage& record = GetStage(stage);
        if ((record.flags & ShaderStage::kFlagRandomStart) != 0) {
            framePosition_[stage] = RandomFloatRange(0.0f, static_cast<float>(record.frameCount));
        }
    }
    if (shader_ != nullptr) {
        shader_->AddUser();
    }
}

ShaderUser::~ShaderUser()
{
    if (shader_ != nullptr && shader_->RemoveUser() == 0) {
        delete shader_;
    }
}

void ShaderUser::Update()
{
    Update(timerManager_ != nullptr ? timerManager_->GetFrameTime() : 0.0f);
}

void ShaderUser::Update(float frameTimeSeconds)
{
    for (std::uint32_t stage = 0; stage < GetStageCount(); ++stage) {
        GetStage(stage).UpdateAnimation(framePosition_[stage], frameTimeSeconds);
    }
}

void ShaderUser::Apply() const
{
    if (shader_ != nullptr) {
        shader_->Apply(*this);
    }
}

float ShaderUser::GetFramePosition(std::uint32_t stage) const
{
    return stage < kMaxStages ? framePosition_[stage] : 0.0f;
}

void ShaderUser::SetFramePosition(std::uint32_t stage, float frame)
{
    if (stage < kMaxStages) {
        framePosition_[stage] = frame;
    }
}

} // namespace OrrelayEngine
