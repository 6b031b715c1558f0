#include "platform/PictureArea.h"

#include <algorithm>

namespace Platform {

namespace {

// value * numerator / denominator, rounded to the nearest whole number.
std::int32_t Scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<std::int32_t>((value * numerator * 2 + denominator) / (denominator * 2));
}

// The pixel of a span of `to` pixels whose centre lies where the centre of
// pixel `at` of a span of `from` pixels lies.
std::int32_t MapPixel(std::int32_t at, std::int32_t from, std::int32_t to)
{
    if (from <= 0 || to <= 0) {
        return 0;
    }
    const std::int64_t mapped = ((static_cast<std::int64_t>(at) * 2 + 1) * to) / (static_cast<std::int64_t>(from) * 2);
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(mapped, 0), to - 1));
}

} // namespace

PictureArea PictureArea::Fit(std::int32_t surfaceWidth, std::int32_t surfaceHeight, std::int32_t pictureWidth,
                             std::int32_t pictureHeight)
{
    PictureArea area;
    if (surfaceWidth <= 0 || surfaceHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return area;
    }
    // Whichever side fills the surface first sets the scale.
    if (static_cast<std::int64_t>(surfaceWidth) * pictureHeight <=
        static_cast<std::int64_t>(surfaceHeight) * pictureWidth) {
        area.width = surfaceWidth;
        area.height = std::min(surfaceHeight, Scale(pictureHeight, surfaceWidth, pictureWidth));
    } else {
        area.height = surfaceHeight;
        area.width = std::min(surfaceWidth, Scale(pictureWidth, surfaceHeight, pictureHeight));
    }
    area.x = (surfaceWidth - area.width) / 2;
    area.y = (surfaceHeight - area.height) / 2;
    return area;
}

void PictureArea::SurfaceToPicture(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t& px,
                                   std::int32_t& py) const
{
    px = MapPixel(std::min(std::max(px - x, 0), std::max(width - 1, 0)), width, pictureWidth);
    py = MapPixel(std::min(std::max(py - y, 0), std::max(height - 1, 0)), height, pictureHeight);
}

void PictureArea::PictureToSurface(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t& px,
                                   std::int32_t& py) const
{
    px = x + MapPixel(std::min(std::max(px, 0), std::max(pictureWidth - 1, 0)), pictureWidth, width);
    py = y + MapPixel(std::min(std::max(py, 0), std::max(pictureHeight - 1, 0)), pictureHeight, height);
}

} // namespace Platform
