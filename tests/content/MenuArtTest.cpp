// The stage map's tokens, the pointer and its click as the builder leaves them
// under <build>/dataset/: six frames a token, each on its own cell, its five
// states unlike each other; a landscape whose stages differ; the campaign's
// places apart from each other inside the map; a 64 x 64 pointer
// pointing from its top-left pixel; one burst a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "content/CampaignGenerator.h"
#include "content/MapFileWriter.h"
#include "content/MapLandscape.h"
#include "content/MenuLayout.h"
#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"
#include "engine/render/JpegCodec.h"
#include "engine/scene/ModelFile.h"
#include "engine/scene/ParticleFile.h"

using OrrelayEngine::ModelFile;

namespace {

const char* const kTokens[] = {"start", "finish", "check_point", "path", "path_check_point"};

std::vector<std::uint8_t> ReadBuilt(std::string packPath)
{
    std::replace(packPath.begin(), packPath.end(), '\\', '/');
    std::ifstream in(QUILLORY_BUILD_DIR "/dataset/" + packPath, std::ios::binary);
    EXPECT_TRUE(in.good()) << packPath;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class Reader>
void ReadWith(const std::string& packPath, Reader read)
{
    const std::vector<std::uint8_t> bytes = ReadBuilt(packPath);
    OrrelayEngine::FileBinary file(nullptr, packPath, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    read(file);
}

ModelFile ReadToken(const std::string& name)
{
    ModelFile model;
    const std::string path = "data\\ui\\menus\\map\\models\\" + name + ".mlf";
    ReadWith(path, [&](OrrelayEngine::FileBinary& file) { model.Read(file, path, 0); });
    return model;
}

// A picture and the rectangle of it a model's frame covers, read as colours
// 0 to 1 with the opacity beside them.
struct Picture
{
    OrrelayEngine::Image color;
    OrrelayEngine::Image alpha;

    explicit Picture(const std::string& texture)
    {
        for (auto [path, image] : {std::pair{texture + ".jpg", &color}, std::pair{texture + "_alpha.jpg", &alpha}}) {
            ReadWith(path, [&, p = path, i = image](OrrelayEngine::FileBinary& file) {
                OrrelayEngine::JpegCodec::Read(nullptr, file, p, *i);
            });
        }
    }
    // (u, v) from the lower left; red, green, blue and opacity.
    std::array<float, 4> At(float u, float v) const
    {
        const std::uint32_t w = color.GetWidth();
        const std::uint32_t h = color.GetHeight();
        const auto x = std::min(static_cast<std::uint32_t>(u * static_cast<float>(w)), w - 1);
        const auto y = std::min(static_cast<std::uint32_t>(v * static_cast<float>(h)), h - 1);
        const std::uint8_t* c = color.GetData() + (static_cast<std::size_t>(y) * w + x) * 3;
        const std::uint8_t a = alpha.GetData()[static_cast<std::size_t>(y) * w + x];
        return {c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, a / 255.0f};
    }
};

struct UvRect
{
    float u0 = 1e9f, v0 = 1e9f, u1 = -1e9f, v1 = -1e9f;
};

UvRect FrameUv(const ModelFile& model, std::uint32_t frame)
{
    UvRect r;
    for (std::uint32_t i = 0; i < model.vertexCount; ++i) {
        const ModelFile::Vertex& vertex = model.vertices[frame * model.vertexCount + i];
        r.u0 = std::min(r.u0, vertex.u), r.u1 = std::max(r.u1, vertex.u);
        r.v0 = std::min(r.v0, vertex.v), r.v1 = std::max(r.v1, vertex.v);
    }
    return r;
}

} // namespace

TEST(MenuArt, MapTokensShowEachStateAndTheShadowOnItsOwnCell)
{
    for (const char* name : kTokens) {
        SCOPED_TRACE(name);
        const ModelFile model = ReadToken(name);
        ASSERT_EQ(model.frameCount, 6u);
        ASSERT_GT(model.vertexCount, 0u);
        for (std::uint32_t a = 0; a < model.frameCount; ++a) {
            for (std::uint32_t b = a + 1; b < model.frameCount; ++b) {
                const ModelFile::Vertex& first = model.vertices[a * model.vertexCount];
                const ModelFile::Vertex& second = model.vertices[b * model.vertexCount];
                EXPECT_TRUE(first.u != second.u || first.v != second.v) << "frames " << a << " and " << b;
            }
        }
    }
}

// Ahead, passed, under the pointer, chosen and locked: a player tells each
// from every other at a glance, pixel by pixel, not by a shade alone.
TEST(MenuArt, MapTokenStatesLookApart)
{
    constexpr std::uint32_t kStates = 5;
    constexpr int kSamples = 32;
    for (const char* name : kTokens) {
        SCOPED_TRACE(name);
        const ModelFile model = ReadToken(name);
        const Picture picture(std::string("data\\ui\\menus\\map\\textures\\") + name);
        for (std::uint32_t a = 0; a < kStates; ++a) {
            for (std::uint32_t b = a + 1; b < kStates; ++b) {
                const UvRect ra = FrameUv(model, a);
                const UvRect rb = FrameUv(model, b);
                float difference = 0.0f;
                for (int j = 0; j < kSamples; ++j) {
                    for (int i = 0; i < kSamples; ++i) {
                        const float s = (i + 0.5f) / kSamples;
                        const float t = (j + 0.5f) / kSamples;
                        const auto pa = picture.At(ra.u0 + (ra.u1 - ra.u0) * s, ra.v0 + (ra.v1 - ra.v0) * t);
                        const auto pb = picture.At(rb.u0 + (rb.u1 - rb.u0) * s, rb.v0 + (rb.v1 - rb.v0) * t);
                        for (int k = 0; k < 3; ++k)
                            difference += std::fabs(pa[k] * pa[3] - pb[k] * pb[3]);
                    }
                }
                EXPECT_GT(difference / (kSamples * kSamples * 3), 0.04f) << "states " << a << " and " << b;
            }
        }
    }
}

// The frame's parchment shows a landscape: each stage's land, where its
// places lie, looks unlike every other stage's.
TEST(MenuArt, TheMapShowsEachStageAsItsOwnLand)
{
    using Layout = Content::MenuLayout;
    const std::string path = "data\\ui\\menus\\models\\start_game\\window.mlf";
    ModelFile frame;
    ReadWith(path, [&](OrrelayEngine::FileBinary& file) { frame.Read(file, path, 0); });
    const std::uint32_t open = frame.frameCount - 1;
    const ModelFile::Box& box = frame.boxes.at(open);
    const UvRect uv = FrameUv(frame, open);
    const Picture picture("data\\ui\\menus\\textures\\frames\\start_game");
    const Content::MapLandscape landscape;
    constexpr Layout::Box kInner{Layout::kStartGameFrame.left + 40.0f, Layout::kStartGameFrame.bottom + 40.0f,
                                 Layout::kStartGameFrame.width - 80.0f, Layout::kStartGameFrame.height - 80.0f};
    std::array<std::array<double, 4>, Content::CampaignGenerator::kStageCount> sums{};
    for (float y = kInner.bottom; y < kInner.Top(); y += 4.0f) {
        for (float x = kInner.left; x < kInner.Right(); x += 4.0f) {
            const float u = uv.u0 + (uv.u1 - uv.u0) * (x - box.min.x) / (box.max.x - box.min.x);
            const float v = uv.v0 + (uv.v1 - uv.v0) * (y - box.min.y) / (box.max.y - box.min.y);
            const auto c = picture.At(u, v);
            auto& sum = sums.at(landscape.StageAt(x, y));
            for (int k = 0; k < 3; ++k)
                sum[k] += c[k];
            sum[3] += 1.0;
        }
    }
    for (std::size_t a = 0; a < sums.size(); ++a) {
        ASSERT_GT(sums[a][3], 100.0) << "stage " << a;
        for (std::size_t b = a + 1; b < sums.size(); ++b) {
            double distance = 0.0;
            for (int k = 0; k < 3; ++k)
                distance += std::pow(sums[a][k] / sums[a][3] - sums[b][k] / sums[b][3], 2.0);
            EXPECT_GT(std::sqrt(distance), 0.05) << "stages " << a << " and " << b;
        }
    }
}

// The screen makes each token's hit button from its box: boxes that overlap
// would take each other's clicks, and the map lies inside its frame's rim,
// above the frame's buttons.
TEST(MenuArt, CampaignPlacesLieApartInsideTheMap)
{
    using Layout = Content::MenuLayout;
    constexpr Layout::Box kFrame = Layout::kStartGameFrame;
    const std::vector<std::uint32_t> levelCounts(Content::CampaignGenerator::kStageCount,
                                                 Content::CampaignGenerator::kLevelsPerStage);
    struct Box
    {
        float left, bottom, right, top;
    };
    std::vector<Box> boxes;
    for (const Content::MapFileWriter::Element& element : Content::MapFileWriter::MakeCampaign(levelCounts)) {
        const ModelFile model = ReadToken(kTokens[element.kind]);
        ASSERT_FALSE(model.boxes.empty());
        const float x = element.matrix[3];
        const float y = element.matrix[7];
        boxes.push_back(
            {x + model.boxes[0].min.x, y + model.boxes[0].min.y, x + model.boxes[0].max.x, y + model.boxes[0].max.y});
    }
    for (std::size_t a = 0; a < boxes.size(); ++a) {
        SCOPED_TRACE("element " + std::to_string(a));
        EXPECT_GE(boxes[a].left, kFrame.left + Layout::kFrameRim);
        EXPECT_LE(boxes[a].right, kFrame.Right() - Layout::kFrameRim);
        EXPECT_GE(boxes[a].bottom, Layout::kStartButtonY + Layout::kSmallButtonHeight * 0.5f);
        EXPECT_LE(boxes[a].top, kFrame.Top() - Layout::kFrameRim);
        for (std::size_t b = a + 1; b < boxes.size(); ++b) {
            const bool apart = boxes[a].right <= boxes[b].left || boxes[b].right <= boxes[a].left ||
                               boxes[a].top <= boxes[b].bottom || boxes[b].top <= boxes[a].bottom;
            EXPECT_TRUE(apart) << "overlaps element " << b;
        }
    }
}

TEST(MenuArt, ThePointerIs64SquareAndPointsFromItsTopLeftPixel)
{
    OrrelayEngine::Image color;
    OrrelayEngine::Image alpha;
    const std::pair<const char*, OrrelayEngine::Image*> pictures[] = {{"data\\ui\\cursors\\cursor.jpg", &color},
                                                                      {"data\\ui\\cursors\\cursor_alpha.jpg", &alpha}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.first);
        const std::string path = picture.first;
        OrrelayEngine::Image& image = *picture.second;
        ReadWith(path,
                 [&](OrrelayEngine::FileBinary& file) { OrrelayEngine::JpegCodec::Read(nullptr, file, path, image); });
        EXPECT_EQ(image.GetWidth(), 64u);
        EXPECT_EQ(image.GetHeight(), 64u);
    }
    ASSERT_EQ(alpha.GetBitsPerPixel(), 8u);
    ASSERT_EQ(alpha.GetWidth() * alpha.GetHeight(), 64u * 64u);
    // Rows run bottom-up: the top-left pixel is the last row's first.
    const auto at = [&](std::uint32_t x, std::uint32_t rowFromTop) {
        return alpha.GetData()[(63 - rowFromTop) * 64 + x];
    };
    EXPECT_GT(at(0, 0), 200);
    EXPECT_LT(at(63, 0), 16);
    EXPECT_LT(at(0, 63), 16);
    EXPECT_LT(at(63, 63), 16);
}

TEST(MenuArt, AClickThrowsOneBurst)
{
    OrrelayEngine::ParticleFile click;
    const std::string path = "data\\ui\\menus\\particles\\cursor_click.psf";
    ReadWith(path, [&](OrrelayEngine::FileBinary& file) { click.Read(file, path); });
    EXPECT_EQ(click.settings.smoothEmission, 0);
    EXPECT_GT(click.settings.emissionRate[0], 0.0f);
    for (std::uint32_t k = 1; k < OrrelayEngine::ParticleFile::kKeyCount; ++k) {
        EXPECT_EQ(click.settings.emissionRate[k], 0.0f) << "key " << k;
    }
}
