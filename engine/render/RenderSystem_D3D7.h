// The render system over the platform's graphics driver: enumeration of
// adapters, devices and modes, the choice of device and video mode from the
// configuration, creation of the screen buffers, device and depth buffer with
// their log lines, the fall-back to the software device, the reset after a
// lost device or a mode change, the frame (refresh, begin, end, present), the
// default states and the update operations that carry each cached state to
// the device. Device results go through CheckResult, which logs failures and
// never throws.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/render/RenderSystem.h"
#include "platform/GraphicsDevice.h"
#include "platform/GraphicsDriver.h"

namespace OrrelayEngine {

class AdapterInfo_D3D7;
class DeviceInfo_D3D7;
class Image;

class RenderSystem_D3D7 : public RenderSystem
{
public:
    // Without a driver, one is made on the window's drawing surface. A failure
    // that leaves no usable device is logged as fatal and thrown as FatalError.
    RenderSystem_D3D7(MessageManager* log, Config* config, Window* window, bool stencilRequested, bool keepWindowSize,
                      std::unique_ptr<Platform::GraphicsDriver> driver = nullptr);
    ~RenderSystem_D3D7() override;

    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    void CheckVideoMode() override;
    void ResetDevice(std::uint32_t flags) override;
    // The buffers' vertices are drawn as they stand: every index used must lie
    // inside the vertex buffer, or nothing is drawn and an error is logged.
    void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                              std::uint32_t primitiveCount) override;

    std::unique_ptr<Camera> CreateCamera(std::uint32_t orthographic) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(std::uint32_t colorFlag, std::uint32_t vertexCount) override;
    std::unique_ptr<VertexBuffer> CreateVertexBufferFrom(std::uint32_t colorFlag, const VertexBuffer& source) override;
    std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(std::uint32_t capacity) override;
    std::unique_ptr<IndexBuffer> CreateIndexBufferFrom(const IndexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer& source) override;
    // The texture takes this render system's log and configuration.
    std::unique_ptr<Texture2D> CreateTexture(TextureManager* manager, const std::string& key, const Image& diffuse,
                                             const Image* opacity, bool mipMapped) override;
    std::unique_ptr<Light> CreateLight(std::uint32_t deviceIndex) override;

    // The picture last drawn into the back buffer, rows bottom-up, 32 bits for
    // a 32-bit mode (alpha inverted) and 24 otherwise. Throws Error
    // "Error creating temporary surface!" when the picture cannot be read.
    void CopyScreenToImage(Image& image) override;

    void SetDefaultStates() override;
    void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                     float power) override;

    // Logs a failed result as "Direct3D Subsystem (" operation "): " description.
    void CheckResult(const char* operation, Platform::GraphicsResult result) const;

    // Textures add themselves when created and remove themselves when destroyed,
    // so that a device reset can release and rebuild their surfaces; a texture
    // that goes is taken off every stage that holds it. The loading thread
    // calls both while the main thread may be walking the list in a reset.
    void RegisterTexture(DeviceTexture* texture);
    void UnregisterTexture(DeviceTexture* texture);

    // Borrowed; the device changes at every reset and is null while none exists.
    Platform::GraphicsDevice* GetDevice() const { return device_.get(); }
    Platform::GraphicsDriver* GetDriver() const { return driver_.get(); }
    // Driver-managed texture memory goes with the hardware devices.
    bool IsHardwareDevice() const;

private:
    void Enumerate();
    void ChooseDevice(bool softwareOnly);
    void ChooseVideoMode();
    bool CreateDevice(bool logCapabilities);
    void CreateDeviceWithFallback();
    void ReleaseDeviceObjects();
    AdapterInfo_D3D7* CurrentAdapter() const;
    DeviceInfo_D3D7* CurrentDevice() const;
    bool HasDevice() const { return device_ != nullptr; }
    void CheckSetDefault(Platform::GraphicsResult result) const;

    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(std::uint32_t stage) override;
    void UpdateMaxTextureAnisotropy(std::uint32_t stage) override;
    void UpdateTextureFilter(std::uint32_t stage) override;
    void UpdateTextureAdressU(std::uint32_t stage) override;
    void UpdateTextureAdressV(std::uint32_t stage) override;
    void UpdateTextureMatrix(std::uint32_t stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

    // The driver goes after the device it made.
    std::unique_ptr<Platform::GraphicsDriver> driver_;
    std::unique_ptr<Platform::GraphicsDevice> device_;
    bool adapterOpen_ = false;
    // Held across a whole walk of the list, so that a texture being destroyed
    // elsewhere waits in UnregisterTexture until the walk is done with it.
    std::mutex texturesMutex_;
    std::vector<DeviceTexture*> textures_;
    std::vector<std::uint8_t> screenPixels_;
};

} // namespace OrrelayEngine
