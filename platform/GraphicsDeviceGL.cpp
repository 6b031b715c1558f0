#include "platform/GraphicsDeviceGL.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/GLTextureNameQueue.h"
#include "platform/GraphicsDriverGL.h"
#include "platform/TextureSurface.h"

namespace Platform {

namespace {

constexpr float kMaxSpotExponent = 128.0f;
constexpr float kMaxShininess = 128.0f;
constexpr float kRadiansToDegrees = 57.29578f;
// GL's cut-off of a light that is not a spot light.
constexpr float kNoSpotCutoffDegrees = 180.0f;
// The widest cone GL takes: a half-angle of 90 degrees.
constexpr float kMaxSpotHalfAngleRadians = 1.5707964f;
constexpr float kHalfPixelShift = 0.5f;
// Above the GL rasteriser's sub-pixel step, far below anything a texel shows.
constexpr float kEdgeTieShiftPixels = 1.0f / 64.0f;

// What this device keeps with a surface it uploaded: the texture name and the
// sampler parameters last applied to it.
class GLTextureBinding : public TextureSurfaceBinding
{
public:
    GLTextureBinding(std::shared_ptr<GLTextureNameQueue> queue, GLuint name) : queue(std::move(queue)), name(name) {}
    ~GLTextureBinding() override { queue->Push(name); }

