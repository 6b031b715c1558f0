#include "platform/GraphicsDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/GraphicsDriver.h"
#include "platform/TextureSurface.h"

namespace Platform {

namespace {

constexpr std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The values a freshly made device holds, so that a cache starting in step
// with the device and a device that was never told agree.
constexpr std::pair<RenderState, std::uint32_t> kDefaultRenderStates[] = {
    {RenderState::Ambient, 0},
    {RenderState::AlphaBlendEnable, 0},
    {RenderState::SourceBlend, kBlendOne},
    {RenderState::DestinationBlend, kBlendZero},
    {RenderState::CullMode, kCullCounterClockwise},
    {RenderState::Lighting, 1},
    {RenderState::NormalizeNormals, 0},
    {RenderState::ZEnable, 1},
    {RenderState::ZWriteEnable, 1},
    {RenderState::ZFunction, kCompareLessEqual},
    {RenderState::StencilEnable, 0},
    {RenderState::StencilFunction, kCompareAlways},
    {RenderState::StencilReference, 0},
    {RenderState::StencilMask, 0xFFFFFFFFu},
    {RenderState::StencilWriteMask, 0xFFFFFFFFu},
    {RenderState::StencilFail, kStencilKeep},
    {RenderState::StencilZFail, kStencilKeep},
    {RenderState::StencilPass, kStencilKeep},
    {RenderState::ColorVertex, 1},
    {RenderState::DiffuseMaterialSource, kMaterialSourceColor1},
    {RenderState::AmbientMaterialSource, kMaterialSourceMaterial},
    {RenderState::SpecularMaterialSource, kMaterialSourceColor2},
    {RenderState::EmissiveMaterialSource, kMaterialSourceMaterial},
    {RenderState::TextureFactor, 0xFFFFFFFFu},
};

bool IndicesBelow(const void* indices, std::uint32_t indexSize, std::uint32_t indexCount, std::uint32_t limit)
{
    const auto* bytes = static_cast<const std::uint8_t*>(indices);
    for (std::uint32_t position = 0; position < indexCount; ++position) {
        std::uint32_t index = 0;
        if (indexSize == 2) {
            std::uint16_t narrow = 0;
            std::memcpy(&narrow, bytes + static_cast<std::size_t>(position) * 2, 2);
            index = narrow;
        } else {
            std::memcpy(&index, bytes + static_cast<std::size_t>(position) * 4, 4);
        }
        if (index >= limit) {
            return false;
        }
    }
    return true;
}

} // namespace

GraphicsDevice::GraphicsDevice(const DeviceDescription& description, const GraphicsDriver* driver)
    : description_(description), driver_(driver),
      stageCount_(std::min(std::max<std::uint32_t>(description.maxSimultaneousTextures, 1), kMaxTextureStages)),
      lightCount_(std::min(description.maxActiveLights, kMaxLights))
{
    SetDefaults();
}

GraphicsDevice::~GraphicsDevice() = default;

void GraphicsDevice::SetDefaults()
{
    for (const auto& entry : kDefaultRenderStates) {
        renderStates_[static_cast<std::size_t>(entry.first)] = entry.second;
    }
    for (std::uint32_t stage = 0; stage < kMaxTextureStages; ++stage) {
        auto set = [this, stage](StageState state, std::uint32_t value) {
            stageStates_[stage][static_cast<std::size_t>(state)] = value;
        };
        set(StageState::ColorOperation, stage == 0 ? kTextureOpModulate : kTextureOpDisable);
        set(StageState::ColorArgument1, kTextureArgTexture);
        set(StageState::ColorArgument2, kTextureArgCurrent);
        set(StageState::AlphaOperation, stage == 0 ? kTextureOpSelectArg1 : kTextureOpDisable);
        set(StageState::AlphaArgument1, kTextureArgTexture);
        set(StageState::AlphaArgument2, kTextureArgCurrent);
        set(StageState::TexCoordIndex, stage);
        set(StageState::AddressU, kAddressWrap);
        set(StageState::AddressV, kAddressWrap);
        set(StageState::MagFilter, kFilterPoint);
        set(StageState::MinFilter, kFilterPoint);
        set(StageState::MipFilter, kMipFilterNone);
        set(StageState::MaxAnisotropy, 1);
        set(StageState::TextureTransformFlags, kTextureTransformDisable);
    }
    transforms_.fill(kIdentity);
    textureTransforms_.fill(kIdentity);
}

bool GraphicsDevice::AreSurfacesLost() const
{
    return driver_ != nullptr && driver_->AreSurfacesLost();
}

GraphicsResult GraphicsDevice::SetViewport(const Viewport& viewport)
{
    if (viewport.width == 0 || viewport.height == 0) {
        return kGraphicsErrInvalidParams;
    }
    viewport_ = viewport;
    return DoSetViewport(viewport);
}

GraphicsResult GraphicsDevice::CreateZBuffer(const ZBufferFormat& format)
{
    if (format.depthBits == 0) {
        return kGraphicsErrInvalidParams;
    }
    zBufferFormat_ = format;
    hasZBuffer_ = true;
    return DoCreateZBuffer(format);
}

GraphicsResult GraphicsDevice::SetRenderTarget()
{
    return DoSetRenderTarget();
}

GraphicsResult GraphicsDevice::SetTransform(TransformState state, const float matrix[16])
{
    const auto index = static_cast<std::size_t>(state);
    if (index >= kTransformCount || matrix == nullptr) {
        return kGraphicsErrInvalidParams;
    }
    std::copy(matrix, matrix + 16, transforms_[index].begin());
    return DoSetTransform(state);
}

GraphicsResult GraphicsDevice::SetTextureTransform(std::uint32_t stage, const float matrix[16])
{
    if (stage >= stageCount_ || matrix == nullptr) {
        return kGraphicsErrInvalidParams;
    }
    std::copy(matrix, matrix + 16, textureTransforms_[stage].begin());
    return DoSetTextureTransform(stage);
}

GraphicsResult GraphicsDevice::SetRenderState(RenderState state, std::uint32_t value)
{
    const auto index = static_cast<std::size_t>(state);
    if (index >= kRenderStateCount) {
        return kGraphicsErrInvalidParams;
    }
    renderStates_[index] = value;
    return DoSetRenderState(state, value);
}

GraphicsResult GraphicsDevice::SetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t value)
{
    const auto index = static_cast<std::size_t>(state);
    if (stage >= stageCount_ || index >= kStageStateCount) {
        return kGraphicsErrInvalidParams;
    }
    stageStates_[stage][index] = value;
    return DoSetTextureStageState(stage, state, value);
}

