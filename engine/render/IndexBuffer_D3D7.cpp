#include "engine/render/IndexBuffer_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

namespace OrrelayEngine {

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t capacity)
    : IndexBuffer(renderSystem, capacity)
{}

IndexBuffer_D3D7::IndexBuffer_D3D7(const IndexBuffer& source) : IndexBuffer(source)
{}

IndexBuffer_D3D7::~IndexBuffer_D3D7() = default;

} // namespace OrrelayEngine
