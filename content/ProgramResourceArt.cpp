#include "content/ProgramResourceArt.h"

#include <cmath>
#include <cstdio>

#include "content/ArtCanvas.h"
#include "content/ArtShapes.h"
#include "content/CursorArt.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr float kHexRadius = 29.0f;
constexpr float kRim = 3.0f;

const std::vector<ArtShapes::Point>& Hexagon()
{
    static const std::vector<ArtShapes::Point> hexagon = [] {
        std::vector<ArtShapes::Point> corners;
        for (int i = 0; i < 6; ++i) {
            const float angle = 1.5707963f + 1.0471976f * static_cast<float>(i);
            corners.push_back(ArtShapes::Point{kHexRadius * std::cos(angle), kHexRadius * std::sin(angle)});
        }
        return corners;
    }();
    return hexagon;
}

std::uint8_t ToByte(float value)
{
    return static_cast<std::uint8_t>(std::lround(ArtCanvas::Clamp01(value) * 255.0f));
}

void AppendArray(std::string& source, const char* name, const std::vector<std::uint8_t>& bytes)
{
    source += "const std::uint8_t ";
    source += name;
    source += "[] = {";
    char number[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        source += i % 24 == 0 ? "\n    " : " ";
        std::snprintf(number, sizeof number, "%u,", static_cast<unsigned>(bytes[i]));
        source += number;
    }
    source += "\n};\n\n";
}

} // namespace

// A board cell in leaf green with a dark wooden rim, holding a honey star.
ArtCanvas ProgramResourceArt::PaintIcon()
{
    ArtCanvas canvas(kIconSide, kIconSide);
    const float half = static_cast<float>(kIconSide) * 0.5f;
    const std::vector<ArtShapes::Point> star = ArtShapes::Star(5, 16.0f, 7.0f);
    canvas.Paint([&](float u, float v) {
        const float x = (u - 0.5f) * 2.0f * half;
        const float y = (v - 0.5f) * 2.0f * half;
        const float cell = ArtShapes::PolygonDistance(x, y, Hexagon());
        const float shadowDistance = ArtShapes::PolygonDistance(x - 1.5f, y + 2.0f, Hexagon());
        const ArtColor shadow{0.1f, 0.06f, 0.02f, 0.45f * (1.0f - ArtCanvas::SmoothStep(-1.0f, 3.0f, shadowDistance))};
        ArtColor face =
            ArtCanvas::Mix(MenuStyle::LeafDark(), MenuStyle::LeafLight(), ArtCanvas::SmoothStep(-20.0f, 24.0f, y));
        const float starDistance = ArtShapes::PolygonDistance(x, y + 1.0f, star);
        const ArtColor starFace =
            ArtCanvas::Mix(MenuStyle::Honey(), MenuStyle::Parchment(), ArtCanvas::SmoothStep(-6.0f, 14.0f, y));
        face = ArtCanvas::Mix(face, MenuStyle::WoodDark(),
                              0.6f * ArtShapes::Coverage(std::fabs(starDistance) - 0.8f, 1.0f));
        face = ArtCanvas::Mix(face, starFace, ArtShapes::Coverage(starDistance + 0.8f, 1.0f));
        face = ArtCanvas::Mix(face, MenuStyle::WoodDark(), ArtCanvas::SmoothStep(-kRim - 0.5f, -kRim + 0.5f, cell));
        return ArtCanvas::Over(ArtCanvas::WithAlpha(face, ArtShapes::Coverage(cell, 1.0f)), shadow);
    });
    return canvas;
}

ArtCanvas ProgramResourceArt::PaintSystemCursor()
{
    const ArtCanvas pointer = CursorArt::PaintPointer();
    const std::uint32_t factor = pointer.GetWidth() / kCursorSide;
    ArtCanvas canvas(kCursorSide, kCursorSide);
    const float weight = 1.0f / static_cast<float>(factor * factor);
    for (std::uint32_t row = 0; row < kCursorSide; ++row) {
        for (std::uint32_t x = 0; x < kCursorSide; ++x) {
            // Averaged with their opacity, so transparent texels lend no colour.
            ArtColor sum{0.0f, 0.0f, 0.0f, 0.0f};
            for (std::uint32_t dy = 0; dy < factor; ++dy) {
                for (std::uint32_t dx = 0; dx < factor; ++dx) {
                    const ArtColor& texel = pointer.At(x * factor + dx, row * factor + dy);
                    sum.r += texel.r * texel.a;
                    sum.g += texel.g * texel.a;
                    sum.b += texel.b * texel.a;
                    sum.a += texel.a;
                }
            }
            ArtColor& out = canvas.At(x, row);
            out.a = sum.a * weight;
            out.r = sum.a > 0.0f ? sum.r / sum.a : 0.0f;
            out.g = sum.a > 0.0f ? sum.g / sum.a : 0.0f;
            out.b = sum.a > 0.0f ? sum.b / sum.a : 0.0f;
        }
    }
    return canvas;
}

std::vector<std::uint8_t> ProgramResourceArt::ToRgba(const ArtCanvas& canvas)
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(canvas.GetWidth()) * canvas.GetHeight() * 4u);
    for (std::uint32_t row = 0; row < canvas.GetHeight(); ++row) {
        for (std::uint32_t x = 0; x < canvas.GetWidth(); ++x) {
            const ArtColor& texel = canvas.At(x, row);
            for (float channel : {texel.r, texel.g, texel.b, texel.a}) {
                rgba.push_back(ToByte(channel));
            }
        }
    }
    return rgba;
}

std::string ProgramResourceArt::BuildSource()
{
    std::string source = "// Written by quillory-data --program-resources from the data set's own art: do not edit.\n"
                         "#include \"game/ProgramResources.h\"\n\nnamespace Tansywell {\n\nnamespace {\n\n";
    AppendArray(source, "kIconRgba", ToRgba(PaintIcon()));
    AppendArray(source, "kCursorRgba", ToRgba(PaintSystemCursor()));
    char images[256];
    std::snprintf(images, sizeof images,
                  "} // namespace\n\n"
                  "const ProgramImage ProgramResources::kIcon = {%u, %u, 0, 0, kIconRgba};\n"
                  "const ProgramImage ProgramResources::kSystemCursor = {%u, %u, 0, 0, kCursorRgba};\n\n"
                  "} // namespace Tansywell\n",
                  kIconSide, kIconSide, kCursorSide, kCursorSide);
    return source + images;
}

} // namespace Content
