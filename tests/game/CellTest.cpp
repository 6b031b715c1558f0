#include <gtest/gtest.h>

#include "engine/core/Matrix4.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "game/CellRecord.h"
#include "game/logic/Cell.h"
#include "game/logic/CellSelection.h"
#include "game/logic/CellSelectionManager.h"
#include "tests/game/GameDataTestEngine.h"

namespace {

using Tansywell::Cell;
using Tansywell::CellRecord;
using Tansywell::CellSelectionManager;

CellRecord MakeRecord(std::uint32_t layers, bool closed, bool blocked)
{
    CellRecord record;
    record.layerCount = layers;
    record.closed = closed ? 1 : 0;
    record.blocked = blocked ? 1 : 0;
    record.x = 3;
    record.y = 5;
    record.firstTranslation = OrrelayEngine::Vector3(90.0f, 0.0f, 0.0f);
    return record;
}

bool Shows(const Cell& cell, const OrrelayEngine::ShaderUser* texture)
{
    return cell.GetModel()->GetShaderUser()->IsEqual(*texture);
}

TEST(Cell, ClosedShowsOverBlockedAndOpeningKeepsTheWeb)
{
    GameTests::GameDataTestEngine game;
    Cell cell(game.engine, &game.data, MakeRecord(2, true, true), 0);
    EXPECT_TRUE(Shows(cell, game.data.cell2Closed));
    ASSERT_NE(nullptr, cell.GetBlockModel());

    EXPECT_TRUE(cell.OpenClosed());
    EXPECT_FALSE(cell.OpenClosed());
    EXPECT_TRUE(Shows(cell, game.data.cell2Blocked));
    EXPECT_NE(nullptr, cell.GetBlockModel());

    EXPECT_TRUE(cell.Unblock());
    EXPECT_TRUE(Shows(cell, game.data.cell2));
    EXPECT_EQ(nullptr, cell.GetBlockModel());

    EXPECT_TRUE(cell.RemoveLayer());
    EXPECT_TRUE(Shows(cell, game.data.cell1));
    EXPECT_TRUE(cell.RemoveLayer());
    EXPECT_EQ(0u, cell.GetLayerCount());
    cell.GetLayerParticles()->emitting = 0;
    EXPECT_FALSE(cell.RemoveLayer());
    EXPECT_EQ(0, cell.GetLayerParticles()->emitting) << "an empty cell plays no mana effect";
}

TEST(Cell, StandsWhereItsRecordPutsIt)
{
    GameTests::GameDataTestEngine game;
    const Cell cell(game.engine, &game.data, MakeRecord(1, false, false), 7);
    EXPECT_EQ(7u, cell.GetListIndex());
    // The single-layer model is a 2 x 2 x 2 box here, centred on the origin.
    const OrrelayEngine::Vector3 top = cell.GetTopPosition();
    EXPECT_FLOAT_EQ(90.0f, top.x);
    EXPECT_FLOAT_EQ(1.0f, top.z);
    float distance = 0.0f;
    EXPECT_TRUE(cell.IntersectRay(OrrelayEngine::Vector3(90.0f, 0.0f, 10.0f),
                                  OrrelayEngine::Vector3(0.0f, 0.0f, -20.0f), &distance));
    EXPECT_NEAR(9.0f, distance, 1e-3f);
    EXPECT_FLOAT_EQ(90.0f, cell.GetCentre().x);

    // A board camera that carries the board moves the centre on the screen,
    // where picking finds the cell too.
    OrrelayEngine::Matrix4 carry;
    OrrelayEngine::MatrixSetTranslation(carry, OrrelayEngine::Vector3(-90.0f, 40.0f, 0.0f));
    game.engine->GetCameraManager()->GetCurrentCamera()->SetSecondMatrix(carry);
    EXPECT_FLOAT_EQ(0.0f, cell.GetCentre().x);
    EXPECT_FLOAT_EQ(40.0f, cell.GetCentre().y);
    EXPECT_TRUE(cell.IntersectRay(OrrelayEngine::Vector3(0.0f, 40.0f, 10.0f),
                                  OrrelayEngine::Vector3(0.0f, 0.0f, -20.0f), &distance));
}

TEST(Cell, HighlightTurnsYellowInEighteenFramesAtSixtyAndBack)
{
    GameTests::GameDataTestEngine game;
    Cell cell(game.engine, &game.data, MakeRecord(1, false, false), 0);
    for (int frame = 1; frame <= 18; ++frame) {
        game.Frame();
        cell.SetHighlight(true, false);
        if (frame == 17) {
            EXPECT_GT(cell.GetColor().b, 0.0f);
        }
    }
    EXPECT_EQ(0.0f, cell.GetColor().b);
    EXPECT_NEAR(0.0f, cell.GetModel()->GetColor().b, 1e-3f) << "the model shows the highlight";

    for (int frame = 1; frame <= 18; ++frame) {
        game.Frame();
        cell.SetHighlight(false, false);
    }
    EXPECT_EQ(1.0f, cell.GetColor().b);
}

TEST(CellSelection, QuickReselectFadesTheOldMarkerOutAndANewOneIn)
{
    GameTests::GameDataTestEngine game;
    Cell cell(game.engine, &game.data, MakeRecord(1, false, false), 0);
    Cell other(game.engine, &game.data, MakeRecord(1, false, false), 1);
    game.data.cellSelect->GetAnimationControl()->speed = 40.0f;
    CellSelectionManager markers(game.engine, &game.data);
    EXPECT_EQ(4u, markers.GetFreeMarkerCount());

    markers.Update(&cell);
    markers.Update(&cell);
    ASSERT_EQ(1u, markers.GetSelectionCount()) << "a selected cell keeps its one marker";
    markers.Update(nullptr);
    markers.Update(&cell);
    ASSERT_EQ(2u, markers.GetSelectionCount());
    EXPECT_FALSE(markers.GetSelection(0)->IsWanted());
    EXPECT_TRUE(markers.GetSelection(1)->IsWanted());
    EXPECT_EQ(&cell, markers.GetSelection(1)->GetCell());

    // Ten frames a step: appear, loop and vanish end within a few steps.
    for (int step = 0; step < 40; ++step) {
        for (std::uint32_t i = 0; i < markers.GetSelectionCount(); ++i)
            markers.GetSelection(i)->GetModel()->GetAnimationControl()->Advance(0.25f);
        markers.Update(&other);
    }
    ASSERT_EQ(1u, markers.GetSelectionCount()) << "both old markers died, the new cell has one";
    EXPECT_EQ(&other, markers.GetSelection(0)->GetCell());
    EXPECT_EQ(3u, markers.GetFreeMarkerCount());
}

} // namespace
