// The render system's cost against raw GL on the same offscreen context:
// (a) 10,000 redundant state sets through the state cache against the same
//     sets made straight on the device;
// (b) 2,000 textured, lit quads per frame drawn through RenderSystem_D3D7
//     against the same triangles drawn with raw GL calls; frames per second of
//     each and the ratio (goal: the render system costs at most 1.2 times raw GL).
// Run with SDL_VIDEODRIVER=offscreen where there is no display.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "bench/RawGLDrawing.h"
#include "engine/render/DeviceTexture.h"
#include "platform/TextureSurface.h"

using namespace OrrelayEngine;

namespace {

constexpr int kRedundantSets = 10000;
constexpr int kQuadsPerFrame = 2000;
constexpr int kComparedFrames = 101;
constexpr int kQuadColumns = 50;
constexpr float kQuadSidePixels = 8.0f;
constexpr std::uint32_t kTextureSidePixels = 64;

class BenchTexture : public DeviceTexture
{
public:
    BenchTexture()
    {
        const Platform::PixelFormat argb{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true, false, false, 0};
        Platform::TextureSurface::Create({kTextureSidePixels, kTextureSidePixels, 1, argb}, surface_);
        void* bits = nullptr;
        std::uint32_t pitch = 0;
        surface_->Lock(0, bits, pitch);
        auto* texels = static_cast<std::uint32_t*>(bits);
        for (std::uint32_t i = 0; i < kTextureSidePixels * kTextureSidePixels; ++i) {
            texels[i] = ((i / 8 + i / (8 * kTextureSidePixels)) % 2 != 0) ? 0xFFFFFFFFu : 0xFF808080u;
        }
        surface_->Unlock(0);
    }
    Platform::TextureSurface* GetSurface() override { return surface_.get(); }
    void ReleaseSurface() override {}
    void Restore() override {}
    const std::string& GetName() const override { return name_; }

private:
    std::unique_ptr<Platform::TextureSurface> surface_;
    std::string name_ = "checker";
};

struct Scene
{
    Scene() : screen(800, 600), system(screen.system.get())
    {
        if (!screen.Ready()) {
            return;
        }
        const float width = static_cast<float>(system->GetCurrentMode()->width);
        const float height = static_cast<float>(system->GetCurrentMode()->height);
        system->SetProjectionMatrix(
            Matrix4(2.0f / width, 0, 0, 0, 0, 2.0f / height, 0, 0, 0, 0, 0.001f, 0, -1, -1, 0.5f, 1));
        vertices = system->CreateVertexBuffer(0, 4);
        PlainVertex* quad = vertices->LockVertices(0, 4);
        const float side = kQuadSidePixels - 1.0f;
        quad[0] = PlainVertex{0, side, 0, 0, 0, 1, 0, 0};
        quad[1] = PlainVertex{side, side, 0, 0, 0, 1, 1, 0};
        quad[2] = PlainVertex{side, 0, 0, 0, 0, 1, 1, 1};
        quad[3] = PlainVertex{0, 0, 0, 0, 0, 1, 0, 1};
        vertices->Unlock();
        indices = system->CreateIndexBuffer(6);
        const std::uint32_t triangles[] = {0, 1, 2, 0, 2, 3};
        indices->SetIndices(0, 6, triangles);
        for (int i = 0; i < kQuadsPerFrame; ++i) {
            placements[i] = Matrix4();
            MatrixSetTranslation(placements[i], Vector3(static_cast<float>(i % kQuadColumns) * kQuadSidePixels,
                                                        static_cast<float>(i / kQuadColumns) * kQuadSidePixels, 0.0f));
        }
    }

    bool Ready() const { return screen.Ready(); }
    void Finish() { screen.Finish(); }

