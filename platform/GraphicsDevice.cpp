#include "platform/GraphicsDevice.h"

namespace Platform {

GraphicsDevice::~GraphicsDevice() = default;

std::uint32_t GetVertexStride(std::uint32_t vertexFormat)
{
    std::uint32_t stride = 0;
    if ((vertexFormat & kVertexPosition) != 0) {
        stride += 12;
    }
    if ((vertexFormat & kVertexNormal) != 0) {
        stride += 12;
    }
    if ((vertexFormat & kVertexDiffuse) != 0) {
        stride += 4;
    }
    if ((vertexFormat & kVertexTexture1) != 0) {
        stride += 8;
    }
    return stride;
}

} // namespace Platform
