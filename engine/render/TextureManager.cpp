#include "engine/render/TextureManager.h"

#include <utility>

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kLargestPowerOfTwoSide = 65536;

} // namespace

TextureManager::TextureManager(MessageManager* log, FileManager* fileManager, Config* config,
                               TimerManager* /*timerManager*/, RenderSystem* renderSystem)
    : log_(log), fileManager_(fileManager), config_(config), renderSystem_(renderSystem)
{}

TextureManager::~TextureManager()
{
    // Taken out first, so that a texture unregistering itself from the render
    // system never does so under this manager's lock.
    std::map<std::string, Record> textures;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        textures.swap(textures_);
    }
}

std::string TextureManager::MakeTextureKey(bool mipMapped, const std::string& diffuseName,
                                           const std::string& opacityName)
{
    std::string key = "diffuse_" + ToLower(diffuseName);
    if (!opacityName.empty()) {
        key += "_plus_opacity_" + ToLower(opacityName);
    }
    if (mipMapped) {
        key += "_with_mip_mapping";
    }
    return key;
}

bool TextureManager::IsPowerOfTwo(std::uint32_t value)
{
    return value <= kLargestPowerOfTwoSide && (value & (value - 1)) == 0;
}

std::uint32_t TextureManager::FitTextureSide(std::uint32_t side, std::uint32_t maxSide)
{
    std::uint64_t power = 1;
    while (power < side) {
        power *= 2;
    }
    // The nearer power of two; a tie goes to the larger one.
    if (power - side > side - power / 2) {
        power /= 2;
    }
    if (power > maxSide) {
        power = maxSide;
    }
    // A side of 0 (or a device that reported no limit) must not leave an empty texture.
    return power == 0 ? 1 : static_cast<std::uint32_t>(power);
}

Texture2D* TextureManager::LoadTexture(bool mipMapped, const std::string& diffuseName, const std::string& opacityName)
{
    const std::string key = MakeTextureKey(mipMapped, diffuseName, opacityName);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = textures_.find(key);
        if (found != textures_.end()) {
            found->second.texture->AddReference();
            return found->second.texture.get();
        }
    }
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    LoadImages(diffuseName, opacityName, diffuse, opacity);
    return AddTexture(false, mipMapped, diffuseName, opacityName, std::move(diffuse), std::move(opacity));
}

Texture2D* TextureManager::AddTexture(bool keepImages, bool mipMapped, const std::string& diffuseName,
                                      const std::string& opacityName, std::unique_ptr<Image> diffuse,
                                      std::unique_ptr<Image> opacity)
{
    const std::string key = MakeTextureKey(mipMapped, diffuseName, opacityName);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = textures_.find(key);
        if (found != textures_.end()) {
            found->second.texture->AddReference();
            return found->second.texture.get();
        }
    }
    if (diffuse == nullptr || diffuse->IsEmpty()) {
        diffuse = std::make_unique<Image>();
        diffuse->MakeCheckerboard(log_);
    }
    if (opacity != nullptr && opacity->IsEmpty()) {
        opacity.reset();
    }

    FitImages(diffuseName, opacityName, *diffuse, opacity.get(), true);
    std::unique_ptr<Texture2D> texture = CreateDeviceTexture(key, *diffuse, opacity.get(), mipMapped);

    std::lock_guard<std::mutex> lock(mutex_);
    auto found = textures_.find(key);
    if (found != textures_.end()) {
        // Another thread made the same texture meanwhile: share that one. Ours
        // goes once the lock is released, having been declared before it.
        found->second.texture->AddReference();
        return found->second.texture.get();
    }
    Record& record = textures_[key];
    record.diffuseName = diffuseName;
    record.opacityName = opacityName;
    if (keepImages) {
        record.diffuse = std::move(diffuse);
        record.opacity = std::move(opacity);
    }
    record.texture = std::move(texture);
    return record.texture.get();
}

