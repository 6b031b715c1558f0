// A GL device on a hidden offscreen window for tests that read pixels back,
// with the orthographic camera the GUI uses: x from 0 at the left edge, y from
// 0 at the bottom edge, z from +500 (nearest) to -500 (farthest).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"

namespace GraphicsTest {

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

struct Pixel
{
    int r, g, b, a;
};

// True when every channel is within tolerance steps (GL and the device form round differently).
inline ::testing::AssertionResult PixelNear(const Pixel& actual, const Pixel& expected, int tolerance = 1)
{
    auto off = [tolerance](int a, int b) { return a - b > tolerance || b - a > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b) ||
        (expected.a >= 0 && off(actual.a, expected.a))) {
        return ::testing::AssertionFailure()
               << "pixel (" << actual.r << ", " << actual.g << ", " << actual.b << ", " << actual.a << ") expected ("
               << expected.r << ", " << expected.g << ", " << expected.b << ", " << expected.a << ")";
    }
    return ::testing::AssertionSuccess();
}

inline void OrthographicProjection(float width, float height, float out[16])
{
    const float nearZ = 500.0f;
    const float farZ = -500.0f;
    for (int i = 0; i < 16; ++i) {
        out[i] = 0.0f;
    }
    out[0] = 2.0f / width;
    out[5] = 2.0f / height;
    out[10] = 1.0f / (nearZ - farZ);
    out[12] = -1.0f;
    out[13] = -1.0f;
    out[14] = nearZ / (nearZ - farZ);
    out[15] = 1.0f;
}

// The view the engine sends for an identity camera: z turned to look down -z.
inline void GuiView(float out[16])
{
    for (int i = 0; i < 16; ++i) {
        out[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
    out[10] = -1.0f;
}

class Scene
{
public:
    static constexpr std::uint32_t kWidth = 64;
    static constexpr std::uint32_t kHeight = 64;

    // Returns false (and the test should skip) when no GL context can be had.
    bool Open(bool withZBuffer = true)
    {
        TestSupport::PinGraphicsLibraries();
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(kWidth, kHeight, driver))) {
            return false;
        }
        const auto adapters = driver->EnumerateAdapters();
        EXPECT_EQ(Platform::kGraphicsOk, driver->OpenAdapter(0));
        EXPECT_EQ(Platform::kGraphicsOk, driver->CreateScreenBuffers(kWidth, kHeight, false));
        const auto deviceIndex = static_cast<std::uint32_t>(adapters[0].devices.size() - 1);
        EXPECT_EQ(Platform::kGraphicsOk, driver->CreateDevice(deviceIndex, device));
        if (withZBuffer) {
            EXPECT_EQ(Platform::kGraphicsOk, device->CreateZBuffer(Platform::ZBufferFormat{32, 8}));
        }
        EXPECT_EQ(Platform::kGraphicsOk, device->SetRenderTarget());
        Platform::Viewport viewport;
        viewport.width = kWidth;
        viewport.height = kHeight;
        EXPECT_EQ(Platform::kGraphicsOk, device->SetViewport(viewport));
        float matrix[16];
        OrthographicProjection(static_cast<float>(kWidth), static_cast<float>(kHeight), matrix);
        device->SetTransform(Platform::TransformState::Projection, matrix);
        GuiView(matrix);
        device->SetTransform(Platform::TransformState::View, matrix);
        device->SetRenderState(Platform::RenderState::Lighting, 0);
        device->SetRenderState(Platform::RenderState::CullMode, Platform::kCullNone);
        return true;
    }

    ~Scene()
    {
        device.reset();
        driver.reset();
    }

    void Clear(std::uint32_t color)
    {
        device->Clear(Platform::kClearTarget | Platform::kClearZBuffer | Platform::kClearStencil, color, 1.0f, 0);
    }

    // A rectangle in pixels (y up), two triangles wound clockwise on the screen.
    void DrawQuad(float x0, float y0, float x1, float y1, float z, std::uint32_t color, bool withColor = true,
                  float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f)
    {
        // Top-left, top-right, bottom-right, bottom-left as seen on the screen.
        const float xs[4] = {x0, x1, x1, x0};
        const float ys[4] = {y1, y1, y0, y0};
        const float us[4] = {u0, u1, u1, u0};
        const float vs[4] = {v0, v0, v1, v1};
        const std::uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
        if (withColor) {
            std::array<ColoredVertex, 4> vertices{};
            for (int i = 0; i < 4; ++i) {
                vertices[i] = ColoredVertex{xs[i], ys[i], z, 0.0f, 0.0f, 1.0f, color, us[i], vs[i]};
            }
            device->DrawIndexedPrimitive(Platform::PrimitiveType::TriangleList,
                                         Platform::kVertexPosition | Platform::kVertexNormal |
                                             Platform::kVertexDiffuse | Platform::kVertexTexture1,
                                         vertices.data(), 4, indices, 2, 6);
        } else {
            std::array<PlainVertex, 4> vertices{};
            for (int i = 0; i < 4; ++i) {
                vertices[i] = PlainVertex{xs[i], ys[i], z, 0.0f, 0.0f, 1.0f, us[i], vs[i]};
            }
            device->DrawIndexedPrimitive(Platform::PrimitiveType::TriangleList,
                                         Platform::kVertexPosition | Platform::kVertexNormal |
                                             Platform::kVertexTexture1,
                                         vertices.data(), 4, indices, 2, 6);
        }
    }

    // x from the left, y from the bottom, like the camera.
    Pixel ReadPixel(std::uint32_t x, std::uint32_t y)
    {
        std::uint8_t bgra[4] = {};
        EXPECT_EQ(Platform::kGraphicsOk, driver->ReadBackBuffer(x, kHeight - 1 - y, 1, 1, bgra));
        return Pixel{bgra[2], bgra[1], bgra[0], bgra[3]};
    }

    // First in, last out: the GL driver compiles and caches on this thread
    // whenever a new state combination is drawn, and keeps what it caches.
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<Platform::GraphicsDriverGL> driver;
    std::unique_ptr<Platform::GraphicsDevice> device;
};

} // namespace GraphicsTest
