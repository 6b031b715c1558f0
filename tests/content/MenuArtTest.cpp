// The stage map's tokens, the pointer and its click as the builder leaves them
// under <build>/dataset/: six frames a token, each on its own cell; the
// campaign's places apart from each other inside the map; a 64 x 64 pointer
// pointing from its top-left pixel; one burst a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "content/CampaignGenerator.h"
#include "content/MapFileWriter.h"
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
