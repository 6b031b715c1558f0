#include "engine/render/VertexBuffer.h"

#include <cstring>

namespace OrrelayEngine {

namespace {

std::uint16_t StrideOf(std::uint32_t colorFlag)
{
    return colorFlag != 0 ? VertexBuffer::kColoredStrideBytes : VertexBuffer::kPlainStrideBytes;
}

} // namespace

VertexBuffer::VertexBuffer(RenderSystem* renderSystem, std::uint32_t colorFlag, std::uint32_t vertexCount)
    : renderSystem_(renderSystem), colorFlag_(colorFlag), stride_(StrideOf(colorFlag)), vertexCount_(vertexCount),
      data_(static_cast<std::size_t>(stride_) * vertexCount, 0)
{}

VertexBuffer::VertexBuffer(RenderSystem* renderSystem, std::uint32_t colorFlag, const VertexBuffer& source)
    : VertexBuffer(renderSystem, colorFlag, source.vertexCount_)
{}

VertexBuffer::VertexBuffer(const VertexBuffer& other)
    : renderSystem_(other.renderSystem_), colorFlag_(other.colorFlag_), stride_(other.stride_),
      vertexCount_(other.vertexCount_), data_(other.data_.size(), 0)
{}

VertexBuffer::~VertexBuffer() = default;

void VertexBuffer::Unlock()
{
    locked_ = false;
}

void* VertexBuffer::Lock(std::uint32_t start, std::uint32_t count)
{
    if (static_cast<std::uint64_t>(start) + count > vertexCount_) {
        return nullptr;
    }
    locked_ = true;
    ++revision_;
    lockStart_ = start;
    lockCount_ = count;
    return data_.data() + static_cast<std::size_t>(stride_) * start;
}

ColoredVertex* VertexBuffer::LockColoredVertices(std::uint32_t start, std::uint32_t count)
{
    return static_cast<ColoredVertex*>(Lock(start, count));
}

PlainVertex* VertexBuffer::LockVertices(std::uint32_t start, std::uint32_t count)
{
    return static_cast<PlainVertex*>(Lock(start, count));
}

void VertexBuffer::SetAllVertexColors(const Color& color)
{
    if (colorFlag_ == 0) {
        return;
    }
    const std::uint32_t packed = PackColor(color.r, color.g, color.b, color.a);
    auto* bytes = static_cast<std::uint8_t*>(Lock(0, vertexCount_));
    if (bytes == nullptr) {
        return;
    }
    for (std::uint32_t index = 0; index < vertexCount_; ++index) {
        std::memcpy(bytes + static_cast<std::size_t>(index) * stride_ + kColorOffsetBytes, &packed, sizeof(packed));
    }
    Unlock();
}

Color VertexBuffer::GetVertexColor(std::uint32_t index) const
{
    if (colorFlag_ == 0 || index >= vertexCount_) {
        return Color(1.0f, 1.0f, 1.0f, 1.0f);
    }
    std::uint32_t packed = 0;
    std::memcpy(&packed, data_.data() + static_cast<std::size_t>(index) * stride_ + kColorOffsetBytes, sizeof(packed));
    return GetColor(packed);
}

} // namespace OrrelayEngine
