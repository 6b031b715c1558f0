// A mouse pointer drawn by the engine: a model that follows the system
// cursor's position, converted to GUI coordinates (origin at the bottom left,
// y up). A cursor without a model draws nothing; the GUI manager's own cursor
// is one, and it is where the GUI reads the mouse position from.
//
// The screen size in pixels comes from the render system of the model
// manager's services; the GUI's size from the GUI camera.
#pragma once

#include <cstdint>

#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {

class Camera;
class Controls;
class Model;
class ModelManager;
class RenderSystem;
class ShaderDescriptor;

class GUICursor
{
public:
    // In front of every window layer.
    static constexpr float kDepth = -30.1f;

    // A textured quad of size x size hanging right of and below the position.
    GUICursor(ModelManager* modelManager, Controls* controls, Camera* guiCamera,
              const ShaderDescriptor& textureDescriptor, float size);
    // A copy of source; null gives a cursor that only tracks the position.
    GUICursor(ModelManager* modelManager, Controls* controls, Camera* guiCamera, const Model* source);
    ~GUICursor();
    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    void Update();
    void Render();

    const Vector2& GetPosition() const { return position; }
    Model* GetModel() const { return model; }
    bool IsVisible() const { return visible != 0; }
    void SetVisible(bool show) { visible = show ? 1 : 0; }

private:
    RenderSystem* renderSystem;
    ModelManager* modelManager;
    Controls* controls;
    Camera* camera;
    Model* model = nullptr;
    std::uint8_t visible = 0;
    Vector2 position;
    Matrix4 baseMatrix;
};

} // namespace OrrelayEngine
