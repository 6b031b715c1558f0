#include "platform/TextureSurface.h"

#include <algorithm>
#include <cstring>

namespace Platform {

namespace {

std::uint64_t NextSerial()
{
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1);
}

} // namespace

TextureSurfaceBinding::~TextureSurfaceBinding() = default;

std::uint32_t TextureSurface::CountMipLevels(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t side = std::min(width, height);
    if (side == 0) {
        return 0;
    }
    std::uint32_t levels = 1;
    while (side > 1) {
        side /= 2;
        ++levels;
    }
    return levels;
}

GraphicsResult TextureSurface::Create(const TextureSurfaceDescription& description,
                                      std::unique_ptr<TextureSurface>& out)
{
    out.reset();
    const PixelFormat& format = description.format;
    if (description.width == 0 || description.height == 0 || description.width > kMaxSidePixels ||
        description.height > kMaxSidePixels) {
        return kGraphicsErrInvalidParams;
    }
    if (description.levelCount == 0 || description.levelCount > CountMipLevels(description.width, description.height)) {
        return kGraphicsErrInvalidParams;
    }
    if ((format.bitCount != 16 && format.bitCount != 32) || format.fourCharacterCode != 0) {
        return kGraphicsErrInvalidPixelFormat;
    }
    out.reset(new TextureSurface(description));
    return kGraphicsOk;
}

TextureSurface::TextureSurface(const TextureSurfaceDescription& description)
    : description_(description), serial_(NextSerial())
{
    levels_.resize(description.levelCount);
    for (std::uint32_t level = 0; level < description.levelCount; ++level) {
        const std::uint64_t bytes = static_cast<std::uint64_t>(GetLevelPitch(level)) * GetLevelHeight(level);
        levels_[level].reset(new std::uint8_t[static_cast<std::size_t>(bytes)]);
    }
}

TextureSurface::~TextureSurface() = default;

std::uint32_t TextureSurface::GetLevelWidth(std::uint32_t level) const
{
    return level >= 32 ? 1 : std::max<std::uint32_t>(description_.width >> level, 1);
}

std::uint32_t TextureSurface::GetLevelHeight(std::uint32_t level) const
{
    return level >= 32 ? 1 : std::max<std::uint32_t>(description_.height >> level, 1);
}

std::uint32_t TextureSurface::GetLevelPitch(std::uint32_t level) const
{
    return GetLevelWidth(level) * (description_.format.bitCount / 8);
}

GraphicsResult TextureSurface::Lock(std::uint32_t level, void*& bits, std::uint32_t& pitch)
{
    bits = nullptr;
    pitch = 0;
    if (level >= levels_.size()) {
        return kGraphicsErrInvalidParams;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    if (levelsReleased_) {
        return kGraphicsErrSurfaceLost;
    }
    const std::uint32_t bit = 1u << level;
    if ((lockedLevels_ & bit) != 0) {
        return kGraphicsErrSurfaceBusy;
    }
    lockedLevels_ |= bit;
    bits = levels_[level].get();
    pitch = GetLevelPitch(level);
    return kGraphicsOk;
}

GraphicsResult TextureSurface::Unlock(std::uint32_t level)
{
    if (level >= levels_.size()) {
        return kGraphicsErrInvalidParams;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    const std::uint32_t bit = 1u << level;
    if ((lockedLevels_ & bit) == 0) {
        return kGraphicsErrNotLocked;
    }
    lockedLevels_ &= ~bit;
    writtenLevels_ |= bit;
    ++revision_;
    return kGraphicsOk;
}

GraphicsResult TextureSurface::CopyLevelFrom(std::uint32_t level, const TextureSurface& source)
{
    if (&source == this || level >= levels_.size() || !(source.description_.format == description_.format) ||
        source.GetLevelWidth(0) != GetLevelWidth(level) || source.GetLevelHeight(0) != GetLevelHeight(level)) {
        return kGraphicsErrInvalidParams;
    }
    std::scoped_lock guard(mutex_, source.mutex_);
    if (levelsReleased_ || source.levelsReleased_) {
        return kGraphicsErrSurfaceLost;
    }
    const std::uint32_t bit = 1u << level;
    if ((lockedLevels_ & bit) != 0 || (source.lockedLevels_ & 1u) != 0) {
        return kGraphicsErrSurfaceBusy;
    }
    std::memcpy(levels_[level].get(), source.levels_[0].get(),
                static_cast<std::size_t>(GetLevelPitch(level)) * GetLevelHeight(level));
    writtenLevels_ |= bit;
    ++revision_;
    return kGraphicsOk;
}

std::unique_lock<std::mutex> TextureSurface::LockForUpload() const
{
    return std::unique_lock<std::mutex>(mutex_);
}

const std::uint8_t* TextureSurface::GetLevelBits(std::uint32_t level) const
{
    return level < levels_.size() ? levels_[level].get() : nullptr;
}

void TextureSurface::ReleaseLevelsAfterUpload()
{
    if (!releasedAfterUpload_ || lockedLevels_.load() != 0) {
        return;
    }
    for (std::unique_ptr<std::uint8_t[]>& bits : levels_) {
        bits.reset();
    }
    levelsReleased_ = true;
}

void TextureSurface::SetBinding(std::unique_ptr<TextureSurfaceBinding> binding)
{
    binding_ = std::move(binding);
}

} // namespace Platform
