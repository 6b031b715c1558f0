// The same calls sent to the null device and the GL device get the same answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/GraphicsDeviceGL.h"
#include "platform/GraphicsDeviceNull.h"
#include "platform/GraphicsDriverFactory.h"
#include "platform/GraphicsDriverGL.h"
#include "platform/GraphicsDriverNull.h"
#include "platform/TextureSurface.h"
#include "support/LeakCheckPause.h"

using namespace Platform;

namespace {

enum class Backend
{
    Null,
    GL
};

constexpr std::uint32_t kLargestTexture = 64;
constexpr std::uint32_t kPositionOnly = kVertexPosition;

// Two stages, two lights and small textures, whatever the backend offers.
DeviceDescription Narrowed(DeviceDescription description)
{
    description.maxSimultaneousTextures = 2;
    description.maxActiveLights = 2;
    description.maxTextureWidth = kLargestTexture;
    description.maxTextureHeight = kLargestTexture;
    return description;
}

struct Devices
{
    // First in, last out, as for every GL test.
    TestSupport::ScopedLeakCheckPause pause;
    std::unique_ptr<GraphicsDriver> driver;
    std::unique_ptr<GraphicsDevice> device;

    bool Open(Backend backend)
    {
        if (backend == Backend::Null) {
            auto null = std::make_unique<GraphicsDriverNull>();
            device =
                std::make_unique<GraphicsDeviceNull>(Narrowed(null->EnumerateAdapters()[0].devices[0]), null.get());
            driver = std::move(null);
            return true;
        }
        TestSupport::PinGraphicsLibraries();
        std::unique_ptr<GraphicsDriverGL> gl;
        if (GraphicsFailed(GraphicsDriverGL::CreateOffscreen(16, 16, gl))) {
            return false;
        }
        const auto adapters = gl->EnumerateAdapters();
        EXPECT_EQ(kGraphicsOk, gl->OpenAdapter(0));
        EXPECT_EQ(kGraphicsOk, gl->CreateScreenBuffers(16, 16, false));
        gl->MakeCurrent();
        device = std::make_unique<GraphicsDeviceGL>(Narrowed(adapters[0].devices.back()), gl.get());
        driver = std::move(gl);
        return true;
    }

