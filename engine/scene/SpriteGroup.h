// A fixed pool of camera-facing textured quads drawn as one model: each
// sprite in use has a position, a half size, a rotation about the viewing
// axis and a colour, and once per frame Build rewrites the model's vertices
// so that every sprite in use faces the camera, farthest first.
//
// The buffers are made once for the whole pool; a sprite is taken and given
// back in constant time through a stack of free indices. A full pool hands
// out kNoSprite, never an index already in use.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class Camera;
class CameraManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

class SpriteGroup
{
public:
    static constexpr std::uint32_t kNoSprite = 0xFFFFFFFFu;
    // Static, list, coloured vertices, depth test, second sort group, box from
    // the vertices, visible, no depth writes, vertex buffer kind 1.
    static constexpr std::uint32_t kModelFlags = 0x2c84a9;

    struct Sprite
    {
        std::uint8_t free = 1;
        float depth = 0.0f;
        Vector3 position;
        // Half the quad's side, in units of the camera's axes.
        float size = 0.0f;
        // Radians about the viewing axis.
        float angle = 0.0f;
        Color color;
    };

    // camera null means the camera manager's current camera.
    SpriteGroup(MessageManager* log, CameraManager* cameraManager, ModelManager* modelManager,
                ShaderManager* shaderManager, std::uint32_t spriteCount, const ShaderDescriptor* descriptor,
                Camera* camera);
    // Without copySprites every sprite starts free, with a free stack of its own.
    SpriteGroup(const SpriteGroup& source, bool copySprites);
    SpriteGroup& operator=(const SpriteGroup&) = delete;
    virtual ~SpriteGroup();

    // kNoSprite, and no change, when every sprite is in use.
    std::uint32_t AddSprite(const Vector3& position, float size, const Color& color);
    // A sprite already free, or an index outside the pool, is left alone.
    void ReleaseSprite(std::uint32_t index);
    // Null outside the pool.
    Sprite* GetSprite(std::uint32_t index);
    bool IsVisible() const;
    void SetVisible(bool visible);
    void Build();

    Model* GetModel() const { return model_; }
    Camera* GetCamera() const { return camera_; }
    std::uint32_t GetSpriteCount() const { return spriteCount_; }
    std::uint32_t GetFreeCount() const { return static_cast<std::uint32_t>(freeSprites_.size()); }
    // The sprites listed at the last build, in drawing order.
    std::uint32_t GetDrawnCount() const { return drawnCount_; }
    const Sprite* GetDrawn(std::uint32_t position) const { return drawList_[position]; }

    std::uint8_t sortByDepth = 1;
    Vector3 centre;
    Color groupColor{1.0f, 1.0f, 1.0f, 1.0f};

private:
    void WriteFixedVertexData();
    void ResetFreeStack();

    MessageManager* log_;
    CameraManager* cameraManager_;
    ModelManager* modelManager_;
    ShaderManager* shaderManager_;
    // The top is the back; index spriteCount - 1 is taken first from a new group.
    std::vector<std::uint32_t> freeSprites_;
    std::uint32_t spriteCount_;
    std::vector<Sprite> sprites_;
    std::vector<Sprite*> drawList_;
    std::uint32_t drawnCount_ = 0;
    Camera* camera_ = nullptr;
    Model* model_ = nullptr;
};

} // namespace OrrelayEngine
