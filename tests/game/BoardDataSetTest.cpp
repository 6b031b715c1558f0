// The board as the player sees it, checked over the built data set: every
// shipped board whole in the play area in both views, butterflies resting
// clear of the tallest cell, and shadow pictures that agree in size.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "content/HudLayout.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/JpegCodec.h"
#include "game/logic/CameraControl.h"
#include "tests/game/BoardHarness.h"
#include "tests/game/ShippedCampaign.h"
#include "tools/GameCamera.h"

namespace {

using GameTests::ShippedCampaign;
using OrrelayEngine::Matrix4;
using OrrelayEngine::ModelFile;
using OrrelayEngine::Vector3;

constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;
// The right-button drag turns the board freely; every start turn is a
// quarter turn, so 15-degree steps of the extra angle cover them all.
constexpr int kTurnSteps = 24;
constexpr float kFullTurn = 6.2831855f;
constexpr float kHoverHalfHeights = 1.1f;
// The item's frames of landing, rest and take-off, played where it stands.
constexpr std::uint32_t kFirstStandingFrame = 15;
constexpr std::uint32_t kLastStandingFrame = 70;

const char* const kCellModels[] = {"data\\game_objects\\cell\\cell_empty.mlf",
                                   "data\\game_objects\\cell\\cell_single.mlf",
                                   "data\\game_objects\\cell\\cell_double.mlf"};

struct Resolution
{
    float width;
    float height;
};
constexpr Resolution kResolutions[] = {{640.0f, 480.0f}, {800.0f, 600.0f}, {1024.0f, 768.0f}};

// The HUD's frame: its strips down both sides, the upper corners and the foot.
const Content::LayoutBox kHudFrame[] = {Content::HudLayout::kLeftStrip, Content::HudLayout::kLeftCorner,
                                        Content::HudLayout::kRightStrip, Content::HudLayout::kRightCorner,
                                        Content::HudLayout::kRightFoot};

std::vector<Vector3> Vertices(const ModelFile& model)
{
    std::vector<Vector3> points;
    for (std::uint32_t i = 0; i < model.vertexCount && i < model.vertices.size(); ++i)
        points.push_back(model.vertices[i].position);
    return points;
}

struct Board
{
    ShippedCampaign::Level level;
    std::string cameraFile;
};

struct DataSet
{
    std::vector<Board> boards;
    std::string singleCellFile;
    float singleCellTop = 0.0f;
    std::vector<Vector3> cells[3];
    std::vector<Vector3> borders[6];
};

DataSet ReadDataSet()
{
    const ShippedCampaign pack;
    DataSet data;
    for (std::uint32_t stage = 0; stage < pack.GetStageCount(); ++stage) {
        for (ShippedCampaign::Level& level : pack.LoadStage(stage)) {
            const std::string camera = pack.ReadFile("data\\boards\\" + level.record.cameraName + ".ini");
            data.boards.push_back(Board{std::move(level), camera});
        }
    }
    data.singleCellFile = pack.ReadFile(kCellModels[1]);
    data.singleCellTop = pack.ReadModel(kCellModels[1]).boxes.at(0).max.z;
    for (std::uint32_t layers = 0; layers < 3; ++layers)
        data.cells[layers] = Vertices(pack.ReadModel(kCellModels[layers]));
    for (std::uint32_t d = 0; d < 6; ++d)
        data.borders[d] =
            Vertices(pack.ReadModel("data\\game_objects\\board_border\\border_" + std::to_string(d) + ".mlf"));
    return data;
}

// Where the pieces of the board fall on the screen at one pose of the camera.
class ScreenCheck
{
public:
    explicit ScreenCheck(const OrrelayEngine::Camera& camera)
        : placement_(camera.GetSecondMatrix()), viewProjection_(camera.GetView() * camera.GetProjection())
    {}

    // The first resolution at which the piece is cut by the window's edge or
    // lies under the HUD's frame, or null; reach is where it lies, in GUI units
    // (left, right, bottom, top).
    const Resolution* FindFault(const std::vector<Vector3>& model, const Matrix4& world,
                                std::array<float, 4>& reach) const
    {
        const Matrix4 placed = placement_ * world;
        float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
        for (const Vector3& vertex : model) {
            const Vector3 p = placed.TransformPoint(vertex);
            const float* m = viewProjection_.m;
            const float x = p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12];
            const float y = p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13];
            const float w = p.x * m[3] + p.y * m[7] + p.z * m[11] + m[15];
            if (w <= 0.0f)
                return &kResolutions[0];
            left = std::min(left, 0.5f * x / w + 0.5f);
            right = std::max(right, 0.5f * x / w + 0.5f);
            bottom = std::min(bottom, 0.5f * y / w + 0.5f);
            top = std::max(top, 0.5f * y / w + 0.5f);
        }
        reach = {left * kGuiWidth, right * kGuiWidth, bottom * kGuiHeight, top * kGuiHeight};
        for (const Resolution& r : kResolutions) {
            // In whole pixels of the window, the HUD scaled from its 800 x 600.
            const float l = std::floor(left * r.width), rt = std::ceil(right * r.width);
            const float b = std::floor(bottom * r.height), t = std::ceil(top * r.height);
            if (l < 0.0f || rt > r.width || b < 0.0f || t > r.height)
                return &r;
            for (const Content::LayoutBox& box : kHudFrame) {
                const float sx = r.width / kGuiWidth, sy = r.height / kGuiHeight;
                if (rt > box.left * sx && l < box.Right() * sx && t > box.bottom * sy && b < box.Top() * sy)
                    return &r;
            }
        }
        return nullptr;
    }

private:
    Matrix4 placement_;
    Matrix4 viewProjection_;
};

