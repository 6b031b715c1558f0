#include "platform/GraphicsDeviceNull.h"

#include <algorithm>

#include "platform/GraphicsDriver.h"

namespace Platform {

GraphicsDeviceNull::GraphicsDeviceNull(const DeviceDescription& description,
                                       const GraphicsDriver* driver)
    : description_(description), driver_(driver)
{
}

GraphicsDeviceNull::~GraphicsDeviceNull() = default;

GraphicsResult GraphicsDeviceNull::Record()
{
    ++totalCalls_;
    return failure_;
}

GraphicsResult GraphicsDeviceNull::SetViewport(const Viewport& viewport)
{
    viewport_ = viewport;
    ++viewportCount_;
    return Record();
}

GraphicsResult GraphicsDeviceNull::CreateZBuffer(const ZBufferFormat& format)
{
    zBufferFormat_ = format;
    hasZBuffer_ = true;
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetRenderTarget()
{
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetTransform(TransformState state, const float matrix[16])
{
    const auto index = static_cast<std::size_t>(state);
    if (index >= kTransformCount) {
        return kGraphicsErrInvalidParams;
    }
    std::copy(matrix, matrix + 16, transforms_[index].begin());
    ++transformCounts_[index];
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetTextureTransform(std::uint32_t stage, const float matrix[16])
{
    if (!StageInRange(stage)) {
        return kGraphicsErrInvalidParams;
    }
    std::copy(matrix, matrix + 16, textureTransforms_[stage].begin());
    ++textureTransformCounts_[stage];
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetRenderState(RenderState state, std::uint32_t value)
{
    const auto index = static_cast<std::size_t>(state);
    if (index >= kRenderStateCount) {
        return kGraphicsErrInvalidParams;
    }
    renderStates_[index] = value;
    ++renderStateCounts_[index];
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetTextureStageState(std::uint32_t stage, StageState state,
                                                        std::uint32_t value)
{
    const auto index = static_cast<std::size_t>(state);
    if (!StageInRange(stage) || index >= kStageStateCount) {
        return kGraphicsErrInvalidParams;
    }
    stageStates_[stage][index] = value;
    ++stageStateCounts_[stage][index];
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetTexture(std::uint32_t stage, TextureSurface* surface)
{
    if (!StageInRange(stage)) {
        return kGraphicsErrInvalidParams;
    }
    textures_[stage] = surface;
    ++textureCounts_[stage];
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetMaterial(const Material& material)
{
    material_ = material;
    ++materialCount_;
    return Record();
}

GraphicsResult GraphicsDeviceNull::SetLight(std::uint32_t index, const LightDescription& light)
{
    if (index >= kMaxLights) {
        return kGraphicsErrInvalidParams;
    }
    lights_[index] = light;
    ++lightCounts_[index];
    return Record();
}

GraphicsResult GraphicsDeviceNull::LightEnable(std::uint32_t index, bool enable)
{
    if (index >= kMaxLights) {
        return kGraphicsErrInvalidParams;
    }
    lightEnabled_[index] = enable;
    ++lightEnableCounts_[index];
    return Record();
}

GraphicsResult GraphicsDeviceNull::Clear(std::uint32_t flags, std::uint32_t color, float z,
                                         std::uint32_t stencil)
{
    lastClear_ = ClearCall{flags, color, z, stencil};
    ++clearCount_;
    return Record();
}

GraphicsResult GraphicsDeviceNull::BeginScene()
{
    ++beginSceneCount_;
    const GraphicsResult result = Record();
    if (driver_ != nullptr && driver_->AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    return result;
}

GraphicsResult GraphicsDeviceNull::EndScene()
{
    ++endSceneCount_;
    const GraphicsResult result = Record();
    if (driver_ != nullptr && driver_->AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    return result;
}

GraphicsResult GraphicsDeviceNull::DrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat,
                                                        const void* vertices, std::uint32_t vertexCount,
                                                        const void* indices, std::uint32_t indexSize,
                                                        std::uint32_t indexCount)
{
    if (vertices == nullptr || indices == nullptr || (indexSize != 2 && indexSize != 4)) {
        return kGraphicsErrInvalidParams;
    }
    lastDraw_ = DrawCall{type, vertexFormat, vertexCount, indexSize, indexCount};
    ++drawCount_;
    return Record();
}

std::uint32_t GraphicsDeviceNull::GetRenderState(RenderState state) const
{
    return renderStates_.at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetRenderStateCount(RenderState state) const
{
    return renderStateCounts_.at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetStageState(std::uint32_t stage, StageState state) const
{
    return stageStates_.at(stage).at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDeviceNull::GetStageStateCount(std::uint32_t stage, StageState state) const
{
    return stageStateCounts_.at(stage).at(static_cast<std::size_t>(state));
}

const float* GraphicsDeviceNull::GetTransform(TransformState state) const
{
    return transforms_.at(static_cast<std::size_t>(state)).data();
}

std::uint32_t GraphicsDeviceNull::GetTransformCount(TransformState state) const
{
    return transformCounts_.at(static_cast<std::size_t>(state));
}

const float* GraphicsDeviceNull::GetTextureTransform(std::uint32_t stage) const
{
    return textureTransforms_.at(stage).data();
}

std::uint32_t GraphicsDeviceNull::GetTextureTransformCount(std::uint32_t stage) const
{
    return textureTransformCounts_.at(stage);
}

TextureSurface* GraphicsDeviceNull::GetTexture(std::uint32_t stage) const
{
    return textures_.at(stage);
}

std::uint32_t GraphicsDeviceNull::GetTextureCount(std::uint32_t stage) const
{
    return textureCounts_.at(stage);
}

const LightDescription& GraphicsDeviceNull::GetLight(std::uint32_t index) const
{
    return lights_.at(index);
}

std::uint32_t GraphicsDeviceNull::GetLightCount(std::uint32_t index) const
{
    return lightCounts_.at(index);
}

bool GraphicsDeviceNull::IsLightEnabled(std::uint32_t index) const
{
    return lightEnabled_.at(index);
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
