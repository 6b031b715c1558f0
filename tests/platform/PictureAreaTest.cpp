#include "platform/PictureArea.h"

#include <gtest/gtest.h>

namespace {

using Platform::PictureArea;

void ExpectArea(const PictureArea& area, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    EXPECT_EQ(x, area.x);
    EXPECT_EQ(y, area.y);
    EXPECT_EQ(width, area.width);
    EXPECT_EQ(height, area.height);
}

TEST(PictureArea, FillsTheSurfaceAsFarAsItsShapeAllowsAndCentres)
{
    ExpectArea(PictureArea::Fit(1280, 1024, 1024, 768), 0, 32, 1280, 960);
    ExpectArea(PictureArea::Fit(1920, 1080, 1024, 768), 240, 0, 1440, 1080);
    ExpectArea(PictureArea::Fit(1024, 768, 1024, 768), 0, 0, 1024, 768);
    ExpectArea(PictureArea::Fit(1024, 768, 800, 600), 0, 0, 1024, 768);
    ExpectArea(PictureArea::Fit(0, 768, 800, 600), 0, 0, 0, 0);
    ExpectArea(PictureArea::Fit(1024, 768, 800, -1), 0, 0, 0, 0);
}

TEST(PictureArea, PointerMapsIntoThePictureAndBack)
{
    const PictureArea area = PictureArea::Fit(1920, 1080, 1024, 768);
    struct
    {
        std::int32_t surfaceX, surfaceY, pictureX, pictureY;
    } const cases[] = {
        {240, 0, 0, 0},          // the picture's top left corner
        {1679, 1079, 1023, 767}, // its bottom right
        {960, 540, 512, 384},    // its centre
        {10, 540, 0, 384},       // on the left bar: the nearest edge
        {1900, 2000, 1023, 767},
    };
    for (const auto& c : cases) {
        std::int32_t x = c.surfaceX;
        std::int32_t y = c.surfaceY;
        area.SurfaceToPicture(1024, 768, x, y);
        EXPECT_EQ(c.pictureX, x) << c.surfaceX << "," << c.surfaceY;
        EXPECT_EQ(c.pictureY, y) << c.surfaceX << "," << c.surfaceY;
    }
    for (std::int32_t at : {0, 1, 511, 700, 767}) {
        std::int32_t x = at;
        std::int32_t y = at;
        area.PictureToSurface(1024, 768, x, y);
        area.SurfaceToPicture(1024, 768, x, y);
        EXPECT_EQ(at, x);
        EXPECT_EQ(at, y);
    }
}

} // namespace
