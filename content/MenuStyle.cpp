#include "content/MenuStyle.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr std::uint32_t kGrainSeed = 4117;

// A soft shadow under a shape whose edge lies at distance d.
ArtColor Shadow(float d, float spread, float strength)
{
    const float a = strength * (1.0f - ArtCanvas::SmoothStep(-spread * 0.3f, spread, d));
    return ArtColor{0.08f, 0.05f, 0.02f, a};
}

float Coverage(float d)
{
    return ArtCanvas::Clamp01(0.5f - d);
}

ArtColor StateColor(MenuStyle::State state)
{
    switch (state) {
    case MenuStyle::State::kHover:
        return MenuStyle::LeafLight();
    case MenuStyle::State::kPressed:
        return MenuStyle::LeafDark();
    case MenuStyle::State::kDisabled:
        return MenuStyle::Stone();
    case MenuStyle::State::kNormal:
        break;
    }
    return MenuStyle::Leaf();
}

// A picture is stored at most this much below its shown size, where that
// halves one of its sides.
constexpr float kLeastShownShare = 0.85f;

std::uint32_t PowerOfTwoAtLeast(std::uint32_t n)
{
    std::uint32_t p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

std::uint32_t StoredSide(float units, float texelsPerUnit)
{
    return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(std::lround(units * texelsPerUnit)));
}

// The texels per unit a cell of the given size is stored at: its shown size,
// or a little less where that lets a side fit a power of two half as long.
float StoredTexelsPerUnit(float width, float height)
{
    std::vector<float> candidates = {MenuStyle::kShownTexelsPerUnit};
    for (const float side : {width, height}) {
        float p = static_cast<float>(PowerOfTwoAtLeast(StoredSide(side, MenuStyle::kShownTexelsPerUnit)) / 2);
        for (; p >= 1.0f && p / side >= MenuStyle::kShownTexelsPerUnit * kLeastShownShare; p *= 0.5f) {
            candidates.push_back(std::min(p / side, MenuStyle::kShownTexelsPerUnit));
        }
    }
    float best = candidates.front();
    std::uint64_t bestArea = ~std::uint64_t{0};
    for (const float density : candidates) {
        const std::uint64_t area = std::uint64_t{PowerOfTwoAtLeast(StoredSide(width, density))} *
                                   PowerOfTwoAtLeast(StoredSide(height, density));
        if (area < bestArea || (area == bestArea && density > best)) {
            best = density;
            bestArea = area;
        }
    }
    return best;
}

struct StoredSize
{
    std::uint32_t usedWidth;
    std::uint32_t usedHeight;
};

// The texels a cell painted at (width x height) pixels fills once stored.
StoredSize SizeToStore(std::uint32_t paintedWidth, std::uint32_t paintedHeight)
{
    const float width = static_cast<float>(paintedWidth) / MenuStyle::kTexelsPerUnit;
    const float height = static_cast<float>(paintedHeight) / MenuStyle::kTexelsPerUnit;
    const float density = StoredTexelsPerUnit(width, height);
    return {std::min(StoredSide(width, density), paintedWidth), std::min(StoredSide(height, density), paintedHeight)};
}

// Colour weighted by opacity, opacity, and the plain colour for texels no
// painted opacity reaches.
struct Sum
{
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
    float plainR = 0.0f, plainG = 0.0f, plainB = 0.0f, weight = 0.0f;

    void Add(const ArtColor& c, float w)
    {
        r += c.r * c.a * w;
        g += c.g * c.a * w;
        b += c.b * c.a * w;
        a += c.a * w;
        plainR += c.r * w;
        plainG += c.g * w;
        plainB += c.b * w;
        weight += w;
    }
    void Add(const Sum& s, float w)
    {
        r += s.r * w;
        g += s.g * w;
        b += s.b * w;
        a += s.a * w;
        plainR += s.plainR * w;
        plainG += s.plainG * w;
        plainB += s.plainB * w;
        weight += s.weight * w;
    }
    ArtColor Color() const
    {
        if (weight <= 0.0f) {
            return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
        }
        if (a > 1e-4f * weight) {
            return ArtColor{r / a, g / a, b / a, a / weight};
        }
        return ArtColor{plainR / weight, plainG / weight, plainB / weight, a / weight};
    }
};

