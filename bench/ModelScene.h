// The engine's model path over an offscreen context, for the benchmarks that
// set a scene of their own against raw GL: a scratch data folder, the file,
// camera, shader and model managers over it and their teardown, and the
// shape of such a benchmark: timed frames of one way of drawing, and main's
// comparison of the two ways.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/AlternatingFrames.h"
#include "bench/RawGLDrawing.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"

namespace Bench {

struct ModelScene
{
    // The folder is "quillory_<name>_<process id>" under the system's temporary folder.
    explicit ModelScene(const std::string& name)
        : folder(std::filesystem::temp_directory_path() / ("quillory_" + name + "_" + std::to_string(::getpid()))),
          screen(800, 600), log(screen.log)
    {}

    // The derived scene's own parts go first; the folder last.
    virtual ~ModelScene()
    {
        models.reset();
        shaders.reset();
        cameras.reset();
        files.reset();
        screen.system.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    ModelScene(const ModelScene&) = delete;
    ModelScene& operator=(const ModelScene&) = delete;

    // Once the data folder holds what the scene loads.
    void StartManagers()
    {
        using namespace OrrelayEngine;
        files = std::make_unique<FileManager>(&log, folder.string(), "");
        cameras = std::make_unique<CameraManager>(&log, nullptr, screen.system.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), &timers, &screen.config, screen.system.get());
        models = std::make_unique<ModelManager>(&log, files.get(), &timers, screen.system.get(), cameras.get(), nullptr,
                                                shaders.get());
    }

    bool Ready() const { return screen.Ready(); }
    void Finish() { screen.Finish(); }

    std::filesystem::path folder;
    OffscreenRenderSystem screen;
    OrrelayEngine::MessageManager& log;
    OrrelayEngine::TimerManager timers;
    std::unique_ptr<OrrelayEngine::FileManager> files;
    std::unique_ptr<OrrelayEngine::CameraManager> cameras;
    std::unique_ptr<OrrelayEngine::ShaderManager> shaders;
    std::unique_ptr<OrrelayEngine::ModelManager> models;
};

// Skips without a context; otherwise draws the warm-up frames untimed (the
// first frame of a new state combination compiles the rasteriser's code for
// it), then times frame.
template <typename Scene, typename Frame, typename... Warm>
void TimeFrames(benchmark::State& state, Scene& scene, Frame frame, Warm... warm)
{
    if (!scene.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    (warm(scene), ...);
    for (auto _ : state) {
        frame(scene);
    }
}

// Runs the registered benchmarks, then the medians of alternating frames of
// ours and raw over the scene; null (said on the output) without a context.
template <typename Scene, typename Ours, typename Raw>
Scene* RunThenCompare(int& argc, char** argv, Scene& (*theScene)(), Ours ours, Raw raw, int frames,
                      FrameMedians& medians)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = theScene();
    if (!scene.Ready()) {
        std::printf("No OpenGL context: no ratio.\n");
        return nullptr;
    }
    medians = CompareAlternatingFrames([&] { ours(scene); }, [&] { raw(scene); }, frames);
    return &scene;
}

} // namespace Bench