    std::shared_ptr<GLTextureNameQueue> queue;
    GLuint name;
    std::uint64_t uploadedRevision = 0;
    GLint minFilter = -1;
    GLint magFilter = -1;
    GLint wrapS = -1;
    GLint wrapT = -1;
    GLfloat anisotropy = -1.0f;
};

void UnpackColor(std::uint32_t argb, GLfloat out[4])
{
    out[0] = static_cast<GLfloat>((argb >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<GLfloat>((argb >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<GLfloat>(argb & 0xFF) / 255.0f;
    out[3] = static_cast<GLfloat>((argb >> 24) & 0xFF) / 255.0f;
}

void ToArray(const ColorValue& color, GLfloat out[4])
{
    out[0] = color.r;
    out[1] = color.g;
    out[2] = color.b;
    out[3] = color.a;
}

GLenum MapBlend(std::uint32_t factor)
{
    switch (factor) {
    case kBlendOne:
        return GL_ONE;
    case kBlendSourceColor:
        return GL_SRC_COLOR;
    case kBlendInverseSourceColor:
        return GL_ONE_MINUS_SRC_COLOR;
    case kBlendSourceAlpha:
        return GL_SRC_ALPHA;
    case kBlendInverseSourceAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case kBlendDestinationAlpha:
        return GL_DST_ALPHA;
    case kBlendInverseDestinationAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    case kBlendDestinationColor:
        return GL_DST_COLOR;
    case kBlendInverseDestinationColor:
        return GL_ONE_MINUS_DST_COLOR;
    case kBlendSourceAlphaSaturated:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ZERO;
    }
}

GLenum MapCompare(std::uint32_t function)
{
    switch (function) {
    case kCompareNever:
        return GL_NEVER;
    case kCompareLess:
        return GL_LESS;
    case kCompareEqual:
        return GL_EQUAL;
    case kCompareLessEqual:
        return GL_LEQUAL;
    case kCompareGreater:
        return GL_GREATER;
    case kCompareNotEqual:
        return GL_NOTEQUAL;
    case kCompareGreaterEqual:
        return GL_GEQUAL;
    default:
        return GL_ALWAYS;
    }
}

GLenum MapStencilOperation(std::uint32_t operation)
{
    switch (operation) {
    case kStencilZero:
        return GL_ZERO;
    case kStencilReplace:
        return GL_REPLACE;
    case kStencilIncrementSaturate:
        return GL_INCR;
    case kStencilDecrementSaturate:
        return GL_DECR;
    case kStencilInvert:
        return GL_INVERT;
    case kStencilIncrement:
        return GL_INCR_WRAP;
    case kStencilDecrement:
        return GL_DECR_WRAP;
    default:
        return GL_KEEP;
    }
}

GLint MapAddress(std::uint32_t address)
{
    switch (address) {
    case kAddressClamp:
        return GL_CLAMP_TO_EDGE;
    case kAddressMirror:
        return GL_MIRRORED_REPEAT;
    default:
        return GL_REPEAT;
    }
}

GLenum MapSource(std::uint32_t argument)
{
    switch (argument & kTextureArgSelectMask) {
    case kTextureArgDiffuse:
        return GL_PRIMARY_COLOR;
    case kTextureArgTexture:
        return GL_TEXTURE;
    case kTextureArgFactor:
        return GL_CONSTANT;
    default:
        return GL_PREVIOUS;
    }
}

GLenum MapOperand(std::uint32_t argument, bool alpha)
{
    const bool complement = (argument & kTextureArgComplement) != 0;
    if (alpha || (argument & kTextureArgAlphaReplicate) != 0) {
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    }
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

// One half (colour or alpha) of a stage's combine environment.
void SetCombine(bool alpha, std::uint32_t operation, std::uint32_t argument1, std::uint32_t argument2)
{
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum scale = alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
    const GLenum source[3] = {alpha ? GLenum(GL_SRC0_ALPHA) : GLenum(GL_SRC0_RGB),
                              alpha ? GLenum(GL_SRC1_ALPHA) : GLenum(GL_SRC1_RGB),
                              alpha ? GLenum(GL_SRC2_ALPHA) : GLenum(GL_SRC2_RGB)};
    const GLenum operand[3] = {alpha ? GLenum(GL_OPERAND0_ALPHA) : GLenum(GL_OPERAND0_RGB),
                               alpha ? GLenum(GL_OPERAND1_ALPHA) : GLenum(GL_OPERAND1_RGB),
                               alpha ? GLenum(GL_OPERAND2_ALPHA) : GLenum(GL_OPERAND2_RGB)};
    GLint mode = GL_MODULATE;
    GLfloat scaleValue = 1.0f;
    std::uint32_t first = argument1;
    std::uint32_t second = argument2;
    GLenum blendSource = 0;
    switch (operation) {
    case kTextureOpSelectArg1:
        mode = GL_REPLACE;
        break;
    case kTextureOpSelectArg2:
        mode = GL_REPLACE;
        first = argument2;
        break;
    case kTextureOpModulate:
        break;
    case kTextureOpModulate2x:
        scaleValue = 2.0f;
        break;
    case kTextureOpModulate4x:
        scaleValue = 4.0f;
        break;
    case kTextureOpAdd:
        mode = GL_ADD;
        break;
    case kTextureOpAddSigned:
        mode = GL_ADD_SIGNED;
        break;
    case kTextureOpAddSigned2x:
        mode = GL_ADD_SIGNED;
        scaleValue = 2.0f;
        break;
    case kTextureOpSubtract:
        mode = GL_SUBTRACT;
        break;
    case kTextureOpBlendDiffuseAlpha:
        mode = GL_INTERPOLATE;
        blendSource = GL_PRIMARY_COLOR;
        break;
    case kTextureOpBlendTextureAlpha:
        mode = GL_INTERPOLATE;
        blendSource = GL_TEXTURE;
        break;
    case kTextureOpBlendFactorAlpha:
        mode = GL_INTERPOLATE;
        blendSource = GL_CONSTANT;
        break;
    case kTextureOpBlendCurrentAlpha:
        mode = GL_INTERPOLATE;
        blendSource = GL_PREVIOUS;
        break;
    default:
        // A disabled alpha operation on a stage that still draws passes the alpha on.
        mode = GL_REPLACE;
        first = kTextureArgCurrent;
        break;
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, mode);
    glTexEnvf(GL_TEXTURE_ENV, scale, scaleValue);
    glTexEnvi(GL_TEXTURE_ENV, source[0], static_cast<GLint>(MapSource(first)));
    glTexEnvi(GL_TEXTURE_ENV, operand[0], static_cast<GLint>(MapOperand(first, alpha)));
    glTexEnvi(GL_TEXTURE_ENV, source[1], static_cast<GLint>(MapSource(second)));
    glTexEnvi(GL_TEXTURE_ENV, operand[1], static_cast<GLint>(MapOperand(second, alpha)));
    if (blendSource != 0) {
        glTexEnvi(GL_TEXTURE_ENV, source[2], static_cast<GLint>(blendSource));
        glTexEnvi(GL_TEXTURE_ENV, operand[2], GL_SRC_ALPHA);
    }
}

// A stage that multiplies its texture by the incoming colour in both colour and
// alpha is the fixed-function modulate mode; drawn that way rather than through
// the combine environment, the software rasteriser takes its fast path.
bool IsPlainModulate(std::uint32_t unit, std::uint32_t colorOperation, std::uint32_t color1, std::uint32_t color2,
                     std::uint32_t alphaOperation, std::uint32_t alpha1, std::uint32_t alpha2)
{
    // On the first stage the current colour is the diffuse colour.
    const auto isIncoming = [unit](std::uint32_t argument) {
        return argument == kTextureArgCurrent || (unit == 0 && argument == kTextureArgDiffuse);
    };
    const auto isTextureTimesIncoming = [&](std::uint32_t operation, std::uint32_t first, std::uint32_t second) {
        return operation == kTextureOpModulate && ((first == kTextureArgTexture && isIncoming(second)) ||
                                                   (second == kTextureArgTexture && isIncoming(first)));
    };
    return isTextureTimesIncoming(colorOperation, color1, color2) &&
           isTextureTimesIncoming(alphaOperation, alpha1, alpha2);
}

std::uint32_t CountBits(std::uint32_t mask)
{
    std::uint32_t count = 0;
    for (; mask != 0; mask &= mask - 1) {
        ++count;
    }
    return count;
}

std::uint32_t LowestBit(std::uint32_t mask)
{
    std::uint32_t shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// Widens one masked channel to 8 bits, the full value of the mask giving 255.
std::uint8_t ExpandChannel(std::uint32_t texel, std::uint32_t mask, std::uint8_t absent)
{
    if (mask == 0) {
        return absent;
    }
    const std::uint32_t bits = CountBits(mask);
    const std::uint32_t value = (texel & mask) >> LowestBit(mask);
    if (bits >= 8) {
        return static_cast<std::uint8_t>(value >> (bits - 8));
    }
    const std::uint32_t full = (1u << bits) - 1;
    return static_cast<std::uint8_t>((value * 255 + full / 2) / full);
}

bool IsArgb8888(const PixelFormat& format)
{
    return format.bitCount == 32 && format.redMask == 0x00FF0000 && format.greenMask == 0x0000FF00 &&
           format.blueMask == 0x000000FF && (format.alphaMask == 0xFF000000 || format.alphaMask == 0);
}

} // namespace

GraphicsDeviceGL::GraphicsDeviceGL(const DeviceDescription& description, GraphicsDriverGL* driver)
    : GraphicsDevice(description, driver), driver_(driver)
{
    ApplyDefaults();
}

GraphicsDeviceGL::~GraphicsDeviceGL()
{
    // Leave no stage pointing at a surface that may go before the next device.
    for (std::uint32_t unit = 0; unit < GetStageLimit(); ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
}

// Brings GL in step with the stored state a new device starts from.
void GraphicsDeviceGL::ApplyDefaults()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glDisable(GL_DITHER);
    glFrontFace(GL_CCW);
    glShadeModel(GL_SMOOTH);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glDisable(GL_COLOR_MATERIAL);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    clientArrays_ = kVertexPosition;
    for (std::uint32_t unit = 0; unit < GetStageLimit(); ++unit) {
        glClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    }
    units_ = {};
    clientTextureUnits_ = 0;
    glClientActiveTexture(GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE0);
    activeUnit_ = 0;
    clientActiveUnit_ = 0;
    currentNormalSet_ = false;
    currentColorSet_ = false;
    for (std::uint32_t index = 0; index < static_cast<std::uint32_t>(RenderState::Count); ++index) {
        const auto state = static_cast<RenderState>(index);
        ApplyRenderState(state, GetRenderState(state));
    }
    projectionDirty_ = true;
    modelViewDirty_ = true;
    lightsDirty_ = true;
    materialDirty_ = true;
    colorMaterialOn_ = false;
    colorMaterialMode_ = 0;
}

GraphicsResult GraphicsDeviceGL::DoSetViewport(const Viewport& viewport)
{
    const std::int64_t bottom = static_cast<std::int64_t>(driver_->GetDrawableHeight()) -
                                (static_cast<std::int64_t>(viewport.y) + viewport.height);
    glViewport(static_cast<GLint>(viewport.x), static_cast<GLint>(bottom), static_cast<GLsizei>(viewport.width),
               static_cast<GLsizei>(viewport.height));
    glDepthRange(viewport.minZ, viewport.maxZ);
    projectionDirty_ = true;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoCreateZBuffer(const ZBufferFormat&)
{
    ApplyRenderState(RenderState::ZEnable, GetRenderState(RenderState::ZEnable));
    ApplyStencil();
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetRenderTarget()
{
    driver_->MakeCurrent();
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetTransform(TransformState state)
{
    switch (state) {
    case TransformState::Projection:
        projectionDirty_ = true;
        break;
    case TransformState::View:
        modelViewDirty_ = true;
        lightsDirty_ = true;
        break;
    default:
        modelViewDirty_ = true;
        break;
    }
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetTextureTransform(std::uint32_t stage)
{
    units_[stage].transformDirty = true;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetRenderState(RenderState state, std::uint32_t value)
{
    ApplyRenderState(state, value);
    return kGraphicsOk;
}

void GraphicsDeviceGL::ApplyRenderState(RenderState state, std::uint32_t value)
{
    auto enable = [](GLenum capability, bool on) { on ? glEnable(capability) : glDisable(capability); };
    switch (state) {
    case RenderState::Ambient: {
        GLfloat color[4];
        UnpackColor(value, color);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, color);
        break;
    }
    case RenderState::AlphaBlendEnable:
        enable(GL_BLEND, value != 0);
        break;
    case RenderState::SourceBlend:
    case RenderState::DestinationBlend:
        glBlendFunc(MapBlend(GetRenderState(RenderState::SourceBlend)),
                    MapBlend(GetRenderState(RenderState::DestinationBlend)));
        break;
    case RenderState::CullMode:
        // Both name the winding as seen on the screen; GL's front faces are the
        // counter-clockwise ones.
        if (value == kCullClockwise || value == kCullCounterClockwise) {
            glEnable(GL_CULL_FACE);
            glCullFace(value == kCullClockwise ? GL_BACK : GL_FRONT);
        } else {
            glDisable(GL_CULL_FACE);
        }
        break;
    case RenderState::Lighting:
        enable(GL_LIGHTING, value != 0);
        break;
    case RenderState::NormalizeNormals:
        enable(GL_NORMALIZE, value != 0);
        break;
    case RenderState::ZEnable:
        enable(GL_DEPTH_TEST, value != 0 && HasZBuffer());
        break;
    case RenderState::ZWriteEnable:
        glDepthMask(value != 0 ? GL_TRUE : GL_FALSE);
        break;
    case RenderState::ZFunction:
        glDepthFunc(MapCompare(value));
        break;
    case RenderState::StencilEnable:
    case RenderState::StencilFunction:
    case RenderState::StencilReference:
    case RenderState::StencilMask:
    case RenderState::StencilWriteMask:
    case RenderState::StencilFail:
    case RenderState::StencilZFail:
    case RenderState::StencilPass:
        ApplyStencil();
        break;
    case RenderState::TextureFactor:
        for (auto& unit : units_) {
            unit.environmentDirty = true;
        }
        break;
    default:
        // Colour-vertex and material sources take effect at the next draw.
        break;
    }
}

void GraphicsDeviceGL::ApplyStencil()
{
    auto state = [this](RenderState which) { return GetRenderState(which); };
    if (state(RenderState::StencilEnable) != 0 && HasZBuffer() && GetZBufferFormat().stencilBits > 0) {
        glEnable(GL_STENCIL_TEST);
    } else {
        glDisable(GL_STENCIL_TEST);
    }
    glStencilFunc(MapCompare(state(RenderState::StencilFunction)),
                  static_cast<GLint>(state(RenderState::StencilReference)), state(RenderState::StencilMask));
    glStencilOp(MapStencilOperation(state(RenderState::StencilFail)),
                MapStencilOperation(state(RenderState::StencilZFail)),
                MapStencilOperation(state(RenderState::StencilPass)));
    glStencilMask(state(RenderState::StencilWriteMask));
}

GraphicsResult GraphicsDeviceGL::DoSetTextureStageState(std::uint32_t stage, StageState state, std::uint32_t)
{
    Unit& unit = units_[stage];
    switch (state) {
    case StageState::AddressU:
    case StageState::AddressV:
    case StageState::MagFilter:
    case StageState::MinFilter:
    case StageState::MipFilter:
    case StageState::MaxAnisotropy:
        unit.samplerDirty = true;
        break;
    case StageState::TextureTransformFlags:
        unit.transformDirty = true;
        break;
    case StageState::TexCoordIndex:
        break;
    default:
        unit.environmentDirty = true;
        break;
    }
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetTexture(std::uint32_t)
{
    // The next draw binds whatever the stage holds; BindTexture sees a change of surface.
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetMaterial()
{
    materialDirty_ = true;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoSetLight(std::uint32_t)
{
    lightsDirty_ = true;
    modelViewDirty_ = true;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoLightEnable(std::uint32_t)
{
    lightsDirty_ = true;
    modelViewDirty_ = true;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoClear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil)
{
    GLbitfield bits = 0;
    if ((flags & kClearTarget) != 0) {
        GLfloat rgba[4];
        UnpackColor(color, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    const bool depthWrite = GetRenderState(RenderState::ZWriteEnable) != 0;
    if ((flags & kClearZBuffer) != 0 && HasZBuffer()) {
        glClearDepth(std::min(std::max(z, 0.0f), 1.0f));
        bits |= GL_DEPTH_BUFFER_BIT;
        // A clear reaches the whole depth buffer whatever the write switch says.
        if (!depthWrite) {
            glDepthMask(GL_TRUE);
        }
    }
    const bool clearStencil = (flags & kClearStencil) != 0 && HasZBuffer() && GetZBufferFormat().stencilBits > 0;
    if (clearStencil) {
        glClearStencil(static_cast<GLint>(stencil));
        glStencilMask(0xFFFFFFFFu);
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    if (bits != 0) {
        glClear(bits);
    }
    if ((bits & GL_DEPTH_BUFFER_BIT) != 0 && !depthWrite) {
        glDepthMask(GL_FALSE);
    }
    if (clearStencil) {
        glStencilMask(GetRenderState(RenderState::StencilWriteMask));
    }
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoBeginScene()
{
    driver_->DeleteQueuedTextureNames();
    driver_->MarkFrameDrawn();
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::DoEndScene()
{
    return kGraphicsOk;
}

void GraphicsDeviceGL::FlushTransforms()
{
    if (projectionDirty_) {
        // P x R, where R maps depth 0..1 to -1..1 and moves the picture so that
        // pixels sample where the device form samples (its pixel centres lie on
        // whole coordinates): half a pixel right, and half a pixel down less a
        // sliver, so that an edge through a row's sample point keeps the device
        // form's rule (top edge in, bottom edge out) rather than GL's opposite one.
        const float shiftX =
            kHalfPixelShift * 2.0f / static_cast<float>(std::max<std::uint32_t>(GetViewport().width, 1));
        const float shiftY = -(kHalfPixelShift - kEdgeTieShiftPixels) * 2.0f /
                             static_cast<float>(std::max<std::uint32_t>(GetViewport().height, 1));
        const float* p = GetTransform(TransformState::Projection);
        GLfloat remapped[16];
        for (int row = 0; row < 4; ++row) {
            const float w = p[row * 4 + 3];
            remapped[row * 4 + 0] = p[row * 4 + 0] + w * shiftX;
            remapped[row * 4 + 1] = p[row * 4 + 1] + w * shiftY;
            remapped[row * 4 + 2] = 2.0f * p[row * 4 + 2] - w;
            remapped[row * 4 + 3] = w;
        }
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(remapped);
        glMatrixMode(GL_MODELVIEW);
        projectionDirty_ = false;
    }
    if (lightsDirty_) {
        // Lights are given in world space: GL places them by the matrix current
        // when they are sent, which must be the view alone.
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(GetTransform(TransformState::View));
        SendLights();
        lightsDirty_ = false;
        modelViewDirty_ = true;
    }
    if (modelViewDirty_) {
        // Row vectors: world first, then view.
        const float* world = GetTransform(TransformState::World);
        const float* view = GetTransform(TransformState::View);
        GLfloat modelView[16];
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                modelView[row * 4 + column] =
                    world[row * 4 + 0] * view[0 * 4 + column] + world[row * 4 + 1] * view[1 * 4 + column] +
                    world[row * 4 + 2] * view[2 * 4 + column] + world[row * 4 + 3] * view[3 * 4 + column];
            }
        }
        glLoadMatrixf(modelView);
        modelViewDirty_ = false;
    }
}

void GraphicsDeviceGL::SendLights()
{
    rangedLights_ = 0;
    lightsOutOfRange_ = 0;
    for (std::uint32_t index = 0; index < GetLightLimit(); ++index) {
        const GLenum light = GL_LIGHT0 + index;
        if (!IsLightEnabled(index)) {
            glDisable(light);
            continue;
        }
        const LightDescription& source = GetLight(index);
        GLfloat color[4];
        ToArray(source.diffuse, color);
        glLightfv(light, GL_DIFFUSE, color);
        ToArray(source.specular, color);
        glLightfv(light, GL_SPECULAR, color);
        ToArray(source.ambient, color);
        glLightfv(light, GL_AMBIENT, color);
        if (source.type == LightType::Directional) {
            // GL wants the direction towards the light.
            const GLfloat position[4] = {-source.direction[0], -source.direction[1], -source.direction[2], 0.0f};
            glLightfv(light, GL_POSITION, position);
            glLightf(light, GL_SPOT_CUTOFF, kNoSpotCutoffDegrees);
            glLightf(light, GL_CONSTANT_ATTENUATION, 1.0f);
            glLightf(light, GL_LINEAR_ATTENUATION, 0.0f);
            glLightf(light, GL_QUADRATIC_ATTENUATION, 0.0f);
        } else {
            const GLfloat position[4] = {source.position[0], source.position[1], source.position[2], 1.0f};
            glLightfv(light, GL_POSITION, position);
            if (source.range < kUnlimitedLightRange && index < 32) {
                rangedLights_ |= 1u << index;
            }
            float constant = source.attenuation0;
            if (constant == 0.0f && source.attenuation1 == 0.0f && source.attenuation2 == 0.0f) {
                constant = 1.0f; // all zero would divide by zero
            }
            glLightf(light, GL_CONSTANT_ATTENUATION, constant);
            glLightf(light, GL_LINEAR_ATTENUATION, source.attenuation1);
            glLightf(light, GL_QUADRATIC_ATTENUATION, source.attenuation2);
            if (source.type == LightType::Spot) {
                glLightfv(light, GL_SPOT_DIRECTION, source.direction);
                const float outer = std::min(std::max(source.phi * 0.5f, 0.0f), kMaxSpotHalfAngleRadians);
                const float inner = std::min(std::max(source.theta * 0.5f, 0.0f), outer);
                // Half the light at the middle of the band between the cones.
                float exponent = 0.0f;
                const float middle = (inner + outer) * 0.5f;
                if (outer > inner && std::cos(middle) > 0.0f && std::cos(middle) < 1.0f) {
                    exponent = std::log(0.5f) / std::log(std::cos(middle));
                }
                glLightf(light, GL_SPOT_CUTOFF, outer * kRadiansToDegrees);
                glLightf(light, GL_SPOT_EXPONENT, std::min(std::max(exponent, 0.0f), kMaxSpotExponent));
            } else {
                glLightf(light, GL_SPOT_CUTOFF, kNoSpotCutoffDegrees);
            }
        }
        glEnable(light);
    }
}

void GraphicsDeviceGL::SwitchOffLightsOutOfRange(std::uint32_t vertexFormat, const void* vertices,
                                                 std::uint32_t vertexCount)
{
    std::uint32_t outOfRange = 0;
    if (rangedLights_ != 0 && GetRenderState(RenderState::Lighting) != 0 && vertexCount != 0) {
        // A sphere round the vertices' box, carried into world space, where
        // the lights are.
        const auto* base = static_cast<const std::uint8_t*>(vertices);
        const std::size_t stride = GetVertexStride(vertexFormat);
        float low[3];
        float high[3];
        std::memcpy(low, base, sizeof(low));
        std::memcpy(high, base, sizeof(high));
        for (std::uint32_t i = 1; i < vertexCount; ++i) {
            float position[3];
            std::memcpy(position, base + i * stride, sizeof(position));
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], position[axis]);
                high[axis] = std::max(high[axis], position[axis]);
            }
        }
        // Row vectors: row i of the world matrix is where axis i goes, and row 3
        // the translation; the longest of the first three rows scales the radius.
        const float* world = GetTransform(TransformState::World);
        float centre[3] = {world[12], world[13], world[14]};
        float halfDiagonal = 0.0f;
        float scale = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            const float half = (high[axis] - low[axis]) * 0.5f;
            const float middle = (high[axis] + low[axis]) * 0.5f;
            halfDiagonal += half * half;
            float rowLength = 0.0f;
            for (int column = 0; column < 3; ++column) {
                centre[column] += middle * world[axis * 4 + column];
                rowLength += world[axis * 4 + column] * world[axis * 4 + column];
            }
            scale = std::max(scale, rowLength);
        }
        const float radius = std::sqrt(halfDiagonal) * std::sqrt(scale);
        for (std::uint32_t index = 0; index < GetLightLimit() && index < 32; ++index) {
            if ((rangedLights_ & (1u << index)) == 0) {
                continue;
            }
            const LightDescription& light = GetLight(index);
            float distance = 0.0f;
            for (int axis = 0; axis < 3; ++axis) {
                distance += (centre[axis] - light.position[axis]) * (centre[axis] - light.position[axis]);
            }
            if (std::sqrt(distance) > light.range + radius) {
                outOfRange |= 1u << index;
            }
        }
    }
    for (std::uint32_t changed = outOfRange ^ lightsOutOfRange_, index = 0; changed != 0; changed >>= 1, ++index) {
        if ((changed & 1u) != 0) {
            (outOfRange & (1u << index)) != 0 ? glDisable(GL_LIGHT0 + index) : glEnable(GL_LIGHT0 + index);
        }
    }
    lightsOutOfRange_ = outOfRange;
}

void GraphicsDeviceGL::SendMaterial()
{
    GLfloat color[4];
    ToArray(GetMaterial().ambient, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, color);
    ToArray(GetMaterial().diffuse, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color);
    ToArray(GetMaterial().specular, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, color);
    ToArray(GetMaterial().emissive, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, color);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::min(std::max(GetMaterial().power, 0.0f), kMaxShininess));
    materialDirty_ = false;
}

void GraphicsDeviceGL::SetColorMaterial(std::uint32_t vertexFormat)
{
    auto state = [this](RenderState which) { return GetRenderState(which); };
    GLenum mode = 0;
    if (state(RenderState::Lighting) != 0 && state(RenderState::ColorVertex) != 0 &&
        (vertexFormat & kVertexDiffuse) != 0) {
        // The vertex layouts carry one colour; a source naming the second colour
        // falls back to the material, as for a vertex without that colour.
        const bool diffuse = state(RenderState::DiffuseMaterialSource) == kMaterialSourceColor1;
        const bool ambient = state(RenderState::AmbientMaterialSource) == kMaterialSourceColor1;
        if (diffuse && ambient) {
            mode = GL_AMBIENT_AND_DIFFUSE;
        } else if (diffuse) {
            mode = GL_DIFFUSE;
        } else if (ambient) {
            mode = GL_AMBIENT;
        } else if (state(RenderState::EmissiveMaterialSource) == kMaterialSourceColor1) {
            mode = GL_EMISSION;
        } else if (state(RenderState::SpecularMaterialSource) == kMaterialSourceColor1) {
            mode = GL_SPECULAR;
        }
    }
    if (mode != 0) {
        if (!colorMaterialOn_ || mode != colorMaterialMode_) {
            // The colour overwrites the tracked material colour; start from the real material.
            if (colorMaterialOn_) {
                glDisable(GL_COLOR_MATERIAL);
            }
            SendMaterial();
            glColorMaterial(GL_FRONT_AND_BACK, mode);
            glEnable(GL_COLOR_MATERIAL);
            colorMaterialOn_ = true;
            colorMaterialMode_ = mode;
        } else if (materialDirty_) {
            glDisable(GL_COLOR_MATERIAL);
            SendMaterial();
            glEnable(GL_COLOR_MATERIAL);
        }
        materialDirty_ = false;
        return;
    }
    if (colorMaterialOn_) {
        glDisable(GL_COLOR_MATERIAL);
        colorMaterialOn_ = false;
        materialDirty_ = true;
    }
    if (materialDirty_) {
        SendMaterial();
    }
}

void GraphicsDeviceGL::ApplyEnvironment(std::uint32_t unit)
{
    Unit& stage = units_[unit];
    GLfloat factor[4];
    UnpackColor(GetRenderState(RenderState::TextureFactor), factor);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    const std::uint32_t colorOperation = GetStageState(unit, StageState::ColorOperation);
    const std::uint32_t color1 = GetStageState(unit, StageState::ColorArgument1);
    const std::uint32_t color2 = GetStageState(unit, StageState::ColorArgument2);
    const std::uint32_t alphaOperation = GetStageState(unit, StageState::AlphaOperation);
    const std::uint32_t alpha1 = GetStageState(unit, StageState::AlphaArgument1);
    const std::uint32_t alpha2 = GetStageState(unit, StageState::AlphaArgument2);
    if (IsPlainModulate(unit, colorOperation, color1, color2, alphaOperation, alpha1, alpha2)) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    } else {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        SetCombine(false, colorOperation, color1, color2);
        SetCombine(true, alphaOperation, alpha1, alpha2);
    }
    stage.environmentDirty = false;
}

void GraphicsDeviceGL::LoadTextureMatrix(std::uint32_t unit)
{
    Unit& stage = units_[unit];
    // The device form applies the matrix to (u, v, 1, 0) as a row vector; GL applies
    // its matrix to the column (s, t, 0, 1). Column k of the GL matrix takes the
    // coefficient of input k: s from row 0, t from row 1, the constant from row 2.
    // Only two coordinates are used, undivided: rows r and q of the GL matrix stay (0, 0, 0, 0), (0, 0, 0, 1).
    GLfloat glMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (GetStageState(unit, StageState::TextureTransformFlags) != kTextureTransformDisable) {
        const float* m = GetTextureTransform(unit);
        std::fill(glMatrix, glMatrix + 16, 0.0f);
        for (int output = 0; output < 2; ++output) {
            glMatrix[0 * 4 + output] = m[0 * 4 + output];
            glMatrix[1 * 4 + output] = m[1 * 4 + output];
            glMatrix[3 * 4 + output] = m[2 * 4 + output];
        }
        glMatrix[3 * 4 + 3] = 1.0f;
    }
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(glMatrix);
    glMatrixMode(GL_MODELVIEW);
    stage.transformDirty = false;
}

GraphicsResult GraphicsDeviceGL::Upload(TextureSurface& surface, std::uint32_t name)
{
    auto guard = surface.LockForUpload();
    if (surface.IsAnyLevelLocked()) {
        return kGraphicsErrSurfaceBusy;
    }
    // Texels freed after an upload to another context are gone; the surface's
    // owner must fill a new one.
    if (surface.AreLevelsReleased()) {
        return kGraphicsErrSurfaceLost;
    }
    const TextureSurfaceDescription& description = surface.GetDescription();
    const PixelFormat& format = description.format;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    // Without this GL would expect levels down to 1 x 1 of the larger side and
    // draw a shorter chain as an incomplete (white) texture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(description.levelCount - 1));
    const GLint internalFormat = format.alphaMask != 0 ? GL_RGBA8 : GL_RGB8;
    for (std::uint32_t level = 0; level < description.levelCount; ++level) {
        const std::uint32_t width = surface.GetLevelWidth(level);
        const std::uint32_t height = surface.GetLevelHeight(level);
        const std::uint8_t* bits = surface.GetLevelBits(level);
        if (!surface.IsLevelWritten(level)) {
            // Zero in every format the device offers.
            uploadTexels_.assign(static_cast<std::size_t>(width) * height * 4, 0);
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), internalFormat, static_cast<GLsizei>(width),
                         static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, uploadTexels_.data());
            continue;
        }
        if (IsArgb8888(format)) {
            // Little-endian A, R, G, B words are B, G, R, A bytes.
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), internalFormat, static_cast<GLsizei>(width),
                         static_cast<GLsizei>(height), 0, GL_BGRA, GL_UNSIGNED_BYTE, bits);
            continue;
        }
        const std::size_t texels = static_cast<std::size_t>(width) * height;
        uploadTexels_.resize(texels * 4);
        const std::uint32_t bytesPerTexel = format.bitCount / 8;
        for (std::size_t index = 0; index < texels; ++index) {
            std::uint32_t texel = 0;
            for (std::uint32_t byte = 0; byte < bytesPerTexel; ++byte) {
                texel |= static_cast<std::uint32_t>(bits[index * bytesPerTexel + byte]) << (8 * byte);
            }
            uploadTexels_[index * 4 + 0] = ExpandChannel(texel, format.redMask, 0);
            uploadTexels_[index * 4 + 1] = ExpandChannel(texel, format.greenMask, 0);
            uploadTexels_[index * 4 + 2] = ExpandChannel(texel, format.blueMask, 0);
            uploadTexels_[index * 4 + 3] = ExpandChannel(texel, format.alphaMask, 255);
        }
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), internalFormat, static_cast<GLsizei>(width),
                     static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, uploadTexels_.data());
    }
    if (glGetError() == GL_OUT_OF_MEMORY) {
        return kGraphicsErrOutOfVideoMemory;
    }
    static_cast<GLTextureBinding*>(surface.GetBinding())->uploadedRevision = surface.GetRevision();
    surface.ReleaseLevelsAfterUpload();
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::BindTexture(std::uint32_t unit)
{
    Unit& stage = units_[unit];
    TextureSurface& surface = *GetTexture(unit);
    if (surface.GetSerial() == stage.boundSerial && surface.GetBinding() == stage.boundBinding &&
        surface.GetRevision() == stage.boundRevision && !stage.samplerDirty) {
        return kGraphicsOk;
    }
    auto* binding = dynamic_cast<GLTextureBinding*>(surface.GetBinding());
    if (binding == nullptr || binding->queue != driver_->GetDeletedTextureNames()) {
        GLuint name = 0;
        glGenTextures(1, &name);
        surface.SetBinding(std::make_unique<GLTextureBinding>(driver_->GetDeletedTextureNames(), name));
        binding = static_cast<GLTextureBinding*>(surface.GetBinding());
    }
    SelectUnit(unit);
    glBindTexture(GL_TEXTURE_2D, binding->name);
    if (binding->uploadedRevision != surface.GetRevision()) {
        const GraphicsResult result = Upload(surface, binding->name);
        if (GraphicsFailed(result) && binding->uploadedRevision == 0) {
            return result;
        }
    }
    // Filtering belongs to the texture in GL and to the stage here: apply the
    // stage's values to whatever texture it now holds.
    const std::uint32_t levels = surface.GetDescription().levelCount;
    const std::uint32_t magnification = GetStageState(unit, StageState::MagFilter);
    const std::uint32_t minification = GetStageState(unit, StageState::MinFilter);
    const std::uint32_t mip = GetStageState(unit, StageState::MipFilter);
    const bool nearest = minification == kFilterPoint;
    GLint minFilter = nearest ? GL_NEAREST : GL_LINEAR;
    if (levels > 1 && mip == kMipFilterPoint) {
        minFilter = nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    } else if (levels > 1 && mip == kMipFilterLinear) {
        minFilter = nearest ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    }
    const GLint magFilter = magnification == kFilterPoint ? GL_NEAREST : GL_LINEAR;
    GLfloat anisotropy = 1.0f;
    if (magnification == kFilterAnisotropic || minification == kFilterAnisotropic) {
        anisotropy = static_cast<GLfloat>(
            std::min(std::max(GetStageState(unit, StageState::MaxAnisotropy), 1u), GetDescription().maxAnisotropy));
    }
    const GLint wrapS = MapAddress(GetStageState(unit, StageState::AddressU));
    const GLint wrapT = MapAddress(GetStageState(unit, StageState::AddressV));
    if (binding->minFilter != minFilter) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        binding->minFilter = minFilter;
    }
    if (binding->magFilter != magFilter) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        binding->magFilter = magFilter;
    }
    if (binding->wrapS != wrapS) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
        binding->wrapS = wrapS;
    }
    if (binding->wrapT != wrapT) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
        binding->wrapT = wrapT;
    }
    if (binding->anisotropy != anisotropy && GetDescription().maxAnisotropy > 1) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
        binding->anisotropy = anisotropy;
    }
    stage.boundSerial = surface.GetSerial();
    stage.boundBinding = binding;
    stage.boundRevision = binding->uploadedRevision;
    stage.samplerDirty = false;
    return kGraphicsOk;
}

GraphicsResult GraphicsDeviceGL::Flush(std::uint32_t vertexFormat)
{
    FlushTransforms();
    SetColorMaterial(vertexFormat);
    // A disabled colour operation ends the cascade: that stage and every later one are off.
    bool cascadeEnded = false;
    for (std::uint32_t unit = 0; unit < GetStageLimit(); ++unit) {
        Unit& stage = units_[unit];
        const bool disabled = GetStageState(unit, StageState::ColorOperation) == kTextureOpDisable;
        bool wanted =
            !cascadeEnded && !disabled && GetTexture(unit) != nullptr && (vertexFormat & kVertexTexture1) != 0;
        cascadeEnded = cascadeEnded || disabled;
        if (wanted && GraphicsFailed(BindTexture(unit))) {
            wanted = false;
        }
        if (wanted != stage.enabled) {
            SelectUnit(unit);
            wanted ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
            stage.enabled = wanted;
        }
        if (wanted && (stage.environmentDirty || stage.transformDirty)) {
            SelectUnit(unit);
            if (stage.environmentDirty) {
                ApplyEnvironment(unit);
            }
            if (stage.transformDirty) {
                LoadTextureMatrix(unit);
            }
        }
    }
    return kGraphicsOk;
}

void GraphicsDeviceGL::SelectUnit(std::uint32_t unit)
{
    if (unit != activeUnit_) {
        glActiveTexture(GL_TEXTURE0 + unit);
        activeUnit_ = unit;
    }
}

void GraphicsDeviceGL::SetClientArrays(std::uint32_t vertexFormat, const void* vertices)
{
    const auto* base = static_cast<const std::uint8_t*>(vertices);
    const auto stride = static_cast<GLsizei>(GetVertexStride(vertexFormat));
    std::size_t offset = 12;
    glVertexPointer(3, GL_FLOAT, stride, base);
    const bool normals = (vertexFormat & kVertexNormal) != 0;
    if (normals != ((clientArrays_ & kVertexNormal) != 0)) {
        normals ? glEnableClientState(GL_NORMAL_ARRAY) : glDisableClientState(GL_NORMAL_ARRAY);
        clientArrays_ ^= kVertexNormal;
    }
    // GL's current normal and colour are undefined after a draw that took them
    // from arrays; they are set again only when a layout without them follows.
    if (normals) {
        glNormalPointer(GL_FLOAT, stride, base + offset);
        offset += 12;
        currentNormalSet_ = false;
    } else if (!currentNormalSet_) {
        glNormal3f(0.0f, 0.0f, 1.0f);
        currentNormalSet_ = true;
    }
    const bool colors = (vertexFormat & kVertexDiffuse) != 0;
    if (colors != ((clientArrays_ & kVertexDiffuse) != 0)) {
        colors ? glEnableClientState(GL_COLOR_ARRAY) : glDisableClientState(GL_COLOR_ARRAY);
        clientArrays_ ^= kVertexDiffuse;
    }
    if (colors) {
        // The packed A, R, G, B word lies in memory as B, G, R, A.
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + offset);
        offset += 4;
        currentColorSet_ = false;
    } else if (!currentColorSet_) {
        // Colourless vertices draw white when unlit.
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        currentColorSet_ = true;
    }
    std::uint32_t units = 0;
    if ((vertexFormat & kVertexTexture1) != 0) {
        for (std::uint32_t unit = 0; unit < GetStageLimit(); ++unit) {
            if (units_[unit].enabled) {
                units |= 1u << unit;
            }
        }
    }
    for (std::uint32_t unit = 0; unit < GetStageLimit(); ++unit) {
        const std::uint32_t bit = 1u << unit;
        const bool wanted = (units & bit) != 0;
        if (wanted || (clientTextureUnits_ & bit) != 0) {
            if (clientActiveUnit_ != unit) {
                glClientActiveTexture(GL_TEXTURE0 + unit);
                clientActiveUnit_ = unit;
            }
            if (wanted != ((clientTextureUnits_ & bit) != 0)) {
                wanted ? glEnableClientState(GL_TEXTURE_COORD_ARRAY) : glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
            if (wanted) {
                // Every stage reads the layout's one coordinate pair.
                glTexCoordPointer(2, GL_FLOAT, stride, base + offset);
            }
        }
    }
    clientTextureUnits_ = units;
}

GraphicsResult GraphicsDeviceGL::DoDrawIndexedPrimitive(PrimitiveType type, std::uint32_t vertexFormat,
                                                        const void* vertices, std::uint32_t vertexCount,
                                                        const void* indices, std::uint32_t indexSize,
                                                        std::uint32_t indexCount)
{
    if (indexCount == 0) {
        return kGraphicsOk;
    }
    Flush(vertexFormat);
    SwitchOffLightsOutOfRange(vertexFormat, vertices, vertexCount);
    SetClientArrays(vertexFormat, vertices);
    glDrawElements(type == PrimitiveType::TriangleList ? GL_TRIANGLES : GL_TRIANGLE_STRIP,
                   static_cast<GLsizei>(indexCount), indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT, indices);
    return kGraphicsOk;
}

} // namespace Platform
