#include "engine/render/RenderSystem_D3D7.h"

#include <algorithm>
#include <tuple>

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FatalError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/DeviceTexture.h"
#include "engine/render/DirectXResultTexts.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/ModeInfo_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer_D3D7.h"
#include "platform/AppWindow.h"
#include "platform/GraphicsDriverFactory.h"

namespace OrrelayEngine {

namespace {

const char* const kDots = "........................................................"; // 56
constexpr std::size_t kDescriptionLimitChars = 63;
constexpr std::uint32_t kMinModeWidth = 640;
constexpr std::uint32_t kMinModeHeight = 400;
constexpr std::uint32_t kFallbackWidth = 640;
constexpr std::uint32_t kFallbackHeight = 480;
constexpr std::uint32_t kMinDisplayBits = 8;
constexpr std::uint32_t kFallbackDepthBits = 16;
const char* const kLastResortMode = "640x480x16";
const char* const kNoDeviceText = "RenderSystem_D3D7: Failed to find any compatible Direct3D devices";

// Both vertex layouts carry a position, a normal and one texture pair; the coloured one a diffuse colour too.
constexpr std::uint32_t kPlainVertexFormat =
    Platform::kVertexPosition | Platform::kVertexNormal | Platform::kVertexTexture1;
constexpr std::uint32_t kColoredVertexFormat = kPlainVertexFormat | Platform::kVertexDiffuse;

std::uint32_t NormalizeBits(std::uint32_t bits)
{
    return bits > 16 ? 32 : bits;
}

bool RendersDepth(const Platform::DeviceDescription& device, std::uint32_t bits)
{
    switch (bits) {
    case 32:
        return (device.renderDepths & Platform::kRenderDepth32) != 0;
    case 24:
        return (device.renderDepths & Platform::kRenderDepth24) != 0;
    case 16:
        return (device.renderDepths & Platform::kRenderDepth16) != 0;
    default:
        return false;
    }
}

std::uint32_t PackComponent(float value)
{
    // Clamped first: a component above 1 would otherwise wrap into the next byte.
    const float clamped = std::min(std::max(value, 0.0f), 1.0f);
    return static_cast<std::uint32_t>(clamped * 255.0f);
}

std::uint32_t PackArgb(const Color& color)
{
    return (PackComponent(color.a) << 24) | (PackComponent(color.r) << 16) | (PackComponent(color.g) << 8) |
           PackComponent(color.b);
}

Platform::ColorValue ToColorValue(const Color& color)
{
    return Platform::ColorValue{color.r, color.g, color.b, color.a};
}

std::uint32_t MapBlend(std::uint32_t code)
{
    switch (code) {
    case RenderSystem::kBlendOne:
        return Platform::kBlendOne;
    case RenderSystem::kBlendDestinationColor:
        return Platform::kBlendDestinationColor;
    case RenderSystem::kBlendInverseDestinationColor:
        return Platform::kBlendInverseDestinationColor;
    case RenderSystem::kBlendSourceAlpha:
        return Platform::kBlendSourceAlpha;
    case RenderSystem::kBlendInverseSourceAlpha:
        return Platform::kBlendInverseSourceAlpha;
    case RenderSystem::kBlendDestinationAlpha:
        return Platform::kBlendDestinationAlpha;
    case RenderSystem::kBlendInverseDestinationAlpha:
        return Platform::kBlendInverseDestinationAlpha;
    case RenderSystem::kBlendSourceAlphaSaturated:
        return Platform::kBlendSourceAlphaSaturated;
    case RenderSystem::kBlendSourceColor:
        return Platform::kBlendSourceColor;
    case RenderSystem::kBlendInverseSourceColor:
        return Platform::kBlendInverseSourceColor;
    default:
        return Platform::kBlendZero;
    }
}

bool FindZBufferFormat(const std::vector<Platform::ZBufferFormat>& formats, std::uint32_t depth, std::uint32_t stencil,
                       Platform::ZBufferFormat& found)
{
    for (const Platform::ZBufferFormat& format : formats) {
        if (format.depthBits == depth && format.stencilBits >= stencil) {
            found = format;
            return true;
        }
    }
    return false;
}

// One device step: a failure leaves creation with the step's text.
void Require(Platform::GraphicsResult result, const char* failureText)
{
    if (Platform::GraphicsFailed(result)) {
        throw Error(failureText);
    }
}

} // namespace

RenderSystem_D3D7::RenderSystem_D3D7(MessageManager* log, Config* config, Window* window, bool stencilRequested,
                                     bool keepWindowSize, std::unique_ptr<Platform::GraphicsDriver> driver)
    : RenderSystem(log, config, window, stencilRequested, keepWindowSize), driver_(std::move(driver))
{
    log_->LogInfo("\nInitialization of Direct3D subsystem...");
    if (driver_ == nullptr) {
        driver_ = Platform::CreateGraphicsDriver(window_ != nullptr ? window_->GetAppWindow() : nullptr);
        if (driver_ == nullptr) {
            log_->LogFatal(kNoDeviceText);
        }
    }
    Enumerate();
    CreateDeviceWithFallback();
    AllocateStageStates();
    // The cache starts in step with the device instead of holding zeros the
    // device never saw (a setter equal to a zero would otherwise never reach it).
    SetDefaultStates();
    log_->LogInfo("");
}

RenderSystem_D3D7::~RenderSystem_D3D7()
{
    log_->LogInfo("\nDirect3D Subsystem destroying:");
    ReleaseDeviceObjects();
}

AdapterInfo_D3D7* RenderSystem_D3D7::CurrentAdapter() const
{
    return static_cast<AdapterInfo_D3D7*>(currentAdapter_);
}

DeviceInfo_D3D7* RenderSystem_D3D7::CurrentDevice() const
{
    return static_cast<DeviceInfo_D3D7*>(GetCurrentDevice());
}

bool RenderSystem_D3D7::IsHardwareDevice() const
{
    const DeviceInfo_D3D7* device = CurrentDevice();
    return device != nullptr && (device->deviceDescription.kind == Platform::DeviceKind::HardwareTransformAndLighting ||
                                 device->deviceDescription.kind == Platform::DeviceKind::Hardware);
}

void RenderSystem_D3D7::CheckResult(const char* operation, Platform::GraphicsResult result) const
{
    if (!Platform::GraphicsFailed(result)) {
        return;
    }
    log_->LogError(std::string("Direct3D Subsystem (") + operation + "): " + DescribeDirectXResult(result));
}

void RenderSystem_D3D7::Enumerate()
{
    log_->LogInfo("...Level device list...");
    const std::vector<Platform::AdapterDescription> found = driver_->EnumerateAdapters();
    for (std::uint32_t index = 0; index < found.size(); ++index) {
        const Platform::AdapterDescription& source = found[index];
        auto adapter = std::make_unique<AdapterInfo_D3D7>();
        adapter->adapterIndex = index;
        adapter->primary = source.primary;
        adapter->description = source.description.substr(0, kDescriptionLimitChars);
        adapter->usable = source.canRenderWindowed && source.primary;
        adapter->desktopWidth = source.desktopMode.width;
        adapter->desktopHeight = source.desktopMode.height;
        adapter->desktopBitsPerPixel = NormalizeBits(source.desktopMode.bitsPerPixel);
        for (const Platform::DisplayMode& mode : source.displayModes) {
            if (mode.width >= kMinModeWidth && mode.height >= kMinModeHeight) {
                adapter->displayModes.push_back(mode);
            }
        }
        std::stable_sort(adapter->displayModes.begin(), adapter->displayModes.end(),
                         [](const Platform::DisplayMode& a, const Platform::DisplayMode& b) {
                             return std::tie(b.width, b.height, b.bitsPerPixel) <
                                    std::tie(a.width, a.height, a.bitsPerPixel);
                         });
        for (std::uint32_t deviceIndex = 0; deviceIndex < source.devices.size(); ++deviceIndex) {
            const Platform::DeviceDescription& description = source.devices[deviceIndex];
            auto device = std::make_unique<DeviceInfo_D3D7>();
            device->deviceIndex = deviceIndex;
            device->deviceDescription = description;
            device->name = description.name.substr(0, kDescriptionLimitChars);
            device->description = description.description.substr(0, kDescriptionLimitChars);
            device->hardware = description.hardwareRasterization;
            if (adapter->primary || device->hardware) {
                for (const Platform::DisplayMode& mode : adapter->displayModes) {
                    if (RendersDepth(description, mode.bitsPerPixel)) {
                        device->modes.push_back(std::make_unique<ModeInfo_D3D7>(
                            mode.width, mode.height, NormalizeBits(mode.bitsPerPixel), mode));
                    }
                }
            }
            if (device->modes.empty() || (!device->hardware && !adapter->primary)) {
                continue;
            }
            adapter->devices.push_back(std::move(device));
        }
        adapters_.push_back(std::move(adapter));
    }
    if (adapters_.empty() || adapters_[0]->devices.empty()) {
        log_->LogFatal(kNoDeviceText);
    }
}

void RenderSystem_D3D7::ChooseDevice(bool softwareOnly)
{
    AdapterInfo* adapters[4] = {};
    DeviceInfo* devices[4] = {};
    for (const auto& adapter : adapters_) {
        if (!adapter->usable) {
            continue;
        }
        for (const auto& device : adapter->devices) {
            const auto kind = static_cast<DeviceInfo_D3D7*>(device.get())->deviceDescription.kind;
            const auto slot = static_cast<std::size_t>(kind);
            adapters[slot] = adapter.get();
            devices[slot] = device.get();
        }
    }
    const Platform::DeviceKind order[] = {Platform::DeviceKind::HardwareTransformAndLighting,
                                          Platform::DeviceKind::Hardware, Platform::DeviceKind::Software,
                                          Platform::DeviceKind::Reference};
    for (Platform::DeviceKind kind : order) {
        const bool hardware =
            kind == Platform::DeviceKind::HardwareTransformAndLighting || kind == Platform::DeviceKind::Hardware;
        const auto slot = static_cast<std::size_t>(kind);
        if (devices[slot] != nullptr && !(hardware && softwareOnly)) {
            currentAdapter_ = adapters[slot];
            currentAdapter_->currentDevice = devices[slot];
            return;
        }
    }
    log_->LogFatal(kNoDeviceText);
}

void RenderSystem_D3D7::ChooseVideoMode()
{
    AdapterInfo_D3D7* adapter = CurrentAdapter();
    DeviceInfo* device = adapter->currentDevice;
    const std::uint32_t desktopWidth = adapter->desktopWidth;
    const std::uint32_t desktopHeight = adapter->desktopHeight;
    // Each fall-back is taken once: the 640 x 480 rewrite below must not send the
    // default back and forth for ever.
    bool triedDefault = false;
    bool triedLastResort = false;
    for (;;) {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t bits = 0;
        if (ToLower(settings_->videoMode) == "desktop") {
            width = desktopWidth;
            height = desktopHeight;
            bits = adapter->desktopBitsPerPixel;
            settings_->fullscreen = 1;
        } else {
            ParseVideoMode(settings_->videoMode, &width, &height, &bits);
        }
        const bool windowed = settings_->fullscreen == 0;
        if (windowed && !keepWindowSize_ && (width >= desktopWidth || height >= desktopHeight)) {
            // The largest 4:3 window that fits inside the desktop.
            std::uint32_t bestWidth = kFallbackWidth;
            std::uint32_t bestHeight = kFallbackHeight;
            ModeInfo* best = nullptr;
            for (const auto& mode : device->modes) {
                if (mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width < desktopWidth &&
                    mode->height < desktopHeight && mode->width > bestWidth && mode->height > bestHeight) {
                    bestWidth = mode->width;
                    bestHeight = mode->height;
                    best = mode.get();
                }
            }
            settings_->videoMode = UIntToString(bestWidth) + "x" + UIntToString(bestHeight) + "x" + UIntToString(bits);
            if (best != nullptr) {
                device->currentMode = best;
                break;
            }
            // No 4:3 mode above 640 x 480 fits: the rewritten "640x480" request
            // goes through the exact search below instead of leaving no mode.
            width = kFallbackWidth;
            height = kFallbackHeight;
        }
        ModeInfo* match = nullptr;
        for (const auto& mode : device->modes) {
            if (mode->width == width && mode->height == height && mode->bitsPerPixel == bits) {
                match = mode.get();
                break;
            }
        }
        if (match != nullptr) {
            device->currentMode = match;
            break;
        }
        if (!triedDefault && ToLower(settings_->videoMode) != ToLower(config_->GetDefaultValue("v_mode"))) {
            config_->ResetToDefault("v_mode");
            triedDefault = true;
        } else if (!triedLastResort && settings_->videoMode != kLastResortMode) {
            settings_->videoMode = kLastResortMode;
            triedDefault = true;
            triedLastResort = true;
        } else {
            log_->LogFatal("RenderSystem_D3D7: Failed to find compatible video mode");
        }
    }
    const bool hosted = window_ != nullptr && window_->GetHostWindow() != nullptr;
    device->fullScreen = settings_->fullscreen != 0 && !hosted;
}

bool RenderSystem_D3D7::CreateDevice(bool logCapabilities)
{
    try {
        ChooseVideoMode();
        AdapterInfo_D3D7* adapter = CurrentAdapter();
        DeviceInfo_D3D7* device = CurrentDevice();
        const ModeInfo& mode = *device->currentMode;
        const bool fullScreen = device->fullScreen;

        log_->LogInfo("...Creating DirectDraw...");
        Require(driver_->OpenAdapter(adapter->adapterIndex), "Failed to create DirectDraw");
        adapterOpen_ = true;

        log_->LogInfo("......Setting cooperative level...");
        Require(driver_->SetCooperativeLevel(fullScreen), "Failed to set DirectDraw cooperative level");

        Platform::DisplayMode current;
        if (Platform::GraphicsFailed(driver_->GetDisplayMode(current)) || current.bitsPerPixel <= kMinDisplayBits) {
            throw Error("Invalid DirectDraw display mode");
        }

        log_->LogInfo("......Creating screen buffers...");
        if (window_ != nullptr) {
            window_->SetMode(static_cast<std::int32_t>(mode.width), static_cast<std::int32_t>(mode.height), fullScreen,
                             static_cast<std::int32_t>(adapter->desktopWidth),
                             static_cast<std::int32_t>(adapter->desktopHeight));
        }
        if (fullScreen) {
            const Platform::DisplayMode& wanted = static_cast<const ModeInfo_D3D7&>(mode).displayMode;
            Require(driver_->SetDisplayMode(wanted), "Failed to set display mode");
        }
        Require(driver_->CreateScreenBuffers(mode.width, mode.height, fullScreen), "Failed to create primary surface");

        log_->LogInfo("...Creating Direct3D...");
        log_->LogInfo("...Creating Direct3D device...");
        Require(driver_->CreateDevice(device->deviceIndex, device_), "Failed to create Direct3D device");

        log_->LogInfo("......Setting viewport...");
        Platform::Viewport viewport;
        viewport.width = mode.width;
        viewport.height = mode.height;
        Require(device_->SetViewport(viewport), "Failed to set viewport");

        log_->LogInfo("......Creating Z Buffer...");
        stencilInUse_ = false;
        if (!device->deviceDescription.zBufferlessHiddenSurfaceRemoval) {
            const auto formats = driver_->EnumerateZBufferFormats(device->deviceIndex);
            std::uint32_t stencil = stencilRequested_ ? 1 : 0;
            Platform::ZBufferFormat format;
            bool found = FindZBufferFormat(formats, mode.bitsPerPixel, stencil, format) ||
                         FindZBufferFormat(formats, kFallbackDepthBits, stencil, format);
            if (!found && stencil > 0) {
                stencil = 0;
                found = FindZBufferFormat(formats, kFallbackDepthBits, stencil, format);
            }
            if (!found) {
                throw Error("Failed to create Z Buffer");
            }
            stencilInUse_ = stencil > 0;
            Require(device_->CreateZBuffer(format), "Failed to create Z Buffer");
            Require(device_->SetRenderTarget(), "Failed to set render target");
        }

        const Platform::DeviceDescription& caps = device_->GetDescription();
        stageCount_ = caps.maxSimultaneousTextures;
        maxTextureWidth_ = caps.maxTextureWidth;
        maxTextureHeight_ = caps.maxTextureHeight;
        maxAnisotropy_ = caps.maxAnisotropy;
        if (logCapabilities) {
            log_->LogInfo(kDots);
            log_->LogInfo("......Capabilities:");
            log_->LogInfo(".........Maximal texture units: " + UIntToString(stageCount_));
            log_->LogInfo(".........Maximal texture size: " + UIntToString(maxTextureWidth_) + "x" +
                          UIntToString(maxTextureHeight_));
            log_->LogInfo(".........Maximal texture anisotropy: " + UIntToString(maxAnisotropy_));
        }
        return true;
    } catch (const FatalError&) {
        // The mode choice's fatal end is not a device failure to fall back from.
        ReleaseDeviceObjects();
        throw;
    } catch (const Error& error) {
        ReleaseDeviceObjects();
        log_->LogError("RenderSystem_D3D7: " + error.GetMessage());
        return false;
    }
}

void RenderSystem_D3D7::CreateDeviceWithFallback()
{
    if (currentAdapter_ == nullptr) {
        ChooseDevice(false);
    }
    if (CreateDevice(true)) {
        return;
    }
    if (GetCurrentDevice()->hardware) {
        log_->LogWarning("......RenderSystem_D3D7: Switching to the software rasterizer");
        ChooseDevice(true);
        if (CreateDevice(true)) {
            return;
        }
    }
    log_->LogFatal("RenderSystem_D3D7: Failed to create Direct3D device");
}

void RenderSystem_D3D7::ReleaseDeviceObjects()
{
    if (adapterOpen_) {
        driver_->SetCooperativeLevel(false);
    }
    log_->LogInfo("...Releasing device...");
    device_.reset();
    log_->LogInfo("...Releasing surfaces...");
    driver_->ReleaseScreenBuffers();
    log_->LogInfo("...Releasing Direct3D...");
    log_->LogInfo("...Releasing DirectDraw...");
    if (adapterOpen_) {
        driver_->CloseAdapter();
        adapterOpen_ = false;
    }
}

void RenderSystem_D3D7::ResetDevice(std::uint32_t flags)
{
    if ((flags & kResetRecreateDevice) != 0) {
        log_->LogInfo("\nReseting Direct3D device:");
        if (surfacesLost_) {
            std::lock_guard<std::mutex> lock(texturesMutex_);
            for (DeviceTexture* texture : textures_) {
                texture->ReleaseSurface();
            }
        }
        log_->LogInfo(kDots);
        ReleaseDeviceObjects();
        log_->LogInfo(kDots);
        // Drawing on without a device would crash at the first state; a device
        // that cannot be made again ends the program with its reason instead.
        if (!CreateDevice(false)) {
            log_->LogFatal("RenderSystem_D3D7: Failed to create Direct3D device");
        }
        if (stageTextures_.size() != stageCount_) {
            AllocateStageStates();
        }
        log_->LogInfo(kDots);
        SetDefaultStates();
    }
    if ((flags & kResetRestoreSurfaces) != 0 && surfacesLost_) {
        std::lock_guard<std::mutex> lock(texturesMutex_);
        for (DeviceTexture* texture : textures_) {
            texture->Restore();
        }
    }
    RenderSystem::ResetDevice(flags);
}

void RenderSystem_D3D7::RegisterTexture(DeviceTexture* texture)
{
    if (texture != nullptr) {
        std::lock_guard<std::mutex> lock(texturesMutex_);
        textures_.push_back(texture);
    }
}

void RenderSystem_D3D7::UnregisterTexture(DeviceTexture* texture)
{
    {
        std::lock_guard<std::mutex> lock(texturesMutex_);
        const auto found = std::find(textures_.begin(), textures_.end(), texture);
        if (found == textures_.end()) {
            log_->LogError("RenderSystem_D3D7: Failed to remove texture \"" +
                           (texture != nullptr ? texture->GetName() : std::string()) + "\"");
            return;
        }
        textures_.erase(found);
    }
    // The device must not keep drawing with the surface of a texture that goes.
    for (std::uint32_t stage = 0; stage < stageTextures_.size(); ++stage) {
        if (stageTextures_[stage] == texture) {
            stageTextures_[stage] = nullptr;
            UpdateTexture(stage);
        }
    }
}

void RenderSystem_D3D7::Refresh()
{
    RenderSystem::Refresh();
    const Platform::GraphicsResult state = driver_->TestCooperativeLevel();
    if (!Platform::GraphicsFailed(state)) {
        if (!deviceReady_) {
            const Platform::GraphicsResult restored = driver_->RestoreAllSurfaces();
            CheckResult("RenderSystem_D3D7::Refresh", restored);
            if (Platform::GraphicsFailed(restored)) {
                resetRequired_ = true;
                surfacesLost_ = true;
            } else {
                deviceReady_ = true;
            }
        }
        return;
    }
    deviceReady_ = false;
    if (state == Platform::kGraphicsErrWrongMode && settings_->fullscreen == 0) {
        resetRequired_ = true;
        surfacesLost_ = true;
    }
}

void RenderSystem_D3D7::BeginScene()
{
    if (!HasDevice()) {
        return;
    }
    if (clearFlags_ != 0) {
        std::uint32_t flags = 0;
        if ((clearFlags_ & kClearColorTarget) != 0) {
            flags |= Platform::kClearTarget;
        }
        if ((clearFlags_ & kClearDepthBuffer) != 0) {
            flags |= Platform::kClearZBuffer;
        }
        if (stencilInUse_) {
            flags |= Platform::kClearStencil;
        }
        CheckResult("RenderSystem_D3D7::BeginScene", device_->Clear(flags, PackArgb(clearColor_), 1.0f, 0));
    }
    Platform::GraphicsResult result = device_->BeginScene();
    if (result == Platform::kGraphicsErrSurfaceLost) {
        result = driver_->RestoreAllSurfaces();
        if (!Platform::GraphicsFailed(result)) {
            result = device_->BeginScene();
        }
    }
    CheckResult("RenderSystem_D3D7::BeginScene", result);
}

void RenderSystem_D3D7::EndScene()
{
    if (!HasDevice()) {
        return;
    }
    Platform::GraphicsResult result = device_->EndScene();
    if (result == Platform::kGraphicsErrSurfaceLost) {
        result = driver_->RestoreAllSurfaces();
    }
    CheckResult("RenderSystem_D3D7::EndScene", result);
}

void RenderSystem_D3D7::SwapBuffers()
{
    if (!deviceReady_ || !HasDevice()) {
        return;
    }
    Platform::GraphicsResult result = driver_->Present(settings_->vsync != 0);
    if (result == Platform::kGraphicsErrSurfaceLost) {
        result = driver_->RestoreAllSurfaces();
    }
    CheckResult("RenderSystem_D3D7::SwapBuffers", result);
}

void RenderSystem_D3D7::CheckVideoMode()
{
    RenderSystem::CheckVideoMode();
    surfacesLost_ = true;
}

void RenderSystem_D3D7::DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                             std::uint32_t primitiveCount)
{
    RenderSystem::DrawIndexedPrimitive(strip, indexBuffer, vertexBuffer, primitiveCount);
    if (indexBuffer == nullptr || vertexBuffer == nullptr || !HasDevice()) {
        return;
    }
    vertexBuffer->Unlock();
    indexBuffer->Unlock();
    const std::uint64_t indexCount =
        strip ? static_cast<std::uint64_t>(primitiveCount) + 2 : static_cast<std::uint64_t>(primitiveCount) * 3;
    std::uint64_t lowest = indexBuffer->GetLowestIndex();
    std::uint64_t vertexCount = lowest + indexBuffer->GetVertexSpan();
    if (indexCount > indexBuffer->GetUsedCount() && indexCount <= indexBuffer->GetCapacity()) {
        // Indices past the used count were never measured; measure the ones drawn.
        std::uint32_t highest = 0;
        for (std::uint32_t position = 0; position < indexCount; ++position) {
            highest = std::max(highest, indexBuffer->GetIndex(position));
        }
        vertexCount = std::max<std::uint64_t>(vertexCount, static_cast<std::uint64_t>(highest) + 1);
    }
    if (indexCount > indexBuffer->GetCapacity() || vertexCount > vertexBuffer->GetVertexCount()) {
        log_->LogError("RenderSystem_D3D7::DrawIndexedPrimitive: " +
                       UIntToString(static_cast<std::uint32_t>(std::min<std::uint64_t>(indexCount, 0xFFFFFFFFu))) +
                       " indices reach past the buffers");
        return;
    }
    const Platform::GraphicsResult result = device_->DrawIndexedPrimitive(
        strip ? Platform::PrimitiveType::TriangleStrip : Platform::PrimitiveType::TriangleList,
        vertexBuffer->HasColor() ? kColoredVertexFormat : kPlainVertexFormat, vertexBuffer->GetData(),
        static_cast<std::uint32_t>(vertexCount), indexBuffer->GetData(), indexBuffer->GetIndexSize(),
        static_cast<std::uint32_t>(indexCount));
    CheckResult("RenderSystem_D3D7::DrawIndexedPrimitive", result);
}

