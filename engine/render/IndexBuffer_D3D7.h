// The device's index buffer: the base's system-memory indices, handed to the
// device at every draw.
#pragma once

#include "engine/render/IndexBuffer.h"

namespace OrrelayEngine {

class RenderSystem_D3D7;

class IndexBuffer_D3D7 : public IndexBuffer
{
public:
    IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t capacity);
    // A copy of the source's indices, capacity and used count.
    IndexBuffer_D3D7(const IndexBuffer& source);
    ~IndexBuffer_D3D7() override;
};

} // namespace OrrelayEngine
