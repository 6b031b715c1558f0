// The menu background and the introduction as the built data/pack0.pak holds
// them, read with the game's own readers: the introduction's models play (a
// still model would stop the introduction for good), the text area holds a
// menu title, the title count fades quickly enough, the introduction leaves
// the start its time, the panel the introduction leaves is the one the title
// area opens to, and background.ini names its models and one place per stage,
// each in sight below the title area.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "engine/core/BoundingBox.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/LevelManager.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIControl.h"
#include "tests/engine/core/NullEngine.h"

namespace {

using Tansywell::GUIBackgroundWindow;

const char kIntroFolder[] = "ui\\menus\\models\\background\\";
const char kBackgroundFolder[] = "ui\\menus\\background\\models\\";
constexpr float kTolerance = 0.01f;

bool Inside(const OrrelayEngine::BoundingBox& inner, const OrrelayEngine::BoundingBox& outer)
{
    return inner.localMin.x >= outer.localMin.x - kTolerance && inner.localMin.y >= outer.localMin.y - kTolerance &&
           inner.localMax.x <= outer.localMax.x + kTolerance && inner.localMax.y <= outer.localMax.y + kTolerance;
}

void ExpectSameBox(const OrrelayEngine::BoundingBox& a, const OrrelayEngine::BoundingBox& b)
{
    EXPECT_NEAR(a.localMin.x, b.localMin.x, kTolerance);
    EXPECT_NEAR(a.localMin.y, b.localMin.y, kTolerance);
    EXPECT_NEAR(a.localMax.x, b.localMax.x, kTolerance);
    EXPECT_NEAR(a.localMax.y, b.localMax.y, kTolerance);
}
// The background plays the introduction's models at this rate and prints at this one.
constexpr float kIntroFramesPerSecond = 25.0f;
constexpr float kPrintedPerSecond = 28.0f;
// The main menu is up 1.5 s after the start: the engine's start, the load and
// the menu's opening need the rest.
constexpr float kLongestIntroSeconds = 0.75f;

class MenuBackgroundDataSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        nullEngine.settings.installFolder = QUILLORY_BUILD_DIR;
        engine = &nullEngine.Start();
    }

    std::unique_ptr<OrrelayEngine::Model> Load(const std::string& name, const char* folder = kIntroFolder)
    {
        return std::unique_ptr<OrrelayEngine::Model>(
            engine->GetModelManager()->LoadModelTemplate(folder + name + ".mlf", nullptr, 0));
    }

    // Seconds for the model's animation from its first frame to its last.
    float Length(const std::string& name)
    {
        const std::unique_ptr<OrrelayEngine::Model> model = Load(name);
        const std::uint32_t frames = model->GetAnimationControl()->GetFrameCount();
        EXPECT_GE(frames, 2u) << name << " must play for the introduction to end";
        return static_cast<float>(frames - 1) / kIntroFramesPerSecond;
    }

    EngineTests::NullEngine nullEngine;
    OrrelayEngine::Engine* engine = nullptr;
};

} // namespace

TEST_F(MenuBackgroundDataSet, TheIntroductionPlaysThroughInTimeAndPrintsWhereATitleFits)
{
    const float opening = std::max(Length("frame"), Length("logo"));
    const float mounts = std::max({Length("mount_title"), Length("mount_text"), Length("text_appear")});
    Length("text");

    OrrelayEngine::FileManager* files = engine->GetFileManager();
    const std::int32_t titles = GUIBackgroundWindow::ReadTitleCount(files, "en");
    for (std::int32_t k = 0; k <= titles; ++k) {
        const std::string path = std::string("data\\") + kIntroFolder + "title_en_" + std::to_string(k) + ".mlf";
        EXPECT_EQ(k < titles, files->Exists(path)) << path;
    }
    // Title i of T is whole at 2.5 (1 + 1.5 i / T) / T s: a few titles would hold the load back.
    EXPECT_TRUE(titles == 0 || titles >= 8) << titles;
    const float titleFade = titles == 0 ? 0.0f : 2.5f * (1.0f + 1.5f * (titles - 1) / titles) / titles;
    OrrelayEngine::GUITextManager texts(engine->GetMessageManager(), files);
    texts.Load("ui\\texts\\en\\loading.ini");
    const float loading = static_cast<float>(texts.GetText("LOADING").size()) / kPrintedPerSecond;
    const float intro = opening + mounts + std::max(titleFade, loading);
    EXPECT_LE(intro, kLongestIntroSeconds);

    const std::unique_ptr<OrrelayEngine::Model> area = Load("text_area");
    EXPECT_GE(Tansywell::GUIControl::ModelSize(area.get()).x, 450.0f);
}