std::unique_ptr<Camera> RenderSystem_D3D7::CreateCamera(std::uint32_t orthographic)
{
    return std::make_unique<Camera_D3D7>(this, orthographic);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(std::uint32_t colorFlag, std::uint32_t vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(this, colorFlag, vertexCount);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBufferFrom(std::uint32_t colorFlag,
                                                                        const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, colorFlag, source);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CloneVertexBuffer(const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, source.GetColorFlag(), source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(std::uint32_t capacity)
{
    return std::make_unique<IndexBuffer_D3D7>(this, capacity);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBufferFrom(const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CloneIndexBuffer(const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(source);
}

std::unique_ptr<Texture2D> RenderSystem_D3D7::CreateTexture(TextureManager* manager, const std::string& key,
                                                            const Image& diffuse, const Image* opacity, bool mipMapped)
{
    return std::make_unique<Texture2D_D3D7>(this, log_, config_, manager, key, diffuse, opacity, mipMapped);
}

std::unique_ptr<Light> RenderSystem_D3D7::CreateLight(std::uint32_t deviceIndex)
{
    return std::make_unique<Light_D3D7>(log_, this, deviceIndex);
}

void RenderSystem_D3D7::CopyScreenToImage(Image& image)
{
    const ModeInfo* mode = GetCurrentMode();
    if (mode == nullptr) {
        throw Error("Error creating temporary surface!");
    }
    const std::uint32_t width = mode->width;
    const std::uint32_t height = mode->height;
    const std::uint32_t bits = mode->bitsPerPixel == 32 ? 32 : 24;
    screenPixels_.resize(static_cast<std::size_t>(width) * height * 4);
    if (Platform::GraphicsFailed(driver_->ReadBackBuffer(0, 0, width, height, screenPixels_.data()))) {
        throw Error("Error creating temporary surface!");
    }
    image.Create(log_, width, height, bits);
    std::uint8_t* out = image.GetData();
    const std::uint32_t bytesPerPixel = bits / 8;
    // The screen's rows run top-down, the image's bottom-up. The screen has no
    // alpha of its own: every pixel becomes opaque, as the inverted empty alpha
    // byte of a 32-bit screen does.
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint8_t* from = screenPixels_.data() + static_cast<std::size_t>(height - 1 - row) * width * 4;
        std::uint8_t* to = out + static_cast<std::size_t>(row) * width * bytesPerPixel;
        for (std::uint32_t x = 0; x < width; ++x) {
            to[x * bytesPerPixel + 0] = from[x * 4 + 2];
            to[x * bytesPerPixel + 1] = from[x * 4 + 1];
            to[x * bytesPerPixel + 2] = from[x * 4 + 0];
            if (bytesPerPixel == 4) {
                to[x * bytesPerPixel + 3] = 255;
            }
        }
    }
}

void RenderSystem_D3D7::CheckSetDefault(Platform::GraphicsResult result) const
{
    CheckResult("RenderSystem_D3D7::SetDefaultStates", result);
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
    if (!HasDevice()) {
        return;
    }
    using Platform::StageState;
    for (std::uint32_t stage = 0; stage < stageCount_; ++stage) {
        CheckSetDefault(
            device_->SetTextureStageState(stage, StageState::TextureTransformFlags, Platform::kTextureTransformCount2));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::TexCoordIndex, 0));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::ColorArgument1, Platform::kTextureArgTexture));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::ColorArgument2, Platform::kTextureArgDiffuse));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::ColorOperation, Platform::kTextureOpModulate));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::AlphaArgument1, Platform::kTextureArgTexture));
        CheckSetDefault(device_->SetTextureStageState(stage, StageState::AlphaArgument2, Platform::kTextureArgDiffuse));
        CheckSetDefault(
            device_->SetTextureStageState(stage, StageState::AlphaOperation,
                                          stage == 0 ? Platform::kTextureOpModulate : Platform::kTextureOpDisable));
    }
    using Platform::RenderState;
    CheckSetDefault(device_->SetRenderState(RenderState::ColorVertex, 1));
    CheckSetDefault(device_->SetRenderState(RenderState::DiffuseMaterialSource, Platform::kMaterialSourceColor1));
    CheckSetDefault(device_->SetRenderState(RenderState::AmbientMaterialSource, Platform::kMaterialSourceColor1));
    CheckSetDefault(device_->SetRenderState(RenderState::ZFunction, Platform::kCompareLess));
    if (stencilInUse_) {
        CheckSetDefault(device_->SetRenderState(RenderState::StencilFunction, Platform::kCompareEqual));
        CheckSetDefault(device_->SetRenderState(RenderState::StencilReference, 0));
        CheckSetDefault(device_->SetRenderState(RenderState::StencilMask, 0xFFFFFFFFu));
        CheckSetDefault(device_->SetRenderState(RenderState::StencilFail, Platform::kStencilKeep));
        CheckSetDefault(device_->SetRenderState(RenderState::StencilZFail, Platform::kStencilKeep));
        CheckSetDefault(device_->SetRenderState(RenderState::StencilPass, Platform::kStencilIncrement));
    }
}

