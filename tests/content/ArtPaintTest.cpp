// The painting helpers of the menu art: picture sides the texture manager
// takes as they are, and lettering that sets each character once.
#include <gtest/gtest.h>

#include "content/ArtLettering.h"
#include "content/ArtPaint.h"
#include "content/FontRasterizer.h"

using Content::ArtLettering;
using Content::ArtPaint;

TEST(ArtPaint, SidesArePowersOfTwoSharpAt1024x768)
{
    for (const float units : {1.0f, 58.0f, 90.0f, 220.0f, 536.0f, 600.0f, 800.0f}) {
        SCOPED_TRACE(units);
        const std::uint32_t side = ArtPaint::SideFor(units);
        EXPECT_EQ(0u, side & (side - 1));
        // 1.28 pixels a unit at 1024 x 768.
        EXPECT_GE(static_cast<float>(side), units * 1.28f);
        EXPECT_LT(static_cast<float>(side), units * 3.2f + 4.0f);
    }
    const Content::ArtCanvas canvas = ArtPaint::PaintUnits(100.0f, 30.0f, [](float x, float y) {
        return Content::ArtColor{x / 100.0f, y / 30.0f, 0.0f, 1.0f};
    });
    EXPECT_EQ(ArtPaint::SideFor(100.0f), canvas.GetWidth());
    EXPECT_EQ(ArtPaint::SideFor(30.0f), canvas.GetHeight());
    // Units run from the lower-left corner: the top-right pixel is near (100, 30).
    EXPECT_GT(canvas.At(canvas.GetWidth() - 1, 0).r, 0.98f);
    EXPECT_GT(canvas.At(canvas.GetWidth() - 1, 0).g, 0.95f);
}

TEST(ArtLettering, RepeatedCharactersAreSetOnceEach)
{
    const std::string face = Content::FontRasterizer::DejaVuSansBoldPath();
    const ArtLettering l(face, "l", 40);
    const ArtLettering o(face, "o", 40);
    const ArtLettering lol(face, "lol", 40);
    const ArtLettering llll(face, "llll", 40);
    EXPECT_FLOAT_EQ(2.0f * l.GetWidth() + o.GetWidth(), lol.GetWidth());
    EXPECT_FLOAT_EQ(4.0f * l.GetWidth(), llll.GetWidth());
    EXPECT_EQ(l.GetHeight(), llll.GetHeight());

    // Ink in the middle of each stroke, none between the strokes or outside the line.
    const float middle = l.GetHeight() * 0.45f;
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_GT(llll.Sample((static_cast<float>(k) + 0.5f) * l.GetWidth(), middle), 0.5f);
    }
    EXPECT_EQ(0.0f, llll.Sample(-5.0f, middle));
    EXPECT_EQ(0.0f, llll.Sample(llll.GetWidth() + 5.0f, middle));
    EXPECT_LT(llll.Sample(l.GetWidth(), middle), 0.5f);
    EXPECT_GT(llll.SampleSpread(l.GetWidth(), middle, l.GetWidth() * 0.5f), 0.5f);
}
