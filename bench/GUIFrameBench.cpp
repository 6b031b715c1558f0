// A GUI frame through the toolkit against raw GL on the same offscreen
// context: 200 windows and buttons on two depth layers with 2,000 characters
// of text on them (no batch near its 1,024-quad cap), run through
// GUIManager::Update, GUIManager::Render and the model manager's render pass,
// against the same quads drawn with the GL calls a hand-written renderer
// would make (same textures, states and number of draws, same order).
// Prints frames per second of each and the ratio (goal: at most 1.3).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/ModelScene.h"
#include "content/FontFileWriter.h"
#include "content/FontRasterizer.h"
#include "content/TgaFileWriter.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ModelManager.h"

using namespace OrrelayEngine;

namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
// Per layer: a panel with 49 windows and 50 buttons; 200 widgets in all.
constexpr int kLayers = 2;
constexpr int kWindowsPerLayer = 49;
constexpr int kButtonsPerLayer = 50;
// Every window and panel prints one line of 20 glyphs: 2,000 characters,
// 980 of them in each layer's children batch.
const std::wstring kLine = L"Quillory-GUI-bench01";
constexpr std::uint32_t kFontPixels = 16;
constexpr std::uint32_t kPanelTextureSide = 64;
constexpr int kComparedFrames = 101;
constexpr const char* kPanelTexture = "ui\\panel.tga";
constexpr const char* kFontTexture = "ui\\fonts\\sans.tga";
constexpr const char* kFontFile = "ui\\fonts\\sans.fnt";

struct Scene : Bench::ModelScene
{
    Scene() : ModelScene("guibench")
    {
        if (!screen.Ready()) {
            return;
        }

        std::filesystem::create_directories(folder / "data" / "ui" / "fonts");
        panelPicture = Content::FixturePicture::MakePattern(kPanelTextureSide, kPanelTextureSide, 3);
        Content::TgaFileWriter(panelPicture).Build().Save((folder / "data" / "ui" / "panel.tga").string());
        font =
            Content::FontRasterizer::Rasterize(Content::FontRasterizer::DejaVuSansPath(), {{0x20, 0x7E}}, kFontPixels);
        Content::TgaFileWriter(font.atlas).Build().Save((folder / "data" / "ui" / "fonts" / "sans.tga").string());
        Content::FontFileWriter().Build(font.glyphs).Save((folder / "data" / "ui" / "fonts" / "sans.fnt").string());

        StartManagers();
        gui = std::make_unique<GUIManager>(&log, files.get(), nullptr, &timers, cameras.get(), shaders.get(),
                                           models.get(), nullptr, nullptr);
        gui->SetScreenSize(kScreenWidth, kScreenHeight);
        gui->GetFontManager()
            ->LoadFont(0, MakeSingleTextureShaderDescriptor(kFontTexture, "32bit", true), kFontFile)
            ->SetSize(static_cast<float>(kFontPixels));
        BuildWidgets();
    }

    void BuildWidgets()
    {
        const ShaderDescriptor panelTexture = MakeSingleTextureShaderDescriptor(kPanelTexture, "", true);
        const std::uint32_t layerFlags[kLayers] = {GUIWindow::kFlagLayerLow, GUIWindow::kFlagLayerMiddle};
        for (int layer = 0; layer < kLayers; ++layer) {
            const Vector2 corner(20.0f + 380.0f * static_cast<float>(layer), 20.0f);
            GUIWindow* panel =
                gui->CreateQuadWindow(GUIWindow::kFlagShown | layerFlags[layer], corner, Vector2(380.0f, 560.0f),
                                      panelTexture, nullptr, Vector2(1.0f, 1.0f));
            printing.push_back(panel);
            for (int i = 0; i < kWindowsPerLayer + kButtonsPerLayer; ++i) {
                // Ten rows of ten cells; windows and buttons alternate.
                const Vector2 cell(static_cast<float>(i % 10) * 36.0f, 20.0f + static_cast<float>(i / 10) * 52.0f);
                if (i % 2 == 0 && i / 2 < kWindowsPerLayer) {
                    printing.push_back(gui->CreateQuadWindow(GUIWindow::kFlagShown, cell, Vector2(34.0f, 48.0f),
                                                             panelTexture, panel, Vector2(0.5f, 0.5f)));
                } else {
                    buttons.push_back(gui->CreateButton(GUIWindow::kFlagShown, cell, Vector2(34.0f, 48.0f),
                                                        panel->GetModel(), panel));
                }
            }
        }
    }

