#include "content/CampaignGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "content/AssetRecipe.h"
#include "content/BoardCameraFit.h"
#include "content/BoardFileWriter.h"
#include "content/BoardLayout.h"
#include "content/DataSetBuilder.h"
#include "content/EnvironmentArt.h"
#include "content/MapFileWriter.h"
#include "engine/core/Error.h"

namespace Content {

namespace {

// Raised whenever the campaign's bytes change for a reason the builder's own
// hash would not see.
constexpr const char* kRecipeVersion = "campaign 4";
constexpr double kPi = 3.14159265358979323846;

// A place of the grid around the shape's centre, in units of the distance
// between neighbouring cells (u across, v up) and scaled to the shape.
struct Place
{
    int x;
    int y;
    double u;
    double v;
    double r;
    // From +u, counter-clockwise.
    double angle;
};

using ShapeTest = bool (*)(double u, double v);
using PlaceTest = bool (*)(const Place& place);

// Shapes fit the unit disc and are mirror symmetric left to right.
bool Disc(double u, double v)
{
    return u * u + v * v <= 1.0;
}
bool Hexagon(double u, double v)
{
    return std::abs(v) <= 0.87 && std::abs(u) * 0.87 + std::abs(v) * 0.5 <= 0.87;
}
bool Heart(double u, double v)
{
    const double x = u * 1.25;
    const double y = v * 1.25 + 0.2;
    const double a = x * x + y * y - 1.0;
    return a * a * a - x * x * y * y * y <= 0.0;
}
bool Ring(double u, double v)
{
    const double r2 = u * u + v * v;
    return r2 <= 1.0 && r2 >= 0.42 * 0.42;
}
bool Diamond(double u, double v)
{
    return std::abs(u) + std::abs(v) * 0.85 <= 1.0;
}
bool Flower(double u, double v)
{
    const double r = std::sqrt(u * u + v * v);
    return r <= 0.8 + 0.2 * std::cos(6.0 * std::atan2(v, u));
}
bool Star(double u, double v)
{
    const double r = std::sqrt(u * u + v * v);
    return r <= 0.7 + 0.3 * std::cos(5.0 * (std::atan2(v, u) - kPi / 2.0));
}
bool Butterfly(double u, double v)
{
    const double du = std::abs(u) - 0.48;
    return du * du + v * v * 0.9 <= 0.52 * 0.52 || (std::abs(u) <= 0.3 && std::abs(v) <= 0.32);
}
bool Clover(double u, double v)
{
    const auto lobe = [u, v](double cu, double cv) { return (u - cu) * (u - cu) + (v - cv) * (v - cv) <= 0.3; };
    return lobe(0.45, 0.0) || lobe(-0.45, 0.0) || lobe(0.0, 0.45) || lobe(0.0, -0.45);
}
bool Cross(double u, double v)
{
    return std::abs(u) <= 1.0 && std::abs(v) <= 1.0 && (std::abs(u) <= 0.36 || std::abs(v) <= 0.36);
}
bool Frame(double u, double v)
{
    const double edge = std::max(std::abs(u), std::abs(v));
    return edge <= 1.0 && edge >= 0.58;
}
bool Hourglass(double u, double v)
{
    return std::abs(v) <= 0.95 && std::abs(u) <= 0.3 + 0.6 * std::abs(v);
}
bool Oval(double u, double v)
{
    return u * u + v * v * 2.2 <= 1.0;
}
bool Drop(double u, double v)
{
    // A disc below with a point on top.
    return u * u + (v + 0.25) * (v + 0.25) <= 0.55 || (v >= -0.25 && std::abs(u) <= 0.74 * (1.0 - (v + 0.25) / 1.2));
}
bool Moon(double u, double v)
{
    // A crescent opening to the top, mirror symmetric left to right.
    return u * u + v * v <= 1.0 && u * u + (v - 0.75) * (v - 0.75) >= 0.45;
}
bool Tulip(double u, double v)
{
    const bool cup = v >= -0.3 && u * u + (v - 0.1) * (v - 0.1) <= 0.42 && !(std::abs(u) <= 0.22 && v >= 0.55);
    const bool stem = std::abs(u) <= 0.14 && v <= -0.2 && v >= -1.0;
    const bool leaf = v <= -0.35 && v >= -0.85 && std::abs(u) <= 0.5 - 0.8 * std::abs(v + 0.6);
    return cup || stem || leaf;
}

// Features, in shape units.
bool CoreTest(const Place& p)
{
    return p.r < 0.42;
}
bool RimTest(const Place& p)
{
    return p.r > 0.66;
}
bool BandTest(const Place& p)
{
    return static_cast<int>(std::abs(p.v) * 3.2) % 2 == 1;
}
bool SpokeTest(const Place& p)
{
    return std::cos(6.0 * p.angle) > 0.2 && p.r > 0.2;
}
bool MostTest(const Place& p)
{
    return p.r > 0.22;
}
bool CentreTest(const Place& p)
{
    return p.r < 0.3;
}
bool InnerRingTest(const Place& p)
{
    return p.r > 0.45 && p.r < 0.62 && std::cos(6.0 * p.angle) > -0.2;
}
bool SpotTest(const Place& p)
{
    return std::abs(p.x) % 4 == 2 && std::abs(p.y) % 4 == 0;
}
bool AxisTest(const Place& p)
{
    return (p.x == 0 && p.r < 0.8) || (p.y == 0 && p.r < 0.8 && std::abs(p.x) % 2 == 0);
}
bool DiagonalSpotTest(const Place& p)
{
    return std::abs(p.x) % 4 == 1 && std::abs(p.y) % 4 == 1 && p.r > 0.3;
}
bool OuterSpotTest(const Place& p)
{
    return SpotTest(p) && p.r > 0.45;
}
bool SpokeTipTest(const Place& p)
{
    return std::cos(6.0 * p.angle) > 0.8 && p.r > 0.5 && p.r < 0.8;
}
bool CornerTest(const Place& p)
{
    return std::abs(p.x) % 6 == 3 && std::abs(p.y) % 2 == 1 && p.r > 0.35;
}
bool LowerTest(const Place& p)
{
    return p.v < -0.3;
}
bool UpperTest(const Place& p)
{
    return p.v > 0.25 && p.r < 0.8;
}

struct LevelPlan
{
    const char* shapeName;
    ShapeTest shape;
    std::uint32_t cells;
    std::uint32_t kinds;
    PlaceTest doubled;
    PlaceTest closed;
    PlaceTest blocked;
    float energyFactor;
    // Cells with a layer to clear; the rest hold items on bare soil. Without
    // a test every cell has one.
    PlaceTest layered = nullptr;
};

struct StagePlan
{
    const char* environment;
    LevelPlan levels[CampaignGenerator::kLevelsPerStage];
};

// The energy factors are tuned with the level check, which plays 50 deals a
// level with a greedy bot: it must win nearly every game (every game on a
// stage's first level), with a share of its energy to spare that falls
// through the campaign, from well over half in the first stage to under a
// fifth at the end. The last levels hold their layers on the rim, under webs
// and lids, where a careless player wastes moves.
const StagePlan kStages[CampaignGenerator::kStageCount] = {
    {"meadow",
     {{"diamond", Diamond, 30, 4, nullptr, nullptr, nullptr, 1.77f},
      {"hexagon", Hexagon, 30, 4, CoreTest, nullptr, nullptr, 1.90f, CoreTest},
      {"heart", Heart, 36, 4, RimTest, nullptr, nullptr, 1.84f},
      {"ring", Ring, 40, 4, BandTest, nullptr, nullptr, 2.45f},
      {"flower", Flower, 46, 4, SpokeTest, nullptr, nullptr, 1.55f},
      {"butterfly", Butterfly, 52, 4, MostTest, nullptr, nullptr, 1.02f}}},
    {"lake",
     {{"oval", Oval, 36, 4, nullptr, CentreTest, nullptr, 2.46f},
      {"disc", Disc, 40, 4, nullptr, SpotTest, nullptr, 1.78f},
      {"clover", Clover, 46, 4, nullptr, CentreTest, nullptr, 1.99f},
      {"drop", Drop, 50, 4, nullptr, AxisTest, nullptr, 1.98f},
      {"star", Star, 55, 4, nullptr, InnerRingTest, nullptr, 1.47f},
      {"hexagon", Hexagon, 60, 4, nullptr, OuterSpotTest, nullptr, 1.28f}}},
    {"forest",
     {{"cross", Cross, 45, 4, nullptr, nullptr, SpotTest, 1.82f},
      {"moon", Moon, 50, 4, nullptr, nullptr, DiagonalSpotTest, 1.29f},
      {"tulip", Tulip, 54, 5, nullptr, nullptr, UpperTest, 2.26f},
      {"frame", Frame, 58, 5, nullptr, nullptr, CornerTest, 2.08f},
      {"heart", Heart, 64, 5, nullptr, nullptr, SpokeTipTest, 1.42f},
      {"disc", Disc, 70, 5, nullptr, nullptr, OuterSpotTest, 1.30f}}},
    {"cave",
     {{"hourglass", Hourglass, 56, 5, LowerTest, CentreTest, OuterSpotTest, 1.40f},
      {"flower", Flower, 62, 5, RimTest, CentreTest, SpotTest, 1.70f},
      {"ring", Ring, 72, 5, BandTest, InnerRingTest, OuterSpotTest, 1.49f},
      {"star", Star, 76, 5, CoreTest, SpokeTipTest, DiagonalSpotTest, 1.29f},
      {"butterfly", Butterfly, 66, 5, SpokeTest, AxisTest, CornerTest, 1.56f},
      {"clover", Clover, 80, 5, SpokeTipTest, CentreTest, SpotTest, 1.64f, RimTest}}},
};

// Far enough for the largest shape at the largest scale tried.
constexpr int kReach = 24;
constexpr double kSmallestScale = 1.5;
constexpr double kLargestScale = 9.0;
constexpr double kScaleStep = 0.01;

// Place (x, y) relative to the centre cell, in units of the neighbour distance.
double UnitU(int x)
{
    return x * BoardLayout::kColumnStep / (2.0 * BoardLayout::kRowStep);
}
double UnitV(int y)
{
    return y * 0.5;
}

bool AreNeighbours(const Place& a, const Place& b)
{
    const int dx = std::abs(a.x - b.x);
    const int dy = std::abs(a.y - b.y);
    return (dx == 0 && dy == 2) || (dx == 1 && dy == 1);
}

int CountNeighbours(const std::vector<Place>& places, const Place& place)
{
    int count = 0;
    for (const Place& other : places) {
        count += AreNeighbours(place, other) ? 1 : 0;
    }
    return count;
}

std::vector<Place> PlacesAt(ShapeTest shape, double scale)
{
    std::vector<Place> places;
    for (int y = -2 * kReach; y <= 2 * kReach; ++y) {
        for (int x = -kReach; x <= kReach; ++x) {
            if (((x + y) & 1) != 0) {
                continue;
            }
            const double u = UnitU(x) / scale;
            const double v = UnitV(y) / scale;
            if (shape(u, v)) {
                places.push_back(Place{x, y, u, v, std::sqrt(u * u + v * v), std::atan2(v, u)});
            }
        }
    }
    // A cell with one neighbour can only ever match along a line: thin tips
    // are trimmed away, cell by cell, so every shape stays a blob or a band.
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        std::vector<Place> kept;
        for (const Place& place : places) {
            if (CountNeighbours(places, place) >= 2) {
                kept.push_back(place);
            }
        }
        trimmed = kept.size() != places.size();
        places = std::move(kept);
    }
    return places;
}

bool IsConnected(const std::vector<Place>& places)
{
    if (places.empty()) {
        return false;
    }
    std::vector<bool> reached(places.size(), false);
    std::vector<std::size_t> queue{0};
    reached[0] = true;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const Place& from = places[queue[i]];
        for (std::size_t j = 0; j < places.size(); ++j) {
            if (!reached[j] && AreNeighbours(places[j], from)) {
                reached[j] = true;
                queue.push_back(j);
            }
        }
    }
    return queue.size() == places.size();
}

