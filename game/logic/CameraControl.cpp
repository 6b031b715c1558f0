#include "game/logic/CameraControl.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/FileError.h"
#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "game/GameLevelRecord.h"
#include "game/logic/Board.h"
#include "tools/GameCamera.h"

namespace Tansywell {

using namespace OrrelayEngine;

namespace {

constexpr float kHalfPi = 1.5707964f;
constexpr char kBoardsFolder[] = "data\\boards\\";
constexpr char kCameraExtension[] = ".ini";
constexpr std::uint32_t kValueDecimals = 6;

} // namespace

CameraControl::CameraControl(Engine* engine, const GameLevelRecord* level, const Board* board)
    : engine_(engine), log_(engine->GetMessageManager()), timerManager_(engine->GetTimerManager()),
      fileManager_(engine->GetFileManager()), config_(engine->GetConfig()), controls_(engine->GetControls()),
      fileName_(kBoardsFolder + level->cameraName + kCameraExtension), board_(board),
      gameCamera_(std::make_unique<GameTools::GameCamera>(engine))
{
    camera_ = gameCamera_->GetCamera();
    gameCamera_->SetNearPlane(kNearPlane);
    gameCamera_->SetFarPlane(kFarPlane);
    ReadCameraFile();

    const std::string type = config_->GetValue(kTypeVariable);
    if (type == "0") {
        cameraType_ = kTypeFlat;
        blend_ = 0.0f;
    } else if (type == "1") {
        cameraType_ = kTypeTilted;
        blend_ = 1.0f;
    } else {
        cameraType_ = kTypeFree;
        // A value that is no number, or no finite one, counts as the flat view.
        blend_ = StringToFloat(config_->GetValue(kValueVariable));
        if (!std::isfinite(blend_))
            blend_ = 0.0f;
    }
    wheelTarget_ = blend_;
    startAngle_ = static_cast<float>(RandomModulo(4)) * kHalfPi;
}

CameraControl::~CameraControl() = default;

void CameraControl::ReadCameraFile()
{
    // The camera file is the game's own data: without it the board cannot be shown.
    try {
        std::unique_ptr<FileTextual> file =
            fileManager_->OpenTextFile(fileName_, FileTextual::kModeRead, FileTextual::kEncoding8Bit);
        float* const fields[] = {&flatHeight_, &flatShift_, &tiltedHeight_, &tiltedShift_, &tiltedDistance_};
        for (float* field : fields) {
            std::string word;
            if (!file->ReadWord(word) || word.empty())
                throw FileError("Incorrect \"" + fileName_ + "\" file format");
            *field = StringToFloat(word);
            if (!std::isfinite(*field))
                throw FileError("Incorrect \"" + fileName_ + "\" file format");
        }
        file->Close();
    } catch (const FileError& error) {
        log_->LogFatal(error.GetMessage());
    }
}

void CameraControl::StartSwingIn()
{
    swingIn_ = 1;
    swingProgress_ = 0.0f;
}

void CameraControl::StartSwingOut()
{
    swingOut_ = 1;
    swingProgress_ = 0.0f;
}

void CameraControl::SetCameraType(std::uint32_t type)
{
    cameraType_ = type;
    config_->SetValue(kTypeVariable, type != kTypeFlat ? "1" : "0");
}

void CameraControl::SetCameraType(bool threeDimensional)
{
    SetCameraType(threeDimensional ? kTypeTilted : kTypeFlat);
}

void CameraControl::WriteValue()
{
    if (blend_ == writtenValue_)
        return;
    writtenValue_ = blend_;
    config_->SetValue(kValueVariable, FloatToString(blend_, kValueDecimals));
}

void CameraControl::Update()
{
    const float dt = timerManager_->GetFrameTime();

    if (swingIn_ != 0 || swingOut_ != 0) {
        swingProgress_ += kSwingSpeed * dt;
        if (swingProgress_ >= 1.0f) {
            swingProgress_ = 1.0f;
            swingIn_ = 0;
        }
    }

    if (cameraType_ == kTypeFlat || cameraType_ == kTypeTilted) {
        // Clamped before the wheel target follows it, or a first wheel notch
        // from a settled view would be spent on the overshoot.
        blend_ =
            std::clamp(blend_ + (cameraType_ == kTypeFlat ? -kTypeBlendSpeed * dt : kTypeBlendSpeed * dt), 0.0f, 1.0f);
        wheelTarget_ = blend_;
    }

    const std::int32_t wheel = controls_->GetMouseWheel();
    if (wheel != 0) {
        cameraType_ = kTypeFree;
        config_->SetValue(kTypeVariable, "2");
        wheelTarget_ += wheel > 0 ? -kWheelStep : kWheelStep;
    }
    wheelTarget_ = std::clamp(wheelTarget_, 0.0f, 1.0f);

    if (cameraType_ == kTypeFree) {
        const float step = kWheelBlendSpeed * dt;
        if (blend_ < wheelTarget_)
            blend_ = std::min(blend_ + step, wheelTarget_);
        else
            blend_ = std::max(blend_ - step, wheelTarget_);
    }
    blend_ = std::clamp(blend_, 0.0f, 1.0f);
    if (cameraType_ == kTypeFree)
        WriteValue();

    float blend = blend_;
    float angleOffset = 0.0f;
    float extraHeight = 0.0f;
    float extraDistance = 0.0f;
    const float p = swingProgress_;
    if (swingIn_ != 0) {
        blend = p * blend_ + (1.0f - p) * 0.5f;
        angleOffset = (1.0f - p) * kHalfPi;
        extraHeight = (1.0f - p) * kSwingHeight;
        extraDistance = tiltedDistance_ * kSwingDistance * (1.0f - p);
    } else if (swingOut_ != 0) {
        blend = p * 0.5f + (1.0f - p) * blend_;
        angleOffset = -p * kHalfPi;
        extraHeight = p * kSwingHeight;
        extraDistance = tiltedDistance_ * kSwingDistance * p;
    }

    if (controls_->IsKeyDown("MOUSE2"))
        dragAngle_ += controls_->GetMouseMove().x * kDragSpeed;

    const Vector3 centre = board_->GetBoundingBox().centre;
    viewDistance_ = (tiltedDistance_ + extraDistance) * blend;
    viewHeight_ = flatHeight_ * (1.0f - blend) + tiltedHeight_ * blend + extraHeight;
    const Vector3 eye = centre + Vector3(viewDistance_, 0.0f, viewHeight_);
    const Vector3 look = (centre - eye).Normalized();
    const Vector3 flat = Vector3(look.x, look.y, 0.0f).Normalized();
    Quaternion rotation;
    rotation.RotateX(look.Dot(flat));
    rotation.RotateZ(kHalfPi);
    rotation.Normalize();
    // The viewpoint stands at its height above the board, which the world
    // placement below brings to the origin; at height 0 the board would lie
    // in the camera's own plane, closer than the near plane, and never show.
    gameCamera_->SetBasePose(rotation, Vector3(viewDistance_, 0.0f, viewHeight_));
    gameCamera_->ResetToBasePose();
    gameCamera_->Update();

    if (camera_ != nullptr) {
        const float shift = flatShift_ * (1.0f - blend) + tiltedShift_ * blend;
        Matrix4 toShift;
        MatrixSetTranslation(toShift, Vector3(shift, 0.0f, 0.0f));
        Matrix4 turn;
        MatrixSetRotationZ(turn, -(dragAngle_ + startAngle_ + extraAngle_ + angleOffset));
        Matrix4 toCentre;
        MatrixSetTranslation(toCentre, Vector3(-centre.x, -centre.y, -centre.z));
        camera_->SetSecondMatrix(toShift * turn * toCentre);
    }
}

} // namespace Tansywell
