// The drawing device: render and texture-stage states, transforms, lights,
// material, viewport, clear and indexed drawing, with the meaning the engine
// was designed against (row-vector matrices with depth 0..1, lights in world
// space, the material used for vertices without colour, wrapping stencil
// increment, a clear that ignores the depth-write mask).
//
// A device is made by its GraphicsDriver, which keeps the screen buffers it
// draws into; the driver presents. Every call answers a GraphicsResult.
// Drawing calls belong to one thread; texture surfaces may be made anywhere.
//
// This class checks every argument against the device's description and keeps
// the state the calls set, so that every implementation refuses the same calls
// and starts from the same defaults; an implementation only does the work of a
// call that passed (the Do operations), with the stored state already updated.
#pragma once

#include <array>
#include <cstdint>

#include "platform/GraphicsResult.h"
#include "platform/GraphicsTypes.h"

namespace Platform {

class GraphicsDriver;
class TextureSurface;

class GraphicsDevice
{
public:
    virtual ~GraphicsDevice();
    GraphicsDevice(const GraphicsDevice&) = delete;
    GraphicsDevice& operator=(const GraphicsDevice&) = delete;

    const DeviceDescription& GetDescription() const { return description_; }

    // Refuses an empty rectangle.
    GraphicsResult SetViewport(const Viewport& viewport);
    // Makes a depth buffer of the format for the back buffer; then SetRenderTarget
    // draws into the back buffer with it. Refuses a format without depth bits.
    GraphicsResult CreateZBuffer(const ZBufferFormat& format);
    GraphicsResult SetRenderTarget();

    GraphicsResult SetTransform(TransformState state, const float matrix[16]);
    // The stage's texture-coordinate transform, applied to (u, v, 1, 0) as a row vector.
    GraphicsResult SetTextureTransform(std::uint32_t stage, const float matrix[16]);
    GraphicsResult SetRenderState(RenderState state, std::uint32_t value);
    GraphicsResult SetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t value);
    // The surface is borrowed; null leaves the stage without texture. A surface
    // larger than the device's largest texture is refused.
    GraphicsResult SetTexture(std::uint32_t stage, TextureSurface* surface);
    GraphicsResult SetMaterial(const Material& material);
    GraphicsResult SetLight(std::uint32_t index, const LightDescription& light);
    GraphicsResult LightEnable(std::uint32_t index, bool enable);

    // color is packed A, R, G, B from the high byte down.
    GraphicsResult Clear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil);
    // Both answer kGraphicsErrSurfaceLost while the driver's surfaces are lost.
    GraphicsResult BeginScene();
    GraphicsResult EndScene();

    // vertices points at vertex 0 and holds vertexCount vertices of the layout,
    // which has a position; indices are 2 or 4 bytes each; every index must be
    // below vertexCount.
    GraphicsResult DrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const void* vertices,
                                        std::uint32_t vertexCount, const void* indices, std::uint32_t indexSize,
                                        std::uint32_t indexCount);

protected:
    // The driver is borrowed and may be null; scene calls ask it whether its
    // surfaces are lost.
    GraphicsDevice(const DeviceDescription& description, const GraphicsDriver* driver);

    // Stages and lights the calls may name: at least one stage.
    std::uint32_t GetStageLimit() const { return stageCount_; }
    std::uint32_t GetLightLimit() const { return lightCount_; }

    // The stored state; indices out of range throw std::out_of_range.
    std::uint32_t GetRenderState(RenderState state) const;
    std::uint32_t GetStageState(std::uint32_t stage, StageState state) const;
    const float* GetTransform(TransformState state) const;
    const float* GetTextureTransform(std::uint32_t stage) const;
    TextureSurface* GetTexture(std::uint32_t stage) const;
    const Material& GetMaterial() const { return material_; }
    const LightDescription& GetLight(std::uint32_t index) const;
    bool IsLightEnabled(std::uint32_t index) const;
    const Viewport& GetViewport() const { return viewport_; }
    const ZBufferFormat& GetZBufferFormat() const { return zBufferFormat_; }
    bool HasZBuffer() const { return hasZBuffer_; }

    virtual GraphicsResult DoSetViewport(const Viewport& viewport) = 0;
    virtual GraphicsResult DoCreateZBuffer(const ZBufferFormat& format) = 0;
    virtual GraphicsResult DoSetRenderTarget() = 0;
    virtual GraphicsResult DoSetTransform(TransformState state) = 0;
    virtual GraphicsResult DoSetTextureTransform(std::uint32_t stage) = 0;
    virtual GraphicsResult DoSetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual GraphicsResult DoSetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t value) = 0;
    virtual GraphicsResult DoSetTexture(std::uint32_t stage) = 0;
    virtual GraphicsResult DoSetMaterial() = 0;
    virtual GraphicsResult DoSetLight(std::uint32_t index) = 0;
    virtual GraphicsResult DoLightEnable(std::uint32_t index) = 0;
    virtual GraphicsResult DoClear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil) = 0;
    virtual GraphicsResult DoBeginScene() = 0;
    virtual GraphicsResult DoEndScene() = 0;
    virtual GraphicsResult DoDrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const void* vertices,
                                                  std::uint32_t vertexCount, const void* indices,
                                                  std::uint32_t indexSize, std::uint32_t indexCount) = 0;

private:
    static constexpr std::size_t kRenderStateCount = static_cast<std::size_t>(RenderState::Count);
    static constexpr std::size_t kStageStateCount = static_cast<std::size_t>(StageState::Count);
    static constexpr std::size_t kTransformCount = static_cast<std::size_t>(TransformState::Count);
    using Matrix = std::array<float, 16>;

    void SetDefaults();
    bool AreSurfacesLost() const;

    DeviceDescription description_;
    const GraphicsDriver* driver_;
    std::uint32_t stageCount_;
    std::uint32_t lightCount_;

    std::array<std::uint32_t, kRenderStateCount> renderStates_{};
    std::array<std::array<std::uint32_t, kStageStateCount>, kMaxTextureStages> stageStates_{};
    std::array<Matrix, kTransformCount> transforms_{};
    std::array<Matrix, kMaxTextureStages> textureTransforms_{};
    std::array<TextureSurface*, kMaxTextureStages> textures_{};
    Material material_;
    std::array<LightDescription, kMaxLights> lights_{};
    std::array<bool, kMaxLights> lightEnabled_{};
    Viewport viewport_;
    ZBufferFormat zBufferFormat_;
    bool hasZBuffer_ = false;
};

// Bytes per vertex of a layout made of the kVertex* bits.
std::uint32_t GetVertexStride(std::uint32_t vertexFormat);

} // namespace Platform
