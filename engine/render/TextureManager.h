// Loads the pictures of textures, fits their sizes to what the device takes,
// has the render system make the device texture, and shares textures by a key
// built from the file names and the mip flag, counting references. Owned by
// the shader manager. Also answers the debug statistics (count, memory, names).
//
// Textures may be loaded on the loading thread while the drawing thread
// restores or releases others, so the table is guarded by a mutex.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/render/Image.h"

namespace OrrelayEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class Texture2D;
class TimerManager;

class TextureManager
{
public:
    // The pictures of a texture, for rebuilding its surface: either the ones the
    // manager keeps, or ones loaded afresh (and owned here).
    struct TextureImages
    {
        const Image* diffuse = nullptr;
        const Image* opacity = nullptr;
        std::unique_ptr<Image> loadedDiffuse;
        std::unique_ptr<Image> loadedOpacity;
    };

    // The timer manager is taken for the creator's sake; textures do not animate.
    TextureManager(MessageManager* log, FileManager* fileManager, Config* config, TimerManager* timerManager,
                   RenderSystem* renderSystem);
    virtual ~TextureManager();

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    static std::string MakeTextureKey(bool mipMapped, const std::string& diffuseName, const std::string& opacityName);
    // True for 0 and for the powers of two up to 65536.
    static bool IsPowerOfTwo(std::uint32_t value);
    // The power of two nearest to side (a tie goes up), at most maxSide and at least 1.
    static std::uint32_t FitTextureSide(std::uint32_t side, std::uint32_t maxSide);

    // The shared texture of the names; each call holds one reference.
    Texture2D* LoadTexture(bool mipMapped, const std::string& diffuseName, const std::string& opacityName);
    // Makes a texture of pictures already in memory (opacity may be null). With
    // keepImages the manager keeps the fitted pictures for later restores;
    // otherwise they go once the texture is made.
    Texture2D* AddTexture(bool keepImages, bool mipMapped, const std::string& diffuseName,
                          const std::string& opacityName, std::unique_ptr<Image> diffuse,
                          std::unique_ptr<Image> opacity);
    // An unreadable diffuse picture becomes the checkerboard placeholder; an
    // unreadable or unnamed opacity picture is null.
    void LoadImages(const std::string& diffuseName, const std::string& opacityName, std::unique_ptr<Image>& diffuse,
                    std::unique_ptr<Image>& opacity);
    // The pictures of a texture sized as when it was first made.
    void GetImages(const Texture2D* texture, TextureImages& images);
    // Drops one reference; the last one deletes the texture. Null does nothing.
    void ReleaseTexture(Texture2D* texture);

    std::uint32_t GetTextureCount() const;
    std::uint32_t GetUsedVideoMemory() const;
    // Appends every key, in the manager's order.
    void GetTextureNames(std::vector<std::string>& names) const;

private:
    struct Record
    {
        std::string diffuseName;
        std::string opacityName;
        std::unique_ptr<Image> diffuse;
        std::unique_ptr<Image> opacity;
        std::unique_ptr<Texture2D> texture;
    };

    // Brings the pictures to the sizes the texture is made with: the diffuse
    // one to powers of two the device takes, the opacity one to the diffuse size.
    void FitImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse, Image* opacity,
                   bool logWarnings) const;
    std::unique_ptr<Texture2D> CreateDeviceTexture(const std::string& key, const Image& diffuse, const Image* opacity,
                                                   bool mipMapped);

    MessageManager* log_;
    FileManager* fileManager_;
    // Kept for the constructor's callers; textures take the render system's configuration.
    [[maybe_unused]] Config* config_;
    RenderSystem* renderSystem_;
    mutable std::mutex mutex_;
    std::map<std::string, Record> textures_;
};

} // namespace OrrelayEngine
