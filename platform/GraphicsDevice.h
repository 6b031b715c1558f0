// The drawing device: render and texture-stage states, transforms, lights,
// material, viewport, clear and indexed drawing, with the meaning the engine
// was designed against (row-vector matrices with depth 0..1, lights in world
// space, the material used for vertices without colour, wrapping stencil
// increment, a clear that ignores the depth-write mask).
//
// A device is made by its GraphicsDriver, which keeps the screen buffers it
// draws into; the driver presents. Every call answers a GraphicsResult.
// Drawing calls belong to one thread; texture surfaces may be made anywhere.
#pragma once

#include <cstdint>

#include "platform/GraphicsResult.h"
#include "platform/GraphicsTypes.h"

namespace Platform {

class TextureSurface;

class GraphicsDevice
{
public:
    virtual ~GraphicsDevice();

    virtual const DeviceDescription& GetDescription() const = 0;

    virtual GraphicsResult SetViewport(const Viewport& viewport) = 0;
    // Makes a depth buffer of the format for the back buffer; then SetRenderTarget
    // draws into the back buffer with it.
    virtual GraphicsResult CreateZBuffer(const ZBufferFormat& format) = 0;
    virtual GraphicsResult SetRenderTarget() = 0;

    virtual GraphicsResult SetTransform(TransformState state, const float matrix[16]) = 0;
    // The stage's texture-coordinate transform, applied to (u, v, 1, 0) as a row vector.
    virtual GraphicsResult SetTextureTransform(std::uint32_t stage, const float matrix[16]) = 0;
    virtual GraphicsResult SetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual GraphicsResult SetTextureStageState(std::uint32_t stage, StageState state,
                                                std::uint32_t value) = 0;
    // The surface is borrowed; null leaves the stage without texture.
    virtual GraphicsResult SetTexture(std::uint32_t stage, TextureSurface* surface) = 0;
    virtual GraphicsResult SetMaterial(const Material& material) = 0;
    virtual GraphicsResult SetLight(std::uint32_t index, const LightDescription& light) = 0;
    virtual GraphicsResult LightEnable(std::uint32_t index, bool enable) = 0;

    // color is packed A, R, G, B from the high byte down.
    virtual GraphicsResult Clear(std::uint32_t flags, std::uint32_t color, float z,
                                 std::uint32_t stencil) = 0;
    virtual GraphicsResult BeginScene() = 0;
    virtual GraphicsResult EndScene() = 0;

    // vertices points at vertex 0 and holds vertexCount vertices of the layout;
    // indices are 2 or 4 bytes each; every index must be below vertexCount.
    virtual GraphicsResult DrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat,
                                                const void* vertices, std::uint32_t vertexCount,
                                                const void* indices, std::uint32_t indexSize,
                                                std::uint32_t indexCount) = 0;
};

// Bytes per vertex of a layout made of the kVertex* bits.
std::uint32_t GetVertexStride(std::uint32_t vertexFormat);

} // namespace Platform
