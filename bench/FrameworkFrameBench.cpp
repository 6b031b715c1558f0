// The framework's frame against the bare engine frame, on the null graphics
// device: GameBase::Frame of the stub game (26 screens, each owning a shown GUI
// window that prints one line of text at every update, a level in play, the
// game cursor) against Engine::PreFrame, the same 26 lines printed on the same
// windows and Engine::Frame(0). What is left between the two is the
// framework's own work: focus and device checks, console commands, the mixer,
// the result passes and the screens' updates. Frames alternate; the medians
// and their ratio are printed (goal: at most 1.1).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/AlternatingFrames.h"
#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "tests/framework/StubGame.h"

using namespace OrrelayEngine;

namespace {

constexpr int kComparedFrames = 20001;
// The stub data set's font has this one letter (and its lower case).
const std::wstring kLine = L"AaAaAaAaAaAaAaAaAaAa";

struct Scene
{
    Scene()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        run.Boot(true);
        run.game->startGame->Show(GameFramework::GameBase::kStartFromMainMenu);
        run.PlayLevel();
        float row = 0.0f;
        run.game->ForEachScreen([this, &row](auto& screen) {
            screen.OwnWindow(Vector2(10.0f, 10.0f + 22.0f * row), kLine);
            windows.push_back(screen.GetOwnWindow());
            row += 1.0f;
        });
        run.Frames(3);
        run.log.Clear();
    }

    FrameworkTests::StubGame& Game() { return *run.game; }

    FrameworkTests::StubGameRun run;
    std::vector<GUIWindow*> windows;
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void FrameThroughFramework(Scene& scene)
{
    scene.Game().Frame();
}

void FrameThroughEngine(Scene& scene)
{
    Engine& engine = *scene.Game().GetEngine();
    engine.PreFrame();
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    for (GUIWindow* window : scene.windows)
        window->PrintText(0, 0, Vector2(), white, kLine);
    engine.Frame(0);
}

void BM_FrameThroughFramework(benchmark::State& state)
{
    Scene& scene = TheScene();
    for (auto _ : state)
        FrameThroughFramework(scene);
}
BENCHMARK(BM_FrameThroughFramework)->Unit(benchmark::kMicrosecond);

void BM_FrameThroughEngine(benchmark::State& state)
{
    Scene& scene = TheScene();
    for (auto _ : state)
        FrameThroughEngine(scene);
}
BENCHMARK(BM_FrameThroughEngine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = TheScene();
    // A frame the framework idles through (focus lost) would present nothing
    // and make the comparison meaningless.
    const std::uint32_t presents = scene.Game().driver->GetPresentCount();
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        [&] { FrameThroughFramework(scene); }, [&] { FrameThroughEngine(scene); }, kComparedFrames);
    const std::uint32_t presented = scene.Game().driver->GetPresentCount() - presents;
    if (presented != 2u * (kComparedFrames + 1)) {
        std::printf("Only %u of %d frames were presented: no ratio.\n", presented, 2 * (kComparedFrames + 1));
        return 1;
    }
    // What the last frame drew, so that a font that failed to load shows.
    const GUIFontManager& fonts = *scene.Game().GetEngine()->GetGUIManager()->GetFontManager();
    std::uint32_t glyphs = 0;
    for (std::uint32_t i = 0; i < fonts.GetBatchCount(); ++i)
        glyphs += fonts.GetBatch(i)->GetModel()->GetIndexBuffer()->GetUsedCount() / GUIFont::kIndicesPerQuad;
    std::printf("%zu screens with a line each (%u glyphs, %u draws), level in play: GameBase::Frame %.1f us, "
                "Engine::PreFrame + Frame(0) %.1f us, framework / engine time = %.3f (goal <= 1.1)\n",
                scene.windows.size(), glyphs, scene.Game().GetEngine()->GetModelManager()->GetDrawCount(),
                medians.oursSeconds * 1e6, medians.rawSeconds * 1e6, medians.oursSeconds / medians.rawSeconds);
    return 0;
}