    std::unique_ptr<GUIManager> gui;
    std::vector<GUIWindow*> printing;
    std::vector<GUIButton*> buttons;
    Content::FixturePicture panelPicture;
    Content::FontRasterizer::Result font;
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void FrameThroughGUI(Scene& scene)
{
    scene.gui->Update();
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    for (GUIWindow* window : scene.printing) {
        window->PrintText(GUIFontManager::kAlignCentreX | GUIFontManager::kAlignCentreY, 0, Vector2(), white, kLine);
    }
    scene.gui->Render();
    scene.shaders->UpdateShaderUsers();
    scene.cameras->Update();
    scene.models->RenderAll();
    scene.Finish();
}

GLuint MakeTexture(const Content::FixturePicture& picture)
{
    return Bench::UploadTexture(picture.width, picture.height, picture.channels == 4 ? GL_RGBA : GL_RGB,
                                picture.pixels.data());
}

// The models of the last render pass, in its order, each with one draw: the
// window and button quads opaque, the text batches blended with colour per
// vertex. The render system's GL state is saved around it.
void FrameThroughRawGL(Scene& scene)
{
    static GLuint panelTexture = 0;
    static GLuint fontTexture = 0;
    if (panelTexture == 0) {
        panelTexture = MakeTexture(scene.panelPicture);
        fontTexture = MakeTexture(scene.font.atlas);
    }
    {
        Bench::RawGLFrame frame(Bench::RawGLFrame::Ortho(kScreenWidth, kScreenHeight));
        // The GUI's flags: no depth test, no culling, no lighting, no stencil.
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_STENCIL_TEST);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_LIGHTING);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glActiveTexture(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        const ModelManager& models = *scene.models;
        for (std::uint32_t i = 0; i < models.GetDrawCount(); ++i) {
            const Model& model = *models.GetDrawn(i);
            const bool text = model.GetVertexBuffer()->HasColor();
            if (text) {
                glEnable(GL_BLEND);
                glBindTexture(GL_TEXTURE_2D, fontTexture);
            } else {
                glDisable(GL_BLEND);
                glBindTexture(GL_TEXTURE_2D, panelTexture);
                glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            }
            Bench::DrawBuffers(*model.GetVertexBuffer(), *model.GetIndexBuffer(), model.IsStrip(), model.matrix);
        }
    }
    scene.Finish();
}

void BM_GUIFrameThroughToolkit(benchmark::State& state)
{
    Bench::TimeFrames(state, TheScene(), FrameThroughGUI, FrameThroughGUI);
}
BENCHMARK(BM_GUIFrameThroughToolkit)->Unit(benchmark::kMillisecond);

void BM_GUIFrameThroughRawGL(benchmark::State& state)
{
    Bench::TimeFrames(state, TheScene(), FrameThroughRawGL, FrameThroughGUI, FrameThroughRawGL);
}
BENCHMARK(BM_GUIFrameThroughRawGL)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    Bench::FrameMedians medians;
    const Scene* scene =
        Bench::RunThenCompare(argc, argv, TheScene, FrameThroughGUI, FrameThroughRawGL, kComparedFrames, medians);
    if (scene == nullptr) {
        return 0;
    }
    const GUIFontManager& fonts = *scene->gui->GetFontManager();
    std::uint32_t glyphs = 0;
    std::uint32_t fullest = 0;
    // A batch's count restarts at the end of the GUI render; what it draws stays in its indices.
    for (std::uint32_t i = 0; i < fonts.GetBatchCount(); ++i) {
        const std::uint32_t quads =
            fonts.GetBatch(i)->GetModel()->GetIndexBuffer()->GetUsedCount() / GUIFont::kIndicesPerQuad;
        glyphs += quads;
        fullest = std::max(fullest, quads);
    }
    std::printf("%zu windows and buttons, %u glyphs in %u batches (fullest %u), %u draws: GUI %.1f fps, "
                "raw GL %.1f fps, GUI / raw GL time = %.3f (goal <= 1.3)\n",
                scene->printing.size() + scene->buttons.size(), glyphs, fonts.GetBatchCount(), fullest,
                scene->models->GetDrawCount(), 1.0 / medians.oursSeconds, 1.0 / medians.rawSeconds,
                medians.oursSeconds / medians.rawSeconds);
    return 0;
}
