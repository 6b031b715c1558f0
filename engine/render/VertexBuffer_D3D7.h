// The device's vertex buffer: the base's system-memory vertices, handed to
// the device at every draw. A new coloured buffer starts all white.
#pragma once

#include "engine/render/VertexBuffer.h"

namespace OrrelayEngine {

class RenderSystem_D3D7;

class VertexBuffer_D3D7 : public VertexBuffer
{
public:
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t colorFlag, std::uint32_t vertexCount);
    // Converts the source to this layout: position, normal and texture
    // coordinates vertex by vertex when the layouts differ, every byte when equal.
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t colorFlag, const VertexBuffer& source);
    VertexBuffer_D3D7(const VertexBuffer_D3D7& other);
    ~VertexBuffer_D3D7() override;

    Color GetColor(std::uint32_t packed) const override;
    // Each component is clamped to 0..1 and rounded to a byte.
    std::uint32_t PackColor(float red, float green, float blue, float alpha) const override;
};

} // namespace OrrelayEngine