GraphicsResult GraphicsDevice::SetTexture(std::uint32_t stage, TextureSurface* surface)
{
    if (stage >= stageCount_) {
        return kGraphicsErrInvalidParams;
    }
    if (surface != nullptr && (surface->GetDescription().width > description_.maxTextureWidth ||
                               surface->GetDescription().height > description_.maxTextureHeight)) {
        return kGraphicsErrInvalidParams;
    }
    textures_[stage] = surface;
    return DoSetTexture(stage);
}

GraphicsResult GraphicsDevice::SetMaterial(const Material& material)
{
    material_ = material;
    return DoSetMaterial();
}

GraphicsResult GraphicsDevice::SetLight(std::uint32_t index, const LightDescription& light)
{
    if (index >= lightCount_) {
        return kGraphicsErrInvalidParams;
    }
    lights_[index] = light;
    return DoSetLight(index);
}

GraphicsResult GraphicsDevice::LightEnable(std::uint32_t index, bool enable)
{
    if (index >= lightCount_) {
        return kGraphicsErrInvalidParams;
    }
    lightEnabled_[index] = enable;
    return DoLightEnable(index);
}

GraphicsResult GraphicsDevice::Clear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil)
{
    return DoClear(flags, color, z, stencil);
}

GraphicsResult GraphicsDevice::BeginScene()
{
    if (AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    return DoBeginScene();
}

GraphicsResult GraphicsDevice::EndScene()
{
    if (AreSurfacesLost()) {
        return kGraphicsErrSurfaceLost;
    }
    return DoEndScene();
}

GraphicsResult GraphicsDevice::DrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat,
                                                    const void* vertices, std::uint32_t vertexCount,
                                                    const void* indices, std::uint32_t indexSize,
                                                    std::uint32_t indexCount)
{
    if (type != PrimitiveType::TriangleList && type != PrimitiveType::TriangleStrip) {
        return kGraphicsErrInvalidParams;
    }
    if (vertices == nullptr || vertexCount == 0 || (vertexFormat & kVertexPosition) == 0) {
        return kGraphicsErrInvalidParams;
    }
    if (indices == nullptr || (indexSize != 2 && indexSize != 4) ||
        !IndicesBelow(indices, indexSize, indexCount, vertexCount)) {
        return kGraphicsErrInvalidParams;
    }
    return DoDrawIndexedPrimitive(type, vertexFormat, vertices, vertexCount, indices, indexSize, indexCount);
}

std::uint32_t GraphicsDevice::GetRenderState(RenderState state) const
{
    return renderStates_.at(static_cast<std::size_t>(state));
}

std::uint32_t GraphicsDevice::GetStageState(std::uint32_t stage, StageState state) const
{
    return stageStates_.at(stage).at(static_cast<std::size_t>(state));
}

const float* GraphicsDevice::GetTransform(TransformState state) const
{
    return transforms_.at(static_cast<std::size_t>(state)).data();
}

const float* GraphicsDevice::GetTextureTransform(std::uint32_t stage) const
{
    return textureTransforms_.at(stage).data();
}

TextureSurface* GraphicsDevice::GetTexture(std::uint32_t stage) const
{
    return textures_.at(stage);
}

const LightDescription& GraphicsDevice::GetLight(std::uint32_t index) const
{
    return lights_.at(index);
}

bool GraphicsDevice::IsLightEnabled(std::uint32_t index) const
{
    return lightEnabled_.at(index);
}

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
