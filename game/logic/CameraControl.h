// The board camera: it circles the centre of the board in play, blending
// between a flat overhead view and a tilted one that the board's camera file
// describes, switched with the 2D/3D buttons or moved between by the mouse
// wheel; the right mouse button turns the board. A level begins with a swing
// in and a won level ends with a swing out. The chosen view is kept in the
// configuration (g_camera_type, g_camera_value), which the game registers, so
// that it carries over to the next level and the next run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/Vector3.h"
#include "game/gui/HudCamera.h"

namespace OrrelayEngine {
class Camera;
class Config;
class Controls;
class Engine;
class FileManager;
class MessageManager;
class TimerManager;
} // namespace OrrelayEngine

namespace GameTools {
class GameCamera;
}

namespace Tansywell {

class Board;
struct GameLevelRecord;

class CameraControl : public HudCamera
{
public:
    enum CameraType : std::uint32_t
    {
        kTypeFlat = 0,
        kTypeTilted = 1,
        kTypeFree = 2
    };

    static constexpr float kNearPlane = 50.0f;
    static constexpr float kFarPlane = 2000.0f;
    static constexpr float kSwingSpeed = 0.45f;
    // A full switch between the two views takes half a second.
    static constexpr float kTypeBlendSpeed = 2.0f;
    static constexpr float kWheelStep = 0.15f;
    static constexpr float kWheelBlendSpeed = 1.0f;
    static constexpr float kDragSpeed = 0.01f;
    static constexpr float kSwingHeight = 75.0f;
    static constexpr float kSwingDistance = 1.5f;
    static constexpr char kTypeVariable[] = "g_camera_type";
    static constexpr char kValueVariable[] = "g_camera_value";

    // Reads "data\boards\<camera name>.ini"; a file that cannot be read is
    // fatal, with the file error's message in the log.
    CameraControl(OrrelayEngine::Engine* engine, const GameLevelRecord* level, const Board* board);
    ~CameraControl() override;

    CameraControl(const CameraControl&) = delete;
    CameraControl& operator=(const CameraControl&) = delete;

    void StartSwingIn();
    void StartSwingOut();
    bool IsSwingInRunning() const { return swingIn_ != 0; }
    bool IsSwingOutRunning() const { return swingOut_ != 0; }
    // The tutorial; 0 flat, 1 tilted, 2 free.
    void SetCameraType(std::uint32_t type);
    std::uint32_t GetCameraType() const { return cameraType_; }
    // The head-up display's view button: the camera types are its states.
    std::uint32_t GetCameraState() const override { return cameraType_; }
    float GetCameraBlend() const override { return blend_; }
    void SetCameraType(bool threeDimensional) override;
    float GetExtraAngle() const { return extraAngle_; }
    void SetExtraAngle(float angle) { extraAngle_ = angle; }
    // Once per frame while the level runs.
    void Update();

    const std::string& GetFileName() const { return fileName_; }
    float GetBlend() const { return blend_; }
    float GetWheelTarget() const { return wheelTarget_; }
    float GetStartAngle() const { return startAngle_; }
    float GetDragAngle() const { return dragAngle_; }
    float GetSwingProgress() const { return swingProgress_; }
    // The viewpoint's horizontal distance and height of the last update.
    float GetViewDistance() const { return viewDistance_; }
    float GetViewHeight() const { return viewHeight_; }
    GameTools::GameCamera* GetGameCamera() const { return gameCamera_.get(); }

private:
    void ReadCameraFile();
    void WriteValue();

    [[maybe_unused]] OrrelayEngine::Engine* engine_;
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::TimerManager* timerManager_;
    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::Config* config_;
    OrrelayEngine::Controls* controls_;
    std::string fileName_;
    const Board* board_;
    std::unique_ptr<GameTools::GameCamera> gameCamera_;
    OrrelayEngine::Camera* camera_ = nullptr;
    float flatHeight_ = 0.0f;
    float flatShift_ = 0.0f;
    float tiltedHeight_ = 0.0f;
    float tiltedShift_ = 0.0f;
    float tiltedDistance_ = 0.0f;
    float dragAngle_ = 0.0f;
    std::uint32_t cameraType_ = kTypeTilted;
    float blend_ = 1.0f;
    float wheelTarget_ = 1.0f;
    float startAngle_ = 0.0f;
    float extraAngle_ = 0.0f;
    std::uint8_t swingIn_ = 0;
    std::uint8_t swingOut_ = 0;
    float swingProgress_ = 0.0f;
    float viewDistance_ = 0.0f;
    float viewHeight_ = 0.0f;
    // The blend last written to g_camera_value, so that a still view writes nothing.
    float writtenValue_ = -1.0f;
};

} // namespace Tansywell
