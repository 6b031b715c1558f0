// What a player sees of a level: the campaign's first level with five kinds,
// drawn over OpenGL at 1024 x 768 from the built data set and read back from
// screenshots, the scene as it stands and again with one part hidden. The
// first picture is kept as board_scene.bmp in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/CampaignGenerator.h"
#include "engine/core/Window.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/render/BmpCodec.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Image.h"
#include "engine/scene/Model.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/Cell.h"
#include "game/logic/Environment.h"
#include "game/logic/ItemManager.h"
#include "game/logic/Shadow.h"
#include "game/logic/ShadowManager.h"
#include "platform/Clock.h"
#include "platform/GraphicsDriverGL.h"
#include "support/LeakCheckPause.h"
#include "tests/game/GLLevelHarness.h"

namespace {

using OrrelayEngine::Model;

// Frames of a twentieth of a second keep the test short under the sanitizers.
constexpr std::uint64_t kFrameMicroseconds = 50000;
// Long enough for the camera's swing-in and every item to appear and land.
constexpr int kSettleFrames = 60;
constexpr std::uint32_t kKinds = 5;
constexpr int kHueBins = 36;
// Round a cell's centre on the screen, in pixels: its item and shadow.
constexpr int kItemReach = 32;

std::string FirstFiveKindBoard()
{
    for (const Content::CampaignGenerator::Stage& stage : Content::CampaignGenerator::MakeCampaign()) {
        for (const Content::CampaignGenerator::Level& level : stage.levels) {
            if (level.kindCount == kKinds)
                return level.boardName;
        }
    }
    return "";
}

struct Rgb
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    float Value() const { return std::max({r, g, b}); }
    float Saturation() const
    {
        const float high = Value();
        return high > 0.0f ? (high - std::min({r, g, b})) / high : 0.0f;
    }
    // In degrees, 0 to 360.
    float Hue() const
    {
        const float high = Value();
        const float span = high - std::min({r, g, b});
        if (span <= 0.0f)
            return 0.0f;
        float hue = high == r ? (g - b) / span : high == g ? 2.0f + (b - r) / span : 4.0f + (r - g) / span;
        hue *= 60.0f;
        return hue < 0.0f ? hue + 360.0f : hue;
    }
};

// A screenshot, rows from the bottom as GUI coordinates run.
class Picture
{
public:
    Picture(GameTests::GLLevelHarness& level, std::uint32_t number)
    {
        std::unique_ptr<OrrelayEngine::FileBinary> file =
            level.engine->GetFileManager()->OpenFile(level.CapturePath(number), false);
        OrrelayEngine::BmpCodec::Read(level.engine->GetMessageManager(), *file, "picture.bmp", image_);
    }

    std::uint32_t Width() const { return image_.GetWidth(); }
    std::uint32_t Height() const { return image_.GetHeight(); }

    Rgb At(int x, int y) const
    {
        const std::uint32_t bytes = image_.GetBitsPerPixel() / 8;
        const std::uint8_t* p = image_.GetData() + (static_cast<std::size_t>(y) * Width() + x) * bytes;
        return Rgb{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    }

    bool Inside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < static_cast<int>(Width()) && y < static_cast<int>(Height());
    }

private:
    OrrelayEngine::Image image_;
};

struct Spot
{
    int x;
    int y;
    std::uint32_t kind;
};

float HueDistance(float a, float b)
{
    const float d = std::fabs(a - b);
    return std::min(d, 360.0f - d);
}

void SetShown(Model* model, bool shown)
{
    if (model == nullptr)
        return;
    if (shown)
        model->SetFlags(Model::kFlagVisible);
    else
        model->ClearFlags(Model::kFlagVisible);
}

// Pixels that hiding a part changed, and how many of them were darker with
// the part shown and lay near an item.
struct Change
{
    int changed = 0;
    int darker = 0;
    int nearItem = 0;
};

