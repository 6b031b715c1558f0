#include "content/CharacterArt.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/ShaderFileWriter.h"

namespace Content {

using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "character art 4";
constexpr float kPi = 3.14159265358979f;
constexpr std::uint32_t kCell = 128;
constexpr std::uint32_t kGrid = 16;
constexpr const char* kFolder = "ui\\menus\\character\\";
// The wings beat through this many pictures, over and over.
constexpr std::uint32_t kWingPhases = 4;
// The figure fills its picture: below 1 draws it larger.
constexpr float kFigureZoom = 0.86f;
// The little hop before leaving and during the turn, in GUI units.
constexpr float kHop = 9.0f;
// The bubble's corners keep this size as it widens; the picture's corner
// quarter spans them, so its texels are laid out in corner units here.
constexpr float kBubbleCorner = 16.0f;
constexpr std::uint32_t kBubbleTexels = 128;
// Where the rim colour lies in the bubble's picture (its middle column).
constexpr float kRimV = 0.047f;

struct Face
{
    float eyeOpen = 1.0f;   // 0 closed
    bool happyEyes = false; // closed eyes drawn as arches
    bool wink = false;
    bool stars = false;
    float lookX = 0.0f;
    float lookY = 0.0f;
    float smile = 0.4f; // mouth curve, -1 to 1
    float mouthOpen = 0.0f;
    float blush = 0.2f;
};

float Blink(float t, float at)
{
    const float d = std::fabs(t - at);
    return d < 0.08f ? d / 0.08f : 1.0f;
}

Face FaceOf(std::uint32_t frame)
{
    Face face;
    const float f = static_cast<float>(frame);
    const auto within = [&](float first, float last) { return (f - first) / (last - first); };
    const float talk = 0.5f + 0.5f * std::sin(f * 1.7f);
    if (frame < 10) { // glancing about while moving
        face.lookX = -0.7f + 1.4f * within(0, 9);
        face.smile = 0.3f;
    } else if (frame < 16) { // "whee!"
        face.mouthOpen = 0.6f + 0.2f * std::sin(f);
        face.smile = 0.8f;
        face.lookY = 0.3f;
    } else if (frame < 27) { // arriving: a blink into a smile
        const float t = within(16, 26);
        face.eyeOpen = Blink(t, 0.5f);
        face.smile = 0.3f + 0.5f * t;
    } else if (frame < 49) { // praise: a wink
        const float t = within(27, 48);
        face.wink = t > 0.2f && t < 0.8f;
        face.smile = 0.9f;
        face.mouthOpen = 0.25f;
        face.blush = 0.7f;
    } else if (frame < 57) {
        face.smile = 0.6f;
        face.lookY = -0.2f;
    } else if (frame < 64) {
        face.eyeOpen = Blink(within(57, 63), 0.5f);
        face.smile = 0.6f;
    } else if (frame < 71) { // surprise
        face.mouthOpen = 0.5f;
        face.smile = 0.0f;
        face.eyeOpen = 1.15f;
    } else if (frame < 79) { // thinking
        face.lookX = 0.5f;
        face.lookY = 0.6f;
        face.smile = 0.1f;
    } else if (frame < 115) { // praise: laughing
        face.happyEyes = true;
        face.eyeOpen = 0.0f;
        face.smile = 1.0f;
        face.mouthOpen = 0.4f + 0.4f * talk;
        face.blush = 0.8f;
    } else if (frame < 181) { // talking
        face.mouthOpen = 0.15f + 0.45f * talk;
        face.smile = 0.5f;
        face.eyeOpen = Blink(within(115, 180), frame < 145 ? 0.3f : 0.7f);
    } else if (frame < 218) { // praise: star-struck
        face.stars = true;
        face.smile = 1.0f;
        face.mouthOpen = 0.7f;
        face.blush = 0.9f;
    } else { // the neutral loop: a gentle smile and one blink
        face.smile = 0.45f;
        face.eyeOpen = Blink(within(218, 255), 0.6f);
        face.lookX = 0.1f * std::sin(within(218, 255) * 2.0f * kPi);
    }
    return face;
}

float Step(float value, float step)
{
    return std::round(value / step) * step;
}

Face Quantize(Face face)
{
    face.eyeOpen = Step(face.eyeOpen, 0.25f);
    face.lookX = Step(face.lookX, 0.2f);
    face.lookY = Step(face.lookY, 0.2f);
    face.smile = Step(face.smile, 0.1f);
    face.mouthOpen = Step(face.mouthOpen, 0.15f);
    face.blush = Step(face.blush, 0.1f);
    return face;
}

std::vector<int> KeyOf(const Face& face, std::uint32_t frame)
{
    return {static_cast<int>(std::lround(face.eyeOpen * 100.0f)),
            face.happyEyes,
            face.wink,
            face.stars,
            static_cast<int>(std::lround(face.lookX * 100.0f)),
            static_cast<int>(std::lround(face.lookY * 100.0f)),
            static_cast<int>(std::lround(face.smile * 100.0f)),
            static_cast<int>(std::lround(face.mouthOpen * 100.0f)),
            static_cast<int>(std::lround(face.blush * 100.0f)),
            static_cast<int>(frame % kWingPhases)};
}

float Ellipse(float x, float y, float cx, float cy, float rx, float ry)
{
    const float dx = (x - cx) / rx;
    const float dy = (y - cy) / ry;
    return std::sqrt(dx * dx + dy * dy);
}

float Star(float x, float y, float cx, float cy, float r)
{
    const float a = std::atan2(y - cy, x - cx);
    const float reach = r * (0.55f + 0.45f * std::pow(std::fabs(std::cos(a * 2.5f)), 3.0f));
    return std::hypot(x - cx, y - cy) / reach;
}

// The parts of one picture of the figure; x and y run -1 to 1 over the
// frame, y up. The body and wings change only with the wing beat, the face
// with the expression, so the face is painted over a copy of the body.
struct Painter
{
    ArtColor color{0.0f, 0.0f, 0.0f, 0.0f};
    void Over(const ArtColor& top, float amount)
    {
        const float a = ArtCanvas::Clamp01(amount) * top.a;
        color = ArtColor{top.r * a + color.r * (1.0f - a), top.g * a + color.g * (1.0f - a),
                         top.b * a + color.b * (1.0f - a), a + color.a * (1.0f - a)};
    }
};

const ArtColor kOutline = ArtCanvas::Rgb(0x3a2414);
constexpr float kEdge = 0.025f;
// Where PaintFace can change a picture.
constexpr float kFaceLeft = -0.5f;
constexpr float kFaceRight = 0.5f;
constexpr float kFaceBottom = -0.32f;
constexpr float kFaceTop = 0.42f;

ArtColor PaintBody(float x, float y, std::uint32_t frame)
{
    Painter painter;
    const auto over = [&](const ArtColor& top, float amount) { painter.Over(top, amount); };
    const ArtColor& outline = kOutline;
    const float aa = kEdge;
    // Wings behind the body, beating.
    const float beat = 0.12f * std::sin(static_cast<float>(frame % kWingPhases) * 2.0f * kPi / kWingPhases);
    for (int side = -1; side <= 1; side += 2) {
        const float sx = static_cast<float>(side);
        const float w = Ellipse(x, y, sx * (0.5f + beat * 0.3f), 0.55f + beat, 0.3f, 0.22f);
        over(ArtColor{0.82f, 0.93f, 1.0f, 0.75f}, (1.0f - w) / aa);
        over(ArtColor{0.45f, 0.6f, 0.75f, 0.8f}, (1.0f - w) / aa * ArtCanvas::SmoothStep(0.85f, 0.98f, w));
        // Antennae with round tips.
        const float ax = sx * (0.12f + 0.18f * (y - 0.52f) / 0.26f);
        if (y > 0.52f && y < 0.78f && std::fabs(x - ax) < 0.022f) {
            over(outline, 1.0f);
        }
        over(outline, (0.055f - std::hypot(x - sx * 0.3f, y - 0.78f)) / 0.01f);
    }
    // The body: a plump bee with a gardener's green scarf.
    const float body = Ellipse(x, y, 0.0f, -0.1f, 0.62f, 0.66f);
    if (body < 1.0f + aa * 2.0f) {
        ArtColor fur = ArtCanvas::Rgb(0xffc83a);
        const float stripe = std::sin((y + 0.1f) * 11.0f);
        if (y < -0.28f && stripe > 0.2f) {
            fur = ArtCanvas::Rgb(0x5a3a1e);
        }
        if (std::fabs(y + 0.24f + 0.06f * x * x) < 0.06f) {
            fur = ArtCanvas::Rgb(0x5aa848); // scarf
        }
        // Soft light from the upper left.
        const float light = 1.05f - 0.35f * ArtCanvas::SmoothStep(0.2f, 1.0f, Ellipse(x, y, -0.22f, 0.15f, 0.7f, 0.7f));
        fur = ArtCanvas::Scale(fur, light);
        over(fur, (1.0f - body) / aa);
        over(outline, (1.0f - body) / aa * ArtCanvas::SmoothStep(0.93f, 0.97f, body));
    }
    return painter.color;
}

ArtColor PaintFace(float x, float y, const Face& face, const ArtColor& under)
{
    Painter painter;
    painter.color = under;
    const auto over = [&](const ArtColor& top, float amount) { painter.Over(top, amount); };
    const ArtColor& outline = kOutline;
    // Cheeks.
    for (int side = -1; side <= 1; side += 2) {
        const float c = Ellipse(x, y, static_cast<float>(side) * 0.36f, 0.02f, 0.11f, 0.07f);
        over(ArtColor{1.0f, 0.5f, 0.45f, face.blush * 0.6f}, (1.0f - c) / 0.2f);
    }
    // Eyes.
    for (int side = -1; side <= 1; side += 2) {
        const float sx = static_cast<float>(side);
        const float ex = sx * 0.2f;
        const float ey = 0.22f;
        const bool closed = face.eyeOpen < 0.15f || (face.wink && side > 0);
        if (closed) {
            // An arch for a happy closed eye, a line otherwise.
            const float curve = face.happyEyes || face.wink ? 0.09f * (1.0f - std::pow((x - ex) / 0.1f, 2.0f)) : 0.0f;
            if (std::fabs(x - ex) < 0.1f && std::fabs(y - ey - curve + 0.02f) < 0.022f) {
                over(outline, 1.0f);
            }
            continue;
        }
        const float open = std::min(face.eyeOpen, 1.2f);
        const float white = Ellipse(x, y, ex, ey, 0.1f, 0.13f * open);
        over(ArtColor{1.0f, 1.0f, 1.0f, 1.0f}, (1.0f - white) / 0.06f);
        over(outline, (1.0f - white) / 0.06f * ArtCanvas::SmoothStep(0.8f, 0.95f, white));
        const float px = ex + face.lookX * 0.035f;
        const float py = ey + face.lookY * 0.04f - 0.01f;
        if (face.stars) {
            over(ArtCanvas::Rgb(0xf0a020), (1.0f - Star(x, y, px, py, 0.085f)) / 0.08f);
        } else {
            over(ArtCanvas::Rgb(0x2a1a10), (1.0f - Ellipse(x, y, px, py, 0.055f, 0.07f * std::min(open, 1.0f))) / 0.1f);
            over(ArtColor{1.0f, 1.0f, 1.0f, 1.0f},
                 (1.0f - Ellipse(x, y, px - 0.02f, py + 0.025f, 0.018f, 0.018f)) / 0.2f);
        }
    }
    // Mouth: the smile's curve, opened into a dark red mouth by mouthOpen.
    const float mx = x;
    const float width = 0.16f + 0.05f * face.smile;
    if (std::fabs(mx) < width) {
        const float s = mx / width;
        const float upper = -0.07f - face.smile * 0.09f * (1.0f - s * s) + 0.03f;
        const float lower = upper - face.mouthOpen * 0.14f * std::sqrt(std::max(0.0f, 1.0f - s * s));
        if (face.mouthOpen > 0.05f && y < upper && y > lower) {
            over(y < lower + 0.04f ? ArtCanvas::Rgb(0xe86a6a) : ArtCanvas::Rgb(0x6a1e1e), 1.0f);
        }
        if (std::fabs(y - upper) < 0.018f || (face.mouthOpen > 0.05f && std::fabs(y - lower) < 0.018f)) {
            over(outline, 1.0f);
        }
    }
    return painter.color;
}

// A quad of 3 x 3 vertices over the figure, placed and squashed per frame.
ArtMesh BodyFrame(std::uint32_t frame)
{
    const float f = static_cast<float>(frame);
    const float off = 240.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    float scaleX = 1.0f;
    float squash = 0.0f;
    const auto backOut = [](float t) {
        const float s = 1.7f;
        t -= 1.0f;
        return t * t * ((s + 1.0f) * t + s) + 1.0f;
    };
    const auto easeIn = [](float t) { return t * t; };
    if (frame <= 47) {
        dy = -off * (1.0f - backOut(std::min(1.0f, f / 40.0f)));
        squash = frame > 38 ? 0.06f * std::sin((f - 38.0f) / 9.0f * kPi) : 0.0f;
    } else if (frame <= 49) {
        squash = 0.01f * (f - 47.0f);
    } else if (frame <= 96) {
        const float t = (f - 49.0f) / 47.0f;
        dy = t < 0.2f ? kHop * std::sin(t / 0.2f * kPi * 0.5f) : kHop - (off + kHop) * easeIn((t - 0.2f) / 0.8f);
    } else if (frame <= 144) {
        dx = -off * 1.2f * (1.0f - backOut(std::min(1.0f, (f - 97.0f) / 40.0f)));
    } else if (frame <= 146) {
        squash = 0.01f * (f - 144.0f);
    } else if (frame <= 193) {
        dx = -off * 1.2f * easeIn(std::min(1.0f, (f - 146.0f) / 46.0f));
    } else {
        const float t = (f - 194.0f) / 58.0f;
        scaleX = std::cos(2.0f * kPi * t);
        // Never quite edge-on, so that the turn shows the figure throughout.
        if (std::fabs(scaleX) < 0.08f) {
            scaleX = scaleX < 0.0f ? -0.08f : 0.08f;
        }
        dy = kHop * std::sin(kPi * t);
    }
    // The board's ranges end at 96, the menus' at 193; the turn flies from
    // the board's place to the menus'.
    float toMenus = frame > 96 ? 1.0f : 0.0f;
    if (frame >= 194) {
        const float t = (f - 194.0f) / 58.0f;
        toMenus = t * t * (3.0f - 2.0f * t);
    }
    const float centreX =
        CharacterArt::kPlayCentreX + (CharacterArt::kMenuCentreX - CharacterArt::kPlayCentreX) * toMenus;
    const float centreY =
        CharacterArt::kPlayCentreY + (CharacterArt::kMenuCentreY - CharacterArt::kPlayCentreY) * toMenus;
    const float h = CharacterArt::kPlayHalfSize + (CharacterArt::kMenuHalfSize - CharacterArt::kPlayHalfSize) * toMenus;
    ArtMesh mesh;
    mesh.AddGrid(
        2, 2,
        [&](float s, float t) {
            const float x = (s * 2.0f - 1.0f) * h * scaleX * (1.0f + squash);
            const float y = (t * 2.0f - 1.0f) * h * (1.0f - squash) - h * squash;
            return Vector3(centreX + dx + x, centreY + dy + y, 0.0f);
        },
        [](float s, float t) { return std::make_pair(s, t); });
    mesh.ComputeNormals();
    return mesh;
}

// A speech bubble of n lines: a rounded box in nine parts, so that its
// corners keep their shape as it widens to the right, hanging from its top
// (the lines below the first take room downward), and a tail from its left
// side near the top toward the figure. A lone vertex as far right of the box
// as the tail reaches left is drawn by no triangle: it keeps the model's box
// centred on the bubble, where the game centres the lines, and its height the
// box's.
ArtMesh BubbleFrame(std::uint32_t lines, std::uint32_t frame)
{
    const float t = static_cast<float>(frame) / static_cast<float>(CharacterArt::kBubbleFrameCount - 1);
    const float width =
        CharacterArt::kBubbleStartWidth +
        (CharacterArt::kBubbleMaxWidth - 2.0f * CharacterArt::kBubbleTail - CharacterArt::kBubbleStartWidth) * t;
    const float height = CharacterArt::GetBubbleHeight(lines);
    const float left = CharacterArt::kBubbleLeft;
    const float bottom = CharacterArt::kBubbleTop - height;
    const float corner = kBubbleCorner;
    const float xs[4] = {0.0f, corner, width - corner, width};
    const float ys[4] = {0.0f, corner, height - corner, height};
    const float uvs[4] = {0.0f, 0.25f, 0.75f, 1.0f};
    ArtMesh mesh;
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            mesh.AddVertex(Vector3(left + xs[i], bottom + ys[j], 0.0f), uvs[i], uvs[j], normal);
        }
    }
    for (std::uint32_t j = 0; j < 3; ++j) {
        for (std::uint32_t i = 0; i < 3; ++i) {
            const std::uint32_t a = j * 4 + i;
            mesh.AddQuad(a, a + 1, a + 5, a + 4);
        }
    }
    // The tail: a rim-coloured triangle, then the fill over the rim where the
    // tail meets the box, so that the two read as one shape. Heights count
    // down from the box's top; the tip points a little upward.
    const auto triangle = [&](float baseHigh, float baseLow, float baseX, float tipX, float tipY, float v) {
        const float top = bottom + height;
        const std::uint32_t a = mesh.AddVertex(Vector3(left + baseX, top - baseLow, 0.0f), 0.5f, v, normal);
        const std::uint32_t b = mesh.AddVertex(Vector3(left + baseX, top - baseHigh, 0.0f), 0.5f, v, normal);
        const std::uint32_t c = mesh.AddVertex(Vector3(left + tipX, top - tipY, 0.0f), 0.5f, v, normal);
        mesh.AddTriangle(a, c, b);
    };
    const float tail = CharacterArt::kBubbleTail;
    triangle(12.0f, 32.0f, 1.0f, -tail, 4.0f, kRimV);
    triangle(16.0f, 28.0f, 5.0f, 3.0f - tail, 7.5f, 0.5f);
    mesh.AddVertex(Vector3(left + width + tail, bottom + height * 0.5f, 0.0f), 0.5f, 0.5f, normal);
    return mesh;
}

