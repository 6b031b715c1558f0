// The GUI manager and its cursors over the null render system: the mouse in
// GUI coordinates, one press seen by every widget under it, deleted widgets
// left out of the frame, and a game without sound.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GUIInputTestSupport.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/RenderSystem_D3D7.h"

namespace OrrelayEngine {
namespace {

class GUIManagerTest : public GUIInputTest::GUIInputFixture
{
protected:
    void SetUp() override
    {
        GUIInputFixture::SetUp();
        mode = render.system->GetCurrentMode();
        ASSERT_NE(mode, nullptr);
    }

    void TearDown() override
    {
        gui.reset();
        GUIInputFixture::TearDown();
    }

    void MakeManager(bool withSound)
    {
        gui = std::make_unique<GUIManager>(log, files.get(), window.get(), timers.get(), cameras.get(), shaders.get(),
                                           models.get(), controls.get(), withSound ? soundManager.get() : nullptr);
        // One GUI unit per pixel.
        gui->SetScreenSize(static_cast<float>(mode->width), static_cast<float>(mode->height));
    }

    // The system cursor over the GUI point (x, y).
    void PointAt(float x, float y)
    {
        Platform::RecordCursorPosition(static_cast<std::int32_t>(x),
                                       static_cast<std::int32_t>(static_cast<float>(mode->height) - y - 1.0f));
    }

    void Frame(bool mouseHeld)
    {
        controls->SetKeyDown("MOUSE1", mouseHeld);
        gui->Update();
        gui->Render();
        EndFrame();
    }

    ModeInfo* mode = nullptr;
    std::unique_ptr<GUIManager> gui;
};

TEST_F(GUIManagerTest, TheCursorMapsClientPixelsToGUICoordinatesWithYUp)
{
    MakeManager(true);
    gui->SetScreenSize(800.0f, 600.0f);
    const float width = static_cast<float>(mode->width);
    const float height = static_cast<float>(mode->height);
    struct Case
    {
        std::int32_t x, y;
        Vector2 expected;
    };
    const Case cases[] = {
        {0, 0, Vector2(0.0f, 600.0f * (height - 1.0f) / height)},
        {static_cast<std::int32_t>(mode->width) - 1, static_cast<std::int32_t>(mode->height) - 1,
         Vector2(800.0f * (width - 1.0f) / width, 0.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        Platform::RecordCursorPosition(c.x, c.y);
        gui->Update();
        Vector2 position;
        gui->GetCursorPosition(position);
        EXPECT_NEAR(position.x, c.expected.x, 0.001f);
        EXPECT_NEAR(position.y, c.expected.y, 0.001f);
    }

    const std::uint32_t savedWidth = mode->width;
    mode->width = 0;
    gui->Update();
    mode->width = savedWidth;
    Vector2 position;
    gui->GetCursorPosition(position);
    EXPECT_EQ(position.x, 0.0f) << "no screen size to divide by";
    EXPECT_EQ(position.y, 0.0f);
}

TEST_F(GUIManagerTest, OverlappingButtonsBothClickFromOnePress)
{
    MakeManager(true);
    GUIButton* first =
        gui->CreateButton(GUIWindow::kFlagShown, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f), nullptr, nullptr);
    GUIButton* second =
        gui->CreateButton(GUIWindow::kFlagShown, Vector2(150.0f, 110.0f), Vector2(100.0f, 40.0f), nullptr, nullptr);
    PointAt(175.0f, 120.0f);
    Frame(false);
    Frame(true);
    Frame(false);
    EXPECT_TRUE(first->IsClicked());
    EXPECT_TRUE(second->IsClicked());
}

TEST_F(GUIManagerTest, ADeletedWidgetIsNeitherUpdatedNorDrawn)
{
    MakeManager(true);
    cameras->Update();
    GUIWindow* gone = gui->CreateQuadWindow(GUIWindow::kFlagShown, Vector2(10.0f, 10.0f), Vector2(50.0f, 50.0f),
                                            texture, nullptr, Vector2(1.0f, 1.0f));
    GUIWindow* kept = gui->CreateQuadWindow(GUIWindow::kFlagShown, Vector2(100.0f, 10.0f), Vector2(50.0f, 50.0f),
                                            texture, nullptr, Vector2(1.0f, 1.0f));
    GUIButton* button =
        gui->CreateButton(GUIWindow::kFlagShown, Vector2(10.0f, 100.0f), Vector2(50.0f, 50.0f), nullptr, nullptr);
    GUIButton* other = nullptr;
    std::vector<GUIWindow*> visited;
    gui->ForEachWindow([&visited](GUIWindow& window) { visited.push_back(&window); });
    EXPECT_EQ((std::vector<GUIWindow*>{gone, kept, button}), visited) << "windows, then buttons";
    gui->DeleteWindow(gone);
    gui->DeleteButton(button);
    gui->DeleteWindow(kept->GetParent());
    visited.clear();
    gui->ForEachWindow([&visited](GUIWindow& window) { visited.push_back(&window); });
    EXPECT_EQ(std::vector<GUIWindow*>{kept}, visited);
    // Under the address sanitizer a frame that still reached them would stop here.
    PointAt(20.0f, 110.0f);
    Frame(true);
    Frame(false);
    cameras->Update();
    models->RenderAll();
    ASSERT_EQ(models->GetStatistics().drawnModels, 1u);
    EXPECT_EQ(models->GetDrawn(0), kept->GetModel());

    other = gui->CreateButton(GUIWindow::kFlagShown, Vector2(10.0f, 100.0f), Vector2(50.0f, 50.0f), nullptr, nullptr);
    gui->DeleteWindow(other);
    Frame(true);
    Frame(false);
    EXPECT_TRUE(other->IsClicked()) << "a widget is deleted only through its own pool";
}

TEST_F(GUIManagerTest, WithoutASoundManagerEveryWidgetWorksSilently)
{
    MakeManager(false);
    SaveFont(kFontName, RoundGlyphs());
    gui->GetFontManager()->LoadFont(0, texture, kFontName);
    GUIButton* button =
        gui->CreateButton(GUIWindow::kFlagShown, Vector2(100.0f, 100.0f), Vector2(100.0f, 40.0f), nullptr, nullptr);
    GUIEditBox* box =
        gui->CreateEditBox(GUIWindow::kFlagShown, Vector2(0.0f, 300.0f), Vector2(300.0f, 40.0f), nullptr, nullptr, 0,
                           Color(1, 1, 1, 1), Vector2(28.0f, 4.0f), L'_', 20, 1000.0f, 300.0f);
    PointAt(150.0f, 120.0f);
    Frame(false);
    Frame(true);
    Frame(false);
    EXPECT_TRUE(button->IsClicked());
    TypeCharacter(L'A');
    Frame(false);
    EXPECT_EQ(box->GetText(), L"A");
    EXPECT_TRUE(soundSystem.played.empty());
}

} // namespace
} // namespace OrrelayEngine