TEST_F(MenuBackgroundDataSet, TheBackgroundListNamesItsModelsAndOnePlacePerStage)
{
    OrrelayEngine::FileManager* files = engine->GetFileManager();
    const std::vector<GUIBackgroundWindow::Entry> entries = GUIBackgroundWindow::ReadSettings(files);
    std::multiset<std::int32_t> places;
    std::size_t startUp = 0;
    std::size_t themed = 0;
    for (const GUIBackgroundWindow::Entry& entry : entries) {
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(files->Exists("data\\ui\\menus\\background\\models\\" + entry.name + ".mlf"));
        startUp += entry.startUp ? 1 : 0;
        themed += !entry.startUp && entry.placeThreshold == 0 ? 1 : 0;
        if (entry.placeThreshold > 0) {
            EXPECT_FALSE(entry.startUp) << "a start-up model is always shown";
            places.insert(entry.placeThreshold);
        }
    }
    EXPECT_GE(startUp, 1u);
    EXPECT_GE(themed, 1u);
    Tansywell::LevelManager campaign(engine);
    std::multiset<std::int32_t> stages;
    for (std::uint32_t stage = 1; stage <= campaign.GetStageCount(); ++stage) {
        stages.insert(static_cast<std::int32_t>(stage));
    }
    EXPECT_EQ(stages, places);
}

TEST_F(MenuBackgroundDataSet, TheTitleAreaOpensToThePanelTheIntroductionLeaves)
{
    // The introduction swaps text_appear at its end for text at its end: a
    // difference would make the panel jump.
    const std::unique_ptr<OrrelayEngine::Model> text = Load("text");
    const OrrelayEngine::BoundingBox& open = text->GetFrameBoxes().back();
    ExpectSameBox(Load("text_appear")->GetFrameBoxes().back(), open);
    const OrrelayEngine::BoundingBox& closed = text->GetFrameBoxes().front();
    EXPECT_LT(closed.localMax.x - closed.localMin.x, (open.localMax.x - open.localMin.x) * 0.25f);
    EXPECT_NEAR(closed.localMin.x + closed.localMax.x, open.localMin.x + open.localMax.x, kTolerance);
    EXPECT_TRUE(Inside(Load("text_area")->box, open));

    // The title's strips sit side by side on the sign where it lands.
    const std::unique_ptr<OrrelayEngine::Model> sign = Load("mount_title");
    const std::int32_t titles = GUIBackgroundWindow::ReadTitleCount(engine->GetFileManager(), "en");
    float right = 0.0f;
    for (std::int32_t k = 0; k < titles; ++k) {
        SCOPED_TRACE(k);
        const std::unique_ptr<OrrelayEngine::Model> title = Load("title_en_" + std::to_string(k));
        EXPECT_TRUE(Inside(title->box, sign->GetFrameBoxes().back()));
        if (k > 0) {
            EXPECT_NEAR(right, title->box.localMin.x, kTolerance);
        }
        right = title->box.localMax.x;
    }
}

TEST_F(MenuBackgroundDataSet, EveryBackgroundModelStaysOnScreenAndPlacesStayInSight)
{
    OrrelayEngine::BoundingBox screen;
    screen.Set(OrrelayEngine::Vector3(0.0f, 0.0f, 0.0f), OrrelayEngine::Vector3(800.0f, 600.0f, 0.0f));
    const float titleAreaBottom = Load("text")->GetFrameBoxes().back().localMin.y;
    for (const GUIBackgroundWindow::Entry& entry : GUIBackgroundWindow::ReadSettings(engine->GetFileManager())) {
        SCOPED_TRACE(entry.name);
        const std::unique_ptr<OrrelayEngine::Model> model = Load(entry.name, kBackgroundFolder);
        for (const OrrelayEngine::BoundingBox& frame : model->GetFrameBoxes()) {
            EXPECT_TRUE(Inside(frame, screen));
            if (entry.placeThreshold > 0) {
                EXPECT_LT(frame.localMax.y, titleAreaBottom);
            }
        }
        // Nothing is behind a start-up model but the clear colour.
        if (entry.startUp) {
            ExpectSameBox(model->box, screen);
        }
    }
}

