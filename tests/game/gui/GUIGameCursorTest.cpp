#include "game/gui/GUIGameCursor.h"

#include <gtest/gtest.h>

#include "engine/gui/GUIManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "tests/game/GameDataTestEngine.h"

namespace {

using Tansywell::GUIGameCursor;

class GUIGameCursorTest : public testing::Test
{
protected:
    GUIGameCursorTest()
    {
        OrrelayEngine::ParticleSystemManager* particles = t.engine->GetParticleSystemManager();
        t.data.cursorTrain = particles->CreateSelfMade(nullptr);
        t.data.cursorClick = particles->CreateSelfMade(nullptr);
    }
    ~GUIGameCursorTest() override
    {
        delete t.data.cursorTrain;
        delete t.data.cursorClick;
        t.data.cursorTrain = t.data.cursorClick = nullptr;
    }

    // One frame in which the first mouse button goes down.
    void ClickFrame(GUIGameCursor& cursor)
    {
        ToolsTests::ToolsTestEngine::MouseButton(true);
        t.tools.ReadInput();
        cursor.Update();
        t.tools.EndFrame();
        ToolsTests::ToolsTestEngine::MouseButton(false);
        t.tools.ReadInput();
    }

    GameTests::GameDataTestEngine t;
};

TEST_F(GUIGameCursorTest, TrailFollowsThePointerBehindItsTip)
{
    GUIGameCursor cursor(t.engine);
    cursor.SetParticleSystems(&t.data);
    cursor.Update();
    OrrelayEngine::Vector2 pointer;
    t.engine->GetGUIManager()->GetCursorPosition(pointer);
    const OrrelayEngine::Vector3& at = cursor.GetTrail()->position;
    EXPECT_FLOAT_EQ(at.x, pointer.x + 12.0f);
    EXPECT_FLOAT_EQ(at.y, pointer.y - 18.0f);
    EXPECT_FLOAT_EQ(at.z, 0.0f);
    EXPECT_NE(cursor.GetTrail()->emitting, 0);
}

TEST_F(GUIGameCursorTest, ClicksBurstOnlyWhileTheTrailIsOn)
{
    for (bool trail : {true, false}) {
        SCOPED_TRACE(trail);
        GUIGameCursor cursor(t.engine);
        cursor.SetTrailEnabled(trail);
        cursor.SetParticleSystems(&t.data);
        EXPECT_EQ(cursor.GetTrail()->emitting != 0, trail);
        ClickFrame(cursor);
        EXPECT_EQ(cursor.GetClick()->emitting != 0, trail);
    }
}

TEST_F(GUIGameCursorTest, WorksWithoutParticlesUntilTheyAreGiven)
{
    GUIGameCursor cursor(t.engine);
    cursor.SetVisible(true);
    ClickFrame(cursor);
    cursor.SetVisible(false);
    EXPECT_EQ(cursor.GetTrail(), nullptr);
    EXPECT_EQ(cursor.GetClick(), nullptr);
}

} // namespace
