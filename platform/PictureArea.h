// Where a picture of one size shows on a surface of another: as large as the
// surface allows, undistorted and centred, with black bars on the two sides
// (or above and below) that it leaves free. Full screen on a display without
// the picture's own mode shows the picture so, and the pointer's position on
// the surface is mapped back into the picture's pixels.
#pragma once

#include <cstdint>

namespace Platform {

struct PictureArea
{
    std::int32_t x = 0; // from the surface's left edge
    std::int32_t y = 0; // from the surface's top edge
    std::int32_t width = 0;
    std::int32_t height = 0;

    // Sizes of 0 or less give an empty area at the origin.
    static PictureArea Fit(std::int32_t surfaceWidth, std::int32_t surfaceHeight, std::int32_t pictureWidth,
                           std::int32_t pictureHeight);

    // A surface pixel into the picture's pixels and back; a point on a bar
    // lands on the picture's nearest edge.
    void SurfaceToPicture(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t& px,
                          std::int32_t& py) const;
    void PictureToSurface(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t& px,
                          std::int32_t& py) const;
};

} // namespace Platform
