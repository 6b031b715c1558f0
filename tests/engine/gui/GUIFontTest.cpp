#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "FontTestSupport.h"
#include "engine/core/FileError.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"
#include "support/AllocationCounter.h"

namespace FontTest {
namespace {

using OrrelayEngine::ColoredVertex;
using OrrelayEngine::GUIFont;
using OrrelayEngine::GUIWindow;
using OrrelayEngine::Vector2;

const OrrelayEngine::Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

void ExpectCorner(const ColoredVertex& vertex, float x, float y, float u, float v)
{
    EXPECT_NEAR(vertex.x, x, 1e-4f);
    EXPECT_NEAR(vertex.y, y, 1e-4f);
    EXPECT_FLOAT_EQ(vertex.u, u);
    EXPECT_FLOAT_EQ(vertex.v, v);
}

// The x of each quad's lower-left corner.
std::vector<float> QuadStarts(const GUIFont& batch)
{
    std::vector<float> starts;
    for (std::uint32_t q = 0; q < batch.GetGlyphCount(); ++q) {
        starts.push_back(FontFixture::Vertices(batch)[q * 4 + 1].x);
    }
    return starts;
}

TEST_F(FontFixture, QuadsHaveTheGlyphCornersAndTextureCoordinates)
{
    GUIFont* font = LoadRoundFont();
    font->Print(Vector2(100.0f, 50.0f), 0.0f, kWhite, L"AB");
    ASSERT_EQ(font->GetGlyphCount(), 2u);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetUsedCount(), 12u);
    const ColoredVertex* quads = Vertices(*font);
    // Upper left, lower left, upper right, lower right; (u, v) is the lower-left corner.
    ExpectCorner(quads[0], 100.0f, 60.0f, 0.0f, 1.0f);
    ExpectCorner(quads[1], 100.0f, 50.0f, 0.0f, 0.5f);
    ExpectCorner(quads[2], 105.0f, 60.0f, 0.25f, 1.0f);
    ExpectCorner(quads[3], 105.0f, 50.0f, 0.25f, 0.5f);
    ExpectCorner(quads[5], 105.0f, 50.0f, 0.25f, 0.5f);
    ExpectCorner(quads[6], 115.0f, 60.0f, 0.5f, 1.0f);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetIndex(6 + 3), 6u);

    // A quarter turn stands the line up: the glyph's top points to -x.
    font->ResetBatch();
    font->Print(Vector2(100.0f, 50.0f), static_cast<float>(M_PI / 2), kWhite, L"AB");
    ExpectCorner(quads[0], 90.0f, 50.0f, 0.0f, 1.0f);
    ExpectCorner(quads[3], 100.0f, 55.0f, 0.25f, 0.5f);
    ExpectCorner(quads[5], 100.0f, 55.0f, 0.25f, 0.5f);
}

TEST_F(FontFixture, PenAdvancesWithoutQuadsOverBlanksAndUnknownCharacters)
{
    GUIFont* font = LoadRoundFont();
    font->SetSpaceAdvance(2.0f);
    // Blank with a glyph: its width; '?' and the line feed have none: the space advance.
    font->Print(Vector2(), 0.0f, kWhite, L"A ?\nB");
    EXPECT_EQ(QuadStarts(*font), (std::vector<float>{0.0f, 47.5f}));
    Vector2 extent;
    font->MeasureText(extent, L"A ?\nB", 0.0f, -1.0f);
    EXPECT_FLOAT_EQ(extent.x, 57.5f);
    EXPECT_FLOAT_EQ(extent.y, 10.0f);

    font->ResetBatch();
    font->SetSpacing(2.0f);
    font->Print(Vector2(), 0.0f, kWhite, L"AB");
    EXPECT_EQ(QuadStarts(*font), (std::vector<float>{0.0f, 10.0f}));
}

