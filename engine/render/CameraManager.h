// Creates, owns, numbers and deletes cameras (freed ids are reused, the last
// freed first), updates every camera once per frame with the screen's
// viewport, applies a camera for drawing while skipping a repeat of the same
// camera and bias, and converts points between world space and screen pixels
// (y grows upwards from the bottom edge). Its first camera, made with it, is
// the current camera.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class Camera;
class MessageManager;
class RenderSystem;
class Window;

class CameraManager
{
public:
    struct Viewport
    {
        std::uint32_t x = 0;
        std::uint32_t y = 0;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };

    // The viewport is the size of the render system's video mode, which is the
    // window's size; the log and the window are taken for the creator's sake.
    CameraManager(MessageManager* log, Window* window, RenderSystem* renderSystem);
    virtual ~CameraManager();

    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    // orthographic 0 gives a perspective camera. The manager owns the camera.
    Camera* CreateCamera(std::uint32_t orthographic);
    // Null, and a camera this manager does not hold, are ignored.
    void DeleteCamera(Camera* camera);
    // Once per frame, before drawing.
    void Update();
    void ApplyCamera(Camera* camera, bool biased);

    // A point at the camera's eye plane has no screen position: it gives (0, 0).
    Vector2 ProjectPoint(const Camera& camera, const Vector3& point) const;
    // screen.z is the depth, 0 at the near distance and 1 at the far one. A
    // point that maps to infinity gives (0, 0, 0).
    Vector3 UnprojectPoint(const Camera& camera, const Vector3& screen) const;

    Camera* GetCurrentCamera() const { return currentCamera_; }
    const Viewport& GetViewport() const { return viewport_; }
    void SetViewport(const Viewport& viewport) { viewport_ = viewport; }
    std::uint32_t GetCameraCount() const { return static_cast<std::uint32_t>(usedIds_.size()); }
    // Null for a free or unknown id.
    Camera* GetCamera(std::uint32_t id) const;

private:
    std::unique_ptr<Camera> MakeCamera(std::uint32_t orthographic) const;

    RenderSystem* renderSystem_;
    Viewport viewport_;
    std::vector<std::uint32_t> freeIds_;
    std::vector<std::uint32_t> usedIds_;
    std::vector<std::unique_ptr<Camera>> cameras_;
    Camera* currentCamera_ = nullptr;
    const Camera* lastApplied_ = nullptr;
    bool lastBiased_ = false;
};

} // namespace OrrelayEngine
