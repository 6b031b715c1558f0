// Per-frame rendering work through the null driver: once warm, a frame takes
// no memory.
#include <gtest/gtest.h>

#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystemTestSupport.h"
#include "engine/render/VertexBuffer.h"
#include "support/AllocationCounter.h"

using namespace OrrelayEngine;
using RenderTest::NullRenderSystem;

TEST(RenderSystemFrame, SteadyFramesAllocateNothing)
{
    NullRenderSystem fixture;
    RenderSystem& rs = fixture.Start();
    rs.Refresh();
    auto plain = rs.CreateVertexBuffer(0, 4);
    auto colored = rs.CreateVertexBuffer(1, 4);
    auto indices = rs.CreateIndexBuffer(6);
    const std::uint32_t triangles[] = {0, 1, 2, 0, 2, 3};
    indices->SetIndices(0, 6, triangles);
    RenderTest::CountingTexture texture;

    const auto frame = [&](int number) {
        const float shade = static_cast<float>(number % 2);
        rs.SetClearColor(Color(shade, 0.0f, 1.0f, 1.0f));
        rs.BeginScene();
        rs.SetAmbientColor(Color(0.5f, shade, 0.5f, 1.0f));
        rs.SetAlphaBlend(number % 2 == 0);
        rs.SetZWrite(number % 2 != 0);
        rs.SetTexture(0, number % 2 == 0 ? &texture : nullptr);
        rs.SetTextureMatrix(0, 1.0f, 1.0f, shade, 0.0f);
        rs.DrawIndexedPrimitive(false, indices.get(), plain.get(), 2);
        rs.DrawIndexedPrimitive(true, indices.get(), colored.get(), 2);
        rs.EndScene();
        rs.SwapBuffers();
    };
    for (int number = 0; number < 3; ++number) {
        frame(number);
    }
    TestSupport::ScopedAllocationCount allocations;
    for (int number = 0; number < 50; ++number) {
        frame(number);
    }
    EXPECT_EQ(allocations.Count(), 0u);
}
