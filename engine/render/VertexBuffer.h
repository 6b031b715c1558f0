// Vertices of a model, sprite group, particle system or GUI quad, kept in
// system memory and handed to the device when drawn. Two packed layouts:
//   coloured, 36 bytes: position x, y, z; normal x, y, z; colour (A, R, G, B
//                       from the high byte down); texture u, v
//   plain, 32 bytes:    position x, y, z; normal x, y, z; texture u, v
// Locking never reaches outside the buffer: a range that does not fit gives null.
// Every write goes through a lock, so the lock count tells readers that keep
// something derived from the vertices (a model's box) when to derive it again.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/Color.h"

namespace OrrelayEngine {

class RenderSystem;

struct ColoredVertex
{
    float x, y, z;
    float nx, ny, nz;
    std::uint32_t color;
    float u, v;
};

struct PlainVertex
{
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

class VertexBuffer
{
public:
    static constexpr std::uint16_t kColoredStrideBytes = 36;
    static constexpr std::uint16_t kPlainStrideBytes = 32;

    VertexBuffer(RenderSystem* renderSystem, std::uint32_t colorFlag, std::uint32_t vertexCount);
    // Same render system, the given layout, the source's vertex count.
    VertexBuffer(RenderSystem* renderSystem, std::uint32_t colorFlag, const VertexBuffer& source);
    VertexBuffer(const VertexBuffer& other);
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    virtual ~VertexBuffer();

    virtual void Unlock();
    virtual Color GetColor(std::uint32_t packed) const = 0;
    virtual std::uint32_t PackColor(float red, float green, float blue, float alpha) const = 0;
    // The address of vertex start, or null when start + count passes the end.
    virtual void* Lock(std::uint32_t start, std::uint32_t count);

    ColoredVertex* LockColoredVertices(std::uint32_t start, std::uint32_t count);
    PlainVertex* LockVertices(std::uint32_t start, std::uint32_t count);

    // Only for a coloured buffer.
    void SetAllVertexColors(const Color& color);
    // White for a buffer without colour or an index past the end.
    Color GetVertexColor(std::uint32_t index) const;

    RenderSystem* GetRenderSystem() const { return renderSystem_; }
    bool HasColor() const { return colorFlag_ != 0; }
    std::uint32_t GetColorFlag() const { return colorFlag_; }
    std::uint16_t GetStride() const { return stride_; }
    std::uint32_t GetVertexCount() const { return vertexCount_; }
    const std::uint8_t* GetData() const { return data_.data(); }
    std::uint8_t* GetData() { return data_.data(); }
    bool IsLocked() const { return locked_; }
    // Grows with every lock; equal counts mean the vertices are unchanged.
    std::uint32_t GetRevision() const { return revision_; }
    std::uint32_t GetLockStart() const { return lockStart_; }
    std::uint32_t GetLockCount() const { return lockCount_; }

protected:
    static constexpr std::size_t kColorOffsetBytes = 24;

private:
    RenderSystem* renderSystem_;
    std::uint32_t colorFlag_;
    std::uint16_t stride_;
    std::uint32_t vertexCount_;
    std::vector<std::uint8_t> data_;
    bool locked_ = false;
    std::uint32_t revision_ = 0;
    std::uint32_t lockStart_ = 0;
    std::uint32_t lockCount_ = 0;
};

} // namespace OrrelayEngine
