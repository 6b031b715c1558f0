#include "engine/render/Texture2D_D3D7.h"

#include <algorithm>
#include <cstring>

#include "engine/core/Color.h"
#include "engine/core/ConfigValues.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/TextureManager.h"
#include "platform/GraphicsDriver.h"
#include "platform/TextureSurface.h"

namespace OrrelayEngine {

namespace {

// A format whose alpha takes the top nibble of 16 bits (4:4:4:4) gives too
// coarse an alpha for the game's soft edges; it is never chosen.
constexpr std::uint32_t kRejectedAlphaMask = 0xF000;

struct ChannelPacking
{
    std::uint32_t mask = 0;
    std::uint32_t shift = 0;
    std::uint32_t bits = 0;

    explicit ChannelPacking(std::uint32_t channelMask) : mask(channelMask)
    {
        if (mask == 0) {
            return;
        }
        while (((mask >> shift) & 1u) == 0) {
            ++shift;
        }
        for (std::uint32_t rest = mask >> shift; rest != 0; rest >>= 1) {
            bits += rest & 1u;
        }
    }

    std::uint32_t Pack(std::uint8_t value) const
    {
        if (mask == 0) {
            return 0;
        }
        const std::uint32_t scaled = bits <= 8 ? (static_cast<std::uint32_t>(value) >> (8 - bits))
                                               : (static_cast<std::uint32_t>(value) << (bits - 8));
        return (scaled << shift) & mask;
    }
};

} // namespace

Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* renderSystem, MessageManager* log, Config* config,
                               TextureManager* manager, const std::string& key, const Image& diffuse,
                               const Image* opacity, bool mipMapped)
    : Texture2D(log, config, manager, key, mipMapped), renderSystem_(renderSystem)
{
    CreateSurface(diffuse, opacity);
    renderSystem_->RegisterTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    // Unregistering also takes the texture off every stage showing it, so the
    // device lets go of the surface before the surface goes.
    renderSystem_->UnregisterTexture(this);
    ReleaseSurface();
}

Platform::TextureSurface* Texture2D_D3D7::GetSurface()
{
    if (surface_ == nullptr) {
        Restore();
    }
    return surface_.get();
}

void Texture2D_D3D7::ReleaseSurface()
{
    surface_.reset();
}

void Texture2D_D3D7::Restore()
{
    TextureManager::TextureImages images;
    manager_->GetImages(this, images);
    if (images.diffuse != nullptr) {
        CreateSurface(*images.diffuse, images.opacity);
    }
}

bool Texture2D_D3D7::ChooseTextureFormat(const std::vector<Platform::PixelFormat>& formats, bool alphaWanted,
                                         Platform::PixelFormat& chosen)
{
    for (std::uint32_t bitCount : {32u, 16u}) {
        for (const Platform::PixelFormat& format : formats) {
            if (format.luminance || format.bumpMap || format.alphaMask == kRejectedAlphaMask ||
                format.hasAlpha != alphaWanted || format.bitCount != bitCount || format.fourCharacterCode != 0) {
                continue;
            }
            chosen = format;
            return true;
        }
    }
    return false;
}

