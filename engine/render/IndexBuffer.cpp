#include "engine/render/IndexBuffer.h"

#include <algorithm>
#include <cstring>

namespace OrrelayEngine {

IndexBuffer::IndexBuffer(RenderSystem* renderSystem, std::uint32_t capacity)
    : renderSystem_(renderSystem), is32Bit_(capacity >= kFirst32BitCapacity), indexSize_(is32Bit_ ? 4 : 2),
      capacity_(capacity), usedCount_(capacity), data_(static_cast<std::size_t>(capacity) * indexSize_, 0)
{}

IndexBuffer::IndexBuffer(const IndexBuffer& other)
    : renderSystem_(other.renderSystem_), is32Bit_(other.is32Bit_), indexSize_(other.indexSize_),
      capacity_(other.capacity_), usedCount_(other.usedCount_), data_(other.data_)
{}

IndexBuffer::~IndexBuffer() = default;

void* IndexBuffer::Lock(std::uint32_t start, std::uint32_t count)
{
    if (static_cast<std::uint64_t>(start) + count > capacity_) {
        return nullptr;
    }
    locked_ = true;
    lockStart_ = start;
    lockCount_ = count;
    dirty_ = true;
    return data_.data() + static_cast<std::size_t>(start) * indexSize_;
}

void IndexBuffer::Unlock()
{
    locked_ = false;
}

void IndexBuffer::SetIndices(std::uint32_t start, std::uint32_t count, const std::uint32_t* indices)
{
    if (indices == nullptr || start >= capacity_) {
        return;
    }
    count = std::min(count, capacity_ - start);
    auto* bytes = static_cast<std::uint8_t*>(Lock(start, count));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (is32Bit_) {
            std::memcpy(bytes + static_cast<std::size_t>(i) * 4, &indices[i], 4);
        } else {
            const auto low = static_cast<std::uint16_t>(indices[i]);
            std::memcpy(bytes + static_cast<std::size_t>(i) * 2, &low, 2);
        }
    }
    Unlock();
}

void IndexBuffer::SetUsedCount(std::uint32_t count)
{
    usedCount_ = std::min(count, capacity_);
    dirty_ = true;
}

std::uint32_t IndexBuffer::GetIndex(std::uint32_t position) const
{
    if (position >= capacity_) {
        return 0;
    }
    if (is32Bit_) {
        std::uint32_t value = 0;
        std::memcpy(&value, data_.data() + static_cast<std::size_t>(position) * 4, 4);
        return value;
    }
    std::uint16_t value = 0;
    std::memcpy(&value, data_.data() + static_cast<std::size_t>(position) * 2, 2);
    return value;
}

std::uint32_t IndexBuffer::GetLowestIndex()
{
    UpdateRange();
    return lowestIndex_;
}

std::uint32_t IndexBuffer::GetVertexSpan()
{
    UpdateRange();
    return vertexSpan_;
}

void IndexBuffer::UpdateRange()
{
    if (!dirty_) {
        return;
    }
    dirty_ = false;
    if (usedCount_ == 0) {
        lowestIndex_ = 0;
        vertexSpan_ = 0;
        return;
    }
    std::uint32_t lowest = GetIndex(0);
    std::uint32_t highest = lowest;
    for (std::uint32_t position = 1; position < usedCount_; ++position) {
        const std::uint32_t index = GetIndex(position);
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    lowestIndex_ = lowest;
    vertexSpan_ = highest - lowest + 1;
}

} // namespace OrrelayEngine
