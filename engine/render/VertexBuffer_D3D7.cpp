#include "engine/render/VertexBuffer_D3D7.h"

#include <cstring>

#include "engine/render/RenderSystem_D3D7.h"

namespace OrrelayEngine {

namespace {

constexpr float kByteToUnit = 0.003921569f; // 1 / 255

std::uint32_t PackComponent(float value)
{
    if (!(value > 0.0f)) { // also NaN
        return 0;
    }
    if (value >= 1.0f) {
        return 255;
    }
    return static_cast<std::uint32_t>(value * 255.0f + 0.5f);
}

} // namespace

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t colorFlag,
                                     std::uint32_t vertexCount)
    : VertexBuffer(renderSystem, colorFlag, vertexCount)
{
    SetAllVertexColors(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t colorFlag,
                                     const VertexBuffer& source)
    : VertexBuffer(renderSystem, colorFlag, source)
{
    const std::uint32_t count = GetVertexCount();
    if (HasColor() == source.HasColor()) {
        std::memcpy(GetData(), source.GetData(), static_cast<std::size_t>(GetStride()) * count);
        return;
    }
    SetAllVertexColors(Color(1.0f, 1.0f, 1.0f, 1.0f));
    constexpr std::size_t kPositionAndNormalBytes = 24;
    constexpr std::size_t kTextureBytes = 8;
    const std::size_t sourceUv = source.HasColor() ? 28 : 24;
    const std::size_t targetUv = HasColor() ? 28 : 24;
    for (std::uint32_t index = 0; index < count; ++index) {
        const std::uint8_t* from = source.GetData() + static_cast<std::size_t>(index) * source.GetStride();
        std::uint8_t* to = GetData() + static_cast<std::size_t>(index) * GetStride();
        std::memcpy(to, from, kPositionAndNormalBytes);
        std::memcpy(to + targetUv, from + sourceUv, kTextureBytes);
    }
}

VertexBuffer_D3D7::VertexBuffer_D3D7(const VertexBuffer_D3D7& other) : VertexBuffer(other)
{
    std::memcpy(GetData(), other.GetData(), static_cast<std::size_t>(GetStride()) * GetVertexCount());
}

VertexBuffer_D3D7::~VertexBuffer_D3D7() = default;

Color VertexBuffer_D3D7::GetColor(std::uint32_t packed) const
{
    return Color(
        static_cast<float>((packed >> 16) & 0xFF) * kByteToUnit, static_cast<float>((packed >> 8) & 0xFF) * kByteToUnit,
        static_cast<float>(packed & 0xFF) * kByteToUnit, static_cast<float>((packed >> 24) & 0xFF) * kByteToUnit);
}

std::uint32_t VertexBuffer_D3D7::PackColor(float red, float green, float blue, float alpha) const
{
    return (PackComponent(alpha) << 24) | (PackComponent(red) << 16) | (PackComponent(green) << 8) |
           PackComponent(blue);
}

} // namespace OrrelayEngine
