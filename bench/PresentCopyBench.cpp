// What keeping the presented frame costs on the offscreen context. Where a
// swap leaves the back buffer undefined, every present of a drawn frame first
// copies the back buffer aside, so that a loading screen can present the last
// frame again without drawing it; this measures that copy against the same
// frame presented without it (a cleared 800x600 frame, the copy's share at its
// largest), and the re-present that draws the copy back.
// Run with SDL_VIDEODRIVER=offscreen where there is no display.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "bench/AlternatingFrames.h"
#include "bench/RawGLDrawing.h"

using namespace OrrelayEngine;

namespace {

constexpr int kComparedFrames = 301;

struct Screen
{
    Screen() : screen(800, 600), driver(screen.driver), system(screen.system.get()) {}

    bool Ready() const { return screen.Ready(); }

    void DrawAndPresent(bool keepCopy)
    {
        driver->SetFrameCopyForced(keepCopy);
        system->BeginScene();
        system->EndScene();
        system->SwapBuffers();
        Finish();
    }

    void PresentAgain()
    {
        driver->SetFrameCopyForced(true);
        system->SwapBuffers();
        Finish();
    }

    // Waits for the picture, so that each path pays for its own work.
    void Finish() { screen.Finish(); }

    Bench::OffscreenRenderSystem screen;
    Platform::GraphicsDriverGL* driver;
    RenderSystem_D3D7* system;
};

Screen& TheScreen()
{
    static Screen screen;
    return screen;
}

void BM_PresentKeepingACopy(benchmark::State& state)
{
    Screen& screen = TheScreen();
    if (!screen.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        screen.DrawAndPresent(true);
    }
}
BENCHMARK(BM_PresentKeepingACopy)->Unit(benchmark::kMicrosecond);

void BM_PresentWithoutACopy(benchmark::State& state)
{
    Screen& screen = TheScreen();
    if (!screen.Ready()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        screen.DrawAndPresent(false);
    }
}
BENCHMARK(BM_PresentWithoutACopy)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Screen& screen = TheScreen();
    if (!screen.Ready()) {
        std::printf("No OpenGL context: no figures.\n");
        return 0;
    }
    std::printf("Back buffer preserved across a swap on this context: %s\n",
                screen.driver->IsBackBufferPreserved() ? "yes (no copy is kept)" : "no (a copy is kept)");
    const Bench::FrameMedians medians = Bench::CompareAlternatingFrames(
        [&] { screen.DrawAndPresent(true); }, [&] { screen.DrawAndPresent(false); }, kComparedFrames);
    std::printf("Cleared 800x600 frame presented: keeping a copy %.1f us, without %.1f us, copy %.1f us, "
                "ratio %.3f\n",
                medians.oursSeconds * 1e6, medians.rawSeconds * 1e6, (medians.oursSeconds - medians.rawSeconds) * 1e6,
                medians.oursSeconds / medians.rawSeconds);
    screen.DrawAndPresent(true);
    const Bench::FrameMedians again = Bench::CompareAlternatingFrames(
        [&] { screen.PresentAgain(); }, [&] { screen.DrawAndPresent(false); }, kComparedFrames);
    std::printf("Presented again from the copy %.1f us, against a cleared frame without a copy %.1f us\n",
                again.oursSeconds * 1e6, again.rawSeconds * 1e6);
    return 0;
}