// The shape at the scale whose connected board comes nearest the wanted size
// (the smaller scale on a tie).
std::vector<Place> FitShape(const LevelPlan& plan, const std::string& boardName)
{
    std::vector<Place> best;
    std::uint32_t bestMiss = ~0u;
    for (double scale = kSmallestScale; scale <= kLargestScale; scale += kScaleStep) {
        std::vector<Place> places = PlacesAt(plan.shape, scale);
        const std::uint32_t count = static_cast<std::uint32_t>(places.size());
        const std::uint32_t miss = count > plan.cells ? count - plan.cells : plan.cells - count;
        if (miss < bestMiss && IsConnected(places)) {
            bestMiss = miss;
            best = std::move(places);
        }
        if (count > 2 * plan.cells) {
            break;
        }
    }
    if (best.empty()) {
        throw OrrelayEngine::Error("campaign: no connected board for " + boardName);
    }
    return best;
}

CampaignGenerator::Level MakeLevel(const LevelPlan& plan, std::uint32_t stage, std::uint32_t level)
{
    CampaignGenerator::Level out;
    out.boardName = "s" + std::to_string(stage) + "l" + std::to_string(level) + plan.shapeName;
    out.kindCount = plan.kinds;
    out.energyFactor = plan.energyFactor;
    const std::vector<Place> places = FitShape(plan, out.boardName);

    int minX = places.front().x;
    int minY = places.front().y;
    int maxX = minX;
    int maxY = minY;
    for (const Place& p : places) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    // A shift by an odd sum would put cells where x + y is odd.
    const int shiftX = -minX;
    const int shiftY = -minY + ((minX + minY) & 1);
    out.width = static_cast<std::uint32_t>(maxX + shiftX + 1);
    out.height = static_cast<std::uint32_t>(maxY + shiftY + 1);

    std::uint32_t layers = 0;
    for (const Place& p : places) {
        Tansywell::CellRecord cell;
        cell.x = static_cast<std::uint32_t>(p.x + shiftX);
        cell.y = static_cast<std::uint32_t>(p.y + shiftY);
        cell.closed = plan.closed != nullptr && plan.closed(p) ? 1 : 0;
        cell.blocked = cell.closed == 0 && plan.blocked != nullptr && plan.blocked(p) ? 1 : 0;
        cell.layerCount = cell.closed == 0 && plan.doubled != nullptr && plan.doubled(p) ? 2 : 1;
        if (cell.layerCount == 1 && cell.closed == 0 && cell.blocked == 0 && plan.layered != nullptr &&
            !plan.layered(p))
            cell.layerCount = 0;
        cell.firstTranslation = OrrelayEngine::Vector3(BoardLayout::CellX(static_cast<int>(cell.x)),
                                                       BoardLayout::CellY(static_cast<int>(cell.y)), 0.0f);
        cell.rotation = OrrelayEngine::Quaternion(0.0f, 0.0f, 0.0f, 1.0f);
        layers += cell.layerCount;
        out.cells.push_back(cell);
    }
    // PlacesAt lists the places row by row from the bottom, each from the left.
    // A level weighs in its stage's progress by its layers, ten to a point.
    out.progressValue = std::max<std::uint32_t>(1, (layers + 5) / 10);
    return out;
}

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string FormatFactor(float factor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(factor));
    return text;
}

} // namespace

