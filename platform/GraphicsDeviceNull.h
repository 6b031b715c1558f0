// A drawing device with no output. It counts every call that reaches it and
// keeps the last clear and draw, and shows the state the device keeps, so
// that tests can see what reached the device without reading pixels. Counting
// allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace Platform {

class GraphicsDriver;

class GraphicsDeviceNull : public GraphicsDevice
{
public:
    // The driver is borrowed: scene calls answer kGraphicsErrSurfaceLost while its
    // surfaces are lost.
    GraphicsDeviceNull(const DeviceDescription& description, const GraphicsDriver* driver);
    ~GraphicsDeviceNull() override;

    // What the tests read.
    struct DrawCall
    {
        PrimitiveType type = PrimitiveType::TriangleList;
        std::uint32_t vertexFormat = 0;
        std::uint32_t vertexCount = 0;
        std::uint32_t indexSize = 0;
        std::uint32_t indexCount = 0;
    };
    struct ClearCall
    {
        std::uint32_t flags = 0;
        std::uint32_t color = 0;
        float z = 0.0f;
        std::uint32_t stencil = 0;
    };

    using GraphicsDevice::GetLight;
    using GraphicsDevice::GetMaterial;
    using GraphicsDevice::GetRenderState;
    using GraphicsDevice::GetStageState;
    using GraphicsDevice::GetTexture;
    using GraphicsDevice::GetTextureTransform;
    using GraphicsDevice::GetTransform;
    using GraphicsDevice::GetViewport;
    using GraphicsDevice::GetZBufferFormat;
    using GraphicsDevice::HasZBuffer;
    using GraphicsDevice::IsLightEnabled;

    std::uint32_t GetRenderStateCount(RenderState state) const;
    std::uint32_t GetStageStateCount(std::uint32_t stage, StageState state) const;
    std::uint32_t GetTransformCount(TransformState state) const;
    std::uint32_t GetTextureTransformCount(std::uint32_t stage) const;
    std::uint32_t GetTextureCount(std::uint32_t stage) const;
    std::uint32_t GetMaterialCount() const { return materialCount_; }
    std::uint32_t GetLightCount(std::uint32_t index) const;
    std::uint32_t GetLightEnableCount(std::uint32_t index) const;
    std::uint32_t GetViewportCount() const { return viewportCount_; }
    const ClearCall& GetLastClear() const { return lastClear_; }
    std::uint32_t GetClearCount() const { return clearCount_; }
    std::uint32_t GetBeginSceneCount() const { return beginSceneCount_; }
    std::uint32_t GetEndSceneCount() const { return endSceneCount_; }
    const DrawCall& GetLastDraw() const { return lastDraw_; }
    std::uint32_t GetDrawCount() const { return drawCount_; }
    // Every call that reached the device, of any kind.
    std::uint64_t GetTotalCallCount() const { return totalCalls_; }
    void ResetCounts();

    // Makes the next calls of any kind that pass their checks answer this code
    // (kGraphicsOk ends it).
    void SetFailure(GraphicsResult result) { failure_ = result; }

protected:
    GraphicsResult DoSetViewport(const Viewport& viewport) override;
    GraphicsResult DoCreateZBuffer(const ZBufferFormat& format) override;
    GraphicsResult DoSetRenderTarget() override;
    GraphicsResult DoSetTransform(TransformState state) override;
    GraphicsResult DoSetTextureTransform(std::uint32_t stage) override;
    GraphicsResult DoSetRenderState(RenderState state, std::uint32_t value) override;
    GraphicsResult DoSetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t value) override;
    GraphicsResult DoSetTexture(std::uint32_t stage) override;
    GraphicsResult DoSetMaterial() override;
    GraphicsResult DoSetLight(std::uint32_t index) override;
    GraphicsResult DoLightEnable(std::uint32_t index) override;
    GraphicsResult DoClear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil) override;
    GraphicsResult DoBeginScene() override;
    GraphicsResult DoEndScene() override;
    GraphicsResult DoDrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const void* vertices,
                                          std::uint32_t vertexCount, const void* indices, std::uint32_t indexSize,
                                          std::uint32_t indexCount) override;

private:
    static constexpr std::size_t kRenderStateCount = static_cast<std::size_t>(RenderState::Count);
    static constexpr std::size_t kStageStateCount = static_cast<std::size_t>(StageState::Count);
    static constexpr std::size_t kTransformCount = static_cast<std::size_t>(TransformState::Count);

    GraphicsResult Count();
    GraphicsResult Count(std::uint32_t& counter);

    GraphicsResult failure_ = kGraphicsOk;
    std::uint64_t totalCalls_ = 0;

    std::array<std::uint32_t, kRenderStateCount> renderStateCounts_{};
    std::array<std::array<std::uint32_t, kStageStateCount>, kMaxTextureStages> stageStateCounts_{};
    std::array<std::uint32_t, kTransformCount> transformCounts_{};
    std::array<std::uint32_t, kMaxTextureStages> textureTransformCounts_{};
    std::array<std::uint32_t, kMaxTextureStages> textureCounts_{};
    std::uint32_t materialCount_ = 0;
    std::array<std::uint32_t, kMaxLights> lightCounts_{};
    std::array<std::uint32_t, kMaxLights> lightEnableCounts_{};
    std::uint32_t viewportCount_ = 0;
    ClearCall lastClear_;
    std::uint32_t clearCount_ = 0;
    std::uint32_t beginSceneCount_ = 0;
    std::uint32_t endSceneCount_ = 0;
    DrawCall lastDraw_;
    std::uint32_t drawCount_ = 0;
};

} // namespace Platform
