// A texture surface: the texels of every mip level in CPU memory, with lock
// and unlock per level. Surfaces are created, locked and filled on any thread;
// the drawing device uploads a surface on its own thread the first time it is
// used after an unlock, so nothing here touches the graphics library. A
// surface whose owner can rebuild it lets the device free its texels once
// uploaded, so they are not held twice; it is then lost to locks.
//
// Level k is the level above halved, never below 1 per side. A mip chain ends
// when the smaller side reaches 1 (a 256 x 64 texture has 7 levels).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/GraphicsResult.h"
#include "platform/GraphicsTypes.h"

namespace Platform {

struct TextureSurfaceDescription
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t levelCount = 1;
    PixelFormat format;
};

// What a device keeps with a surface it has uploaded (its texture name and the
// filtering it last applied). Owned by the surface; released on the device's thread
// or handed back to the device for release there.
class TextureSurfaceBinding
{
public:
    virtual ~TextureSurfaceBinding();
};

class TextureSurface
{
public:
    // Sides above this are refused, so that a bad size cannot ask for gigabytes.
    static constexpr std::uint32_t kMaxSidePixels = 16384;

    static std::uint32_t CountMipLevels(std::uint32_t width, std::uint32_t height);

    // Fails with kGraphicsErrInvalidParams for a zero or oversized side, a level
    // count beyond the chain, or a format that is not 16 or 32 bits per texel.
    static GraphicsResult Create(const TextureSurfaceDescription& description, std::unique_ptr<TextureSurface>& out);

    ~TextureSurface();
    TextureSurface(const TextureSurface&) = delete;
    TextureSurface& operator=(const TextureSurface&) = delete;

    const TextureSurfaceDescription& GetDescription() const { return description_; }
    std::uint32_t GetLevelWidth(std::uint32_t level) const;
    std::uint32_t GetLevelHeight(std::uint32_t level) const;
    std::uint32_t GetLevelPitch(std::uint32_t level) const;

    // A level's texels are unspecified until first written: whoever locks a new
    // level writes all of it. A level locked twice answers kGraphicsErrSurfaceBusy;
    // unlocking a level that is not locked answers kGraphicsErrNotLocked. Once the
    // texels are released, a lock answers kGraphicsErrSurfaceLost.
    GraphicsResult Lock(std::uint32_t level, void*& bits, std::uint32_t& pitch);
    GraphicsResult Unlock(std::uint32_t level);

    // Copies a one-level surface of the same size and format onto a level;
    // kGraphicsErrSurfaceLost when either surface's texels were released.
    GraphicsResult CopyLevelFrom(std::uint32_t level, const TextureSurface& source);

    // For the owner, which can fill a new surface when this one is lost: the
    // device may release the texels once it holds its own copy of them.
    void SetReleasedAfterUpload(bool released) { releasedAfterUpload_ = released; }
    bool IsReleasedAfterUpload() const { return releasedAfterUpload_; }

    // For the drawing device: hold the returned lock while reading the levels.
    std::unique_lock<std::mutex> LockForUpload() const;
    bool IsAnyLevelLocked() const { return lockedLevels_.load() != 0; }
    // Grows at every unlock, so a device knows whether its copy is current.
    std::uint64_t GetRevision() const { return revision_.load(); }
    // Null once the texels are released.
    const std::uint8_t* GetLevelBits(std::uint32_t level) const;
    // Whether a level was ever unlocked or copied onto; a device uploads zeros
    // for one that was not, so a forgotten level never shows stale memory.
    bool IsLevelWritten(std::uint32_t level) const { return level < 32 && (writtenLevels_ & (1u << level)) != 0; }
    // For the device, holding the upload lock, after it uploaded the current
    // revision: frees the texels where the owner allowed it.
    void ReleaseLevelsAfterUpload();
    bool AreLevelsReleased() const { return levelsReleased_; }

    // Unique among all surfaces of the process, even one made where another was freed.
    std::uint64_t GetSerial() const { return serial_; }

    TextureSurfaceBinding* GetBinding() const { return binding_.get(); }
    void SetBinding(std::unique_ptr<TextureSurfaceBinding> binding);

private:
    explicit TextureSurface(const TextureSurfaceDescription& description);

    TextureSurfaceDescription description_;
    std::uint64_t serial_;
    // Not value-initialised: every byte is written before it is read.
    std::vector<std::unique_ptr<std::uint8_t[]>> levels_;
    std::uint32_t writtenLevels_ = 0;
    bool releasedAfterUpload_ = false;
    bool levelsReleased_ = false;
    std::atomic<std::uint32_t> lockedLevels_{0};
    std::atomic<std::uint64_t> revision_{1};
    mutable std::mutex mutex_;
    std::unique_ptr<TextureSurfaceBinding> binding_;
};

} // namespace Platform
