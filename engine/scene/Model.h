// The one drawable mesh of the engine: board pieces, decorations, GUI panels,
// sprites and particles are all models. A model owns its index and vertex
// buffers, its animation control, its skeleton and frame data, and one shader
// user; its flag word decides how it is sorted, culled, lit, depth-tested and
// whether it is drawn at all.
//
// Models come from a procedural box, a "self_made" mesh the caller fills, a
// model file (read through ModelFile), or a copy of another model. The model
// manager updates and draws them; a model never draws outside its render pass.
//
// While its shader is deferred a model only records the descriptors it is
// given and keeps drawing with the shader it has; the last one recorded is
// made when the deferral ends.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/scene/ModelFile.h"

namespace OrrelayEngine {

class AnimationControl;
class Camera;
class CameraManager;
class FileManager;
class IndexBuffer;
class LightManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class Skeleton;
class TimerManager;
class VertexBuffer;

// The engine services every model is given by its manager; none is owned.
struct ModelServices
{
    MessageManager* log = nullptr;
    FileManager* fileManager = nullptr;
    TimerManager* timerManager = nullptr;
    RenderSystem* renderSystem = nullptr;
    CameraManager* cameraManager = nullptr;
    LightManager* lightManager = nullptr;
    ShaderManager* shaderManager = nullptr;
};

class Model
{
public:
    static constexpr std::uint32_t kFlagStatic = 0x1;
    static constexpr std::uint32_t kFlagKeyframe = 0x2;
    static constexpr std::uint32_t kFlagSkinned = 0x4;
    static constexpr std::uint32_t kFlagTriangleList = 0x8;
    static constexpr std::uint32_t kFlagVertexColor = 0x20;
    static constexpr std::uint32_t kFlagLit = 0x40;
    static constexpr std::uint32_t kFlagDepthTest = 0x80;
    static constexpr std::uint32_t kFlagFirstGroup = 0x200;
    static constexpr std::uint32_t kFlagSecondGroup = 0x400;
    static constexpr std::uint32_t kFlagFixedDepth = 0x800;
    static constexpr std::uint32_t kFlagDepthBias = 0x1000;
    static constexpr std::uint32_t kFlagCullClockwise = 0x2000;
    static constexpr std::uint32_t kFlagTwoPasses = 0x4000;
    static constexpr std::uint32_t kFlagBoxFromVertices = 0x8000;
    static constexpr std::uint32_t kFlagVisible = 0x40000;
    static constexpr std::uint32_t kFlagNoDepthWrite = 0x80000;
    static constexpr std::uint32_t kFlag32BitIndices = 0x100000;
    static constexpr std::uint32_t kFlagVertexBufferKind1 = 0x200000;
    static constexpr std::uint32_t kFlagCullCounterClockwise = 0x400000;
    static constexpr std::uint32_t kFlagStencil = 0x800000;
    // Visible, clockwise culling, first group, depth test, lit, list, static.
    static constexpr std::uint32_t kBoxFlags = 0x422c9;

    // A box of 24 vertices and 36 indices; descriptor null means a default one.
    Model(const ModelServices& services, const Vector3& minCorner, const Vector3& maxCorner,
          const ShaderDescriptor* descriptor, Camera* camera, std::uint32_t extraFlags);
    // Empty buffers of the given sizes for the caller to fill.
    Model(const ModelServices& services, std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
          std::uint32_t frameCount, const ShaderDescriptor* descriptor, Camera* camera);
    // Reads the model file; the shader comes from the shader file of the same
    // name with the extension "srf". A bad file is logged and thrown as Error.
    Model(const ModelServices& services, const std::string& fileName, Camera* camera, std::uint32_t extraFlags);
    // From contents already read (extra flags already applied); the shader as
    // for a file of that name.
    Model(const ModelServices& services, const std::string& fileName, const ModelFile& contents, Camera* camera);
    // camera null keeps the source's camera.
    Model(const Model& source, Camera* camera, std::uint32_t extraFlags);
    Model& operator=(const Model&) = delete;
    virtual ~Model();

    // 0x200 and 0x400 exclude each other, as do 0x2000, 0x4000 and 0x400000.
    void SetFlags(std::uint32_t bits);
    // Clearing one sort group selects the other.
    void ClearFlags(std::uint32_t bits);
    std::uint32_t GetFlags() const { return flags_; }

    void SetCamera(Camera* camera);
    Camera* GetCamera() const { return camera_; }
    void SetShader(const ShaderDescriptor& descriptor);
    ShaderUser* GetShaderUser() const { return shaderUser_; }
    // Ending the deferral makes the shader recorded meanwhile, if any.
    void SetShaderDeferred(bool deferred);
    bool IsShaderDeferred() const { return deferred_ != 0; }
    // The descriptor recorded while deferred; null when none is waiting.
    const ShaderDescriptor* GetPendingShader() const { return pendingShader_.get(); }
    // Only a model with vertex colours has colours to set.
    void SetColor(const Color& color);
    Color GetColor() const;