void RenderSystem_D3D7::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                    const Color& emissive, float power)
{
    if (!HasDevice()) {
        return;
    }
    Platform::Material material;
    material.ambient = ToColorValue(ambient);
    material.diffuse = ToColorValue(diffuse);
    material.specular = ToColorValue(specular);
    material.emissive = ToColorValue(emissive);
    material.power = power;
    CheckResult("RenderSystem_D3D7::SetMaterial", device_->SetMaterial(material));
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix",
                    device_->SetTransform(Platform::TransformState::Projection, projection_.m));
    }
}

void RenderSystem_D3D7::UpdateViewMatrix()
{
    if (!HasDevice()) {
        return;
    }
    // The engine's cameras look down -z; the device form looks down +z.
    Matrix4 view = view_;
    for (int index : {2, 6, 10, 14}) {
        view.m[index] = -view.m[index];
    }
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", device_->SetTransform(Platform::TransformState::View, view.m));
}

void RenderSystem_D3D7::UpdateWorldMatrix()
{
    if (!HasDevice()) {
        return;
    }
    Matrix4 world = world_;
    world.Transpose();
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix",
                device_->SetTransform(Platform::TransformState::World, world.m));
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateAmbientColor",
                    device_->SetRenderState(Platform::RenderState::Ambient, PackArgb(ambient_)));
    }
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateAlphaBlend",
                    device_->SetRenderState(Platform::RenderState::AlphaBlendEnable, alphaBlend_ ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateBlend()
{
    if (!HasDevice()) {
        return;
    }
    CheckResult("RenderSystem_D3D7::UpdateBlend",
                device_->SetRenderState(Platform::RenderState::SourceBlend, MapBlend(sourceBlend_)));
    CheckResult("RenderSystem_D3D7::UpdateBlend",
                device_->SetRenderState(Platform::RenderState::DestinationBlend, MapBlend(destinationBlend_)));
}

void RenderSystem_D3D7::UpdateTexture(std::uint32_t stage)
{
    if (!HasDevice()) {
        return;
    }
    DeviceTexture* texture = stageTextures_[stage];
    CheckResult("RenderSystem_D3D7::UpdateTexture",
                device_->SetTexture(stage, texture != nullptr ? texture->GetSurface() : nullptr));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(std::uint32_t stage)
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateMaxTextureAnisotropy",
                    device_->SetTextureStageState(stage, Platform::StageState::MaxAnisotropy, stageAnisotropy_[stage]));
    }
}

