#include <gtest/gtest.h>

#include <memory>

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "game/gui/GUICollectionOfManaEffect.h"
#include "game/gui/GUIGameLogicProgress.h"
#include "game/gui/GUIGameLogicText.h"
#include "game/gui/GUIGameLogicTextManager.h"
#include "tests/game/gui/HudHarness.h"

namespace {

using namespace Tansywell;
using HudTests::HudHarness;
using OrrelayEngine::Color;
using OrrelayEngine::Vector2;

TEST(GUIGameLogicTextTest, GrowsRisesFadesAndDies)
{
    HudHarness h;
    GUIGameLogicTextManager texts(h.t.engine, nullptr);
    texts.AddText(0, Vector2(100, 200));
    ASSERT_EQ(1u, texts.GetTextCount());
    EXPECT_EQ(L"+0", texts.GetText(0).GetText());

    struct Case
    {
        float age;
        float alpha;
        float size;
        float rise;
    };
    // Ages reached by frames of 0.05 s (the last step 0.01 s).
    const Case cases[] = {
        {0.1f, 0.5f, 11.0f, 0.0f},
        {0.2f, 1.0f, 22.0f, 0.0f},
        {0.7f, 1.0f, 22.0f, 17.5f},
        {1.45f, 0.5f, 22.0f, 43.75f},
    };
    float age = 0.0f;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.age);
        while (age < test.age - 0.001f) {
            h.t.Frame(50000);
            texts.Update();
            age += 0.05f;
        }
        const GUIGameLogicText& text = texts.GetText(0);
        EXPECT_NEAR(test.age, text.GetAge(), 1e-3f);
        EXPECT_NEAR(test.alpha, text.GetAlpha(), 1e-3f);
        EXPECT_NEAR(test.size, text.GetSize(), 1e-3f);
        EXPECT_NEAR(test.rise, text.GetRise(), 1e-2f);
    }
    for (int i = 0; i < 5; ++i) {
        h.t.Frame(50000);
        texts.Update();
    }
    ASSERT_EQ(1u, texts.GetTextCount()) << "alive at 1.70 s";
    h.t.Frame(10000);
    texts.Update();
    EXPECT_EQ(0u, texts.GetTextCount()) << "gone at 1.71 s";
}

TEST(GUIGameLogicProgressTest, RunsTowardTheTargetAndDrawsThroughTheAnimation)
{
    HudHarness h;
    OrrelayEngine::GUIWindow* parent = h.t.engine->GetGUIManager()->CreateWindowFromModel(
        OrrelayEngine::GUIWindow::kFlagShown, Vector2(), Vector2(800, 600), nullptr, nullptr);
    const auto& hud = h.t.data.gameLogic;
    GUIGameLogicProgress bar(h.t.engine, &h.t.data, 0.5f, hud.manaBackground, hud.mana, hud.manaTextArea, parent);
    OrrelayEngine::AnimationControl* animation = bar.GetBarModel()->GetAnimationControl();
    ASSERT_NE(nullptr, animation);
    const Color white(1, 1, 1, 1);

    bar.SetValue(0.25f);
    h.t.Frame(100000);
    bar.Update(white, 0.25f);
    EXPECT_FLOAT_EQ(0.25f, bar.GetValue()) << "a target equal to the value does not move it";
    EXPECT_FLOAT_EQ(0.75f, animation->position);

    bar.SetValue(0.98f);
    bar.Update(white, 2.0f);
    EXPECT_FLOAT_EQ(1.03f, bar.GetValue()) << "a target above 1 lets the value pass 1";
    EXPECT_FLOAT_EQ(0.0f, animation->position) << "a full bar";

    bar.Update(white, 0.0f);
    EXPECT_FLOAT_EQ(0.98f, bar.GetValue());
    parent->ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
    bar.Update(white, 0.0f);
    EXPECT_FLOAT_EQ(0.98f, bar.GetValue()) << "nothing moves under a hidden parent";
    h.t.engine->GetGUIManager()->DeleteWindow(parent);
}

TEST(GUICollectionOfManaEffectTest, FliesACurveAndIsFreeOnlyAfterItsLastParticle)
{
    HudHarness h;
    OrrelayEngine::GUIWindow* parent = h.t.engine->GetGUIManager()->CreateWindowFromModel(
        OrrelayEngine::GUIWindow::kFlagShown, Vector2(), Vector2(800, 600), nullptr, nullptr);
    const auto& hud = h.t.data.gameLogic;
    GUIGameLogicProgress bar(h.t.engine, &h.t.data, 0.1f, hud.manaBackground, hud.mana, hud.manaTextArea, parent);
    GUICollectionOfManaEffect flight(h.t.engine, &h.t.data, &bar, parent);
    EXPECT_TRUE(flight.IsFree());

    const Vector2 start(400, 100);
    flight.Start(start);
    EXPECT_FALSE(flight.IsFree());
    for (int i = 0; i < 6; ++i) {
        h.t.Frame(100000);
        flight.Update();
    }
    const Vector2 end = flight.GetEndPoint();
    EXPECT_FLOAT_EQ(25.0f, end.x) << "the bar's middle";
    EXPECT_FLOAT_EQ(495.0f, end.y) << "the bar's top";
    // Half way: a quarter of each end and half of the control point.
    const Vector2 control(end.x - 180.0f, end.y + 250.0f);
    const OrrelayEngine::Vector3& at = flight.GetParticleSystem()->position;
    EXPECT_NEAR(0.25f * start.x + 0.5f * control.x + 0.25f * end.x, at.x, 1e-3f);
    EXPECT_NEAR(0.25f * start.y + 0.5f * control.y + 0.25f * end.y, at.y, 1e-3f);

    for (int i = 0; i < 7; ++i) {
        h.t.Frame(100000);
        h.t.engine->GetParticleSystemManager()->UpdateAll();
        flight.Update();
    }
    EXPECT_TRUE(flight.IsFinished());
    ASSERT_GT(flight.GetParticleSystem()->GetLiveCount(), 0u);
    EXPECT_FALSE(flight.IsFree()) << "its particles still fly";
    for (int i = 0; i < 200 && flight.GetParticleSystem()->GetLiveCount() > 0; ++i) {
        h.t.Frame(100000);
        h.t.engine->GetParticleSystemManager()->UpdateAll();
    }
    EXPECT_TRUE(flight.IsFree());
    h.t.engine->GetGUIManager()->DeleteWindow(parent);
}

} // namespace