    Matrix4 GetWorldMatrix() const;
    // The local corners of the vertex positions, set on box.
    void ComputeBoundingBox(BoundingBox& box) const;

    void Update(bool cull);
    void Render();
    // Picking: whether the ray (origin, direction) hits a triangle; with
    // distance, the nearest hit's distance along the normalised direction.
    bool IntersectRay(const Vector3& origin, const Vector3& direction, float* distance) const;

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    bool IsStrip() const { return strip_ != 0; }
    IndexBuffer* GetIndexBuffer() const { return indexBuffer_.get(); }
    VertexBuffer* GetVertexBuffer() const { return vertexBuffer_.get(); }
    AnimationControl* GetAnimationControl() const { return animation_.get(); }
    Skeleton* GetSkeleton() const { return skeleton_.get(); }
    std::uint32_t GetPrimitiveCount() const { return primitiveCount_; }
    std::uint32_t GetVisiblePrimitives() const { return visiblePrimitives_; }
    // Triangles that the used indices make: n - 2 for a strip of three or
    // more, n / 3 for a list.
    std::uint32_t CountPrimitives() const;
    const std::vector<BoundingBox>& GetFrameBoxes() const { return frames_->frameBoxes; }
    // Vertex rebuilds since construction, for checks that a still frame is not rebuilt.
    std::uint32_t GetVertexRebuildCount() const { return vertexRebuilds_; }
    // Boxes taken from the vertices by Update, for checks that unchanged vertices are not walked again.
    std::uint32_t GetVertexBoxCount() const { return vertexBoxes_; }

    Matrix4 matrix;
    Matrix4 baseMatrix;
    BoundingBox box;
    float depth = 0.0f;
    float depthBias = 0.0f;
    std::uint8_t animateVertices = 1;

private:
    void Build(const ModelFile& contents);
    void CreateShaderFromFileName();
    void CreateShader(const ShaderDescriptor* descriptor);
    void UpdateKeyframeBox(std::uint32_t current, std::uint32_t next, float t);
    void UpdateSkeleton(std::uint32_t current, std::uint32_t next, float t);
    void RebuildVertices(std::uint32_t current, std::uint32_t next, float t);
    void UpdateVertexBox();
    Vector3 GetVertexPosition(std::uint32_t index) const;

    ModelServices services_;
    std::string name_;
    std::uint32_t flags_ = 0;
    std::uint32_t strip_ = 0;
    ModelFile::VertexKind vertexKind_ = ModelFile::kNoVertices;
    std::unique_ptr<IndexBuffer> indexBuffer_;
    std::unique_ptr<VertexBuffer> vertexBuffer_;
    std::unique_ptr<AnimationControl> animation_;
    ShaderUser* shaderUser_ = nullptr;
    // A second user, null from construction; released with the model like the first.
    ShaderUser* secondShaderUser_ = nullptr;
    std::unique_ptr<ShaderDescriptor> pendingShader_;
    std::uint8_t deferred_ = 0;
    // What the animation reads and never writes, shared by a model and its
    // copies: a board of items would otherwise hold every item's frames again.
    struct Frames
    {
        // Keyframe models: vertex count x frame count, frame-major.
        std::vector<ModelFile::Vertex> keyframeVertices;
        std::vector<ModelFile::SkinnedVertex> skinnedVertices;
        std::vector<ModelFile::BoneFrame> boneFrames;
        std::vector<BoundingBox> frameBoxes;
    };
    static const std::shared_ptr<const Frames>& NoFrames();

    std::shared_ptr<const Frames> frames_ = NoFrames();
    std::unique_ptr<Skeleton> skeleton_;
    Camera* camera_ = nullptr;
    std::uint32_t primitiveCount_ = 0;
    std::uint32_t visiblePrimitives_ = 0;
    std::uint8_t cacheValid_ = 0;
    std::uint32_t cachedCurrentFrame_ = 0;
    std::uint32_t cachedNextFrame_ = 0;
    float cachedBlend_ = 0.0f;
    std::uint32_t vertexRebuilds_ = 0;
    // The local box of the vertices as they stood at the buffer's revision.
    std::uint8_t vertexBoxValid_ = 0;
    std::uint32_t vertexBoxRevision_ = 0;
    Vector3 vertexBoxMin_;
    Vector3 vertexBoxMax_;
    std::uint32_t vertexBoxes_ = 0;
};

} // namespace OrrelayEngine