void RenderSystem_D3D7::UpdateTextureFilter(std::uint32_t stage)
{
    if (!HasDevice()) {
        return;
    }
    std::uint32_t magnification = Platform::kFilterLinear;
    std::uint32_t minification = Platform::kFilterLinear;
    std::uint32_t mip = Platform::kMipFilterNone;
    switch (stageFilter_[stage]) {
    case kFilterPoint:
        magnification = Platform::kFilterPoint;
        minification = Platform::kFilterPoint;
        break;
    case kFilterMipMapped:
        if (settings_ != nullptr && settings_->textureAnisotropy >= 2) {
            magnification = Platform::kFilterAnisotropic;
            minification = Platform::kFilterAnisotropic;
        }
        mip = Platform::kMipFilterLinear;
        break;
    default:
        break;
    }
    const char* name = "RenderSystem_D3D7::UpdateTextureFilter";
    CheckResult(name, device_->SetTextureStageState(stage, Platform::StageState::MagFilter, magnification));
    CheckResult(name, device_->SetTextureStageState(stage, Platform::StageState::MinFilter, minification));
    CheckResult(name, device_->SetTextureStageState(stage, Platform::StageState::MipFilter, mip));
}

void RenderSystem_D3D7::UpdateTextureAdressU(std::uint32_t stage)
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateTextureAdressU",
                    device_->SetTextureStageState(stage, Platform::StageState::AddressU,
                                                  stageAddressU_[stage] == kAddressClamp ? Platform::kAddressClamp
                                                                                         : Platform::kAddressWrap));
    }
}

