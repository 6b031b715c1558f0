#include "tools/GameCamera.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/AnimationControl.h"

namespace GameTools {

using namespace OrrelayEngine;

namespace {

// The player indexes keys of its own; one frame until the keys are filled.
constexpr std::uint32_t kInitialFrameCount = 1;

} // namespace

GameCamera::GameCamera(Engine* engine)
    : engine_(engine), log_(engine->GetMessageManager()), timerManager_(engine->GetTimerManager()),
      config_(engine->GetConfig()), cameraManager_(engine->GetCameraManager()), controls_(engine->GetControls()),
      camera_(cameraManager_->GetCurrentCamera()),
      animation_(std::make_unique<AnimationControl>(log_, timerManager_, kInitialFrameCount))
{
    rotationKeys_.push_back(Quaternion(0.0f, 0.0f, 0.0f, 1.0f));
    positionKeys_.push_back(Vector3(0.0f, 0.0f, 0.0f));
    baseRotation_ = rotationKeys_.front();
    basePosition_ = positionKeys_.front();
    rotation_ = baseRotation_;
    position_ = basePosition_;
}

GameCamera::~GameCamera() = default;

void GameCamera::SetNearPlane(float distance)
{
    if (camera_ != nullptr) {
        camera_->nearDistance = distance;
    }
}

void GameCamera::SetFarPlane(float distance)
{
    if (camera_ != nullptr) {
        camera_->farDistance = distance;
    }
}

void GameCamera::SetBasePose(const Quaternion& rotation, const Vector3& position)
{
    baseRotation_ = rotation;
    basePosition_ = position;
}

void GameCamera::ResetToBasePose()
{
    hold_ = 1;
    rotation_ = baseRotation_;
    position_ = basePosition_;
}

void GameCamera::Update()
{
    const bool wasPlaying = animation_->playing != 0;
    animation_->Update();
    if (hold_ == 0 || wasPlaying) {
        hold_ = 0;
        const std::uint32_t current = animation_->currentFrame;
        const std::uint32_t next = animation_->nextFrame;
        const float t = animation_->blend;
        rotation_ = QuaternionSlerp(RotationKey(current), RotationKey(next), t);
        position_ = PositionKey(current) * (1.0f - t) + PositionKey(next) * t;
    } else {
        rotation_ = baseRotation_;
        position_ = basePosition_;
    }
    if (camera_ != nullptr) {
        camera_->rotation = rotation_;
        camera_->SetPosition(position_);
    }
}

const Quaternion& GameCamera::RotationKey(std::uint32_t frame) const
{
    if (rotationKeys_.empty()) {
        return baseRotation_;
    }
    return frame < rotationKeys_.size() ? rotationKeys_[frame] : rotationKeys_.back();
}

const Vector3& GameCamera::PositionKey(std::uint32_t frame) const
{
    if (positionKeys_.empty()) {
        return basePosition_;
    }
    return frame < positionKeys_.size() ? positionKeys_[frame] : positionKeys_.back();
}

} // namespace GameTools
