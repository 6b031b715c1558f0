#include "platform/GraphicsDeviceNull.h"

namespace Platform {

GraphicsDeviceNull::GraphicsDeviceNull(const DeviceDescription& description, const GraphicsDriver* driver)
    : GraphicsDevice(description, driver)
{}

GraphicsDeviceNull::~GraphicsDeviceNull() = default;

GraphicsResult GraphicsDeviceNull::Count()
{
    ++totalCalls_;
    return failure_;
}

GraphicsResult GraphicsDeviceNull::Count(std::uint32_t& counter)
{
    ++counter;
    return Count();
}

GraphicsResult GraphicsDeviceNull::DoSetViewport(const Viewport&)
{
    return Count(viewportCount_);
}

GraphicsResult GraphicsDeviceNull::DoCreateZBuffer(const ZBufferFormat&)
{
    return Count();
}

GraphicsResult GraphicsDeviceNull::DoSetRenderTarget()
{
    return Count();
}

GraphicsResult GraphicsDeviceNull::DoSetTransform(TransformState state)
{
    return Count(transformCounts_[static_cast<std::size_t>(state)]);
}

GraphicsResult GraphicsDeviceNull::DoSetTextureTransform(std::uint32_t stage)
{
    return Count(textureTransformCounts_[stage]);
}

GraphicsResult GraphicsDeviceNull::DoSetRenderState(RenderState state, std::uint32_t)
{
    return Count(renderStateCounts_[static_cast<std::size_t>(state)]);
}

GraphicsResult GraphicsDeviceNull::DoSetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t)
{
    return Count(stageStateCounts_[stage][static_cast<std::size_t>(state)]);
}

GraphicsResult GraphicsDeviceNull::DoSetTexture(std::uint32_t stage)
{
    return Count(textureCounts_[stage]);
}

GraphicsResult GraphicsDeviceNull::DoSetMaterial()
{
    return Count(materialCount_);
}

GraphicsResult GraphicsDeviceNull::DoSetLight(std::uint32_t index)
{
    return Count(lightCounts_[index]);
}

GraphicsResult GraphicsDeviceNull::DoLightEnable(std::uint32_t index)
{
    return Count(lightEnableCounts_[index]);
}

GraphicsResult GraphicsDeviceNull::DoClear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil)
{
    lastClear_ = ClearCall{flags, color, z, stencil};
    return Count(clearCount_);
}

GraphicsResult GraphicsDeviceNull::DoBeginScene()
{
    return Count(beginSceneCount_);
}

GraphicsResult GraphicsDeviceNull::DoEndScene()
{
    return Count(endSceneCount_);
}

GraphicsResult GraphicsDeviceNull::DoDrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const void*,
                                                          std::uint32_t vertexCount, const void*,
                                                          std::uint32_t indexSize, std::uint32_t indexCount)
{
    lastDraw_ = DrawCall{type, vertexFormat, vertexCount, indexSize, indexCount};
    return Count(drawCount_);
}

std::uint32_t GraphicsDeviceNull::GetRenderStateCount(RenderState state) const
{
    return renderStateCounts_.at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetStageStateCount(std::uint32_t stage, StageState state) const
{
    return stageStateCounts_.at(stage).at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetTransformCount(TransformState state) const
{
    return transformCounts_.at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetTextureTransformCount(std::uint32_t stage) const
{
    return textureTransformCounts_.at(stage);
}

std::uint32_t GraphicsDeviceNull::GetTextureCount(std::uint32_t stage) const
{
    return textureCounts_.at(stage);
}

std::uint32_t GraphicsDeviceNull::GetLightCount(std::uint32_t index) const
{
    return lightCounts_.at(index);
}

std::uint32_t GraphicsDeviceNull::GetLightEnableCount(std::uint32_t index) const
{
    return lightEnableCounts_.at(index);
}

void GraphicsDeviceNull::ResetCounts()
{
    totalCalls_ = 0;
    renderStateCounts_.fill(0);
    for (auto& counts : stageStateCounts_) {
        counts.fill(0);
    }
    transformCounts_.fill(0);
    textureTransformCounts_.fill(0);
    textureCounts_.fill(0);
    materialCount_ = 0;
    lightCounts_.fill(0);
    lightEnableCounts_.fill(0);
    viewportCount_ = 0;
    clearCount_ = 0;
    beginSceneCount_ = 0;
    endSceneCount_ = 0;
    drawCount_ = 0;
}

} // namespace Platform
