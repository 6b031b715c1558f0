#include "engine/render/CameraManager.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Matrix4.h"
#include "engine/render/Camera.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/RenderSystem.h"

namespace OrrelayEngine {

namespace {

// Below this |w| a homogeneous point lies at infinity.
constexpr float kSmallestW = 0.0001f;

// (x, y, z, w) as a row times the matrix.
void RowTimesMatrix(const float in[4], const Matrix4& matrix, float out[4])
{
    for (int column = 0; column < 4; ++column) {
        out[column] = in[0] * matrix.m[column] + in[1] * matrix.m[4 + column] + in[2] * matrix.m[8 + column] +
                      in[3] * matrix.m[12 + column];
    }
}

} // namespace

CameraManager::CameraManager(MessageManager* /*log*/, Window* /*window*/, RenderSystem* renderSystem)
    : renderSystem_(renderSystem)
{
    currentCamera_ = CreateCamera(0);
}

CameraManager::~CameraManager()
{
    DeleteCamera(currentCamera_);
    currentCamera_ = nullptr;
    freeIds_.clear();
    for (std::uint32_t id : usedIds_) {
        cameras_[id].reset();
    }
    usedIds_.clear();
    cameras_.clear();
}

std::unique_ptr<Camera> CameraManager::MakeCamera(std::uint32_t orthographic) const
{
    return renderSystem_->CreateCamera(orthographic);
}

Camera* CameraManager::CreateCamera(std::uint32_t orthographic)
{
    std::uint32_t id = static_cast<std::uint32_t>(cameras_.size());
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    usedIds_.push_back(id);
    if (id == cameras_.size()) {
        cameras_.emplace_back();
    }
    cameras_[id] = MakeCamera(orthographic);
    return cameras_[id].get();
}

void CameraManager::DeleteCamera(Camera* camera)
{
    if (camera == nullptr) {
        return;
    }
    auto used =
        std::find_if(usedIds_.begin(), usedIds_.end(), [&](std::uint32_t id) { return cameras_[id].get() == camera; });
    if (used == usedIds_.end()) {
        return;
    }
    const std::uint32_t id = *used;
    // A camera made later at the same address must not pass for this one.
    if (lastApplied_ == camera) {
        lastApplied_ = nullptr;
    }
    if (currentCamera_ == camera) {
        currentCamera_ = nullptr;
    }
    cameras_[id].reset();
    freeIds_.push_back(id);
    usedIds_.erase(used);
}

Camera* CameraManager::GetCamera(std::uint32_t id) const
{
    return id < cameras_.size() ? cameras_[id].get() : nullptr;
}

void CameraManager::Update()
{
    // The window is as large as the video mode in use.
    viewport_ = Viewport();
    if (const ModeInfo* mode = renderSystem_->GetCurrentMode()) {
        viewport_.width = mode->width;
        viewport_.height = mode->height;
    }
    const float aspect =
        viewport_.height != 0 ? static_cast<float>(viewport_.width) / static_cast<float>(viewport_.height) : 1.0f;
    for (std::uint32_t id : usedIds_) {
        cameras_[id]->Update(aspect);
    }
    lastApplied_ = nullptr;
}

void CameraManager::ApplyCamera(Camera* camera, bool biased)
{
    if (camera == nullptr || (camera == lastApplied_ && biased == lastBiased_)) {
        return;
    }
    lastApplied_ = camera;
    lastBiased_ = biased;
    if (biased) {
        camera->ApplyZBiased();
    } else {
        camera->Apply();
    }
}

Vector2 CameraManager::ProjectPoint(const Camera& camera, const Vector3& point) const
{
    const Matrix4 transform = camera.GetView() * camera.GetProjection();
    const float in[4] = {point.x, point.y, point.z, 1.0f};
    float clip[4];
    RowTimesMatrix(in, transform, clip);
    // Guarded as the unprojection is: a point in the eye plane has w = 0.
    if (std::fabs(clip[3]) < kSmallestW) {
        return Vector2(0.0f, 0.0f);
    }
    const float sx = 0.5f * clip[0] / clip[3] + 0.5f;
    const float sy = 0.5f * clip[1] / clip[3] + 0.5f;
    return Vector2(static_cast<float>(viewport_.width) * sx + static_cast<float>(viewport_.x),
                   static_cast<float>(viewport_.height) * sy + static_cast<float>(viewport_.y));
}

Vector3 CameraManager::UnprojectPoint(const Camera& camera, const Vector3& screen) const
{
    Matrix4 inverse = camera.GetView() * camera.GetProjection();
    if (!inverse.Invert() || viewport_.width == 0 || viewport_.height == 0) {
        return Vector3(0.0f, 0.0f, 0.0f);
    }
    const float in[4] = {
        2.0f * (screen.x - static_cast<float>(viewport_.x)) / static_cast<float>(viewport_.width) - 1.0f,
        2.0f * (screen.y - static_cast<float>(viewport_.y)) / static_cast<float>(viewport_.height) - 1.0f,
        2.0f * screen.z - 1.0f, 1.0f};
    float world[4];
    RowTimesMatrix(in, inverse, world);
    if (std::fabs(world[3]) < kSmallestW) {
        return Vector3(0.0f, 0.0f, 0.0f);
    }
    return Vector3(world[0] / world[3], world[1] / world[3], world[2] / world[3]);
}

} // namespace OrrelayEngine
