// The model manager's render pass against raw GL on the same offscreen
// context: 500 textured models of 200 triangles each, half in each sorted
// group, updated, culled, sorted and drawn through the engine, against the
// same triangles drawn with the GL calls a hand-written renderer would make.
// Prints frames per second of each and the ratio (goal: at most 1.25).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/ModelScene.h"
#include "content/BmpFileWriter.h"
#include "content/ModelFileWriter.h"
#include "engine/render/Camera.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ModelManager.h"

using namespace OrrelayEngine;

namespace {

constexpr int kModelCount = 500;
constexpr std::uint32_t kGridCells = 10;
constexpr int kColumns = 25;
constexpr float kSpacing = 1.5f;
constexpr float kModelScale = 0.1f;
constexpr int kComparedFrames = 101;
constexpr std::uint32_t kTextureSidePixels = 64;
// The device camera's perspective: a 4:3 frustum whose vertical half-angle
// follows from the default field of view.
constexpr double kAspect = 1.3333334;

struct Scene : Bench::ModelScene
{
    Scene() : ModelScene("modelbench")
    {
        if (!screen.Ready()) {
            return;
        }

        std::filesystem::create_directories(folder / "data" / "models");
        texture = Content::FixturePicture::MakePattern(kTextureSidePixels, kTextureSidePixels, 3);
        Content::BmpFileWriter(texture).Build().Save((folder / "data" / "models" / "checker.bmp").string());
        Content::ModelFileWriter()
            .Build(Content::ModelFileWriter::MakeStaticGrid(kGridCells, kGridCells))
            .Save((folder / "data" / "models" / "grid.mlf").string());

        StartManagers();
        templateModel.reset(models->LoadModelTemplate("models\\grid.mlf", nullptr, 0));
        templateModel->ClearFlags(Model::kFlagLit);
        ShaderDescriptor descriptor;
        descriptor.ConstructForTexture(false, "models\\checker.bmp", "", false);
        templateModel->SetShader(descriptor);
        for (int i = 0; i < kModelCount; ++i) {
            Model* model = models->CreateCopy(templateModel.get(), nullptr, 0);
            model->ClearFlags(i % 2 == 0 ? Model::kFlagSecondGroup : Model::kFlagFirstGroup);
            MatrixSetIdentity(model->matrix);
            model->matrix.m[0] = kModelScale;
            model->matrix.m[5] = kModelScale;
            model->matrix.m[10] = kModelScale;
            model->matrix.m[3] = (static_cast<float>(i % kColumns) - kColumns / 2.0f) * kSpacing;
            model->matrix.m[7] = (static_cast<float>(i / kColumns) - 10.0f) * kSpacing;
            model->matrix.m[11] = -30.0f - static_cast<float>(i % 7);
            placed.push_back(model);
        }
    }

    std::unique_ptr<Model> templateModel;
    std::vector<Model*> placed;
    Content::FixturePicture texture;
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void FrameThroughModelManager(Scene& scene)
{
    scene.cameras->Update();
    scene.shaders->UpdateShaderUsers();
    scene.models->RenderAll();
    scene.Finish();
}

// The same models' triangles, in registration order, with the render
// system's GL state saved around it so that neither path disturbs the other.
void FrameThroughRawGL(Scene& scene)
{
    const Camera& camera = *scene.cameras->GetCurrentCamera();
    const double top = camera.nearDistance * std::tan(kAspect * camera.fieldOfView * 0.25);
    {
        Bench::RawGLFrame frame(Bench::RawGLFrame::Frustum(-top * kAspect, top * kAspect, -top, top,
                                                           camera.nearDistance, camera.farDistance));
        // The models' flags: depth test and writes on, no culling, no stencil.
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_TRUE);
        glDisable(GL_CULL_FACE);
        glDisable(GL_STENCIL_TEST);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glActiveTexture(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        static GLuint name = 0;
        if (name == 0) {
            name = Bench::UploadTexture(kTextureSidePixels, kTextureSidePixels, GL_RGB, scene.texture.pixels.data());
        }
        glBindTexture(GL_TEXTURE_2D, name);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        for (const Model* model : scene.placed) {
            Bench::DrawBuffers(*model->GetVertexBuffer(), *model->GetIndexBuffer(), false, model->matrix);
        }
    }
    scene.Finish();
}

void BM_ModelsThroughRenderPass(benchmark::State& state)
{
    Bench::TimeFrames(state, TheScene(), FrameThroughModelManager, FrameThroughModelManager);
}
BENCHMARK(BM_ModelsThroughRenderPass)->Unit(benchmark::kMillisecond);

void BM_ModelsThroughRawGL(benchmark::State& state)
{
    Bench::TimeFrames(state, TheScene(), FrameThroughRawGL, FrameThroughRawGL);
}
BENCHMARK(BM_ModelsThroughRawGL)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    Bench::FrameMedians medians;
    const Scene* scene = Bench::RunThenCompare(argc, argv, TheScene, FrameThroughModelManager, FrameThroughRawGL,
                                               kComparedFrames, medians);
    if (scene == nullptr) {
        return 0;
    }
    const double oursMedian = medians.oursSeconds;
    const double rawMedian = medians.rawSeconds;
    const ModelManager::Statistics& statistics = scene->models->GetStatistics();
    std::printf("%d textured models of %u triangles (%u drawn): render pass %.1f fps, raw GL %.1f fps, "
                "render pass / raw GL time = %.3f (goal <= 1.25)\n",
                kModelCount, kGridCells * kGridCells * 2, statistics.drawnModels, 1.0 / oursMedian, 1.0 / rawMedian,
                oursMedian / rawMedian);
    return 0;
}
