#include "game/gui/GUIStartGameLogicWindow.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "content/MapFileWriter.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIMapElement.h"
#include "game/gui/StageMapFile.h"
#include "tests/game/gui/MenuHarness.h"

namespace {

using Content::MapFileWriter;
using MenuTests::MakeQuad;
using Tansywell::GUIMapElement;
using Tansywell::GUIStartGameLogicWindow;
using Tansywell::StageMapFile;

const char kMapPath[] = "data/ui/menus/map/map.gmf";

class GUIStartGameLogicWindowTest : public testing::Test
{
protected:
    GUIStartGameLogicWindowTest()
    {
        Tansywell::GameData& data = h.t.data;
        data.startGame.window = h.Template("start_window", MakeQuad(100, 50, 700, 550));
        data.startGame.windowArea = h.Template("start_area", MakeQuad(150, 500, 650, 540));
        data.startGame.button[0] = h.Template("back", MakeQuad(120, 60, 220, 100));
        data.startGame.button[1] = h.Template("start", MakeQuad(580, 60, 680, 100));
        data.controls.buttonSmall.look = h.Template("small", MakeQuad(0, 0, 100, 40));
        data.controls.buttonSmall.selectionArea = data.controls.buttonSmall.textArea = data.controls.buttonSmall.look;
        // Places and path pieces centred on their placement, six frames each.
        const OrrelayEngine::ModelFile element = MakeQuad(-20, -20, 20, 20, 6);
        data.map.start = data.map.finish = data.map.checkPoint = data.map.path = data.map.pathCheckPoint =
            h.Template("element", element);
        WriteMap(MapFileWriter::MakeCampaign({4, 4}));
        h.StartBackground();
        h.manager->free = true;
    }

    void WriteMap(const std::vector<MapFileWriter::Element>& elements, const MapFileWriter& writer = {})
    {
        const Content::ByteBuffer bytes = writer.Build(elements);
        h.WriteText(kMapPath, std::string(bytes.GetBytes().begin(), bytes.GetBytes().end()));
    }
    std::unique_ptr<GUIStartGameLogicWindow> MakeScreen()
    {
        auto screen = std::make_unique<GUIStartGameLogicWindow>(
            h.t.engine, &h.mixer, &h.t.data, h.manager.get(), nullptr, h.profiles.get(), h.background->GetMenuParent());
        h.screens = [raw = screen.get()] { raw->Update(); };
        return screen;
    }
    // Opens the map from the main menu; false when it never became still.
    bool Open(GUIStartGameLogicWindow& screen)
    {
        screen.Show(2);
        h.Steps(60);
        return screen.IsActive();
    }
    // Steps until the screen answers something; 0 when it never does.
    std::uint32_t NextResult(GUIStartGameLogicWindow& screen, int frames = 3)
    {
        for (int i = 0; i < frames; ++i) {
            h.Step();
            if (screen.GetResult() != 0) {
                return screen.GetResult();
            }
        }
        return 0;
    }
    void PointAtElement(const GUIMapElement& element)
    {
        const OrrelayEngine::Model* model = element.GetPlaceWindow()->GetModel();
        MenuTests::MenuHarness::PointAt(model->baseMatrix.m[3], model->baseMatrix.m[7]);
    }

    MenuTests::MenuHarness h;
};

TEST_F(GUIStartGameLogicWindowTest, ReaderRefusesFilesThatDisagreeWithThemselves)
{
    const std::string incorrect = "Incorrect \"data\\ui\\menus\\map\\map.gmf\" file format";
    const auto campaign = MapFileWriter::MakeCampaign({2});
    auto badKind = campaign;
    badKind[1].kind = 4;
    auto negativeKind = campaign;
    negativeKind[0].kind = -1;
    auto notANumber = campaign;
    notANumber[1].matrix[5] = std::numeric_limits<float>::quiet_NaN();
    auto infinite = campaign;
    infinite[0].matrix[3] = std::numeric_limits<float>::infinity();
    MapFileWriter countTooHigh;
    countTooHigh.SetCountError(1);
    MapFileWriter countTooLow;
    countTooLow.SetCountError(-1);
    MapFileWriter hugeCount;
    hugeCount.SetCountError(0x7FFFFFF0);
    MapFileWriter badSize;
    badSize.SetSizeFieldError(4);
    const struct
    {
        const char* what;
        std::vector<MapFileWriter::Element> elements;
        MapFileWriter writer;
    } cases[] = {
        {"kind 4", badKind, {}},
        {"kind -1", negativeKind, {}},
        {"NaN", notANumber, {}},
        {"infinity", infinite, {}},
        {"count + 1", campaign, countTooHigh},
        {"count - 1", campaign, countTooLow},
        {"huge count", campaign, hugeCount},
        {"size field", campaign, badSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMap(c.elements, c.writer);
        try {
            StageMapFile::Read(h.t.engine->GetFileManager());
            ADD_FAILURE() << "read";
        } catch (const OrrelayEngine::FileError& error) {
            EXPECT_EQ(error.GetMessage(), incorrect);
        }
    }
    // The screen makes it fatal: the map is the game's own data.
    EXPECT_THROW(MakeScreen(), OrrelayEngine::FatalError);
}

TEST_F(GUIStartGameLogicWindowTest, ElementsCountStagesFromTheirCheckPoints)
{
    std::vector<MapFileWriter::Element> elements(5);
    elements[3].kind = MapFileWriter::kCheckPoint;
    WriteMap(elements);
    const std::vector<StageMapFile::Element> map = StageMapFile::Read(h.t.engine->GetFileManager());
    const std::uint32_t expected[5][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}};
    ASSERT_EQ(map.size(), 5u);
    for (std::size_t i = 0; i < map.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(map[i].stage, expected[i][0]);
        EXPECT_EQ(map[i].level, expected[i][1]);
    }
}

TEST_F(GUIStartGameLogicWindowTest, SelectKeepsTheChoiceWithinTheReachedPlaceAndTheMap)
{
    const struct
    {
        std::uint32_t reached[2];
        std::uint32_t chosen[2];
        std::uint32_t expected[2];
    } cases[] = {
        {{1, 2}, {3, 0}, {1, 2}}, // a later stage: the reached place
        {{1, 2}, {1, 3}, {1, 2}}, // a later level of the reached stage
        {{1, 2}, {0, 3}, {0, 3}}, // an earlier stage keeps its level
        {{7, 9}, {7, 9}, {1, 3}}, // a position the map lacks: its last place
        {{0, 9}, {0, 9}, {0, 3}},
    };
    h.SetReached(0, 0);
    auto screen = MakeScreen();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chosen[0] << "," << c.chosen[1]);
        Tansywell::Profile* profile =
            h.SetReached(c.reached[0], c.reached[1], L"P" + std::to_wstring(c.reached[0] * 10 + c.reached[1]));
        screen->Select(c.chosen[0], c.chosen[1]);
        EXPECT_EQ(profile->GetCurrentPosition().stage, c.expected[0]);
        EXPECT_EQ(profile->GetCurrentPosition().level, c.expected[1]);
        int chosen = 0;
        for (const auto& element : screen->GetElements()) {
            chosen += element->IsVisible() && element->GetState() == GUIMapElement::kStateChosen ? 1 : 0;
        }
        EXPECT_EQ(chosen, 1);
    }
    // The reveal walks from the clamped place without running off the map.
    screen->Show(2);
    h.Steps(120);
}