void Texture2D_D3D7::CreateSurface(const Image& diffuse, const Image* opacity)
{
    if (surface_ != nullptr || diffuse.IsEmpty()) {
        return;
    }
    Platform::GraphicsDriver* driver = renderSystem_->GetDriver();
    if (driver == nullptr) {
        return;
    }
    if (opacity != nullptr && opacity->IsEmpty()) {
        opacity = nullptr;
    }

    memorySize_ = 0;
    width_ = diffuse.GetWidth();
    height_ = diffuse.GetHeight();
    std::uint32_t depth = diffuse.GetBitsPerPixel() == 8 ? 24 : diffuse.GetBitsPerPixel();
    if (opacity != nullptr) {
        depth = 32;
    }

    Platform::TextureSurfaceDescription description;
    if (!ChooseTextureFormat(driver->EnumerateTextureFormats(), depth == 32, description.format)) {
        log_->LogFatal("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    }
    description.width = width_;
    description.height = height_;
    description.levelCount = mipMapped_ ? Platform::TextureSurface::CountMipLevels(width_, height_) : 1;

    const Platform::GraphicsResult result = driver->CreateTextureSurface(description, surface_);
    renderSystem_->CheckResult("Texture2D_D3D7::CreateSurface", result);
    if (Platform::GraphicsFailed(result) || surface_ == nullptr) {
        surface_.reset();
        return;
    }

    // Whoever hands in an opacity picture of another size would otherwise have
    // it read past its end; it is brought to the diffuse size here as well.
    Image fittedOpacity;
    if (opacity != nullptr && (opacity->GetWidth() != width_ || opacity->GetHeight() != height_)) {
        opacity->Resample(width_, height_, Image::kFilterBilinear, fittedOpacity);
        opacity = &fittedOpacity;
    }

    const bool showMipMaps = settings_ != nullptr && settings_->showMipMaps != 0;
    const bool opacityAlphaOnly = opacity != nullptr && opacity->GetBitsPerPixel() == 8;
    const Image* levelDiffuse = &diffuse;
    const Image* levelOpacity = opacity;
    Image reducedDiffuse[2];
    Image reducedOpacity[2];
    for (std::uint32_t level = 0; level < description.levelCount; ++level) {
        const std::uint32_t levelWidth = surface_->GetLevelWidth(level);
        const std::uint32_t levelHeight = surface_->GetLevelHeight(level);
        if (level > 0) {
            Image& nextDiffuse = reducedDiffuse[level % 2];
            MakeMipLevel(*levelDiffuse, nextDiffuse, levelWidth, levelHeight, false);
            levelDiffuse = &nextDiffuse;
            if (levelOpacity != nullptr) {
                Image& nextOpacity = reducedOpacity[level % 2];
                MakeMipLevel(*levelOpacity, nextOpacity, levelWidth, levelHeight, opacityAlphaOnly);
                levelOpacity = &nextOpacity;
            }
            if (level == 1 && showMipMaps) {
                reducedDiffuse[1].Fill(Color(1.0f, 0.0f, 0.0f, 1.0f));
                if (levelOpacity != nullptr) {
                    reducedOpacity[1].Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
                }
            }
        }
        FillLevel(level, *levelDiffuse, levelOpacity);
        // In 64 bits: a 16384 x 8192 level of 32 bits would wrap around in 32.
        memorySize_ += static_cast<std::uint32_t>(static_cast<std::uint64_t>(levelWidth) * levelHeight * depth / 8);
    }
    // The pictures can fill a new surface whenever this one is lost, so the
    // device need not keep the texels beside its own copy of them.
    surface_->SetReleasedAfterUpload(true);
}

void Texture2D_D3D7::FillLevel(std::uint32_t level, const Image& diffuse, const Image* opacity)
{
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    const Platform::GraphicsResult result = surface_->Lock(level, bits, pitch);
    renderSystem_->CheckResult("Texture2D_D3D7::CreateSurface", result);
    if (Platform::GraphicsFailed(result) || bits == nullptr) {
        return;
    }

    const Platform::PixelFormat& format = surface_->GetDescription().format;
    const ChannelPacking red(format.redMask);
    const ChannelPacking green(format.greenMask);
    const ChannelPacking blue(format.blueMask);
    const ChannelPacking alpha(format.alphaMask);
    const std::uint32_t texelBytes = format.bitCount / 8;

    const std::uint32_t diffuseBytes = diffuse.GetBitsPerPixel() / 8;
    const std::uint32_t opacityBytes = opacity != nullptr ? opacity->GetBitsPerPixel() / 8 : 0;
    const std::uint32_t width = std::min(surface_->GetLevelWidth(level), diffuse.GetWidth());
    const std::uint32_t height = std::min(surface_->GetLevelHeight(level), diffuse.GetHeight());
    const bool opacityFits =
        opacity != nullptr && opacity->GetWidth() >= width && opacity->GetHeight() >= height && opacityBytes != 0;

    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint8_t* diffuseRow =
            diffuse.GetData() + static_cast<std::size_t>(row) * diffuse.GetWidth() * diffuseBytes;
        const std::uint8_t* opacityRow =
            opacityFits ? opacity->GetData() + static_cast<std::size_t>(row) * opacity->GetWidth() * opacityBytes
                        : nullptr;
        std::uint8_t* texel = out + static_cast<std::size_t>(row) * pitch;
        for (std::uint32_t x = 0; x < width; ++x, texel += texelBytes) {
            const std::uint8_t* pixel = diffuseRow + static_cast<std::size_t>(x) * diffuseBytes;
            const std::uint8_t r = pixel[0];
            const std::uint8_t g = diffuseBytes >= 3 ? pixel[1] : pixel[0];
            const std::uint8_t b = diffuseBytes >= 3 ? pixel[2] : pixel[0];
            std::uint8_t a = diffuseBytes == 4 ? pixel[3] : 255;
            if (opacityRow != nullptr) {
                const std::uint8_t* mask = opacityRow + static_cast<std::size_t>(x) * opacityBytes;
                a = opacityBytes == 4 ? mask[3] : mask[0];
            }
            const std::uint32_t value = red.Pack(r) | green.Pack(g) | blue.Pack(b) | alpha.Pack(a);
            // Texels are little-endian whatever the host.
            for (std::uint32_t k = 0; k < texelBytes; ++k) {
                texel[k] = static_cast<std::uint8_t>(value >> (8 * k));
            }
        }
    }
    // A level's texels start unspecified: whatever the pictures do not cover is cleared.
    const std::uint32_t levelWidth = surface_->GetLevelWidth(level);
    const std::uint32_t levelHeight = surface_->GetLevelHeight(level);
    for (std::uint32_t row = 0; row < levelHeight; ++row) {
        const std::uint32_t from = row < height ? width : 0;
        if (from < levelWidth) {
            std::memset(out + static_cast<std::size_t>(row) * pitch + static_cast<std::size_t>(from) * texelBytes, 0,
                        static_cast<std::size_t>(levelWidth - from) * texelBytes);
        }
    }
    renderSystem_->CheckResult("Texture2D_D3D7::CreateSurface", surface_->Unlock(level));
}

} // namespace OrrelayEngine
