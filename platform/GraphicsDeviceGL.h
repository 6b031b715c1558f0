// The drawing device on the fixed-function OpenGL pipeline.
//
// How the device-form meaning is kept on GL:
// - Matrices arrive as row vectors in row-major order, which is exactly GL's
//   column-major layout of the transposed matrix, so they load unchanged. The
//   projection is followed by a remap of depth 0..1 onto GL's -1..1 and by the
//   half-pixel shift that puts pixel centres where the device form has them.
// - The screen's y grows downwards for viewports, so viewports are flipped
//   against the drawable's height.
// - Lights are given in world space: they are sent again, under the view
//   matrix alone, whenever the view or a light changed, before the next draw.
// - A vertex layout without colour takes its lit colour from the material and
//   draws white unlit; with colour and colour-vertex on, the material sources
//   pick which material colours follow the vertex.
// - Stage operations become the combine texture environment; a stage's filter,
//   addressing and anisotropy are applied to the texture bound there before it
//   is drawn. A mip filter is used only on a texture that has its mip levels.
// - Texture surfaces upload on first use after an unlock, on this thread.
//
// Not reproduced: a light's range (GL lights have no cut-off distance) and the
// exact spot-light falloff between the inner and outer cone (approximated by an
// exponent).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/GraphicsDevice.h"

namespace Platform {

class GraphicsDriverGL;

class GraphicsDeviceGL : public GraphicsDevice
{
public:
    // The driver is borrowed and outlives the device; its context is current.
    GraphicsDeviceGL(const DeviceDescription& description, GraphicsDriverGL* driver);
    ~GraphicsDeviceGL() override;

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
    // What GL holds for a texture unit, so that an unchanged stage costs no GL call.
    struct Unit
    {
        std::uint64_t boundSerial = 0;
        const void* boundBinding = nullptr;
        std::uint64_t boundRevision = 0;
        bool environmentDirty = true;
        bool samplerDirty = true;
        bool transformDirty = true;
        bool enabled = false;
    };

    void ApplyDefaults();
    void ApplyRenderState(RenderState state, std::uint32_t value);
    void ApplyStencil();
    GraphicsResult Flush(std::uint32_t vertexFormat);
    void FlushTransforms();
    void SendLights();
    // GL's lights reach every distance: a light is switched off for a draw
    // whose vertices all lie beyond its range, the one case where that range
    // takes all of the light away from every vertex.
    void SwitchOffLightsOutOfRange(std::uint32_t vertexFormat, const void* vertices, std::uint32_t vertexCount);
    void SendMaterial();
    void ApplyEnvironment(std::uint32_t unit);
    void LoadTextureMatrix(std::uint32_t unit);
    GraphicsResult BindTexture(std::uint32_t unit);
    GraphicsResult Upload(TextureSurface& surface, std::uint32_t name);
    void SetColorMaterial(std::uint32_t vertexFormat);
    void SetClientArrays(std::uint32_t vertexFormat, const void* vertices);
    void SelectUnit(std::uint32_t unit);

    GraphicsDriverGL* driver_;
    std::array<Unit, kMaxTextureStages> units_{};

    bool projectionDirty_ = true;
    bool modelViewDirty_ = true;
    bool lightsDirty_ = true;
    bool materialDirty_ = true;
    // One bit per light: sent on with a range it can end within; switched off
    // for the current draw because of it.
    std::uint32_t rangedLights_ = 0;
    std::uint32_t lightsOutOfRange_ = 0;
    bool colorMaterialOn_ = false;
    std::uint32_t colorMaterialMode_ = 0;
    std::uint32_t clientArrays_ = 0;
    std::uint32_t clientTextureUnits_ = 0;
    std::uint32_t activeUnit_ = 0;
    std::uint32_t clientActiveUnit_ = 0;
    // GL's current normal holds +z and its current colour white.
    bool currentNormalSet_ = false;
    bool currentColorSet_ = false;
    std::vector<std::uint8_t> uploadTexels_;
};

} // namespace Platform
