// A texture with its device surface: made from the fitted pictures at
// construction (every mip level when mip-mapped), released around a device
// reset and rebuilt from the manager's pictures on the next use. Registers
// itself with the render system for as long as it lives.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/Texture2D.h"
#include "platform/GraphicsTypes.h"

namespace Platform {
class TextureSurface;
}

namespace OrrelayEngine {

class Image;
class RenderSystem_D3D7;

class Texture2D_D3D7 : public Texture2D
{
public:
    Texture2D_D3D7(RenderSystem_D3D7* renderSystem, MessageManager* log, Config* config, TextureManager* manager,
                   const std::string& key, const Image& diffuse, const Image* opacity, bool mipMapped);
    ~Texture2D_D3D7() override;

    // Rebuilds the surface first when it has none.
    Platform::TextureSurface* GetSurface() override;
    void ReleaseSurface() override;
    void Restore() override;

    // Fills a new surface from the pictures; nothing when one exists. A device
    // without a suitable texel format is fatal.
    void CreateSurface(const Image& diffuse, const Image* opacity);

    // The texel format the pictures are stored in: the first of the device's
    // formats of 32 bits, then of 16, that has alpha exactly when alphaWanted.
    // False when the device has none.
    static bool ChooseTextureFormat(const std::vector<Platform::PixelFormat>& formats, bool alphaWanted,
                                    Platform::PixelFormat& chosen);

private:
    void FillLevel(std::uint32_t level, const Image& diffuse, const Image* opacity);

    RenderSystem_D3D7* renderSystem_;
    std::unique_ptr<Platform::TextureSurface> surface_;
};

} // namespace OrrelayEngine
