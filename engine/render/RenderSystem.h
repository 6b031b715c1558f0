// The renderer every drawing class talks to. It owns the adapters found at
// start-up (with their devices and modes) and caches every device state the
// engine changes, forwarding a state to the device only when its value
// changes: integers, flags and textures compare exactly; matrices, colours and
// texture transforms with a tolerance of 0.0001 per element. While the force
// flag is set every setter forwards.
//
// Within a frame: Refresh once, then setters and draws between one BeginScene
// and one EndScene, then SwapBuffers when the device is ready.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/render/AdapterInfo.h"

namespace OrrelayEngine {

class Camera;
class Config;
class DeviceTexture;
class Image;
class IndexBuffer;
class Light;
class MessageManager;
class Texture2D;
class TextureManager;
class VertexBuffer;
class Window;
struct ConfigValues;

class RenderSystem
{
public:
    // Clear-flag bits.
    static constexpr std::uint32_t kClearColorTarget = 0x1;
    static constexpr std::uint32_t kClearDepthBuffer = 0x2;
    // ResetDevice flag bits.
    static constexpr std::uint32_t kResetRecreateDevice = 0x1;
    static constexpr std::uint32_t kResetRestoreSurfaces = 0x2;
    // Cull modes.
    static constexpr std::uint32_t kCullNone = 0;
    static constexpr std::uint32_t kCullClockwise = 1;
    static constexpr std::uint32_t kCullCounterClockwise = 2;
    // Texture filters.
    static constexpr std::uint32_t kFilterPoint = 0;
    static constexpr std::uint32_t kFilterLinear = 1;
    static constexpr std::uint32_t kFilterMipMapped = 2;
    // Texture addressing.
    static constexpr std::uint32_t kAddressClamp = 0;
    static constexpr std::uint32_t kAddressWrap = 1;
    // Blend codes, for source and destination alike.
    static constexpr std::uint32_t kBlendZero = 0;
    static constexpr std::uint32_t kBlendOne = 1;
    static constexpr std::uint32_t kBlendDestinationColor = 2;
    static constexpr std::uint32_t kBlendInverseDestinationColor = 3;
    static constexpr std::uint32_t kBlendSourceAlpha = 4;
    static constexpr std::uint32_t kBlendInverseSourceAlpha = 5;
    static constexpr std::uint32_t kBlendDestinationAlpha = 6;
    static constexpr std::uint32_t kBlendInverseDestinationAlpha = 7;
    static constexpr std::uint32_t kBlendSourceAlphaSaturated = 8;
    static constexpr std::uint32_t kBlendSourceColor = 9;
    static constexpr std::uint32_t kBlendInverseSourceColor = 10;

    RenderSystem(MessageManager* log, Config* config, Window* window, bool stencilRequested, bool keepWindowSize);
    virtual ~RenderSystem();

    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    virtual void Refresh();
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void SwapBuffers() {}
    virtual void CheckVideoMode();
    virtual void ResetDevice(std::uint32_t flags);
    virtual void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                      std::uint32_t primitiveCount);
    // The caller owns what these make.
    virtual std::unique_ptr<Camera> CreateCamera(std::uint32_t orthographic) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(std::uint32_t colorFlag, std::uint32_t vertexCount) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBufferFrom(std::uint32_t colorFlag,
                                                                 const VertexBuffer& source) = 0;
    virtual std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(std::uint32_t capacity) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBufferFrom(const IndexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer& source) = 0;
    virtual std::unique_ptr<Texture2D> CreateTexture(TextureManager* manager, const std::string& key,
                                                     const Image& diffuse, const Image* opacity, bool mipMapped) = 0;
    virtual std::unique_ptr<Light> CreateLight(std::uint32_t deviceIndex) = 0;
    virtual void CopyScreenToImage(Image& image) = 0;

