// A camera driven by key frames: an animation player steps through frames that
// index two lists of keys (rotations and positions), and every Update writes
// the blended pose into the camera that was current when it was made. Holding
// puts the camera on a base pose until an animation is played again. The board
// camera fills the keys, sets the base pose and starts the animations.
//
// A frame past the end of a key list takes that list's last key, so a list
// shorter than the animation never reads outside its storage.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {
class AnimationControl;
class Camera;
class CameraManager;
class Config;
class Console;
class Controls;
class Engine;
class MessageManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameTools {

class GameCamera
{
public:
    explicit GameCamera(OrrelayEngine::Engine* engine);
    virtual ~GameCamera();

    GameCamera(const GameCamera&) = delete;
    GameCamera& operator=(const GameCamera&) = delete;

    void SetNearPlane(float distance);
    void SetFarPlane(float distance);
    void SetBasePose(const OrrelayEngine::Quaternion& rotation, const OrrelayEngine::Vector3& position);
    // Holds the camera on the base pose until an animation plays.
    void ResetToBasePose();
    // Once per frame.
    void Update();

    OrrelayEngine::AnimationControl* GetAnimationControl() const { return animation_.get(); }
    std::vector<OrrelayEngine::Quaternion>& GetRotationKeys() { return rotationKeys_; }
    std::vector<OrrelayEngine::Vector3>& GetPositionKeys() { return positionKeys_; }
    const OrrelayEngine::Quaternion& GetRotation() const { return rotation_; }
    const OrrelayEngine::Vector3& GetPosition() const { return position_; }
    bool IsHolding() const { return hold_ != 0; }
    // Null when no camera was current at construction.
    OrrelayEngine::Camera* GetCamera() const { return camera_; }

private:
    const OrrelayEngine::Quaternion& RotationKey(std::uint32_t frame) const;
    const OrrelayEngine::Vector3& PositionKey(std::uint32_t frame) const;

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timerManager_;
    [[maybe_unused]] OrrelayEngine::Config* config_;
    [[maybe_unused]] OrrelayEngine::CameraManager* cameraManager_;
    [[maybe_unused]] OrrelayEngine::Controls* controls_;
    // This program makes no console.
    [[maybe_unused]] OrrelayEngine::Console* console_ = nullptr;
    OrrelayEngine::Camera* camera_;
    std::unique_ptr<OrrelayEngine::AnimationControl> animation_;
    std::uint8_t hold_ = 0;
    OrrelayEngine::Quaternion baseRotation_;
    OrrelayEngine::Vector3 basePosition_;
    OrrelayEngine::Quaternion rotation_;
    OrrelayEngine::Vector3 position_;
    std::vector<OrrelayEngine::Quaternion> rotationKeys_;
    std::vector<OrrelayEngine::Vector3> positionKeys_;
};

} // namespace GameTools