std::string Texture(const std::string& name)
{
    return std::string("ui\\menus\\textures\\") + name;
}

} // namespace

std::vector<std::string> CharacterArt::GetPaths()
{
    std::vector<std::string> paths = {std::string("data\\") + kFolder + "character.mlf",
                                      std::string("data\\") + kFolder + "character.srf"};
    for (int n = 1; n <= 4; ++n) {
        paths.push_back(std::string("data\\") + kFolder + "text_size" + std::to_string(n) + ".mlf");
        paths.push_back(std::string("data\\") + kFolder + "text_size" + std::to_string(n) + ".srf");
    }
    paths.push_back("data\\" + Texture("character_color.jpg"));
    paths.push_back("data\\" + Texture("character_alpha.jpg"));
    paths.push_back("data\\" + Texture("speech_bubble.jpg"));
    paths.push_back("data\\" + Texture("speech_bubble_alpha.jpg"));
    return paths;
}

std::vector<std::vector<std::uint8_t>> CharacterArt::Make()
{
    std::vector<std::vector<std::uint8_t>> outputs;
    std::vector<ArtMesh> body;
    for (std::uint32_t f = 0; f < kBodyFrameCount; ++f) {
        body.push_back(BodyFrame(f));
    }
    outputs.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(body, ArtMesh::kGuiFlags, 18.0f)));
    ShaderFileWriter atlas;
    ShaderFileWriter::Stage stage;
    stage.animationMode = 1;
    stage.frameCount = kFaceFrameCount;
    stage.columns = kGrid;
    stage.rows = kGrid;
    stage.diffuseFileName = Texture("character_color.jpg");
    stage.opacityFileName = Texture("character_alpha.jpg");
    atlas.AddStage(stage);
    atlas.SetFlags(1);
    atlas.SetBlendFactors(4, 5);
    outputs.push_back(atlas.Build().GetBytes());
    for (std::uint32_t n = 1; n <= 4; ++n) {
        std::vector<ArtMesh> frames;
        for (std::uint32_t f = 0; f < kBubbleFrameCount; ++f) {
            frames.push_back(BubbleFrame(n, f));
        }
        outputs.push_back(ArtMesh::BuildModel(ArtMesh::MakeModel(frames, ArtMesh::kGuiFlags, 25.0f)));
        outputs.push_back(
            ArtMesh::BuildTextureShader(Texture("speech_bubble.jpg"), Texture("speech_bubble_alpha.jpg")));
    }
    // Frames that come out alike are painted once and copied.
    std::vector<ArtCanvas> bodies;
    for (std::uint32_t phase = 0; phase < kWingPhases; ++phase) {
        bodies.emplace_back(kCell, kCell);
        bodies.back().Paint([phase](float u, float v) {
            return PaintBody((u * 2.0f - 1.0f) * kFigureZoom, (v * 2.0f - 1.0f) * kFigureZoom, phase);
        });
    }
    ArtCanvas faces(kCell * kGrid, kCell * kGrid);
    std::map<std::vector<int>, std::uint32_t> painted;
    for (std::uint32_t frame = 0; frame < kFaceFrameCount; ++frame) {
        const Face face = Quantize(FaceOf(frame));
        const std::uint32_t left = (frame % kGrid) * kCell;
        const std::uint32_t top = (frame / kGrid) * kCell;
        const std::vector<int> key = KeyOf(face, frame);
        const auto found = painted.find(key);
        if (found != painted.end()) {
            const std::uint32_t fromLeft = (found->second % kGrid) * kCell;
            const std::uint32_t fromTop = (found->second / kGrid) * kCell;
            for (std::uint32_t y = 0; y < kCell; ++y) {
                for (std::uint32_t x = 0; x < kCell; ++x) {
                    faces.At(left + x, top + y) = faces.At(fromLeft + x, fromTop + y);
                }
            }
            continue;
        }
        painted.emplace(key, frame);
        const ArtCanvas& body = bodies[frame % kWingPhases];
        for (std::uint32_t y = 0; y < kCell; ++y) {
            const float fy = (1.0f - (static_cast<float>(y) + 0.5f) / kCell) * 2.0f - 1.0f;
            for (std::uint32_t x = 0; x < kCell; ++x) {
                const float fx = ((static_cast<float>(x) + 0.5f) / kCell) * 2.0f - 1.0f;
                const float px = fx * kFigureZoom;
                const float py = fy * kFigureZoom;
                const bool inFace = px > kFaceLeft && px < kFaceRight && py > kFaceBottom && py < kFaceTop;
                faces.At(left + x, top + y) = inFace ? PaintFace(px, py, face, body.At(x, y)) : body.At(x, y);
            }
        }
    }
    outputs.push_back(faces.BuildColorJpeg());
    outputs.push_back(faces.BuildAlphaJpeg());
    // The bubble: dark leaf green under the white text, with a cream rim. d
    // runs 0 inside to kBubbleCorner at the picture's edge, in GUI units.
    ArtCanvas bubble(kBubbleTexels, kBubbleTexels);
    bubble.Paint([](float u, float v) {
        const float half = 2.0f * kBubbleCorner;
        const float x = std::max(0.0f, std::fabs(u - 0.5f) * 2.0f * half - kBubbleCorner);
        const float y = std::max(0.0f, std::fabs(v - 0.5f) * 2.0f * half - kBubbleCorner);
        const float d = std::hypot(x, y);
        const float inside = 1.0f - ArtCanvas::SmoothStep(14.6f, 15.4f, d);
        const float rim = ArtCanvas::SmoothStep(11.6f, 12.4f, d);
        const ArtColor fill = ArtCanvas::Mix(ArtCanvas::Rgb(0x2f4a26), ArtCanvas::Rgb(0x223819), 1.0f - v);
        ArtColor c = ArtCanvas::Mix(fill, ArtCanvas::Rgb(0xf4ead0), rim);
        c.a = inside * (0.95f + 0.05f * rim);
        return c;
    });
    outputs.push_back(bubble.BuildColorJpeg());
    outputs.push_back(bubble.BuildAlphaJpeg());
    return outputs;
}

void CharacterArt::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe recipe;
    recipe.origin = "character art";
    recipe.packPaths = GetPaths();
    recipe.parameters = kRecipeVersion;
    recipe.make = []() { return Make(); };
    builder.Add(std::move(recipe));
}

} // namespace Content