TEST_F(GUIStartGameLogicWindowTest, RestartAndNextLevelStartAtOnce)
{
    h.SetReached(0, 2);
    const struct
    {
        std::uint32_t opener;
        std::uint32_t result;
    } cases[] = {{6, 23}, {8, 23}, {2, 0}, {9, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opener);
        auto screen = MakeScreen();
        screen->Show(c.opener);
        h.Step();
        EXPECT_EQ(screen->GetResult(), c.result);
        // Restart and next level never draw the map.
        EXPECT_EQ(screen->IsActive(), c.result == 0);
        screen->Hide();
        h.screens = nullptr;
        h.manager->free = true;
    }
}

TEST_F(GUIStartGameLogicWindowTest, ALockedPlaceIsNeitherHighlightedNorDoubleClicked)
{
    h.SetReached(0, 3);
    auto screen = MakeScreen();
    ASSERT_TRUE(Open(*screen));
    const GUIMapElement& locked = *screen->GetElements()[4];
    ASSERT_EQ(locked.GetState(), GUIMapElement::kStateLocked) << "the next stage's check point, revealed";
    PointAtElement(locked);
    h.Click();
    h.Click();
    EXPECT_EQ(NextResult(*screen), 0u);
    EXPECT_FALSE(locked.IsHighlighted());
    EXPECT_EQ(locked.GetShownFrame(), static_cast<std::uint32_t>(GUIMapElement::kStateLocked));

    const GUIMapElement& open = *screen->GetElements()[1];
    PointAtElement(open);
    h.Step();
    EXPECT_TRUE(open.IsHighlighted());
    EXPECT_EQ(open.GetShownFrame(), static_cast<std::uint32_t>(GUIMapElement::kStateHighlighted));
    ToolsTests::ToolsTestEngine::MouseButton(true);
    h.Step();
    ToolsTests::ToolsTestEngine::MouseButton(false);
    h.Step();
    ToolsTests::ToolsTestEngine::MouseButton(true);
    h.Step();
    ToolsTests::ToolsTestEngine::MouseButton(false);
    EXPECT_EQ(NextResult(*screen), GUIStartGameLogicWindow::kResultStart);
    EXPECT_EQ(h.profiles->GetCurrentProfile()->GetCurrentPosition().level, 1u);
}

TEST_F(GUIStartGameLogicWindowTest, AdvancingWalksIntoTheNewStageThenChoosesItsFirstLevel)
{
    Tansywell::Profile* profile = h.SetReached(1, 1);
    auto screen = MakeScreen();
    screen->SetAdvance(true);
    screen->Show(2);
    const auto& elements = screen->GetElements();
    EXPECT_TRUE(screen->IsAdvancing());
    EXPECT_TRUE(elements[0]->IsVisible());
    EXPECT_TRUE(elements[0]->IsMarked());
    EXPECT_FALSE(elements[1]->IsVisible()) << "the walk stops in the stage before";

    h.Steps(60);
    EXPECT_FALSE(screen->IsAdvancing());
    EXPECT_EQ(profile->GetCurrentPosition().stage, 1u);
    EXPECT_EQ(profile->GetCurrentPosition().level, 0u);
    EXPECT_EQ(elements[4]->GetState(), GUIMapElement::kStateChosen);
    // No choice while the reveal goes on; the locked path ahead cannot be chosen anyway.
    for (const auto& element : elements) {
        if (element->IsVisible() && element->GetState() != GUIMapElement::kStateLocked) {
            EXPECT_TRUE(element->IsMarked());
        }
    }
}

} // namespace
