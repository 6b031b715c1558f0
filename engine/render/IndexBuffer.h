// Triangle indices in system memory: 16 bits each below 65536 indices, 32
// bits from there on. The draw call needs the lowest index used and the span
// up to the highest; both are recomputed lazily after the indices or the used
// count change. Nothing here reaches outside the buffer: a lock range that
// does not fit gives null, SetIndices copies only what fits and the used count
// is capped at the capacity.
#pragma once

#include <cstdint>
#include <vector>

namespace OrrelayEngine {

class RenderSystem;

class IndexBuffer
{
public:
    static constexpr std::uint32_t kFirst32BitCapacity = 65536;

    IndexBuffer(RenderSystem* renderSystem, std::uint32_t capacity);
    IndexBuffer(const IndexBuffer& other);
    IndexBuffer& operator=(const IndexBuffer&) = delete;
    virtual ~IndexBuffer();

    // The address of index start, or null when start + count passes the end.
    virtual void* Lock(std::uint32_t start, std::uint32_t count);
    virtual void Unlock();

    // Stores each 32-bit index as 16 or 32 bits (16-bit storage keeps the low bits).
    void SetIndices(std::uint32_t start, std::uint32_t count, const std::uint32_t* indices);
    void SetUsedCount(std::uint32_t count);
    std::uint32_t GetIndex(std::uint32_t position) const;

    // Over the first used-count indices; 0 and 0 when none is used.
    std::uint32_t GetLowestIndex();
    std::uint32_t GetVertexSpan();

    RenderSystem* GetRenderSystem() const { return renderSystem_; }
    bool Is32Bit() const { return is32Bit_; }
    std::uint32_t GetIndexSize() const { return indexSize_; }
    std::uint32_t GetCapacity() const { return capacity_; }
    std::uint32_t GetUsedCount() const { return usedCount_; }
    const std::uint8_t* GetData() const { return data_.data(); }
    std::uint8_t* GetData() { return data_.data(); }
    bool IsLocked() const { return locked_; }
    bool IsDirty() const { return dirty_; }

private:
    void UpdateRange();

    RenderSystem* renderSystem_;
    bool is32Bit_;
    std::uint32_t indexSize_;
    std::uint32_t capacity_;
    std::uint32_t usedCount_;
    std::vector<std::uint8_t> data_;
    bool locked_ = false;
    std::uint32_t lockStart_ = 0;
    std::uint32_t lockCount_ = 0;
    bool dirty_ = true;
    std::uint32_t lowestIndex_ = 0;
    std::uint32_t vertexSpan_ = 0;
};

} // namespace OrrelayEngine
