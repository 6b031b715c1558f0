// Windows over the null render system: the mouse test, the show flag and its
// walk down the tree, depth layers and orders, and the frame's text queue.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FontTestSupport.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/Model.h"

namespace OrrelayEngine {
namespace {

class GUIWindowTest : public FontTest::FontFixture
{
protected:
    // A quad window, so that depth and visibility reach a model.
    GUIWindow* MakeQuad(std::uint32_t flags, GUIWindow* parent = nullptr)
    {
        windows.push_back(std::make_unique<GUIWindow>(log, shaders.get(), models.get(), fonts.get(), texts.get(),
                                                      camera, flags, Vector2(10.0f, 20.0f), Vector2(100.0f, 50.0f),
                                                      parent, texture, Vector2(1.0f, 1.0f)));
        return windows.back().get();
    }

    static bool ModelShown(const GUIWindow& window)
    {
        return (window.GetModel()->GetFlags() & Model::kFlagVisible) != 0;
    }
};

TEST_F(GUIWindowTest, AMouseOnAnyEdgeIsOutside)
{
    GUIWindow* parent = MakeWindow(Vector2(100.0f, 100.0f), Vector2(300.0f, 300.0f));
    // The corner (110, 120) relative to the parent's, size 100 x 50.
    GUIWindow* window = MakeQuad(GUIWindow::kFlagShown, parent);
    struct Case
    {
        Vector2 mouse;
        bool over;
    };
    const Case cases[] = {
        {Vector2(160.0f, 145.0f), true},   {Vector2(110.0f, 145.0f), false}, {Vector2(210.0f, 145.0f), false},
        {Vector2(160.0f, 120.0f), false},  {Vector2(160.0f, 170.0f), false}, {Vector2(110.01f, 120.01f), true},
        {Vector2(209.99f, 169.99f), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mouse.x << ", " << c.mouse.y);
        EXPECT_TRUE(window->Update(c.mouse, false, false));
        EXPECT_EQ(window->IsMouseOver(), c.over);
    }

    Vector2 low;
    Vector2 extent;
    window->GetHitRectangle(low, extent);
    EXPECT_EQ(110.0f, low.x);
    EXPECT_EQ(50.0f, extent.y);
    window->SetHitRectangle(Vector2(-10.0f, 0.0f), Vector2(10.0f, 10.0f));
    window->Update(Vector2(105.0f, 125.0f), false, false);
    EXPECT_TRUE(window->IsMouseOver()) << "the hit rectangle replaces the window's own";
    window->GetHitRectangle(low, extent);
    EXPECT_EQ(100.0f, low.x);
    EXPECT_EQ(10.0f, extent.y);
    parent->ClearFlags(GUIWindow::kFlagShown);
    EXPECT_FALSE(window->Update(Vector2(105.0f, 125.0f), false, false));
    EXPECT_FALSE(window->IsMouseOver());
}

TEST_F(GUIWindowTest, SetFlagsChangesNothingWhenAnyGivenBitIsSet)
{
    GUIWindow* window = MakeQuad(GUIWindow::kFlagLayerLow);
    ASSERT_FLOAT_EQ(window->GetDepth(), -10.0f);
    window->SetFlags(GUIWindow::kFlagShown | GUIWindow::kFlagLayerLow);
    EXPECT_EQ(window->GetFlags(), GUIWindow::kFlagLayerLow);
    EXPECT_FALSE(window->IsVisible());
    EXPECT_FALSE(ModelShown(*window));

    window->SetFlags(GUIWindow::kFlagShown);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_TRUE(ModelShown(*window));
    window->ClearFlags(GUIWindow::kFlagLayerLow | GUIWindow::kFlagLayerHigh);
    EXPECT_EQ(window->GetFlags(), GUIWindow::kFlagShown);
    EXPECT_FLOAT_EQ(window->GetDepth(), -15.0f);
    EXPECT_FLOAT_EQ(window->GetModel()->depth, -15.0f);
}

TEST_F(GUIWindowTest, LayersGiveTopLevelDepthsAndChildrenSitInFrontByTheirOrder)
{
    struct Case
    {
        std::uint32_t flags;
        float depth;
    };
    for (const Case& c : {Case{0, -15.0f}, Case{4, -10.0f}, Case{8, -20.0f}, Case{16, -30.0f}, Case{4 | 16, -10.0f}}) {
        SCOPED_TRACE(c.flags);
        GUIWindow* window = MakeQuad(c.flags);
        EXPECT_FLOAT_EQ(window->GetDepth(), c.depth);
        EXPECT_FLOAT_EQ(window->GetModel()->depth, c.depth);
    }

    GUIWindow* parent = MakeQuad(GUIWindow::kFlagLayerMiddle);
    GUIWindow* child = MakeQuad(GUIWindow::kFlagLayerHigh, parent);
    GUIWindow* grandchild = MakeQuad(0, child);
    EXPECT_FLOAT_EQ(child->GetDepth(), -20.01f);
    EXPECT_EQ(child->GetFlags() & GUIWindow::kLayerFlags, 0u) << "a child has no layer of its own";
    EXPECT_FLOAT_EQ(grandchild->GetDepth(), -20.02f);

    parent->SetDepthOrder(3);
    EXPECT_FLOAT_EQ(parent->GetDepth(), -20.0f) << "a top-level window keeps its layer's depth";
    child->SetDepthOrder(2);
    EXPECT_FLOAT_EQ(child->GetDepth(), -20.02f);
    EXPECT_FLOAT_EQ(grandchild->GetDepth(), -20.03f);
    EXPECT_FLOAT_EQ(grandchild->GetModel()->depth, -20.03f);

    grandchild->SetParent(nullptr);
    EXPECT_FLOAT_EQ(grandchild->GetDepth(), -15.0f);
    EXPECT_TRUE(parent->GetChildren().size() == 1 && child->GetChildren().empty());
}

TEST_F(GUIWindowTest, HidingAParentHidesTheSubtreeAndShowingRestoresOwnFlags)
{
    GUIWindow* parent = MakeQuad(GUIWindow::kFlagShown);
    GUIWindow* shownChild = MakeQuad(GUIWindow::kFlagShown, parent);
    GUIWindow* hiddenChild = MakeQuad(0, parent);
    GUIWindow* grandchild = MakeQuad(GUIWindow::kFlagShown, shownChild);
    EXPECT_TRUE(grandchild->IsVisible());
    EXPECT_FALSE(hiddenChild->IsVisible());

    parent->ClearFlags(GUIWindow::kFlagShown);
    for (GUIWindow* window : {parent, shownChild, hiddenChild, grandchild}) {
        EXPECT_FALSE(window->IsVisible());
        EXPECT_FALSE(ModelShown(*window));
    }
    EXPECT_EQ(grandchild->GetFlags() & GUIWindow::kFlagShown, GUIWindow::kFlagShown) << "own flag untouched";

    parent->SetFlags(GUIWindow::kFlagShown);
    EXPECT_TRUE(shownChild->IsVisible());
    EXPECT_TRUE(grandchild->IsVisible());
    EXPECT_TRUE(ModelShown(*grandchild));
    EXPECT_FALSE(hiddenChild->IsVisible());
}

TEST_F(GUIWindowTest, AWindowCannotBecomeItsOwnAncestor)
{
    GUIWindow* root = MakeQuad(GUIWindow::kFlagShown);
    GUIWindow* child = MakeQuad(GUIWindow::kFlagShown, root);
    GUIWindow* grandchild = MakeQuad(GUIWindow::kFlagShown, child);
    for (GUIWindow* target : {root, grandchild}) {
        root->SetParent(target);
        EXPECT_EQ(root->GetParent(), nullptr);
    }
    child->SetParent(child);
    EXPECT_EQ(child->GetParent(), root);
    EXPECT_EQ(CountLogged(MessageManager::kError, "cannot become its own ancestor"), 3u);
    root->ClearFlags(GUIWindow::kFlagShown);
    EXPECT_FALSE(grandchild->IsVisible()) << "the walks still end";
}

TEST_F(GUIWindowTest, TextsQueuedOnAHiddenWindowAreDropped)
{
    LoadRoundFont();
    GUIWindow* window = MakeWindow(Vector2(0.0f, 0.0f), Vector2(200.0f, 50.0f), 0);
    window->PrintText(0, 0, Vector2(), Color(1, 1, 1, 1), L"AB");
    window->PrintText(0, 0, Vector2(), Color(1, 1, 1, 1), L"");
    EXPECT_EQ(window->GetQueuedTextCount(), 1u) << "an empty text is not queued";
    EXPECT_FALSE(window->Render());
    EXPECT_EQ(window->GetQueuedTextCount(), 0u);
    EXPECT_EQ(window->GetDrawnTextCount(), 0u);

    window->SetFlags(GUIWindow::kFlagShown);
    EXPECT_TRUE(window->Render());
    EXPECT_EQ(fonts->GetBatchCount(), 0u) << "nothing was kept for the visible frame";

    texts->SetText("GREETING_2", L"ABBA");
    window->PrintTextKey(0, 0, Vector2(), Color(1, 1, 1, 1), "greeting_", 2);
    EXPECT_TRUE(window->Render());
    ASSERT_EQ(fonts->GetBatchCount(), 1u);
    EXPECT_EQ(fonts->GetBatch(0)->GetGlyphCount(), 4u) << "the key is looked up when the window renders";
    ASSERT_EQ(window->GetDrawnTextCount(), 1u) << "what was drawn stays readable after the frame";
    EXPECT_EQ(window->GetDrawnText(0).key, "greeting_");
    EXPECT_TRUE(window->Render());
    EXPECT_EQ(window->GetDrawnTextCount(), 0u) << "a frame without texts drew none";
}

} // namespace
} // namespace OrrelayEngine