void RenderSystem_D3D7::UpdateTextureAdressV(std::uint32_t stage)
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateTextureAdressV",
                    device_->SetTextureStageState(stage, Platform::StageState::AddressV,
                                                  stageAddressV_[stage] == kAddressClamp ? Platform::kAddressClamp
                                                                                         : Platform::kAddressWrap));
    }
}

void RenderSystem_D3D7::UpdateTextureMatrix(std::uint32_t stage)
{
    if (!HasDevice()) {
        return;
    }
    const TextureTransform& t = stageTransform_[stage];
    const float matrix[16] = {t.scaleU, 0, 0, 0, 0, t.scaleV, 0, 0, t.offsetU, t.offsetV, 1, 0, 0, 0, 0, 1};
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix", device_->SetTextureTransform(stage, matrix));
}

void RenderSystem_D3D7::UpdateCullMode()
{
    if (!HasDevice()) {
        return;
    }
    std::uint32_t mode = Platform::kCullNone;
    if (cullMode_ == kCullClockwise) {
        mode = Platform::kCullClockwise;
    } else if (cullMode_ == kCullCounterClockwise) {
        mode = Platform::kCullCounterClockwise;
    }
    CheckResult("RenderSystem_D3D7::UpdateCullMode", device_->SetRenderState(Platform::RenderState::CullMode, mode));
}

void RenderSystem_D3D7::UpdateLighting()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateLighting",
                    device_->SetRenderState(Platform::RenderState::Lighting, lighting_ ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateNormalizeNormals",
                    device_->SetRenderState(Platform::RenderState::NormalizeNormals, normalizeNormals_ ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateZ()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateZ",
                    device_->SetRenderState(Platform::RenderState::ZEnable, depthTest_ ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateZWrite()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateZWrite",
                    device_->SetRenderState(Platform::RenderState::ZWriteEnable, depthWrite_ ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateStencil()
{
    if (HasDevice()) {
        CheckResult("RenderSystem_D3D7::UpdateStencil",
                    device_->SetRenderState(Platform::RenderState::StencilEnable, stencil_ ? 1 : 0));
    }
}

} // namespace OrrelayEngine
