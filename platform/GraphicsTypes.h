// Plain descriptions shared by the graphics services: adapters, devices and
// display modes as enumeration reports them, depth-buffer and texture pixel
// formats, the viewport, material and light records, and the numbering of the
// render states, texture-stage states and their values.
//
// Matrices are 16 floats in the device form: row vectors (a point is
// multiplied on the left), row-major storage, depth 0..1 after projection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Display.h"

namespace Platform {

enum class DeviceKind
{
    HardwareTransformAndLighting,
    Hardware,
    Software,
    Reference
};

// Bits of DeviceDescription::renderDepths: the back-buffer depths a device renders.
constexpr std::uint32_t kRenderDepth16 = 0x1;
constexpr std::uint32_t kRenderDepth24 = 0x2;
constexpr std::uint32_t kRenderDepth32 = 0x4;

struct DeviceDescription
{
    std::string name;
    std::string description;
    DeviceKind kind = DeviceKind::Software;
    bool hardwareRasterization = false;
    std::uint32_t renderDepths = 0;
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    std::uint32_t maxSimultaneousTextures = 0;
    std::uint32_t maxAnisotropy = 1;
    std::uint32_t maxActiveLights = 0;
    // Hidden-surface removal without a depth buffer: such a device gets no Z buffer.
    bool zBufferlessHiddenSurfaceRemoval = false;
};

struct AdapterDescription
{
    std::string description;
    bool primary = false;
    bool canRenderWindowed = false;
    DisplayMode desktopMode;
    std::vector<DisplayMode> displayModes;
    std::vector<DeviceDescription> devices;
};

struct ZBufferFormat
{
    std::uint32_t depthBits = 0;
    std::uint32_t stencilBits = 0;
};

// A texel layout: masks over a 16- or 32-bit little-endian value.
struct PixelFormat
{
    std::uint32_t bitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    bool hasAlpha = false;
    bool luminance = false;
    bool bumpMap = false;
    std::uint32_t fourCharacterCode = 0;
};

inline bool operator==(const PixelFormat& a, const PixelFormat& b)
{
    return a.bitCount == b.bitCount && a.redMask == b.redMask && a.greenMask == b.greenMask &&
           a.blueMask == b.blueMask && a.alphaMask == b.alphaMask && a.hasAlpha == b.hasAlpha &&
           a.luminance == b.luminance && a.bumpMap == b.bumpMap && a.fourCharacterCode == b.fourCharacterCode;
}

// The rectangle is in back-buffer pixels with y growing downwards.
struct Viewport
{
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

struct ColorValue
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct Material
{
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;
};

enum class LightType : std::uint32_t
{
    Point = 1,
    Spot = 2,
    Directional = 3
};

// The largest range a light takes (the square root of the largest float): a
// light of this range reaches everything.
constexpr float kUnlimitedLightRange = 1.8446743e19f;

// Positions and directions are in world space; the direction is the one the light travels.
struct LightDescription
{
    LightType type = LightType::Point;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    float position[3] = {0.0f, 0.0f, 0.0f};
    float direction[3] = {0.0f, 0.0f, 1.0f};
    // A point or spot light gives nothing to a vertex farther away than this.
    float range = kUnlimitedLightRange;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    // Full cone angles in radians: theta the inner, phi the outer.
    float theta = 0.0f;
    float phi = 0.0f;
};

enum class TransformState : std::uint32_t
{
    World,
    View,
    Projection,
    Count
};

enum class RenderState : std::uint32_t
{
    Ambient, // packed A, R, G, B from the high byte down
    AlphaBlendEnable,
    SourceBlend,
    DestinationBlend,
    CullMode,
    Lighting,
    NormalizeNormals,
    ZEnable,
    ZWriteEnable,
    ZFunction,
    StencilEnable,
    StencilFunction,
    StencilReference,
    StencilMask,
    StencilWriteMask,
    StencilFail,
    StencilZFail,
    StencilPass,
    ColorVertex,
    DiffuseMaterialSource,
    AmbientMaterialSource,
    SpecularMaterialSource,
    EmissiveMaterialSource,
    TextureFactor,
    Count
};

enum class StageState : std::uint32_t
{
    ColorOperation,
    ColorArgument1,
    ColorArgument2,
    AlphaOperation,
    AlphaArgument1,
    AlphaArgument2,
    TexCoordIndex,
    AddressU,
    AddressV,
    MagFilter,
    MinFilter,
    MipFilter,
    MaxAnisotropy,
    TextureTransformFlags,
    Count
};

constexpr std::uint32_t kMaxTextureStages = 8;
constexpr std::uint32_t kMaxLights = 8;

// Blend factors (SourceBlend, DestinationBlend).
constexpr std::uint32_t kBlendZero = 1;
constexpr std::uint32_t kBlendOne = 2;
constexpr std::uint32_t kBlendSourceColor = 3;
constexpr std::uint32_t kBlendInverseSourceColor = 4;
constexpr std::uint32_t kBlendSourceAlpha = 5;
constexpr std::uint32_t kBlendInverseSourceAlpha = 6;
constexpr std::uint32_t kBlendDestinationAlpha = 7;
constexpr std::uint32_t kBlendInverseDestinationAlpha = 8;
constexpr std::uint32_t kBlendDestinationColor = 9;
constexpr std::uint32_t kBlendInverseDestinationColor = 10;
constexpr std::uint32_t kBlendSourceAlphaSaturated = 11;

// CullMode: the winding named is the one removed, as seen on the screen.
constexpr std::uint32_t kCullNone = 1;
constexpr std::uint32_t kCullClockwise = 2;
constexpr std::uint32_t kCullCounterClockwise = 3;

// ZFunction, StencilFunction.
constexpr std::uint32_t kCompareNever = 1;
constexpr std::uint32_t kCompareLess = 2;
constexpr std::uint32_t kCompareEqual = 3;
constexpr std::uint32_t kCompareLessEqual = 4;
constexpr std::uint32_t kCompareGreater = 5;
constexpr std::uint32_t kCompareNotEqual = 6;
constexpr std::uint32_t kCompareGreaterEqual = 7;
constexpr std::uint32_t kCompareAlways = 8;

// StencilFail, StencilZFail, StencilPass. Increment and Decrement wrap around.
constexpr std::uint32_t kStencilKeep = 1;
constexpr std::uint32_t kStencilZero = 2;
constexpr std::uint32_t kStencilReplace = 3;
constexpr std::uint32_t kStencilIncrementSaturate = 4;
constexpr std::uint32_t kStencilDecrementSaturate = 5;
constexpr std::uint32_t kStencilInvert = 6;
constexpr std::uint32_t kStencilIncrement = 7;
constexpr std::uint32_t kStencilDecrement = 8;

// Material sources (DiffuseMaterialSource and the others).
constexpr std::uint32_t kMaterialSourceMaterial = 0;
constexpr std::uint32_t kMaterialSourceColor1 = 1;
constexpr std::uint32_t kMaterialSourceColor2 = 2;

// Texture-stage operations (ColorOperation, AlphaOperation).
constexpr std::uint32_t kTextureOpDisable = 1;
constexpr std::uint32_t kTextureOpSelectArg1 = 2;
constexpr std::uint32_t kTextureOpSelectArg2 = 3;
constexpr std::uint32_t kTextureOpModulate = 4;
constexpr std::uint32_t kTextureOpModulate2x = 5;
constexpr std::uint32_t kTextureOpModulate4x = 6;
constexpr std::uint32_t kTextureOpAdd = 7;
constexpr std::uint32_t kTextureOpAddSigned = 8;
constexpr std::uint32_t kTextureOpAddSigned2x = 9;
constexpr std::uint32_t kTextureOpSubtract = 10;
constexpr std::uint32_t kTextureOpBlendDiffuseAlpha = 12;
constexpr std::uint32_t kTextureOpBlendTextureAlpha = 13;
constexpr std::uint32_t kTextureOpBlendFactorAlpha = 14;
constexpr std::uint32_t kTextureOpBlendCurrentAlpha = 16;

// Texture-stage arguments, optionally with the modifier bits.
constexpr std::uint32_t kTextureArgDiffuse = 0;
constexpr std::uint32_t kTextureArgCurrent = 1;
constexpr std::uint32_t kTextureArgTexture = 2;
constexpr std::uint32_t kTextureArgFactor = 3;
constexpr std::uint32_t kTextureArgSelectMask = 0x0F;
constexpr std::uint32_t kTextureArgComplement = 0x10;
constexpr std::uint32_t kTextureArgAlphaReplicate = 0x20;

// AddressU, AddressV.
constexpr std::uint32_t kAddressWrap = 1;
constexpr std::uint32_t kAddressMirror = 2;
constexpr std::uint32_t kAddressClamp = 3;

// MagFilter, MinFilter.
constexpr std::uint32_t kFilterPoint = 1;
constexpr std::uint32_t kFilterLinear = 2;
constexpr std::uint32_t kFilterAnisotropic = 3;
// MipFilter.
constexpr std::uint32_t kMipFilterNone = 1;
constexpr std::uint32_t kMipFilterPoint = 2;
constexpr std::uint32_t kMipFilterLinear = 3;

// TextureTransformFlags: how many transformed coordinates the stage uses (0: no transform).
constexpr std::uint32_t kTextureTransformDisable = 0;
constexpr std::uint32_t kTextureTransformCount2 = 2;

// Vertex layout bits; the fields lie in this order: position, normal, diffuse colour, texture u, v.
constexpr std::uint32_t kVertexPosition = 0x002;
constexpr std::uint32_t kVertexNormal = 0x010;
constexpr std::uint32_t kVertexDiffuse = 0x040;
constexpr std::uint32_t kVertexTexture1 = 0x100;

enum class PrimitiveType : std::uint32_t
{
    TriangleList = 4,
    TriangleStrip = 5
};

// Clear flags.
constexpr std::uint32_t kClearTarget = 0x1;
constexpr std::uint32_t kClearZBuffer = 0x2;
constexpr std::uint32_t kClearStencil = 0x4;

} // namespace Platform