// Every piece of one board at every turn of one view; returns the faults found.
int CheckView(const DataSet& data, BoardTests::BoardHarness& h, const ShippedCampaign::Level& level, bool tilted)
{
    h.engine->GetConfig()->SetValue("g_camera_type", tilted ? "1" : "0");
    Tansywell::CameraControl control(h.engine, &level.record, h.board.get());
    int faults = 0;
    for (int turn = 0; turn < kTurnSteps; ++turn) {
        control.SetExtraAngle(kFullTurn * static_cast<float>(turn) / kTurnSteps);
        h.game.Frame();
        control.Update();
        // The camera manager rebuilds the matrices at the engine's frame; by hand here.
        OrrelayEngine::Camera& camera = *control.GetGameCamera()->GetCamera();
        camera.Update(1.0f);
        const ScreenCheck screen(camera);
        for (std::uint32_t i = 0; i < h.board->GetCellCount(); ++i) {
            const Tansywell::Cell* cell = h.board->GetCellAt(i);
            const auto check = [&](const std::vector<Vector3>& model, const std::string& piece) {
                std::array<float, 4> reach{};
                const Resolution* at = screen.FindFault(model, cell->GetWorldMatrix(), reach);
                if (at != nullptr && ++faults <= 3)
                    ADD_FAILURE() << (tilted ? "tilted" : "flat") << " view, turn " << turn * 15 << " degrees, "
                                  << at->width << "x" << at->height << ": " << piece << " of cell (" << cell->GetX()
                                  << ", " << cell->GetY() << ") reaches x " << reach[0] << " to " << reach[1] << ", y "
                                  << reach[2] << " to " << reach[3] << " (GUI units)";
            };
            check(data.cells[std::min(cell->GetLayerCount(), 2u)], "the cell");
            for (std::uint32_t d = 0; d < 6; ++d) {
                if (h.board->GetNeighbour(cell, d) == nullptr)
                    check(data.borders[d], "the hedge " + std::to_string(d));
            }
        }
    }
    return faults;
}

TEST(BoardDataSet, EveryShippedBoardLiesInThePlayAreaInBothViewsAtEveryTurn)
{
    const DataSet data = ReadDataSet();
    ASSERT_EQ(24u, data.boards.size());
    for (const Board& board : data.boards) {
        const ShippedCampaign::Level& level = board.level;
        SCOPED_TRACE(level.record.boardName);
        // The camera's variables, as the game registers them; they outlive the engine.
        std::string type = "1";
        std::string value = "1";
        // The real single cell gives every cell its pick box, whose centre the
        // camera circles; the camera file is the level's own.
        BoardTests::BoardHarness h(level.board.width, level.board.height, level.record.kindCount,
                                   {{"data/game_objects/cell/cell_single.mlf", data.singleCellFile},
                                    {"data/boards/" + level.record.cameraName + ".ini", board.cameraFile}});
        OrrelayEngine::Config* config = h.engine->GetConfig();
        config->AddVariable("g_camera_type", OrrelayEngine::kConfigString, false, false, &type, "1", false);
        config->AddVariable("g_camera_value", OrrelayEngine::kConfigString, false, false, &value, "1", false);
        h.Records() = level.board.cells;
        h.Build(false, 1.0f, false);
        ASSERT_FLOAT_EQ(data.singleCellTop, h.board->GetBoundingBox().worldMax.z)
            << "the single cell's box picks every cell";
        const int faults = CheckView(data, h, level, false) + CheckView(data, h, level, true);
        std::printf("%-16s camera %s", level.record.boardName.c_str(), board.cameraFile.c_str());
        EXPECT_EQ(0, faults);
    }
}

// A resting item hovers 1.1 of its half-heights over the single cell's top,
// its size taken from the first frame's box: wherever it lands, its lowest
// point clears the double cell's top.
TEST(BoardDataSet, AButterflyStandsWhollyAboveTheTallestCell)
{
    const ShippedCampaign pack;
    const ModelFile butterfly = pack.ReadModel("data\\game_objects\\butterfly\\butterfly.mlf");
    const float home = pack.ReadModel(kCellModels[1]).boxes.at(0).max.z;
    const float tallest = pack.ReadModel(kCellModels[2]).boxes.at(0).max.z;
    ASSERT_GT(butterfly.boxes.size(), kLastStandingFrame);
    const ModelFile::Box& size = butterfly.boxes[0];
    const float centre = (size.min.z + size.max.z) * 0.5f;
    const float rest = home + kHoverHalfHeights * (size.max.z - size.min.z) * 0.5f;
    for (std::uint32_t frame = kFirstStandingFrame; frame <= kLastStandingFrame; ++frame) {
        const float lowest = rest + butterfly.boxes[frame].min.z - centre;
        EXPECT_GT(lowest, tallest + 0.25f) << "frame " << frame;
    }
}

TEST(BoardDataSet, TheShadowsColourIsAsLargeAsItsMasks)
{
    const ShippedCampaign pack;
    const auto size = [&](const std::string& name) {
        std::unique_ptr<OrrelayEngine::FileBinary> file =
            pack.GetEngine().GetFileManager()->OpenFile("data\\game_objects\\shadow\\textures\\" + name, false);
        OrrelayEngine::Image image;
        OrrelayEngine::JpegCodec::Read(pack.GetEngine().GetMessageManager(), *file, name, image);
        return std::make_pair(image.GetWidth(), image.GetHeight());
    };
    const auto colour = size("butterfly_shadow.jpg");
    EXPECT_GE(colour.first, 32u);
    for (int kind = 0; kind < 5; ++kind)
        EXPECT_EQ(colour, size("butterfly_shadow_" + std::to_string(kind) + "_alpha.jpg")) << "kind " << kind;
}

} // namespace