TEST_F(FontFixture, MonospaceCentresEachGlyphInACellOfTheWidest)
{
    GUIFont* font = LoadRoundFont();
    font->SetMonospace(true);
    font->Print(Vector2(), 0.0f, kWhite, L"A?B");
    EXPECT_EQ(QuadStarts(*font), (std::vector<float>{2.5f, 20.0f}));
    EXPECT_FLOAT_EQ(Vertices(*font)[2].x, 7.5f);
    Vector2 extent;
    font->MeasureText(extent, L"A?B", 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(extent.x, 15.0f);
    EXPECT_FLOAT_EQ(extent.y, 5.0f);
}

TEST_F(FontFixture, OneBatchHoldsAtMost1024Quads)
{
    GUIFont* font = LoadRoundFont();
    font->Print(Vector2(), 0.0f, kWhite, std::wstring(1000, L'A'));
    font->Print(Vector2(), 0.0f, kWhite, std::wstring(100, L'B'));
    EXPECT_EQ(font->GetGlyphCount(), 1024u);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetUsedCount(), 6144u);
    EXPECT_FLOAT_EQ(Vertices(*font)[1023 * 4 + 2].x, 240.0f);
}

TEST_F(FontFixture, AlignmentPlacesTheTextInTheWindowOrItsTextArea)
{
    LoadRoundFont();
    GUIWindow* plain = MakeWindow(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    GUIWindow* area = MakeWindow(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    area->SetTextArea(Vector2(10.0f, 10.0f), Vector2(50.0f, 20.0f));
    const Vector2 offset(7.0f, 9.0f);
    // "AB" at size 10 measures 15 x 10.
    struct Case
    {
        const char* what;
        GUIWindow* window;
        std::uint32_t flags;
        Vector2 expected;
    };
    const Case cases[] = {
        {"no flag: the offset", plain, 0, Vector2(107.0f, 209.0f)},
        {"centred both ways", plain, 1 | 2, Vector2(192.5f, 245.0f)},
        {"left and flag 32", plain, 4 | 32, Vector2(100.0f, 200.0f)},
        {"right and flag 16", plain, 8 | 16, Vector2(285.0f, 290.0f)},
        {"centre wins over left", plain, 1 | 4, Vector2(192.5f, 209.0f)},
        {"centre y wins over 16", plain, 2 | 16, Vector2(107.0f, 245.0f)},
        {"text area, right and centred", area, 8 | 2, Vector2(145.0f, 215.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Vector2 position;
        fonts->GetTextPosition(position, c.flags, 0, c.window, offset, 0.0f, L"AB");
        EXPECT_FLOAT_EQ(position.x, c.expected.x);
        EXPECT_FLOAT_EQ(position.y, c.expected.y);
    }

    // A line running left starts at its box's right side, one running down at its top.
    Vector2 extent;
    fonts->FindFont(0)->MeasureText(extent, L"AB", 2.5f, -1.0f);
    Vector2 position;
    fonts->GetTextPosition(position, 4 | 32, 0, plain, offset, 2.5f, L"AB");
    EXPECT_FLOAT_EQ(position.x, 100.0f + extent.x);
    EXPECT_FLOAT_EQ(position.y, 200.0f);
    fonts->FindFont(0)->MeasureText(extent, L"AB", -0.5f, -1.0f);
    fonts->GetTextPosition(position, 8 | 16, 0, plain, offset, -0.5f, L"AB");
    EXPECT_FLOAT_EQ(position.x, 300.0f - extent.x);
    EXPECT_FLOAT_EQ(position.y, 300.0f);

    fonts->GetTextPosition(position, 1 | 2, 9, plain, offset, 0.0f, L"AB");
    EXPECT_EQ(position.x, 0.0f);
    EXPECT_EQ(position.y, 0.0f);
}

TEST_F(FontFixture, SizeOfATextRecordHoldsForThatPrintOnly)
{
    GUIFont* font = LoadRoundFont();
    GUIWindow* window = MakeWindow(Vector2(100.0f, 200.0f), Vector2(200.0f, 100.0f));
    window->PrintText(4 | 32, 0, Vector2(), kWhite, L"A", 0.0f, 2.0f);
    window->PrintText(4 | 32, 0, Vector2(), kWhite, L"A");
    window->Render();
    ASSERT_EQ(fonts->GetBatchCount(), 1u);
    const ColoredVertex* quads = Vertices(*fonts->GetBatch(0));
    EXPECT_FLOAT_EQ(quads[0].y - quads[1].y, 2.0f);
    EXPECT_FLOAT_EQ(quads[4].y - quads[5].y, 10.0f);
    EXPECT_EQ(font->GetSize(), 10.0f);
}

TEST_F(FontFixture, OneBatchPerFontAndDepthSetAsideAfterAFrameWithoutText)
{
    LoadRoundFont(0);
    LoadRoundFont(1, "ui\\fonts\\second.fnt");
    GUIWindow* first = MakeWindow(Vector2(), Vector2(100.0f, 100.0f));
    GUIWindow* second = MakeWindow(Vector2(), Vector2(100.0f, 100.0f));
    GUIWindow* middle =
        MakeWindow(Vector2(), Vector2(100.0f, 100.0f), GUIWindow::kFlagShown | GUIWindow::kFlagLayerMiddle);
    GUIWindow* hidden = MakeWindow(Vector2(), Vector2(100.0f, 100.0f), 0);
    const std::uint32_t modelsBefore = models->GetModelCount();

    fonts->PrintText(0, 0, 0.0f, first, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 0, 0.0f, second, Vector2(), kWhite, L"B");
    fonts->PrintText(0, 0, 0.0f, middle, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 1, 0.0f, first, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 1, 0.0f, hidden, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 7, 0.0f, first, Vector2(), kWhite, L"A");
    ASSERT_EQ(fonts->GetBatchCount(), 3u);
    EXPECT_EQ(fonts->GetBatch(0)->GetGlyphCount(), 2u);
    EXPECT_FLOAT_EQ(fonts->GetBatch(0)->GetDepth(), -15.005f);
    EXPECT_FLOAT_EQ(fonts->GetBatch(1)->GetDepth(), -20.005f);
    EXPECT_EQ(fonts->GetBatch(2)->GetSource(), fonts->FindFont(1));
    EXPECT_EQ(models->GetModelCount(), modelsBefore + 3);

    // Flushed batches still draw their quads; the next frame overwrites them.
    fonts->Flush();
    ASSERT_EQ(fonts->GetBatchCount(), 3u);
    EXPECT_EQ(fonts->GetBatch(0)->GetModel()->GetIndexBuffer()->GetUsedCount(), 12u);
    EXPECT_EQ(fonts->GetBatch(0)->GetGlyphCount(), 0u);

    fonts->PrintText(0, 0, 0.0f, middle, Vector2(), kWhite, L"A");
    fonts->Flush();
    EXPECT_EQ(fonts->FindFont(0)->GetModel()->GetFlags() & OrrelayEngine::Model::kFlagVisible, 0u);
    ASSERT_EQ(fonts->GetBatchCount(), 1u);
    EXPECT_EQ(fonts->GetBatch(0)->GetModel()->GetFlags(), 0x48C39u);
    EXPECT_FLOAT_EQ(fonts->GetBatch(0)->GetDepth(), -20.005f);
    EXPECT_EQ(fonts->GetBatch(0)->GetModel()->GetIndexBuffer()->GetUsedCount(), 6u);
    // The two emptied batches wait hidden; a new depth of their font takes
    // one, the other font's stays aside, and no model is made.
    EXPECT_EQ(fonts->GetSpareBatchCount(), 2u);
    EXPECT_EQ(models->GetModelCount(), modelsBefore + 3);
    TestSupport::ScopedAllocationCount allocations;
    fonts->PrintText(0, 0, 0.0f, middle, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 0, 0.0f, first, Vector2(), kWhite, L"A");
    ASSERT_EQ(fonts->GetBatchCount(), 2u);
    EXPECT_EQ(fonts->GetBatch(1)->GetSource(), fonts->FindFont(0));
    EXPECT_FLOAT_EQ(fonts->GetBatch(1)->GetDepth(), -15.005f);
    EXPECT_NE(fonts->GetBatch(1)->GetModel()->GetFlags() & OrrelayEngine::Model::kFlagVisible, 0u);
    EXPECT_EQ(fonts->GetSpareBatchCount(), 1u);
    fonts->Flush();
    EXPECT_EQ(allocations.Count(), 0u);
    EXPECT_EQ(models->GetModelCount(), modelsBefore + 3);
}

TEST_F(FontFixture, SteadyFrameOfTextAllocatesNothing)
{
    LoadRoundFont();
    GUIWindow* window = MakeWindow(Vector2(10.0f, 10.0f), Vector2(100.0f, 100.0f));
    const std::wstring text = L"AB BA";
    const auto frame = [&] {
        fonts->PrintText(1 | 2, 0, 0.3f, window, Vector2(), kWhite, text);
        fonts->Flush();
    };
    frame();
    TestSupport::ScopedAllocationCount allocations;
    frame();
    frame();
    EXPECT_EQ(allocations.Count(), 0u);
    EXPECT_EQ(fonts->GetBatchCount(), 1u);
}

// Two fonts over one picture: it loads aside once, and every batch draws with it.
TEST_F(FontFixture, AFontsTextureLoadsAsideOnceAndItsBatchesDrawWithIt)
{
    texture = OrrelayEngine::MakeSingleTextureShaderDescriptor("ui\\fonts\\round.tga", "32bit", false);
    OrrelayEngine::TextureManager* pictures = shaders->GetTextureManager();
    const std::uint32_t usersBefore = shaders->GetShaderUserCount();
    const std::uint32_t picturesBefore = pictures->GetTextureCount();
    LoadRoundFont(0);
    LoadRoundFont(1, "ui\\fonts\\second.fnt");
    GUIWindow* window = MakeWindow(Vector2(), Vector2(100.0f, 100.0f));
    fonts->PrintText(0, 0, 0.0f, window, Vector2(), kWhite, L"A");
    fonts->PrintText(0, 1, 0.0f, window, Vector2(), kWhite, L"A");
    ASSERT_EQ(fonts->GetBatchCount(), 2u);
    for (std::uint32_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const OrrelayEngine::ShaderUser* user = fonts->GetBatch(i)->GetModel()->GetShaderUser();
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(user->GetStage(0).diffuseFileName, "ui\\fonts\\round.tga");
    }
    EXPECT_EQ(pictures->GetTextureCount(), picturesBefore + 1);
    EXPECT_EQ(shaders->GetShaderUserCount(), usersBefore + 4)
        << "the fonts' and batches' users; the helpers' given back";
}

TEST_F(FontFixture, ReloadingAnIdKeepsTheOldFontUntilTheNewOneLoads)
{
    GUIFont* old = LoadRoundFont(0);
    GUIWindow* window = MakeWindow(Vector2(), Vector2(100.0f, 100.0f));
    fonts->PrintText(0, 0, 0.0f, window, Vector2(), kWhite, L"A");
    const std::uint32_t modelsBefore = models->GetModelCount();

    EXPECT_THROW(fonts->LoadFont(0, texture, "ui\\fonts\\missing.fnt"), OrrelayEngine::FileError);
    EXPECT_EQ(fonts->FindFont(0), old);
    EXPECT_EQ(fonts->GetBatchCount(), 1u);

    GUIFont* replacement = LoadRoundFont(0, "ui\\fonts\\second.fnt");
    EXPECT_NE(replacement, old);
    EXPECT_EQ(fonts->GetBatchCount(), 0u);
    EXPECT_EQ(models->GetModelCount(), modelsBefore - 1);
}

} // namespace
} // namespace FontTest
