// The landscape the stage map's frame shows on its parchment, drawn in ink and
// washes round the road the places lie on: the campaign's four stages side by
// side, each where its own places stand (a flowered meadow, a lake among
// reeds, a forest, rocky hills with a cave), and the sandy road winding
// through them from the start to the finish. Made once per picture (it keeps
// the road's distance over the map), then asked point by point.
#pragma once

#include <cstdint>
#include <vector>

#include "content/ArtCanvas.h"

namespace Content {

class MapLandscape
{
public:
    // The campaign's map as the builder writes it.
    MapLandscape();

    // The map at (x, y) in GUI coordinates laid over the parchment's colour
    // there; opaque wherever the parchment is.
    ArtColor Paint(float x, float y, const ArtColor& parchment) const;

    // The stage whose places lie nearest the point (0 to 3).
    std::uint32_t StageAt(float x, float y) const;

private:
    struct Place
    {
        float x;
        float y;
        std::uint32_t stage;
    };

    float RoadDistance(float x, float y) const;
    float PlaceDistance(float x, float y) const;
    // The stage's washes and small marks at the point, over the parchment.
    ArtColor PaintStage(std::uint32_t stage, float x, float y, const ArtColor& parchment) const;
    ArtColor PaintMeadow(float x, float y, ArtColor color) const;
    ArtColor PaintShore(float x, float y, ArtColor color) const;
    ArtColor PaintForest(float x, float y, ArtColor color) const;
    ArtColor PaintHills(float x, float y, ArtColor color) const;
    // The lake and the cave: landmarks drawn over whatever stage lies there.
    ArtColor PaintLake(float x, float y, ArtColor color) const;
    ArtColor PaintCave(float x, float y, ArtColor color) const;
    ArtColor PaintRoad(float x, float y, ArtColor color) const;

    std::vector<Place> places_;
    // The road's distance every unit over the map, at most kReach.
    std::vector<float> road_;
    std::uint32_t columns_ = 0;
    std::uint32_t rows_ = 0;
};

} // namespace Content
