// The board's presentation as the builder leaves it under <build>/dataset/:
// the frame ranges the game plays, sizes that fit the board's cells, borders
// on the edges they face, butterfly kinds told apart in colour and in grey,
// and speech texts that fit their bubbles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "content/BoardLayout.h"
#include "content/CharacterArt.h"
#include "content/EnvironmentArt.h"
#include "content/TextTableChecker.h"
#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"
#include "engine/render/JpegCodec.h"
#include "engine/scene/ModelFile.h"

using OrrelayEngine::ModelFile;

namespace {

std::vector<std::uint8_t> ReadBuilt(std::string packPath)
{
    std::replace(packPath.begin(), packPath.end(), '\\', '/');
    std::ifstream in(QUILLORY_BUILD_DIR "/dataset/" + packPath, std::ios::binary);
    EXPECT_TRUE(in.good()) << packPath;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ModelFile ReadModel(const std::string& packPath)
{
    const std::vector<std::uint8_t> bytes = ReadBuilt(packPath);
    OrrelayEngine::FileBinary file(nullptr, packPath, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    ModelFile model;
    model.Read(file, packPath, 0);
    return model;
}

void ReadPicture(const std::string& packPath, OrrelayEngine::Image& image)
{
    const std::vector<std::uint8_t> bytes = ReadBuilt(packPath);
    OrrelayEngine::FileBinary file(nullptr, packPath, false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    OrrelayEngine::JpegCodec::Read(nullptr, file, packPath, image);
}

// Largest distance between the same vertex in two frames.
float FrameDistance(const ModelFile& model, std::uint32_t a, std::uint32_t b)
{
    float largest = 0.0f;
    for (std::uint32_t i = 0; i < model.vertexCount; ++i) {
        const auto d =
            model.vertices[a * model.vertexCount + i].position - model.vertices[b * model.vertexCount + i].position;
        largest = std::max(largest, d.Length());
    }
    return largest;
}

struct FrameJoin
{
    const char* model;
    std::uint32_t minimumFrames;
    std::uint32_t first;
    std::uint32_t second;
};

} // namespace

TEST(GameArt, AnimationsJoinWhereTheGamePlaysThemInTurn)
{
    const FrameJoin joins[] = {
        {"data\\game_objects\\butterfly\\butterfly.mlf", 76, 0, 10},  // the wing beat loops
        {"data\\game_objects\\butterfly\\butterfly.mlf", 76, 25, 60}, // rest ends where it began, take-off starts there
        {"data\\game_objects\\shadow\\shadow.mlf", 76, 0, 10},
        {"data\\game_objects\\cell\\cell_select.mlf", 51, 10, 40}, // the marker's loop
        {"data\\game_objects\\cell\\cell_tip.mlf", 2, 0, 30},
        // The turn flies from the board's stand to the menus', and back when played backwards.
        {"data\\ui\\menus\\character\\character.mlf", 253, 47, 194},
        {"data\\ui\\menus\\character\\character.mlf", 253, 144, 252},
        {"data\\environments\\meadow\\models\\plants.mlf", 2, 0, 30},
    };
    for (const FrameJoin& join : joins) {
        SCOPED_TRACE(std::string(join.model) + " " + std::to_string(join.first) + "-" + std::to_string(join.second));
        const ModelFile model = ReadModel(join.model);
        ASSERT_EQ(model.vertexKind, ModelFile::kKeyframeVertices);
        ASSERT_GE(model.frameCount, join.minimumFrames);
        ASSERT_GT(model.frameCount, join.second);
        EXPECT_LT(FrameDistance(model, join.first, join.second), 0.01f);
        EXPECT_GT(FrameDistance(model, join.first, (join.first + join.second) / 2), 0.5f) << "it does not move";
    }
}

TEST(GameArt, ButterfliesFitTheirCellsAndTheirShadowsLieFlatUnderThem)
{
    const ModelFile butterfly = ReadModel("data\\game_objects\\butterfly\\butterfly.mlf");
    const ModelFile shadow = ReadModel("data\\game_objects\\shadow\\shadow.mlf");
    ASSERT_EQ(shadow.frameCount, butterfly.frameCount);
    ASSERT_EQ(shadow.vertexCount, butterfly.vertexCount);
    for (std::uint32_t f = 0; f < butterfly.frameCount; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const ModelFile::Box& box = butterfly.boxes[f];
        // Turned any way, it stays within the circle inside its hexagon.
        EXPECT_LT(std::max({-box.min.x, box.max.x, -box.min.y, box.max.y}), Content::BoardLayout::kInradius);
        for (std::uint32_t i = 0; i < butterfly.vertexCount; ++i) {
            const auto& wing = butterfly.vertices[f * butterfly.vertexCount + i].position;
            const auto& flat = shadow.vertices[f * shadow.vertexCount + i].position;
            ASSERT_EQ(flat.z, 0.0f);
            ASSERT_NEAR(flat.x, wing.x, 1e-4f);
            ASSERT_NEAR(flat.y, wing.y, 1e-4f);
        }
    }
}

TEST(GameArt, EachBorderLiesOnTheEdgeFacingItsDirection)
{
    // The neighbour offsets of directions 0 to 5, in grid steps.
    const int offsets[6][2] = {{0, 2}, {1, 1}, {1, -1}, {0, -2}, {-1, -1}, {-1, 1}};
    for (int d = 0; d < 6; ++d) {
        SCOPED_TRACE("border " + std::to_string(d));
        const ModelFile border = ReadModel("data\\game_objects\\board_border\\border_" + std::to_string(d) + ".mlf");
        const auto centre = (border.boxes[0].min + border.boxes[0].max) * 0.5f;
        const float toward = Content::BoardLayout::CellX(offsets[d][0]) * centre.x +
                             Content::BoardLayout::CellY(offsets[d][1]) * centre.y;
        const float distance = std::hypot(centre.x, centre.y);
        EXPECT_GT(toward / (distance * 2.0f * Content::BoardLayout::kInradius), 0.99f);
        EXPECT_NEAR(distance, Content::BoardLayout::kInradius, 4.0f);
    }
}

TEST(GameArt, FiveKindsDifferInHueAndInGrey)
{
    float hues[5];
    float greys[5];
    for (int k = 0; k < 5; ++k) {
        OrrelayEngine::Image color;
        OrrelayEngine::Image alpha;
        const std::string stem = "data\\game_objects\\butterfly\\textures\\butterfly_" + std::to_string(k);
        ReadPicture(stem + ".jpg", color);
        ReadPicture(stem + "_alpha.jpg", alpha);
        ASSERT_EQ(color.GetWidth(), alpha.GetWidth());
        ASSERT_EQ(color.GetHeight(), alpha.GetHeight());
        double sum[3] = {0.0, 0.0, 0.0};
        double weight = 0.0;
        const std::uint32_t width = color.GetWidth();
        for (std::uint32_t y = 0; y < color.GetHeight(); ++y) {
            // The wings only: the middle columns hold the body.
            for (std::uint32_t x = 0; x < width; ++x) {
                if (x > width * 45 / 100 && x < width * 55 / 100) {
                    continue;
                }
                const double a = alpha.GetData()[y * width + x] / 255.0;
                for (int c = 0; c < 3; ++c) {
                    sum[c] += a * color.GetData()[(y * width + x) * 3 + c] / 255.0;
                }
                weight += a;
            }
        }
        ASSERT_GT(weight, width * color.GetHeight() * 0.25) << "kind " << k << " has hardly any wing";
        const double r = sum[0] / weight;
        const double g = sum[1] / weight;
        const double b = sum[2] / weight;
        const double high = std::max({r, g, b});
        const double low = std::min({r, g, b});
        double hue = high == r   ? (g - b) / (high - low)
                     : high == g ? 2.0 + (b - r) / (high - low)
                                 : 4.0 + (r - g) / (high - low);
        hues[k] = static_cast<float>(std::fmod(hue * 60.0 + 360.0, 360.0));
        greys[k] = static_cast<float>(0.2126 * r + 0.7152 * g + 0.0722 * b);
    }
    for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
            SCOPED_TRACE("kinds " + std::to_string(a) + " and " + std::to_string(b));
            const float apart = std::fabs(hues[a] - hues[b]);
            EXPECT_GT(std::min(apart, 360.0f - apart), 25.0f);
            EXPECT_GT(std::fabs(greys[a] - greys[b]), 0.04f);
        }
    }
}

TEST(GameArt, SpeechBubblesWidenAndTheLongestLineFitsTheWidest)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE("text_size" + std::to_string(n));
        const ModelFile bubble = ReadModel("data\\ui\\menus\\character\\text_size" + std::to_string(n) + ".mlf");
        ASSERT_GT(bubble.frameCount, 1u);
        for (std::uint32_t f = 1; f < bubble.frameCount; ++f) {
            EXPECT_GT(bubble.boxes[f].max.x - bubble.boxes[f].min.x,
                      bubble.boxes[f - 1].max.x - bubble.boxes[f - 1].min.x);
        }
    }
    // The game stops the widening 75 units past the widest line, measured in a
    // font of 17 units whose widest common letters take about 0.62 of that.
    const std::string path = QUILLORY_CONTENT_DIR "/data/ui/texts/en/character.ini";
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto entries = Content::TextTableChecker::Check(path, source);
    std::size_t sizes = 0;
    for (const Content::TextTableEntry& entry : entries) {
        SCOPED_TRACE(entry.key);
        if (entry.key.size() > 5 && entry.key.compare(entry.key.size() - 5, 5, "_SIZE") == 0) {
            ++sizes;
            EXPECT_TRUE(entry.text >= "1" && entry.text <= "4" && entry.text.size() == 1);
        } else {
            EXPECT_LT(entry.text.size() * 17.0 * 0.62 + 75.0, Content::CharacterArt::kBubbleMaxWidth);
        }
    }
    // Level begin and end, four praises, four upgrades and sixteen lessons.
    EXPECT_EQ(sizes, 26u);
}

TEST(GameArt, EnvironmentListsNameTheirModels)
{
    for (const std::string& environment : Content::EnvironmentArt::GetEnvironmentNames()) {
        SCOPED_TRACE(environment);
        const std::vector<Content::EnvironmentArt::Model> models = Content::EnvironmentArt::GetModels(environment);
        const std::string text = Content::EnvironmentArt::GetEnvironmentIni(environment);
        EXPECT_NE(text.find("\n" + std::to_string(models.size()) + "\n"), std::string::npos);
        for (const Content::EnvironmentArt::Model& model : models) {
            EXPECT_NE(text.find("\n" + model.name + " "), std::string::npos);
            const ModelFile built =
                ReadModel("data\\environments\\" + environment + "\\models\\" + model.name + ".mlf");
            EXPECT_GT(built.vertexCount, 0u);
        }
    }
}