// The source pixels an output pixel of a box filter covers, with their
// shares: output i spans [i, i + 1) x scale of the source.
template <class Visit>
void Footprint(std::uint32_t i, float scale, std::uint32_t sourceSize, Visit visit)
{
    const float from = static_cast<float>(i) * scale;
    const float to = std::min(static_cast<float>(i + 1) * scale, static_cast<float>(sourceSize));
    for (std::uint32_t s = static_cast<std::uint32_t>(from); static_cast<float>(s) < to && s < sourceSize; ++s) {
        const float share = std::min(to, static_cast<float>(s + 1)) - std::max(from, static_cast<float>(s));
        if (share > 0.0f) {
            visit(s, share);
        }
    }
}

// Shrinks the rectangle (left, top, width x height) of the painting into
// (toWidth x toHeight) at (toLeft, toTop) of the stored picture, averaging
// every painted pixel over the texel it falls in.
void Shrink(const ArtCanvas& painted, std::uint32_t top, std::uint32_t width, std::uint32_t height, ArtCanvas& stored,
            std::uint32_t toTop, std::uint32_t toWidth, std::uint32_t toHeight)
{
    const float scaleX = static_cast<float>(width) / static_cast<float>(toWidth);
    const float scaleY = static_cast<float>(height) / static_cast<float>(toHeight);
    std::vector<Sum> rows(static_cast<std::size_t>(toWidth) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < toWidth; ++x) {
            Sum& sum = rows[static_cast<std::size_t>(y) * toWidth + x];
            Footprint(x, scaleX, width, [&](std::uint32_t s, float share) { sum.Add(painted.At(s, top + y), share); });
        }
    }
    for (std::uint32_t y = 0; y < toHeight; ++y) {
        for (std::uint32_t x = 0; x < toWidth; ++x) {
            Sum sum;
            Footprint(y, scaleY, height, [&](std::uint32_t s, float share) {
                sum.Add(rows[static_cast<std::size_t>(s) * toWidth + x], share);
            });
            stored.At(x, toTop + y) = sum.Color();
        }
    }
}

// Fills the cell (rows top to top + cellHeight) outside its painting (the
// lower-left width x height) with the painting's nearest edge pixel.
void Pad(ArtCanvas& stored, std::uint32_t top, std::uint32_t cellHeight, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t firstPainted = top + cellHeight - height;
    for (std::uint32_t y = top; y < top + cellHeight; ++y) {
        const std::uint32_t from = std::max(y, firstPainted);
        for (std::uint32_t x = 0; x < stored.GetWidth(); ++x) {
            if (y != from || x >= width) {
                stored.At(x, y) = stored.At(std::min(x, width - 1), from);
            }
        }
    }
}

} // namespace

ArtColor MenuStyle::Parchment()
{
    return ArtCanvas::Rgb(0xf7ecd0);
}
ArtColor MenuStyle::ParchmentShade()
{
    return ArtCanvas::Rgb(0xe2c896);
}
ArtColor MenuStyle::Wood()
{
    return ArtCanvas::Rgb(0x9a6434);
}
ArtColor MenuStyle::WoodDark()
{
    return ArtCanvas::Rgb(0x4e2c14);
}
ArtColor MenuStyle::Honey()
{
    return ArtCanvas::Rgb(0xf2b632);
}
ArtColor MenuStyle::Leaf()
{
    return ArtCanvas::Rgb(0x5c9e34);
}
ArtColor MenuStyle::LeafLight()
{
    return ArtCanvas::Rgb(0x84c84e);
}
ArtColor MenuStyle::LeafDark()
{
    return ArtCanvas::Rgb(0x3f7422);
}
ArtColor MenuStyle::Stone()
{
    return ArtCanvas::Rgb(0x9a9a8a);
}
ArtColor MenuStyle::Sky()
{
    return ArtCanvas::Rgb(0x9ed4ec);
}

