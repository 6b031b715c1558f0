#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystemTestSupport.h"
#include "engine/render/VertexBuffer.h"

using namespace OrrelayEngine;
using RenderTest::NullRenderSystem;

TEST(VertexBuffer, PackColorClampsAndRounds)
{
    NullRenderSystem fixture;
    auto buffer = fixture.Start().CreateVertexBuffer(1, 1);
    const struct
    {
        float value;
        std::uint32_t byte;
    } cases[] = {{0.5f, 128},
                 {1.0f, 255},
                 {1.5f, 255},
                 {0.0f, 0},
                 {-0.25f, 0},
                 {0.25f, 64},
                 {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.byte << 16, buffer->PackColor(c.value, 0.0f, 0.0f, 0.0f)) << "red " << c.value;
        EXPECT_EQ(c.byte << 24, buffer->PackColor(0.0f, 0.0f, 0.0f, c.value)) << "alpha " << c.value;
        EXPECT_EQ(c.byte, buffer->PackColor(0.0f, 0.0f, c.value, 0.0f)) << "blue " << c.value;
    }
    const Color unpacked = buffer->GetColor(0x80FF4000u);
    EXPECT_NEAR(0.502f, unpacked.a, 0.001f);
    EXPECT_FLOAT_EQ(1.0f, unpacked.r);
    EXPECT_NEAR(0.251f, unpacked.g, 0.001f);
    EXPECT_FLOAT_EQ(0.0f, unpacked.b);
}

TEST(VertexBuffer, NewColouredBufferIsWhiteAndTakesOneColour)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    auto colored = rs.CreateVertexBuffer(1, 3);
    EXPECT_EQ(36u, colored->GetStride());
    EXPECT_EQ(0xFFFFFFFFu, colored->LockColoredVertices(0, 3)[2].color);
    colored->Unlock();
    colored->SetAllVertexColors(Color(0.0f, 1.0f, 0.0f, 0.5f));
    EXPECT_EQ(0x8000FF00u, colored->LockColoredVertices(0, 3)[1].color);
    colored->Unlock();
    EXPECT_FALSE(colored->IsLocked());
    const Color color = colored->GetVertexColor(2);
    EXPECT_FLOAT_EQ(1.0f, color.g);
    EXPECT_NEAR(0.502f, color.a, 0.001f);

    auto plain = rs.CreateVertexBuffer(0, 3);
    EXPECT_EQ(32u, plain->GetStride());
    plain->SetAllVertexColors(Color(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(1.0f, plain->GetVertexColor(0).r) << "a buffer without colour reads white";
    EXPECT_FLOAT_EQ(1.0f, colored->GetVertexColor(3).r) << "past the end reads white";
}

TEST(VertexBuffer, LockStaysInsideTheBuffer)
{
    NullRenderSystem fixture;
    auto buffer = fixture.Start().CreateVertexBuffer(0, 4);
    EXPECT_NE(nullptr, buffer->Lock(0, 4));
    EXPECT_EQ(buffer->GetData() + 3 * 32, buffer->Lock(3, 1));
    EXPECT_EQ(3u, buffer->GetLockStart());
    EXPECT_EQ(nullptr, buffer->Lock(3, 2));
    EXPECT_EQ(nullptr, buffer->Lock(5, 0));
    EXPECT_EQ(nullptr, buffer->Lock(1, 0xFFFFFFFFu));
}

TEST(VertexBuffer, ConversionKeepsPositionNormalAndTexture)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    auto plain = rs.CreateVertexBuffer(0, 2);
    PlainVertex* source = plain->LockVertices(0, 2);
    source[1] = PlainVertex{1, 2, 3, 4, 5, 6, 7, 8};
    plain->Unlock();
    auto colored = rs.CreateVertexBufferFrom(1, *plain);
    const ColoredVertex& converted = colored->LockColoredVertices(0, 2)[1];
    EXPECT_FLOAT_EQ(3.0f, converted.z);
    EXPECT_FLOAT_EQ(6.0f, converted.nz);
    EXPECT_EQ(0xFFFFFFFFu, converted.color);
    EXPECT_FLOAT_EQ(7.0f, converted.u);
    EXPECT_FLOAT_EQ(8.0f, converted.v);
    colored->Unlock();
    auto back = rs.CreateVertexBufferFrom(0, *colored);
    EXPECT_FLOAT_EQ(8.0f, back->LockVertices(1, 1)->v);
    auto clone = rs.CloneVertexBuffer(*colored);
    EXPECT_EQ(0, std::memcmp(clone->GetData(), colored->GetData(), 2 * 36));
}

TEST(IndexBuffer, WidthFollowsTheCapacity)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    EXPECT_EQ(2u, rs.CreateIndexBuffer(65535)->GetIndexSize());
    EXPECT_EQ(4u, rs.CreateIndexBuffer(65536)->GetIndexSize());
    auto narrow = rs.CreateIndexBuffer(2);
    const std::uint32_t values[] = {0x12345u, 7u};
    narrow->SetIndices(0, 2, values);
    EXPECT_EQ(0x2345u, narrow->GetIndex(0)) << "16-bit storage keeps the low bits";
    auto wide = rs.CreateIndexBuffer(65536);
    wide->SetIndices(65534, 2, values);
    EXPECT_EQ(0x12345u, wide->GetIndex(65534));
}

TEST(IndexBuffer, RangeCoversTheUsedIndices)
{
    NullRenderSystem fixture;
    auto buffer = fixture.Start().CreateIndexBuffer(6);
    const std::uint32_t values[] = {9, 4, 7, 2, 30, 1};
    buffer->SetIndices(0, 6, values);
    EXPECT_EQ(1u, buffer->GetLowestIndex());
    EXPECT_EQ(30u, buffer->GetVertexSpan());
    buffer->SetUsedCount(3);
    EXPECT_EQ(4u, buffer->GetLowestIndex());
    EXPECT_EQ(6u, buffer->GetVertexSpan());
    buffer->SetUsedCount(0);
    EXPECT_EQ(0u, buffer->GetLowestIndex());
    EXPECT_EQ(0u, buffer->GetVertexSpan());
    buffer->SetUsedCount(100);
    EXPECT_EQ(6u, buffer->GetUsedCount()) << "capped at the capacity";
    auto* locked = static_cast<std::uint16_t*>(buffer->Lock(5, 1));
    *locked = 40;
    buffer->Unlock();
    EXPECT_EQ(39u, buffer->GetVertexSpan()) << "a lock marks the range for recomputing";
}

TEST(IndexBuffer, WritesStayInsideTheBuffer)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    auto buffer = rs.CreateIndexBuffer(4);
    const std::uint32_t values[] = {1, 2, 3, 4, 5, 6};
    buffer->SetIndices(2, 6, values);
    EXPECT_EQ(1u, buffer->GetIndex(2));
    EXPECT_EQ(2u, buffer->GetIndex(3));
    buffer->SetIndices(4, 1, values);
    buffer->SetIndices(0xFFFFFFFFu, 2, values);
    EXPECT_EQ(nullptr, buffer->Lock(2, 3));
    EXPECT_EQ(nullptr, buffer->Lock(0xFFFFFFFFu, 2));
    auto copy = rs.CloneIndexBuffer(*buffer);
    EXPECT_EQ(2u, copy->GetIndex(3));
    EXPECT_EQ(4u, copy->GetCapacity());
}