    ~Devices() { device.reset(); }
};

struct Row
{
    const char* call;
    GraphicsResult expected;
    std::function<GraphicsResult()> run;
};

GraphicsResult WhileSurfacesLost(GraphicsDriver& driver, const std::function<GraphicsResult()>& call)
{
    driver.SimulateDeviceLoss(kGraphicsOk);
    const GraphicsResult result = call();
    EXPECT_EQ(kGraphicsOk, driver.RestoreAllSurfaces());
    return result;
}

class GraphicsDeviceContract : public ::testing::TestWithParam<Backend>
{};

TEST_P(GraphicsDeviceContract, BothDevicesAnswerEveryCallAlike)
{
    const PixelFormat argb{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true, false, false, 0};
    std::unique_ptr<TextureSurface> fits;
    std::unique_ptr<TextureSurface> tooWide;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({kLargestTexture, kLargestTexture, 1, argb}, fits));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({kLargestTexture * 2, 4, 1, argb}, tooWide));
    Devices devices;
    if (!devices.Open(GetParam())) {
        GTEST_SKIP() << "no OpenGL context under this video driver";
    }
    GraphicsDevice& d = *devices.device;
    GraphicsDriver& r = *devices.driver;
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    const std::uint16_t inside[3] = {0, 1, 2};
    const std::uint16_t pastTheEnd[3] = {0, 1, 3};
    const std::uint32_t wide[4] = {0, 1, 2, 1};
    const auto viewport = [](std::uint32_t width, std::uint32_t height) {
        Viewport v;
        v.width = width;
        v.height = height;
        return v;
    };
    const auto draw = [&](PrimitiveType type, std::uint32_t format, const void* vertices, std::uint32_t count,
                          const void* indices, std::uint32_t size, std::uint32_t indexCount) {
        return [=, &d] { return d.DrawIndexedPrimitive(type, format, vertices, count, indices, size, indexCount); };
    };
    constexpr auto list = PrimitiveType::TriangleList;
    constexpr GraphicsResult kOk = kGraphicsOk;
    constexpr GraphicsResult kRefused = kGraphicsErrInvalidParams;
    const Row rows[] = {
        {"SetViewport 0 x 0", kRefused, [&] { return d.SetViewport(viewport(0, 0)); }},
        {"SetViewport 4 x 0", kRefused, [&] { return d.SetViewport(viewport(4, 0)); }},
        {"SetViewport 0 x 4", kRefused, [&] { return d.SetViewport(viewport(0, 4)); }},
        {"SetViewport 4 x 4", kOk, [&] { return d.SetViewport(viewport(4, 4)); }},
        {"CreateZBuffer 0 depth bits", kRefused,
         [&] {
             return d.CreateZBuffer({0, 8});
         }},
        {"CreateZBuffer 16 depth bits", kOk,
         [&] {
             return d.CreateZBuffer({16, 0});
         }},
        {"SetRenderTarget", kOk, [&] { return d.SetRenderTarget(); }},
        {"SetTransform null", kRefused, [&] { return d.SetTransform(TransformState::World, nullptr); }},
        {"SetTransform unknown", kRefused, [&] { return d.SetTransform(TransformState::Count, identity); }},
        {"SetTransform", kOk, [&] { return d.SetTransform(TransformState::View, identity); }},
        {"SetTextureTransform stage 2 of 2", kRefused, [&] { return d.SetTextureTransform(2, identity); }},
        {"SetTextureTransform null", kRefused, [&] { return d.SetTextureTransform(0, nullptr); }},
        {"SetTextureTransform", kOk, [&] { return d.SetTextureTransform(1, identity); }},
        {"SetRenderState unknown", kRefused, [&] { return d.SetRenderState(RenderState::Count, 0); }},
        {"SetRenderState", kOk, [&] { return d.SetRenderState(RenderState::Lighting, 0); }},
        {"SetTextureStageState stage 2 of 2", kRefused,
         [&] { return d.SetTextureStageState(2, StageState::AddressU, kAddressClamp); }},
        {"SetTextureStageState unknown", kRefused, [&] { return d.SetTextureStageState(0, StageState::Count, 0); }},
        {"SetTextureStageState", kOk, [&] { return d.SetTextureStageState(1, StageState::AddressU, kAddressClamp); }},
        {"SetTexture stage 5 of 2", kRefused, [&] { return d.SetTexture(5, nullptr); }},
        {"SetTexture wider than the largest", kRefused, [&] { return d.SetTexture(0, tooWide.get()); }},
        {"SetTexture", kOk, [&] { return d.SetTexture(1, fits.get()); }},
        {"SetTexture none", kOk, [&] { return d.SetTexture(1, nullptr); }},
        {"SetMaterial", kOk, [&] { return d.SetMaterial(Material{}); }},
        {"SetLight 5 of 2", kRefused, [&] { return d.SetLight(5, LightDescription{}); }},
        {"SetLight 2 of 2", kRefused, [&] { return d.SetLight(2, LightDescription{}); }},
        {"SetLight", kOk, [&] { return d.SetLight(1, LightDescription{}); }},
        {"LightEnable 5 of 2", kRefused, [&] { return d.LightEnable(5, true); }},
        {"LightEnable", kOk, [&] { return d.LightEnable(1, false); }},
        {"Clear", kOk, [&] { return d.Clear(kClearTarget | kClearZBuffer, 0, 1.0f, 0); }},
        {"BeginScene", kOk, [&] { return d.BeginScene(); }},
        {"EndScene", kOk, [&] { return d.EndScene(); }},
        {"BeginScene while lost", kGraphicsErrSurfaceLost,
         [&] { return WhileSurfacesLost(r, [&] { return d.BeginScene(); }); }},
        {"EndScene while lost", kGraphicsErrSurfaceLost,
         [&] { return WhileSurfacesLost(r, [&] { return d.EndScene(); }); }},
        {"Draw unknown primitive", kRefused,
         draw(static_cast<PrimitiveType>(1), kPositionOnly, triangle, 3, inside, 2, 3)},
        {"Draw no vertices", kRefused, draw(list, kPositionOnly, nullptr, 3, inside, 2, 3)},
        {"Draw vertex count 0", kRefused, draw(list, kPositionOnly, triangle, 0, inside, 2, 0)},
        {"Draw without position", kRefused, draw(list, kVertexNormal, triangle, 3, inside, 2, 3)},
        {"Draw no indices", kRefused, draw(list, kPositionOnly, triangle, 3, nullptr, 2, 3)},
        {"Draw 3-byte indices", kRefused, draw(list, kPositionOnly, triangle, 3, inside, 3, 3)},
        {"Draw index past the vertices", kRefused, draw(list, kPositionOnly, triangle, 3, pastTheEnd, 2, 3)},
        {"Draw 0 indices", kOk, draw(list, kPositionOnly, triangle, 3, inside, 2, 0)},
        {"Draw", kOk, draw(list, kPositionOnly, triangle, 3, inside, 2, 3)},
        {"Draw strip of 4-byte indices", kOk,
         draw(PrimitiveType::TriangleStrip, kPositionOnly, triangle, 3, wide, 4, 4)},
    };
    std::uint64_t accepted = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.call);
        EXPECT_EQ(row.expected, row.run());
        accepted += row.expected == kOk ? 1 : 0;
    }
    if (auto* null = dynamic_cast<GraphicsDeviceNull*>(devices.device.get())) {
        EXPECT_EQ(accepted, null->GetTotalCallCount()) << "a refused call reached the device";
    }
}

INSTANTIATE_TEST_SUITE_P(BothDevices, GraphicsDeviceContract, ::testing::Values(Backend::Null, Backend::GL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return info.param == Backend::Null ? "Null" : "GL";
                         });

TEST(GraphicsDriverFactory, NoWindowGetsNoDriver)
{
    EXPECT_EQ(nullptr, CreateGraphicsDriver(nullptr));
}

} // namespace