std::vector<CampaignGenerator::Stage> CampaignGenerator::MakeCampaign()
{
    std::vector<Stage> stages;
    for (std::uint32_t s = 0; s < kStageCount; ++s) {
        Stage stage;
        stage.environmentName = kStages[s].environment;
        for (std::uint32_t l = 0; l < kLevelsPerStage; ++l) {
            stage.levels.push_back(MakeLevel(kStages[s].levels[l], s, l));
        }
        stages.push_back(std::move(stage));
    }
    return stages;
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> CampaignGenerator::MakeFiles()
{
    return MakeFiles(true);
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> CampaignGenerator::MakeFiles(bool fitCameras)
{
    const std::vector<Stage> stages = MakeCampaign();
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    files.emplace_back(
        "data\\levels\\stages_info.ini",
        Bytes("// The number of stages; each has its file stage<index>.ini.\n" + std::to_string(stages.size()) + "\n"));
    for (std::size_t s = 0; s < stages.size(); ++s) {
        const Stage& stage = stages[s];
        std::string text = "// The levels of stage " + std::to_string(s) +
                           ", after their count: board, item kinds, environment, energy factor.\n" +
                           std::to_string(stage.levels.size()) + "\n";
        for (const Level& level : stage.levels) {
            text += level.boardName + " " + std::to_string(level.kindCount) + " " + stage.environmentName + " " +
                    FormatFactor(level.energyFactor) + "\n";
            files.emplace_back("data\\boards\\" + level.boardName + ".blf",
                               BoardFileWriter().Build(level.width, level.height, level.cells).GetBytes());
            files.emplace_back("data\\boards\\" + level.boardName + "_camera.ini",
                               Bytes(fitCameras ? BoardCameraFit::MakeCameraFile(level.cells) : std::string()));
            files.emplace_back(
                "data\\boards\\" + level.boardName + ".ini",
                Bytes("// The level's weight in its stage's progress.\n" + std::to_string(level.progressValue) + "\n"));
        }
        files.emplace_back("data\\levels\\stage" + std::to_string(s) + ".ini", Bytes(text));
        files.emplace_back("data\\environments\\" + stage.environmentName + "\\environment.ini",
                           Bytes(EnvironmentArt::GetEnvironmentIni(stage.environmentName)));
    }
    // The stage map shows one place per level, so it is laid out from these
    // very stages and cannot fall out of step with them.
    std::vector<std::uint32_t> levelCounts;
    for (const Stage& stage : stages) {
        levelCounts.push_back(static_cast<std::uint32_t>(stage.levels.size()));
    }
    files.emplace_back("data\\ui\\menus\\map\\map.gmf",
                       MapFileWriter().Build(MapFileWriter::MakeCampaign(levelCounts)).GetBytes());
    return files;
}

void CampaignGenerator::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe recipe;
    recipe.origin = "campaign generator";
    // Fitting the cameras takes a while; the names need none of it.
    for (const auto& file : MakeFiles(false)) {
        recipe.packPaths.push_back(file.first);
    }
    recipe.parameters = kRecipeVersion;
    recipe.make = []() {
        AssetRecipe::Outputs outputs;
        for (auto& file : MakeFiles()) {
            outputs.push_back(std::move(file.second));
        }
        return outputs;
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