// Relative luminance of an sRGB pixel, as contrast ratios use it.
float Luminance(const std::uint8_t* rgb)
{
    float channels[3];
    for (int c = 0; c < 3; ++c) {
        const float v = static_cast<float>(rgb[c]) / 255.0f;
        channels[c] = v <= 0.03928f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
    }
    return 0.2126f * channels[0] + 0.7152f * channels[1] + 0.0722f * channels[2];
}

TEST_F(MenuBackgroundDataSet, TheTitleAreaKeepsWhiteTextReadableAndTheStartUpSkyIsWhole)
{
    // Titles and "LOADING" are printed in white over the middle of the panel.
    OrrelayEngine::Image panel;
    ASSERT_TRUE(panel.Load(engine->GetMessageManager(), engine->GetFileManager(),
                           "data\\ui\\menus\\textures\\intro\\text.jpg"));
    ASSERT_EQ(24u, panel.GetBitsPerPixel());
    // The panel is the picture's opaque part (the rest pads it to its texture's size).
    OrrelayEngine::Image opacity;
    ASSERT_TRUE(opacity.Load(engine->GetMessageManager(), engine->GetFileManager(),
                             "data\\ui\\menus\\textures\\intro\\text_alpha.jpg"));
    ASSERT_EQ(8u, opacity.GetBitsPerPixel());
    ASSERT_EQ(panel.GetWidth() * panel.GetHeight(), opacity.GetWidth() * opacity.GetHeight());
    std::uint32_t left = panel.GetWidth(), right = 0, bottom = panel.GetHeight(), top = 0;
    for (std::uint32_t y = 0; y < panel.GetHeight(); ++y) {
        for (std::uint32_t x = 0; x < panel.GetWidth(); ++x) {
            if (opacity.GetData()[y * panel.GetWidth() + x] > 128) {
                left = std::min(left, x), right = std::max(right, x + 1);
                bottom = std::min(bottom, y), top = std::max(top, y + 1);
            }
        }
    }
    ASSERT_LT(left, right);
    float lightest = 0.0f;
    for (std::uint32_t y = bottom + (top - bottom) * 3 / 10; y < bottom + (top - bottom) * 7 / 10; ++y) {
        for (std::uint32_t x = left + (right - left) / 10; x < left + (right - left) * 9 / 10; ++x) {
            lightest = std::max(lightest, Luminance(panel.GetData() + (y * panel.GetWidth() + x) * 3));
        }
    }
    EXPECT_GE(1.05f / (lightest + 0.05f), 3.0f);

    // The sky is the one model behind the introduction: a hole would show the
    // clear colour. Without a mask (the builder leaves out a wholly opaque one)
    // it has none.
    OrrelayEngine::ShaderDescriptor skyShader(0);
    skyShader.ConstructFromFile(engine->GetMessageManager(), engine->GetFileManager(),
                                "ui\\menus\\background\\models\\sky.srf");
    ASSERT_EQ(skyShader.GetStageCount(), 1u);
    const std::string skyMask = skyShader.GetStage(0).opacityFileName;
    if (skyMask.empty()) {
        return;
    }
    OrrelayEngine::Image sky;
    ASSERT_TRUE(sky.Load(engine->GetMessageManager(), engine->GetFileManager(), "data\\" + skyMask));
    const std::uint32_t bytes = sky.GetBitsPerPixel() / 8;
    std::uint8_t least = 255;
    for (std::uint64_t i = 0; i < sky.GetDataSize(); i += bytes) {
        least = std::min(least, sky.GetData()[i]);
    }
    EXPECT_GE(least, 250);
}
