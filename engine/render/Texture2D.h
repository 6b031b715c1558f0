// One diffuse picture, optionally with an opacity picture supplying its alpha,
// as the texture manager shares it: its key, reference count, size and the
// video memory it takes. The base has no device surface; Texture2D_D3D7 makes
// and restores one. Textures are made and released only by TextureManager.
#pragma once

#include <cstdint>
#include <string>

#include "engine/render/DeviceTexture.h"

namespace OrrelayEngine {

class Config;
class Image;
class MessageManager;
class TextureManager;
struct ConfigValues;

class Texture2D : public DeviceTexture
{
public:
    // mipMapped is what the caller asks for; it holds only while r_use_mip_mapping is on.
    Texture2D(MessageManager* log, Config* config, TextureManager* manager, const std::string& key, bool mipMapped);
    ~Texture2D() override;

    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    // Without a device there is no surface to give or rebuild.
    Platform::TextureSurface* GetSurface() override { return nullptr; }
    void ReleaseSurface() override {}
    void Restore() override {}
    const std::string& GetName() const override { return key_; }

    const std::string& GetKey() const { return key_; }
    TextureManager* GetManager() const { return manager_; }
    std::int32_t GetReferences() const { return references_; }
    void AddReference() { ++references_; }
    // Answers the count left.
    std::int32_t RemoveReference() { return --references_; }
    std::uint32_t GetMemorySize() const { return memorySize_; }
    bool IsMipMapped() const { return mipMapped_; }
    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }

    // The next mip level of source, width x height, each pixel the rounded mean
    // of a 2 x 2 block; a source one pixel wide (or high) pairs each pixel with
    // itself. With alphaOnly the destination is 8-bit and only the alpha (byte 3
    // of a 32-bit source, else byte 0) is averaged.
    static void MakeMipLevel(const Image& source, Image& destination, std::uint32_t width, std::uint32_t height,
                             bool alphaOnly);

protected:
    MessageManager* log_;
    Config* config_;
    TextureManager* manager_;
    const ConfigValues* settings_;
    std::string key_;
    std::int32_t references_ = 1;
    std::uint32_t memorySize_ = 0;
    bool mipMapped_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
};

} // namespace OrrelayEngine