    Bench::OffscreenRenderSystem screen;
    RenderSystem_D3D7* system;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
    BenchTexture texture;
    Matrix4 placements[kQuadsPerFrame];
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void RedundantSetsThroughCache(Scene& scene)
{
    RenderSystem& rs = *scene.system;
    for (int i = 0; i < kRedundantSets / 4; ++i) {
        rs.SetCullMode(RenderSystem::kCullCounterClockwise);
        rs.SetLighting(true);
        rs.SetBlend(RenderSystem::kBlendSourceAlpha, RenderSystem::kBlendInverseSourceAlpha);
        rs.SetZ(true);
    }
}

void RedundantSetsOnDevice(Scene& scene)
{
    Platform::GraphicsDevice& device = *scene.system->GetDevice();
    for (int i = 0; i < kRedundantSets / 4; ++i) {
        device.SetRenderState(Platform::RenderState::CullMode, Platform::kCullCounterClockwise);
        device.SetRenderState(Platform::RenderState::Lighting, 1);
        device.SetRenderState(Platform::RenderState::SourceBlend, Platform::kBlendSourceAlpha);
        device.SetRenderState(Platform::RenderState::ZEnable, 1);
    }
}

void SetUpLitTexturedState(RenderSystem_D3D7& rs, DeviceTexture& texture)
{
    rs.SetLighting(true);
    rs.SetAmbientColor(Color(0.2f, 0.2f, 0.2f, 1.0f));
    rs.SetTexture(0, &texture);
    rs.SetTextureFilter(0, RenderSystem::kFilterLinear);
    Platform::LightDescription light;
    light.type = Platform::LightType::Directional;
    light.diffuse = Platform::ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    light.direction[2] = -1.0f;
    rs.GetDevice()->SetLight(0, light);
    rs.GetDevice()->LightEnable(0, true);
}

void FrameThroughRenderSystem(Scene& scene)
{
    RenderSystem_D3D7& rs = *scene.system;
    rs.Refresh();
    rs.BeginScene();
    for (int i = 0; i < kQuadsPerFrame; ++i) {
        rs.SetWorldMatrix(scene.placements[i]);
        rs.SetTexture(0, &scene.texture);
        rs.DrawIndexedPrimitive(false, scene.indices.get(), scene.vertices.get(), 2);
    }
    rs.EndScene();
    scene.Finish();
}

// The same triangles with the GL calls a hand-written renderer would make.
// The render system's GL state is saved around it, so neither path disturbs the other.
void FrameThroughRawGL(Scene& scene)
{
    const float width = static_cast<float>(scene.system->GetCurrentMode()->width);
    const float height = static_cast<float>(scene.system->GetCurrentMode()->height);
    {
        Bench::RawGLFrame frame(Bench::RawGLFrame::Ortho(width, height));
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glDisable(GL_COLOR_MATERIAL);
        const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        const GLfloat direction[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glEnable(GL_LIGHT0);
        const GLfloat materialAmbient[4] = {0.6f, 0.6f, 0.6f, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, materialAmbient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        glActiveTexture(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        static GLuint name = 0;
        if (name == 0) {
            name = Bench::UploadTexture(kTextureSidePixels, kTextureSidePixels, GL_BGRA,
                                        scene.texture.GetSurface()->GetLevelBits(0));
        }
        glBindTexture(GL_TEXTURE_2D, name);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (int i = 0; i < kQuadsPerFrame; ++i) {
            Bench::DrawBuffers(*scene.vertices, *scene.indices, false, scene.placements[i]);
        }
    }
    scene.Finish();
}

void BM_RedundantStateSetsThroughCache(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        RedundantSetsThroughCache(scene);
    }
}
BENCHMARK(BM_RedundantStateSetsThroughCache)->Unit(benchmark::kMicrosecond);

void BM_RedundantStateSetsOnDevice(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        RedundantSetsOnDevice(scene);
    }
}
BENCHMARK(BM_RedundantStateSetsOnDevice)->Unit(benchmark::kMicrosecond);

void BM_QuadsThroughRenderSystem(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    SetUpLitTexturedState(*scene.system, scene.texture);
    for (auto _ : state) {
        FrameThroughRenderSystem(scene);
    }
}
BENCHMARK(BM_QuadsThroughRenderSystem)->Unit(benchmark::kMillisecond);

void BM_QuadsThroughRawGL(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        FrameThroughRawGL(scene);
    }
}
BENCHMARK(BM_QuadsThroughRawGL)->Unit(benchmark::kMillisecond);

template <typename Work>
double SecondsPerRun(Work work, int runs)
{
    work();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) {
        work();
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        std::printf("No OpenGL context: no ratios.\n");
        return 0;
    }
    const double cached = SecondsPerRun([&] { RedundantSetsThroughCache(scene); }, 200);
    const double direct = SecondsPerRun([&] { RedundantSetsOnDevice(scene); }, 200);
    std::printf("(a) %d redundant state sets: cache %.1f us, device %.1f us, cache / device = %.3f\n", kRedundantSets,
                cached * 1e6, direct * 1e6, cached / direct);
    SetUpLitTexturedState(*scene.system, scene.texture);
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        [&] { FrameThroughRenderSystem(scene); }, [&] { FrameThroughRawGL(scene); }, kComparedFrames);
    const double oursMedian = medians.oursSeconds;
    const double rawMedian = medians.rawSeconds;
    std::printf("(b) %d textured lit quads: RenderSystem_D3D7 %.1f fps, raw GL %.1f fps, "
                "render system / raw GL time = %.3f (goal <= 1.2)\n",
                kQuadsPerFrame, 1.0 / oursMedian, 1.0 / rawMedian, oursMedian / rawMedian);
    return 0;
}
