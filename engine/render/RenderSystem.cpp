#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Config.h"
#include "engine/core/MathTolerance.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kLowestUsefulAnisotropy = 2;

bool Near(float a, float b)
{
    return std::fabs(a - b) <= kMathTolerance;
}

// Sets the force flag for a scope and clears it after, so that every setter inside reaches the device.
class ForceScope
{
public:
    explicit ForceScope(bool& force) : force_(force) { force_ = true; }
    ~ForceScope() { force_ = false; }

private:
    bool& force_;
};

} // namespace

RenderSystem::RenderSystem(MessageManager* log, Config* config, Window* window, bool stencilRequested,
                           bool keepWindowSize)
    : log_(log), config_(config), window_(window), settings_(config != nullptr ? config->GetValues() : nullptr),
      stencilRequested_(stencilRequested), keepWindowSize_(keepWindowSize)
{}

// The adapters own their devices and the devices their modes, so releasing the
// adapters goes deepest first.
RenderSystem::~RenderSystem() = default;

DeviceInfo* RenderSystem::GetCurrentDevice() const
{
    return currentAdapter_ != nullptr ? currentAdapter_->currentDevice : nullptr;
}

ModeInfo* RenderSystem::GetCurrentMode() const
{
    DeviceInfo* device = GetCurrentDevice();
    return device != nullptr ? device->currentMode : nullptr;
}

DeviceTexture* RenderSystem::GetTexture(std::uint32_t stage) const
{
    return stage < stageTextures_.size() ? stageTextures_[stage] : nullptr;
}

void RenderSystem::Refresh()
{
    if (settings_ == nullptr) {
        return;
    }
    std::int64_t anisotropy = std::min<std::int64_t>(settings_->textureAnisotropy, maxAnisotropy_);
    if (anisotropy < kLowestUsefulAnisotropy) {
        anisotropy = 1;
    }
    settings_->textureAnisotropy = static_cast<std::int32_t>(anisotropy);
    const auto value = static_cast<std::uint32_t>(anisotropy);
    for (std::uint32_t stage = 0; stage < stageCount_; ++stage) {
        if (force_ || stageAnisotropy_[stage] != value) {
            stageAnisotropy_[stage] = value;
            UpdateMaxTextureAnisotropy(stage);
        }
    }
}

void RenderSystem::CheckVideoMode()
{
    DeviceInfo* device = GetCurrentDevice();
    ModeInfo* mode = GetCurrentMode();
    if (settings_ == nullptr || device == nullptr || mode == nullptr) {
        return;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
    ParseVideoMode(settings_->videoMode, &width, &height, &bits);
    if (device->fullScreen != (settings_->fullscreen != 0) || mode->width != width || mode->height != height ||
        mode->bitsPerPixel != bits) {
        resetRequired_ = true;
    }
}

void RenderSystem::ResetDevice(std::uint32_t flags)
{
    if ((flags & kResetRecreateDevice) != 0) {
        resetRequired_ = false;
        deviceReady_ = true;
    }
    if ((flags & kResetRestoreSurfaces) != 0) {
        surfacesLost_ = false;
    }
}

void RenderSystem::DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t)
{}

void RenderSystem::AllocateStageStates()
{
    stageTextures_.assign(stageCount_, nullptr);
    stageAnisotropy_.assign(stageCount_, 0);
    stageFilter_.assign(stageCount_, 0);
    stageAddressU_.assign(stageCount_, 0);
    stageAddressV_.assign(stageCount_, 0);
    stageTransform_.assign(stageCount_, TextureTransform{});
}