void TextureManager::LoadImages(const std::string& diffuseName, const std::string& opacityName,
                                std::unique_ptr<Image>& diffuse, std::unique_ptr<Image>& opacity)
{
    diffuse = std::make_unique<Image>();
    diffuse->Load(log_, fileManager_, diffuseName);
    if (diffuse->IsEmpty()) {
        diffuse->MakeCheckerboard(log_);
    }
    opacity.reset();
    if (opacityName.empty()) {
        return;
    }
    opacity = std::make_unique<Image>();
    if (opacityName != diffuseName) {
        opacity->Load(log_, fileManager_, opacityName);
    } else {
        opacity->CopyFrom(*diffuse);
    }
    if (opacity->IsEmpty()) {
        opacity.reset();
    }
}

void TextureManager::GetImages(const Texture2D* texture, TextureImages& images)
{
    images = TextureImages();
    if (texture == nullptr) {
        return;
    }
    std::string diffuseName;
    std::string opacityName;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = textures_.find(texture->GetKey());
        if (found == textures_.end() || found->second.texture.get() != texture) {
            return;
        }
        if (found->second.diffuse != nullptr) {
            images.diffuse = found->second.diffuse.get();
            images.opacity = found->second.opacity.get();
            return;
        }
        diffuseName = found->second.diffuseName;
        opacityName = found->second.opacityName;
    }
    LoadImages(diffuseName, opacityName, images.loadedDiffuse, images.loadedOpacity);
    // Reloaded pictures come at their file sizes; the surface must be rebuilt at
    // the sizes it was first made with, and the opacity picture read at the
    // diffuse size, or the surface would be filled past the opacity pixels.
    FitImages(diffuseName, opacityName, *images.loadedDiffuse, images.loadedOpacity.get(), false);
    images.diffuse = images.loadedDiffuse.get();
    images.opacity = images.loadedOpacity.get();
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (texture == nullptr) {
        return;
    }
    Record released;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = textures_.find(texture->GetKey());
        if (found == textures_.end() || found->second.texture.get() != texture) {
            log_->LogError("Texture Manager: Failed to release texture \"" + texture->GetKey() + "\"");
            return;
        }
        if (texture->RemoveReference() > 0) {
            return;
        }
        released = std::move(found->second);
        textures_.erase(found);
    }
    // released goes here, outside the lock.
}

std::uint32_t TextureManager::GetTextureCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::uint32_t>(textures_.size());
}

std::uint32_t TextureManager::GetUsedVideoMemory() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::uint32_t total = 0;
    for (const auto& entry : textures_) {
        total += entry.second.texture->GetMemorySize();
    }
    return total;
}

void TextureManager::GetTextureNames(std::vector<std::string>& names) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : textures_) {
        names.push_back(entry.first);
    }
}

void TextureManager::FitImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                               Image* opacity, bool logWarnings) const
{
    if (logWarnings && (!IsPowerOfTwo(diffuse.GetWidth()) || !IsPowerOfTwo(diffuse.GetHeight()))) {
        log_->LogWarning("Texture Manager: \"" + diffuseName + "\" image size should be power of two");
    }
    const std::uint32_t width = FitTextureSide(diffuse.GetWidth(), renderSystem_->GetMaxTextureWidth());
    const std::uint32_t height = FitTextureSide(diffuse.GetHeight(), renderSystem_->GetMaxTextureHeight());
    if (diffuse.GetWidth() != width || diffuse.GetHeight() != height) {
        diffuse.ResampleInPlace(width, height, Image::kFilterBilinear);
    }
    if (opacity != nullptr &&
        (opacity->GetWidth() != diffuse.GetWidth() || opacity->GetHeight() != diffuse.GetHeight())) {
        if (logWarnings) {
            log_->LogWarning("Texture Manager: \"" + opacityName + "\" image size should be the same as \"" +
                             diffuseName + "\"");
        }
        opacity->ResampleInPlace(diffuse.GetWidth(), diffuse.GetHeight(), Image::kFilterBilinear);
    }
}

std::unique_ptr<Texture2D> TextureManager::CreateDeviceTexture(const std::string& key, const Image& diffuse,
                                                               const Image* opacity, bool mipMapped)
{
    return renderSystem_->CreateTexture(this, key, diffuse, opacity, mipMapped);
}

} // namespace OrrelayEngine
