#include "content/CursorArt.h"

#include <cmath>
#include <string>
#include <vector>

#include "content/ArtCanvas.h"
#include "content/ArtShapes.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "cursor art 1";
constexpr const char* kPicture = "data\\ui\\cursors\\cursor";
// In the picture's pixels from its top-left corner, y downward.
constexpr float kOutline = 2.6f;
constexpr float kShadowDx = 2.5f;
constexpr float kShadowDy = 3.5f;

// The arrow, its tip a pixel and a half in so that its dark outline covers the
// very first pixel: that pixel is where the pointer points.
const std::vector<ArtShapes::Point>& Arrow()
{
    static const std::vector<ArtShapes::Point> arrow = {{1.5f, 1.5f},   {1.5f, 42.0f},  {11.5f, 32.5f}, {19.0f, 49.0f},
                                                        {26.0f, 46.0f}, {18.5f, 29.5f}, {31.0f, 29.5f}};
    return arrow;
}

} // namespace

ArtCanvas CursorArt::PaintPointer()
{
    ArtCanvas canvas(kSide, kSide);
    const float side = static_cast<float>(kSide);
    canvas.Paint([side](float u, float v) {
        const float x = u * side;
        const float y = (1.0f - v) * side;
        const float d = ArtShapes::PolygonDistance(x, y, Arrow());
        const float shadowDistance = ArtShapes::PolygonDistance(x - kShadowDx, y - kShadowDy, Arrow());
        const ArtColor shadow{0.1f, 0.06f, 0.02f, 0.4f * (1.0f - ArtCanvas::SmoothStep(-1.0f, 4.0f, shadowDistance))};
        // Parchment at the tip warming to honey at the tail, a light edge
        // inside the outline, and the outline in dark wood.
        ArtColor face =
            ArtCanvas::Mix(MenuStyle::Parchment(), MenuStyle::Honey(), ArtCanvas::SmoothStep(4.0f, 50.0f, y));
        face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.97f, 1.0f},
                              0.5f * (1.0f - ArtCanvas::SmoothStep(1.0f, 3.0f, std::fabs(d + 2.0f))) *
                                  (1.0f - ArtCanvas::SmoothStep(10.0f, 40.0f, y)));
        face = ArtCanvas::Mix(face, MenuStyle::WoodDark(), ArtCanvas::SmoothStep(-0.6f, 0.4f, d));
        return ArtCanvas::Over(ArtCanvas::WithAlpha(face, ArtShapes::Coverage(d - kOutline, 1.0f)), shadow);
    });
    return canvas;
}

void CursorArt::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe recipe;
    recipe.origin = "cursor art";
    recipe.parameters = kRecipeVersion;
    recipe.packPaths = {std::string(kPicture) + ".jpg", std::string(kPicture) + "_alpha.jpg"};
    recipe.make = []() {
        const ArtCanvas pointer = PaintPointer();
        return AssetRecipe::Outputs{pointer.BuildColorJpeg(), pointer.BuildAlphaJpeg()};
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