void RenderSystem::SetDefaultStates()
{
    ForceScope forced(force_);
    SetMaterial(Color(0.6f, 0.6f, 0.6f, 1.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 0.0f, 0.0f, 0.0f),
                Color(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    SetViewMatrix(Matrix4());
    SetWorldMatrix(Matrix4());
    SetAmbientColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    SetAlphaBlend(false);
    SetBlend(kBlendZero, kBlendZero);
    for (std::uint32_t stage = 0; stage < stageCount_; ++stage) {
        SetTexture(stage, nullptr);
        SetMaxTextureAnisotropy(stage, 1);
        SetTextureFilter(stage, kFilterLinear);
        SetTextureAdressU(stage, kAddressWrap);
        SetTextureAdressV(stage, kAddressWrap);
        SetTextureMatrix(stage, 1.0f, 1.0f, 0.0f, 0.0f);
    }
    SetCullMode(kCullNone);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    spareFlag_ = false;
}

void RenderSystem::SetProjectionMatrix(const Matrix4& matrix)
{
    if (force_ || !(projection_ == matrix)) {
        projection_ = matrix;
        UpdateProjectionMatrix();
    }
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix)
{
    if (force_ || !(view_ == matrix)) {
        view_ = matrix;
        UpdateViewMatrix();
    }
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix)
{
    if (force_ || !(world_ == matrix)) {
        world_ = matrix;
        UpdateWorldMatrix();
    }
}

void RenderSystem::SetAmbientColor(const Color& color)
{
    if (force_ || ambient_ != color) {
        ambient_ = color;
        UpdateAmbientColor();
    }
}

void RenderSystem::SetAlphaBlend(bool on)
{
    if (force_ || alphaBlend_ != on) {
        alphaBlend_ = on;
        UpdateAlphaBlend();
    }
}

void RenderSystem::SetBlend(std::uint32_t source, std::uint32_t destination)
{
    if (force_ || sourceBlend_ != source || destinationBlend_ != destination) {
        sourceBlend_ = source;
        destinationBlend_ = destination;
        UpdateBlend();
    }
}

void RenderSystem::SetTexture(std::uint32_t stage, DeviceTexture* texture)
{
    if (stage < stageCount_ && (force_ || stageTextures_[stage] != texture)) {
        stageTextures_[stage] = texture;
        UpdateTexture(stage);
    }
}

void RenderSystem::SetMaxTextureAnisotropy(std::uint32_t stage, std::uint32_t anisotropy)
{
    if (stage < stageCount_ && (force_ || stageAnisotropy_[stage] != anisotropy)) {
        stageAnisotropy_[stage] = anisotropy;
        UpdateMaxTextureAnisotropy(stage);
    }
}

void RenderSystem::SetTextureFilter(std::uint32_t stage, std::uint32_t filter)
{
    if (stage < stageCount_ && (force_ || stageFilter_[stage] != filter)) {
        stageFilter_[stage] = filter;
        UpdateTextureFilter(stage);
    }
}

void RenderSystem::SetTextureAdressU(std::uint32_t stage, std::uint32_t mode)
{
    if (stage < stageCount_ && (force_ || stageAddressU_[stage] != mode)) {
        stageAddressU_[stage] = mode;
        UpdateTextureAdressU(stage);
    }
}

void RenderSystem::SetTextureAdressV(std::uint32_t stage, std::uint32_t mode)
{
    if (stage < stageCount_ && (force_ || stageAddressV_[stage] != mode)) {
        stageAddressV_[stage] = mode;
        UpdateTextureAdressV(stage);
    }
}

void RenderSystem::SetTextureMatrix(std::uint32_t stage, float scaleU, float scaleV, float offsetU, float offsetV)
{
    if (stage >= stageCount_) {
        return;
    }
    TextureTransform& cached = stageTransform_[stage];
    if (force_ || !Near(cached.scaleU, scaleU) || !Near(cached.scaleV, scaleV) || !Near(cached.offsetU, offsetU) ||
        !Near(cached.offsetV, offsetV)) {
        cached = TextureTransform{scaleU, scaleV, offsetU, offsetV};
        UpdateTextureMatrix(stage);
    }
}

void RenderSystem::SetCullMode(std::uint32_t mode)
{
    if (force_ || cullMode_ != mode) {
        cullMode_ = mode;
        UpdateCullMode();
    }
}

void RenderSystem::SetLighting(bool on)
{
    if (force_ || lighting_ != on) {
        lighting_ = on;
        UpdateLighting();
    }
}

void RenderSystem::SetNormalizeNormals(bool on)
{
    if (force_ || normalizeNormals_ != on) {
        normalizeNormals_ = on;
        UpdateNormalizeNormals();
    }
}

void RenderSystem::SetZ(bool on)
{
    if (force_ || depthTest_ != on) {
        depthTest_ = on;
        UpdateZ();
    }
}

void RenderSystem::SetZWrite(bool on)
{
    if (force_ || depthWrite_ != on) {
        depthWrite_ = on;
        UpdateZWrite();
    }
}

void RenderSystem::SetStencil(bool on)
{
    if (force_ || stencil_ != on) {
        stencil_ = on;
        UpdateStencil();
    }
}

} // namespace OrrelayEngine