    void AllocateStageStates();
    virtual void SetDefaultStates();
    virtual void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                             float power) = 0;

    void SetProjectionMatrix(const Matrix4& matrix);
    void SetViewMatrix(const Matrix4& matrix);
    void SetWorldMatrix(const Matrix4& matrix);
    void SetAmbientColor(const Color& color);
    void SetAlphaBlend(bool on);
    void SetBlend(std::uint32_t source, std::uint32_t destination);
    // A stage beyond the device's stage count is ignored.
    void SetTexture(std::uint32_t stage, DeviceTexture* texture);
    void SetMaxTextureAnisotropy(std::uint32_t stage, std::uint32_t anisotropy);
    void SetTextureFilter(std::uint32_t stage, std::uint32_t filter);
    void SetTextureAdressU(std::uint32_t stage, std::uint32_t mode);
    void SetTextureAdressV(std::uint32_t stage, std::uint32_t mode);
    void SetTextureMatrix(std::uint32_t stage, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(std::uint32_t mode);
    void SetLighting(bool on);
    void SetNormalizeNormals(bool on);
    void SetZ(bool on);
    void SetZWrite(bool on);
    void SetStencil(bool on);

    bool IsDeviceReady() const { return deviceReady_; }
    bool IsResetRequired() const { return resetRequired_; }
    bool AreSurfacesLost() const { return surfacesLost_; }
    bool IsStencilInUse() const { return stencilInUse_; }
    std::uint32_t GetMaxTextureWidth() const { return maxTextureWidth_; }
    std::uint32_t GetMaxTextureHeight() const { return maxTextureHeight_; }
    std::uint32_t GetStageCount() const { return stageCount_; }
    std::uint32_t GetMaxAnisotropy() const { return maxAnisotropy_; }
    std::uint32_t GetClearFlags() const { return clearFlags_; }
    void SetClearFlags(std::uint32_t flags) { clearFlags_ = flags; }
    const Color& GetClearColor() const { return clearColor_; }
    void SetClearColor(const Color& color) { clearColor_ = color; }
    AdapterInfo* GetCurrentAdapter() const { return currentAdapter_; }
    DeviceInfo* GetCurrentDevice() const;
    ModeInfo* GetCurrentMode() const;
    const std::vector<std::unique_ptr<AdapterInfo>>& GetAdapters() const { return adapters_; }

    // What the cache holds, for the classes that read it back.
    const Matrix4& GetProjectionMatrix() const { return projection_; }
    const Matrix4& GetViewMatrix() const { return view_; }
    const Matrix4& GetWorldMatrix() const { return world_; }
    const Color& GetAmbientColor() const { return ambient_; }
    DeviceTexture* GetTexture(std::uint32_t stage) const;

protected:
    struct TextureTransform
    {
        float scaleU = 0.0f;
        float scaleV = 0.0f;
        float offsetU = 0.0f;
        float offsetV = 0.0f;
    };

    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(std::uint32_t stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(std::uint32_t stage) = 0;
    virtual void UpdateTextureFilter(std::uint32_t stage) = 0;
    virtual void UpdateTextureAdressU(std::uint32_t stage) = 0;
    virtual void UpdateTextureAdressV(std::uint32_t stage) = 0;
    virtual void UpdateTextureMatrix(std::uint32_t stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    MessageManager* log_;
    Config* config_;
    Window* window_;
    ConfigValues* settings_;

    std::vector<std::unique_ptr<AdapterInfo>> adapters_;
    AdapterInfo* currentAdapter_ = nullptr;

    bool stencilRequested_;
    bool stencilInUse_ = false;
    bool keepWindowSize_;

    std::uint32_t clearFlags_ = kClearColorTarget | kClearDepthBuffer;
    Color clearColor_{0.0f, 0.0f, 0.0f, 1.0f};

    std::uint32_t maxTextureWidth_ = 0;
    std::uint32_t maxTextureHeight_ = 0;
    std::uint32_t stageCount_ = 0;
    std::uint32_t maxAnisotropy_ = 0;

    bool deviceReady_ = false;
    bool resetRequired_ = false;
    bool surfacesLost_ = false;
    bool force_ = false;

    Matrix4 projection_;
    Matrix4 view_;
    Matrix4 world_;
    Color ambient_;
    bool alphaBlend_ = false;
    std::uint32_t sourceBlend_ = 0;
    std::uint32_t destinationBlend_ = 0;

    std::vector<DeviceTexture*> stageTextures_;
    std::vector<std::uint32_t> stageAnisotropy_;
    std::vector<std::uint32_t> stageFilter_;
    std::vector<std::uint32_t> stageAddressU_;
    std::vector<std::uint32_t> stageAddressV_;
    std::vector<TextureTransform> stageTransform_;

    std::uint32_t cullMode_ = kCullNone;
    bool lighting_ = false;
    bool normalizeNormals_ = false;
    bool depthTest_ = false;
    bool depthWrite_ = false;
    bool stencil_ = false;
    // Reset with the defaults; nothing else reads it.
    bool spareFlag_ = false;
};

} // namespace OrrelayEngine