float MenuStyle::RoundedBoxDistance(float x, float y, float width, float height, float radius)
{
    radius = std::min(radius, std::min(width, height) * 0.5f);
    const float qx = std::fabs(x) - (width * 0.5f - radius);
    const float qy = std::fabs(y) - (height * 0.5f - radius);
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

ArtColor MenuStyle::Panel(float x, float y, float width, float height, float radius, float rim)
{
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    const ArtColor shadow = Shadow(RoundedBoxDistance(x - 3.0f, y + 6.0f, width, height, radius), 12.0f, 0.45f);
    if (d > 0.5f) {
        return shadow;
    }
    const float grain = ArtCanvas::Noise(x * 0.04f, y * 0.04f, kGrainSeed) * 0.6f +
                        ArtCanvas::Noise(x * 0.15f, y * 0.15f, kGrainSeed + 1) * 0.4f;
    ArtColor face;
    if (d < -rim) {
        // Parchment, darker toward the rim and a touch lighter at the top.
        const float inner = ArtCanvas::SmoothStep(-rim - 40.0f, -rim, d);
        face = ArtCanvas::Mix(Parchment(), ParchmentShade(), 0.25f + 0.55f * inner + 0.2f * grain);
        face = ArtCanvas::Scale(face, 1.0f + 0.04f * y / std::max(height, 1.0f));
        // A thin inked line just inside the frame.
        const float line = 1.0f - ArtCanvas::SmoothStep(0.6f, 1.6f, std::fabs(d + rim + 7.0f));
        face = ArtCanvas::Mix(face, Wood(), 0.55f * line);
    } else {
        // Carved wood: grain along the edge, lit on its outer upper side.
        const float across = (d + rim) / std::max(rim, 1.0f);
        const float wave = 0.5f + 0.5f * std::sin(across * 3.14159f);
        const float woodGrain = ArtCanvas::Noise(x * 0.02f + y * 0.3f, y * 0.02f - x * 0.3f, kGrainSeed + 2);
        face = ArtCanvas::Scale(Wood(), 0.7f + 0.35f * wave + 0.2f * woodGrain);
        const float edge = ArtCanvas::SmoothStep(-1.5f, 0.0f, d) + 1.0f - ArtCanvas::SmoothStep(-rim, -rim + 1.5f, d);
        face = ArtCanvas::Mix(face, WoodDark(), 0.7f * ArtCanvas::Clamp01(edge));
        const float lit = ArtCanvas::Clamp01(y / std::max(height * 0.5f, 1.0f));
        face = ArtCanvas::Mix(face, Honey(), 0.25f * lit * wave);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuStyle::Button(float x, float y, float width, float height, State state)
{
    const float radius = height * 0.5f;
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    const float shadowDrop = state == State::kPressed ? 1.0f : 4.0f;
    const ArtColor shadow = Shadow(RoundedBoxDistance(x, y + shadowDrop, width, height, radius), 6.0f, 0.5f);
    if (d > 0.5f) {
        return shadow;
    }
    const float t = ArtCanvas::Clamp01(0.5f + y / std::max(height, 1.0f));
    ArtColor face = ArtCanvas::Scale(StateColor(state), 0.78f + 0.4f * t);
    // A glossy band over the upper half, narrower than the face.
    const float gloss = RoundedBoxDistance(x, y - height * 0.22f, width - height * 0.5f, height * 0.42f, height * 0.2f);
    face = ArtCanvas::Mix(face, ArtColor{1.0f, 1.0f, 0.95f, 1.0f}, 0.32f * Coverage(gloss) * t);
    // Dark outline and, for the pointer's button, a honey glow inside it.
    const float outline = ArtCanvas::SmoothStep(-3.0f, -1.5f, d);
    face = ArtCanvas::Mix(face, WoodDark(), 0.85f * outline);
    if (state == State::kHover) {
        const float glow = 1.0f - ArtCanvas::SmoothStep(2.0f, 6.0f, std::fabs(d + 4.5f));
        face = ArtCanvas::Mix(face, Honey(), 0.6f * glow);
    }
    return ArtCanvas::Over(ArtCanvas::WithAlpha(face, Coverage(d)), shadow);
}

ArtColor MenuStyle::Field(float x, float y, float width, float height, const ArtColor& face)
{
    const float radius = std::min(height * 0.5f, 14.0f);
    const float d = RoundedBoxDistance(x, y, width, height, radius);
    if (d > 0.5f) {
        return ArtColor{0.0f, 0.0f, 0.0f, 0.0f};
    }
    // Sunk: the upper inside edge in shade, the lower one catching light.
    const float inner = RoundedBoxDistance(x, y + 3.0f, width, height, radius);
    ArtColor color = ArtCanvas::Mix(face, WoodDark(), 0.45f * ArtCanvas::SmoothStep(-6.0f, 0.0f, inner));
    color = ArtCanvas::Mix(color, WoodDark(), 0.9f * ArtCanvas::SmoothStep(-2.5f, -1.0f, d));
    return ArtCanvas::WithAlpha(color, Coverage(d));
}

std::uint32_t MenuStyle::PixelsFor(float units)
{
    return std::max<std::uint32_t>(4, static_cast<std::uint32_t>(std::lround(units * kTexelsPerUnit)));
}

MenuStyle::StoredPicture MenuStyle::StorePicture(const ArtCanvas& painted, std::uint32_t cells)
{
    cells = std::max<std::uint32_t>(cells, 1);
    const std::uint32_t paintedHeight = std::max<std::uint32_t>(painted.GetHeight() / cells, 1);
    const StoredSize size = SizeToStore(painted.GetWidth(), paintedHeight);
    const std::uint32_t usedWidth = size.usedWidth;
    const std::uint32_t usedHeight = size.usedHeight;
    const std::uint32_t cellHeight = PowerOfTwoAtLeast(usedHeight);
    StoredPicture stored{ArtCanvas(PowerOfTwoAtLeast(usedWidth), cellHeight * cells), 0.0f, 0.0f};
    for (std::uint32_t cell = 0; cell < cells; ++cell) {
        // Each cell's painting sits on the cell's lower-left corner, where
        // texture coordinates start.
        const std::uint32_t top = cell * cellHeight;
        Shrink(painted, cell * paintedHeight, painted.GetWidth(), paintedHeight, stored.canvas,
               top + cellHeight - usedHeight, usedWidth, usedHeight);
        Pad(stored.canvas, top, cellHeight, usedWidth, usedHeight);
    }
    stored.usedU = static_cast<float>(usedWidth) / static_cast<float>(stored.canvas.GetWidth());
    stored.usedV = static_cast<float>(usedHeight) / static_cast<float>(cellHeight);
    return stored;
}

void MenuStyle::GetStoredShare(std::uint32_t paintedWidth, std::uint32_t paintedHeight, float& usedU, float& usedV)
{
    const StoredSize size = SizeToStore(paintedWidth, paintedHeight);
    usedU = static_cast<float>(size.usedWidth) / static_cast<float>(PowerOfTwoAtLeast(size.usedWidth));
    usedV = static_cast<float>(size.usedHeight) / static_cast<float>(PowerOfTwoAtLeast(size.usedHeight));
}

ArtMesh MenuStyle::ScaleTextureCoordinates(const ArtMesh& mesh, float uScale, float vScale)
{
    ArtMesh scaled;
    for (const auto& vertex : mesh.GetVertices()) {
        scaled.AddVertex(vertex.position, vertex.u * uScale, vertex.v * vScale, vertex.normal);
    }
    const std::vector<std::uint32_t>& indices = mesh.GetIndices();
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        scaled.AddTriangle(indices[i], indices[i + 1], indices[i + 2]);
    }
    return scaled;
}

ArtMesh MenuStyle::Quad(float left, float bottom, float width, float height, float u0, float v0, float u1, float v1)
{
    ArtMesh mesh;
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    const std::uint32_t a = mesh.AddVertex(Vector3(left, bottom, 0.0f), u0, v0, normal);
    const std::uint32_t b = mesh.AddVertex(Vector3(left + width, bottom, 0.0f), u1, v0, normal);
    const std::uint32_t c = mesh.AddVertex(Vector3(left + width, bottom + height, 0.0f), u1, v1, normal);
    const std::uint32_t d = mesh.AddVertex(Vector3(left, bottom + height, 0.0f), u0, v1, normal);
    mesh.AddQuad(a, b, c, d);
    return mesh;
}

std::vector<std::uint8_t> MenuStyle::BuildGuiModel(const std::vector<ArtMesh>& frames, float framesPerSecond)
{
    return ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kGuiFlags, framesPerSecond));
}

std::vector<std::vector<std::uint8_t>> MenuStyle::BuildTexturedModel(const std::vector<ArtMesh>& frames,
                                                                     float framesPerSecond, const ArtCanvas& canvas,
                                                                     const std::string& texture)
{
    const StoredPicture stored = StorePicture(canvas);
    std::vector<ArtMesh> placed;
    for (const ArtMesh& frame : frames) {
        placed.push_back(ScaleTextureCoordinates(frame, stored.usedU, stored.usedV));
    }
    return {BuildGuiModel(placed, framesPerSecond),
            ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg"), stored.canvas.BuildColorJpeg(),
            stored.canvas.BuildAlphaJpeg()};
}

std::vector<std::string> MenuStyle::TexturedModelPaths(const std::string& stem, const std::string& texture)
{
    return {"data\\" + stem + ".mlf", "data\\" + stem + ".srf", "data\\" + texture + ".jpg",
            "data\\" + texture + "_alpha.jpg"};
}

} // namespace Content
