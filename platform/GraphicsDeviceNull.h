// A drawing device with no output. It keeps the last value and a call count of
// every state, transform, light and draw, so that tests can see what reached
// the device without reading pixels. Counting allocates nothing.
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

    const DeviceDescription& GetDescription() const override { return description_; }

    GraphicsResult SetViewport(const Viewport& viewport) override;
    GraphicsResult CreateZBuffer(const ZBufferFormat& format) override;
    GraphicsResult SetRenderTarget() override;
    GraphicsResult SetTransform(TransformState state, const float matrix[16]) override;
    GraphicsResult SetTextureTransform(std::uint32_t stage, const float matrix[16]) override;
    GraphicsResult SetRenderState(RenderState state, std::uint32_t value) override;
    GraphicsResult SetTextureStageState(std::uint32_t stage, StageState state,
                                        std::uint32_t value) override;
    GraphicsResult SetTexture(std::uint32_t stage, TextureSurface* surface) override;
    GraphicsResult SetMaterial(const Material& material) override;
    GraphicsResult SetLight(std::uint32_t index, const LightDescription& light) override;
    GraphicsResult LightEnable(std::uint32_t index, bool enable) override;
    GraphicsResult Clear(std::uint32_t flags, std::uint32_t color, float z,
                         std::uint32_t stencil) override;
    GraphicsResult BeginScene() override;
    GraphicsResult EndScene() override;
    GraphicsResult DrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat,
                                        const void* vertices, std::uint32_t vertexCount,
                                        const void* indices, std::uint32_t indexSize,
                                        std::uint32_t indexCount) override;

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

    std::uint32_t GetRenderState(RenderState state) const;
    std::uint32_t GetRenderStateCount(RenderState state) const;
    std::uint32_t GetStageState(std::uint32_t stage, StageState state) const;
    std::uint32_t GetStageStateCount(std::uint32_t stage, StageState state) const;
    const float* GetTransform(TransformState state) const;
    std::uint32_t GetTransformCount(TransformState state) const;
    const float* GetTextureTransform(std::uint32_t stage) const;
    std::uint32_t GetTextureTransformCount(std::uint32_t stage) const;
    TextureSurface* GetTexture(std::uint32_t stage) const;
    std::uint32_t GetTextureCount(std::uint32_t stage) const;
    const Material& GetMaterial() const { return material_; }
    std::uint32_t GetMaterialCount() const { return materialCount_; }
    const LightDescription& GetLight(std::uint32_t index) const;
    std::uint32_t GetLightCount(std::uint32_t index) const;
    bool IsLightEnabled(std::uint32_t index) const;
    std::uint32_t GetLightEnableCount(std::uint32_t index) const;
    const Viewport& GetViewport() const { return viewport_; }
    std::uint32_t GetViewportCount() const { return viewportCount_; }
    const ZBufferFormat& GetZBufferFormat() const { return zBufferFormat_; }
    bool HasZBuffer() const { return hasZBuffer_; }
    const ClearCall& GetLastClear() const { return lastClear_; }
    std::uint32_t GetClearCount() const { return clearCount_; }
    std::uint32_t GetBeginSceneCount() const { return beginSceneCount_; }
    std::uint32_t GetEndSceneCount() const { return endSceneCount_; }
    const DrawCall& GetLastDraw() const { return lastDraw_; }
    std::uint32_t GetDrawCount() const { return drawCount_; }
    // Every call that reached the device, of any kind.
    std::uint64_t GetTotalCallCount() const { return totalCalls_; }
    void ResetCounts();

    // Makes the next calls of any kind answer this code (kGraphicsOk ends it).
    void SetFailure(GraphicsResult result) { failure_ = result; }

private:
    static constexpr std::size_t kRenderStateCount = static_cast<std::size_t>(RenderState::Count);
    static constexpr std::size_t kStageStateCount = static_cast<std::size_t>(StageState::Count);
    static constexpr std::size_t kTransformCount = static_cast<std::size_t>(TransformState::Count);

    GraphicsResult Record();
    bool StageInRange(std::uint32_t stage) const { return stage < kMaxTextureStages; }

    DeviceDescription description_;
    const GraphicsDriver* driver_;
    GraphicsResult failure_ = kGraphicsOk;
    std::uint64_t totalCalls_ = 0;

    std::array<std::uint32_t, kRenderStateCount> renderStates_{};
    std::array<std::uint32_t, kRenderStateCount> renderStateCounts_{};
    std::array<std::array<std::uint32_t, kStageStateCount>, kMaxTextureStages> stageStates_{};
    std::array<std::array<std::uint32_t, kStageStateCount>, kMaxTextureStages> stageStateCounts_{};
    std::array<std::array<float, 16>, kTransformCount> transforms_{};
    std::array<std::uint32_t, kTransformCount> transformCounts_{};
    std::array<std::array<float, 16>, kMaxTextureStages> textureTransforms_{};
    std::array<std::uint32_t, kMaxTextureStages> textureTransformCounts_{};
    std::array<TextureSurface*, kMaxTextureStages> textures_{};
    std::array<std::uint32_t, kMaxTextureStages> textureCounts_{};
    Material material_;
    std::uint32_t materialCount_ = 0;
    std::array<LightDescription, kMaxLights> lights_{};
    std::array<std::uint32_t, kMaxLights> lightCounts_{};
    std::array<bool, kMaxLights> lightEnabled_{};
    std::array<std::uint32_t, kMaxLights> lightEnableCounts_{};
    Viewport viewport_;
    std::uint32_t viewportCount_ = 0;
    ZBufferFormat zBufferFormat_;
    bool hasZBuffer_ = false;
    ClearCall lastClear_;
    std::uint32_t clearCount_ = 0;
    std::uint32_t beginSceneCount_ = 0;
    std::uint32_t endSceneCount_ = 0;
    DrawCall lastDraw_;
    std::uint32_t drawCount_ = 0;
};

} // namespace Platform