Change Compare(const Picture& shown, const Picture& hidden, const std::vector<Spot>& items)
{
    Change change;
    for (int y = 0; y < static_cast<int>(shown.Height()); ++y) {
        for (int x = 0; x < static_cast<int>(shown.Width()); ++x) {
            const Rgb a = shown.At(x, y);
            const Rgb b = hidden.At(x, y);
            if (std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b) < 0.05f)
                continue;
            ++change.changed;
            change.darker += a.r + a.g + a.b < b.r + b.g + b.b ? 1 : 0;
            for (const Spot& item : items) {
                if (std::abs(item.x - x) <= kItemReach && std::abs(item.y - y) <= kItemReach) {
                    ++change.nearItem;
                    break;
                }
            }
        }
    }
    return change;
}

TEST(BoardSceneGL, FiveKindsInFiveHuesOverCellsAndBordersWithShadowsBelow)
{
    TestSupport::PinGraphicsLibraries();
    TestSupport::ScopedLeakCheckPause pause;
    {
        std::unique_ptr<Platform::GraphicsDriverGL> probe;
        if (Platform::GraphicsFailed(Platform::GraphicsDriverGL::CreateOffscreen(16, 16, probe))) {
            GTEST_SKIP() << "no OpenGL context under this video driver";
        }
    }
    const std::string boardName = FirstFiveKindBoard();
    ASSERT_FALSE(boardName.empty());
    Platform::SetManualClock(true);
    struct ClockBack
    {
        ~ClockBack() { Platform::SetManualClock(false); }
    } clockBack;
    GameTests::GLLevelHarness level(boardName);
    ASSERT_TRUE(level.Ready()) << level.problem;
    for (int frame = 0; frame < kSettleFrames; ++frame)
        level.Frame(kFrameMicroseconds);

    // The same still scene four times: whole, without shadows, without cells,
    // without borders.
    const Tansywell::Board& board = *level.logic->GetBoard();
    const Tansywell::ShadowManager& shadows = *level.logic->GetItemManager()->GetShadowManager();
    const Tansywell::Environment& environment = *level.logic->GetEnvironment();
    const auto showShadows = [&](bool shown) {
        for (std::uint32_t i = 0; i < shadows.GetShadowCount(); ++i)
            SetShown(shadows.GetShadow(i)->GetModel(), shown);
    };
    const auto showCells = [&](bool shown) {
        for (std::uint32_t i = 0; i < board.GetCellCount(); ++i)
            SetShown(board.GetCellAt(i)->GetModel(), shown);
    };
    const auto showBorders = [&](bool shown) {
        for (std::uint32_t i = 0; i < environment.GetBorderCount(); ++i)
            SetShown(environment.GetModels()[i], shown);
    };
    level.Draw(true);
    showShadows(false);
    level.Draw(true);
    showShadows(true);
    showCells(false);
    level.Draw(true);
    showCells(true);
    showBorders(false);
    level.Draw(true);
    showBorders(true);

    std::error_code ignored;
    std::filesystem::copy_file(level.CapturePath(0), QUILLORY_BUILD_DIR "/board_scene.bmp",
                               std::filesystem::copy_options::overwrite_existing, ignored);
    const Picture whole(level, 0);
    ASSERT_EQ(1024u, whole.Width());
    ASSERT_EQ(768u, whole.Height());

    std::vector<Spot> items;
    for (std::uint32_t i = 0; i < board.GetCellCount(); ++i) {
        const Tansywell::Cell* cell = board.GetCellAt(i);
        const Tansywell::BoardItem* item = board.GetItem(cell);
        if (item == nullptr || item->GetKind() >= kKinds)
            continue;
        const OrrelayEngine::Vector2 gui = board.GetCellScreenPosition(cell);
        const Spot spot{static_cast<int>(gui.x / 800.0f * whole.Width()),
                        static_cast<int>(gui.y / 600.0f * whole.Height()), item->GetKind()};
        ASSERT_TRUE(whole.Inside(spot.x, spot.y)) << "cell " << i << " is off the screen";
        items.push_back(spot);
    }

    // A click where a cell shows picks that cell.
    const OrrelayEngine::CameraManager& cameras = *level.engine->GetCameraManager();
    const OrrelayEngine::Camera& camera = *cameras.GetCurrentCamera();
    const float windowWidth = static_cast<float>(level.engine->GetWindow()->GetWidth());
    const float windowHeight = static_cast<float>(level.engine->GetWindow()->GetHeight());
    for (std::uint32_t i = 0; i < board.GetCellCount(); ++i) {
        const OrrelayEngine::Vector2 gui = board.GetCellScreenPosition(board.GetCellAt(i));
        const float x = gui.x / 800.0f * windowWidth;
        const float y = gui.y / 600.0f * windowHeight;
        const OrrelayEngine::Vector3 nearPoint = cameras.UnprojectPoint(camera, OrrelayEngine::Vector3(x, y, 0.0f));
        const OrrelayEngine::Vector3 farPoint = cameras.UnprojectPoint(camera, OrrelayEngine::Vector3(x, y, 1.0f));
        EXPECT_EQ(board.GetCellAt(i), board.PickCell(nearPoint, farPoint - nearPoint)) << "cell " << i;
    }

    // Per kind, a histogram of the vivid hues round its items; a kind's own
    // hue is the bin where it stands out most from the other kinds (the cells
    // and borders round every item are alike for all).
    std::array<std::array<float, kHueBins>, kKinds> hues{};
    std::array<int, kKinds> counts{};
    for (const Spot& item : items) {
        ++counts[item.kind];
        for (int y = item.y - 10; y <= item.y + 10; ++y) {
            for (int x = item.x - 10; x <= item.x + 10; ++x) {
                const Rgb pixel = whole.Inside(x, y) ? whole.At(x, y) : Rgb();
                if (pixel.Saturation() > 0.4f && pixel.Value() > 0.25f)
                    hues[item.kind][static_cast<int>(pixel.Hue()) / (360 / kHueBins) % kHueBins] += 1.0f;
            }
        }
    }
    std::array<float, kKinds> kindHue{};
    for (std::uint32_t kind = 0; kind < kKinds; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        ASSERT_GT(counts[kind], 0);
        float best = -1.0f;
        for (int bin = 0; bin < kHueBins; ++bin) {
            float others = 0.0f;
            for (std::uint32_t other = 0; other < kKinds; ++other) {
                if (other != kind && counts[other] > 0)
                    others += hues[other][bin] / counts[other];
            }
            const float excess = hues[kind][bin] / counts[kind] - others / (kKinds - 1);
            if (excess > best) {
                best = excess;
                kindHue[kind] = (bin + 0.5f) * (360.0f / kHueBins);
            }
        }
        EXPECT_GT(best, 5.0f) << "no hue of its own";
    }
    for (std::uint32_t a = 0; a < kKinds; ++a) {
        for (std::uint32_t b = a + 1; b < kKinds; ++b) {
            EXPECT_GE(HueDistance(kindHue[a], kindHue[b]), 20.0f)
                << "kinds " << a << " and " << b << " at " << kindHue[a] << " and " << kindHue[b] << " degrees";
        }
    }

    const Change shadowsGone = Compare(whole, Picture(level, 1), items);
    EXPECT_GT(shadowsGone.changed, static_cast<int>(items.size()) * 20) << "the shadows show";
    EXPECT_GT(shadowsGone.darker, shadowsGone.changed * 9 / 10) << "shadows darken what lies below";
    EXPECT_GT(shadowsGone.nearItem, shadowsGone.changed * 9 / 10) << "shadows lie under their items";
    const Change cellsGone = Compare(whole, Picture(level, 2), items);
    EXPECT_GT(cellsGone.changed, static_cast<int>(items.size()) * 200) << "the cells show";
    const Change bordersGone = Compare(whole, Picture(level, 3), items);
    EXPECT_GT(bordersGone.changed, static_cast<int>(environment.GetBorderCount()) * 20) << "the borders show";
}

} // namespace
