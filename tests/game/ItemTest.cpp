#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "content/BoardLayout.h"
#include "content/ModelFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "game/GameLevelRecord.h"
#include "game/logic/BonusManager.h"
#include "game/logic/Item.h"
#include "game/logic/ItemManager.h"
#include "game/logic/Shadow.h"
#include "game/logic/ShadowManager.h"
#include "tests/game/GameDataTestEngine.h"
#include "tests/support/AllocationCounter.h"

namespace {

using OrrelayEngine::Model;
using OrrelayEngine::ModelFile;
using OrrelayEngine::Vector3;
using Tansywell::Item;

constexpr float kPi = 3.14159265f;
// The butterfly fixture is 4 units tall: items rest 2.2 above their home.
constexpr float kHalfHeight = 2.0f;
constexpr float kHover = 1.1f * kHalfHeight;

// A keyframe model of the item's 76 frames, one still triangle in a box.
ModelFile MakeButterfly()
{
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags = Model::kFlagKeyframe | Model::kFlagTriangleList | Model::kFlagVisible;
    model.frameCount = 76;
    model.vertexCount = 3;
    model.indices = {0, 1, 2};
    for (std::uint32_t frame = 0; frame < model.frameCount; ++frame) {
        for (std::uint32_t i = 0; i < 3; ++i) {
            ModelFile::Vertex vertex;
            vertex.position = Vector3(i == 1 ? 5.0f : -5.0f, i == 2 ? 5.0f : -5.0f, i == 0 ? -2.0f : 2.0f);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({Vector3(-5, -5, -2), Vector3(5, 5, 2)});
    }
    return model;
}

// The item assets of the game data, set up by hand: a keyframe butterfly, a
// box for a shadow, a texture per kind for each and default particles.
class ItemScene
{
public:
    ItemScene() : bonuses(game.engine, &game.data)
    {
        const std::vector<std::uint8_t> bytes = Content::ModelFileWriter().Build(MakeButterfly()).GetBytes();
        game.Write("data/test/butterfly.mlf", std::string(bytes.begin(), bytes.end()));
        OrrelayEngine::ModelManager* models = game.engine->GetModelManager();
        data.butterfly = models->LoadModelTemplate("test\\butterfly.mlf", nullptr, Model::kFlagVertexColor);
        data.shadow =
            models->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), nullptr, nullptr, Model::kFlagVertexColor);
        data.AddUnnamedModel(data.butterfly);
        data.AddUnnamedModel(data.shadow);
        OrrelayEngine::ShaderManager* shaders = game.engine->GetShaderManager();
        data.butterflyTextures.clear();
        data.shadowTextures.clear();
        for (std::uint32_t kind = 0; kind < 5; ++kind) {
            const std::string name = std::to_string(kind) + ".jpg";
            data.butterflyTextures.push_back(
                shaders->CreateShaderUser(OrrelayEngine::MakeSingleTextureShaderDescriptor("b" + name, "", false)));
            data.shadowTextures.push_back(
                shaders->CreateShaderUser(OrrelayEngine::MakeSingleTextureShaderDescriptor("s" + name, "", false)));
            data.AddUnnamedShaderUser(data.butterflyTextures.back());
            data.AddUnnamedShaderUser(data.shadowTextures.back());
        }
        OrrelayEngine::ParticleSystemManager* particles = game.engine->GetParticleSystemManager();
        for (OrrelayEngine::ParticleSystem** system :
             {&data.butterflyAppear, &data.butterflyDisappear, &data.butterflySwap}) {
            *system = particles->CreateSelfMade(nullptr);
            data.AddUnnamedParticleSystem(*system);
        }
        // The model pass runs, and animates the items, only over a ready device.
        game.engine->GetRenderSystem()->ResetDevice(OrrelayEngine::RenderSystem::kResetRecreateDevice);
        level.kindCount = 5;
        items = std::make_unique<Tansywell::ItemManager>(game.engine, &level, &data, &bonuses);
    }

    // One frame as the game runs it: the items, then the engine's model pass
    // that advances their animations.
    void Frame()
    {
        game.Frame();
        items->Update();
        game.engine->GetModelManager()->RenderAll();
    }
    template <typename Until>
    int RunUntil(Until until, int limit = 1000)
    {
        int frames = 0;
        while (!until() && frames < limit) {
            Frame();
            ++frames;
        }
        return frames;
    }

    Item* Spawn(std::uint32_t kind, const Vector3& home)
    {
        Item* item = static_cast<Item*>(items->GetItem(kind));
        item->SetHome(home);
        item->Spawn();
        return item;
    }
    Item* SpawnResting(std::uint32_t kind, const Vector3& home)
    {
        Item* item = Spawn(kind, home);
        RunUntil([item] { return item->IsResting(); });
        return item;
    }

    GameTests::GameDataTestEngine game;
    Tansywell::GameData& data = game.data;
    Tansywell::GameLevelRecord level;
    Tansywell::BonusManager bonuses;
    std::unique_ptr<Tansywell::ItemManager> items;
};

float AngleBetween(float a, float b)
{
    return std::fabs(std::remainder(a - b, 2.0f * kPi));
}

TEST(ItemManager, PoolsTwelvePerKindForThirtyCellsAndFiveKindsThenMakesMore)
{
    ItemScene scene;
    scene.items->CreatePool(30);
    ASSERT_EQ(60u, scene.items->GetItemCount());
    for (std::uint32_t i = 0; i < 60; ++i)
        EXPECT_EQ(i / 12, scene.items->GetItemAt(i)->GetKind()) << i;
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(3u, scene.items->GetItem(3)->GetKind());
    EXPECT_EQ(61u, scene.items->GetItemCount()) << "the thirteenth is made";
    EXPECT_EQ(60u, scene.items->GetFreeEntryCount());
}

TEST(Item, LockedUntilItHasLandedOnItsRestPoint)
{
    ItemScene scene;
    const Vector3 home(30.0f, 0.0f, 3.0f);
    Item* item = scene.Spawn(0, home);
    const int frames = scene.RunUntil([&] {
        if (item->GetState() == Item::kRest)
            return true;
        EXPECT_TRUE(item->IsLocked());
        return false;
    });
    // 140 units at 105 a second.
    EXPECT_NEAR(1.33f * 60.0f, static_cast<float>(frames), 2.0f);
    EXPECT_FALSE(item->IsLocked());
    EXPECT_TRUE(item->IsResting());
    EXPECT_FALSE(item->GetPosition() != home + Vector3(0.0f, 0.0f, kHover));
    EXPECT_NEAR(1.0f, item->GetModel()->GetColor().a, 1e-3f);
    EXPECT_NE(nullptr, scene.items->GetShadowManager()->FindShadow(item));
}

TEST(Item, SwappedItemsFlyLevelAtTheirTakeOffHeightAndLandOnEachOthersCells)
{
    ItemScene scene;
    const Vector3 homeA(0.0f, 0.0f, 0.0f);
    const Vector3 homeB(Content::BoardLayout::CellX(1), Content::BoardLayout::CellY(1), 0.0f);
    Item* a = scene.SpawnResting(0, homeA);
    Item* b = scene.SpawnResting(1, homeB);
    a->MoveTo(homeB);
    b->MoveTo(homeA);

    struct Track
    {
        Item* item;
        float flightZ = -1.0f;
        float landingHeading = 0.0f;
        bool flew = false, landed = false;
    } tracks[] = {{a}, {b}};
    scene.RunUntil([&] {
        for (Track& track : tracks) {
            const std::uint32_t state = track.item->GetState();
            if (state == Item::kFlight) {
                if (!track.flew)
                    track.flightZ = track.item->GetPosition().z;
                track.flew = true;
                EXPECT_EQ(track.flightZ, track.item->GetPosition().z) << "a level flight";
            }
            if (state == Item::kLanding && !track.landed) {
                track.landed = true;
                track.landingHeading = track.item->GetHeading();
            }
            EXPECT_FALSE(track.item->IsResting() && state != Item::kRest);
        }
        return a->IsResting() && b->IsResting();
    });
    for (const Track& track : tracks) {
        EXPECT_TRUE(track.flew && track.landed);
        EXPECT_GT(track.flightZ, kHover + 10.0f);
        EXPECT_LT(track.flightZ, kHover + 30.0f) << "the take-off ends far below 200 units";
        EXPECT_LE(AngleBetween(track.item->GetHeading(), track.landingHeading), kPi / 2.0f);
    }
    EXPECT_FALSE(a->GetPosition() != homeB + Vector3(0.0f, 0.0f, kHover));
    EXPECT_FALSE(b->GetPosition() != homeA + Vector3(0.0f, 0.0f, kHover));
    EXPECT_FALSE(a->GetHome() != homeB);
}

TEST(Item, FacesTheCellItFliesToAndTurnsTheShortWay)
{
    ItemScene scene;
    Item* item = scene.SpawnResting(0, Vector3());
    struct Case
    {
        float dx, dy, heading;
    };
    const Case cases[] = {
        {30, 17, 5 * kPi / 4}, {30, -17, 3 * kPi / 4}, {-30, 17, 7 * kPi / 4}, {-30, -17, kPi / 4}, {30, 5, kPi},
        {-30, 5, 0},           {0, 34, 3 * kPi / 2},   {0, -34, kPi / 2},
    };
    // Any start: a fresh spawn, or one that many landings have carried round.
    for (const float start : {0.1f, 3.0f, 6.0f, 40.0f, -9.0f}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(start) + " to " + std::to_string(c.dx) + ", " + std::to_string(c.dy));
            item->SetHeading(start);
            item->MoveTo(item->GetPosition() + Vector3(c.dx, c.dy, 0.0f));
            EXPECT_LE(AngleBetween(item->GetTargetHeading(), c.heading), 1e-4f);
            EXPECT_LE(std::fabs(item->GetTargetHeading() - start), kPi + 1e-4f);
        }
    }
}

TEST(Item, HopsOnlyWhenResting)
{
    ItemScene scene;
    Item* appearing = scene.Spawn(0, Vector3());
    scene.Frame();
    appearing->Jump();
    EXPECT_EQ(Item::kAppear, appearing->GetState());
    scene.RunUntil([&] { return appearing->IsResting(); });
    EXPECT_FALSE(appearing->IsLocked()) << "an appearance that a hint met still lands";

    Item* resting = scene.SpawnResting(1, Vector3(60.0f, 0.0f, 0.0f));
    const Vector3 restPoint = resting->GetPosition();
    resting->Jump();
    EXPECT_EQ(Item::kHop, resting->GetState());
    EXPECT_FALSE(resting->IsResting());
    float top = restPoint.z;
    scene.RunUntil([&] {
        top = std::max(top, resting->GetPosition().z);
        return resting->IsResting();
    });
    EXPECT_GT(top, restPoint.z + 10.0f);
    EXPECT_FALSE(resting->GetPosition() != restPoint);

    // A hint that meets a take-off must not send the item back to its old cell.
    const Vector3 other(30.0f, 17.0f, 0.0f);
    resting->MoveTo(other);
    scene.Frame();
    resting->Jump();
    EXPECT_EQ(Item::kTakeOff, resting->GetState());
    scene.RunUntil([&] { return resting->IsResting(); });
    EXPECT_FALSE(resting->GetPosition() != other + Vector3(0.0f, 0.0f, kHover));
}

TEST(Item, DrawnAsABoxForAMissingModelStillEndsItsMovements)
{
    ItemScene scene;
    scene.data.butterfly = scene.game.engine->GetModelManager()->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1),
                                                                           nullptr, nullptr, Model::kFlagVertexColor);
    scene.data.AddUnnamedModel(scene.data.butterfly);
    Item* item = scene.SpawnResting(0, Vector3());
    item->MoveTo(Vector3(30.0f, 17.0f, 0.0f));
    EXPECT_LT(scene.RunUntil([&] { return item->IsResting(); }), 100);
}

TEST(ItemManager, RecyclesANeverSpawnedItemAtOnceAndKeepsItemsActiveUntilTheLastFadesOut)
{
    ItemScene scene;
    Item* never = static_cast<Item*>(scene.items->GetItem(4));
    scene.items->DestroyItem(never);
    scene.items->DestroyItem(nullptr);
    EXPECT_TRUE(scene.items->IsAnyItemActive());
    scene.Frame();
    EXPECT_FALSE(scene.items->IsAnyItemActive());
    EXPECT_EQ(never, scene.items->GetItem(4)) << "back in the free list";

    Item* first = scene.SpawnResting(0, Vector3());
    Item* last = scene.SpawnResting(1, Vector3(30.0f, 17.0f, 0.0f));
    last->SetBonus(scene.bonuses.CreateBonus(0));
    scene.items->DestroyItem(first);
    scene.RunUntil([] { return false; }, 60);
    scene.items->DestroyItem(last);
    const int frames = scene.RunUntil([&] {
        EXPECT_TRUE(last->IsActive() || !first->IsActive());
        return !scene.items->IsAnyItemActive();
    });
    // Faded out 2.2 seconds after the fly-away began.
    EXPECT_NEAR(2.2f * 60.0f, static_cast<float>(frames), 2.0f);
    EXPECT_EQ(0u, scene.bonuses.GetBonusCount());
    EXPECT_EQ(nullptr, last->GetBonus());
    EXPECT_EQ(0u, last->GetModel()->GetFlags() & Model::kFlagVisible);
}

TEST(Shadow, FadesAsItsItemRisesAboveTheGround)
{
    ItemScene scene;
    const float ground = 5.0f;
    scene.items->SetShadowHeight(ground);
    struct Case
    {
        float height, alpha;
        bool visible;
    };
    const Case cases[] = {{1.0f, 1.0f, true}, {26.0f, 0.5f, true}, {51.0f, 0.0f, false}};
    Item* items[3];
    for (int i = 0; i < 3; ++i)
        items[i] = scene.SpawnResting(0, Vector3(60.0f * i, 0.0f, ground + cases[i].height - kHover));
    scene.Frame();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].height);
        const Tansywell::Shadow* shadow = scene.items->GetShadowManager()->FindShadow(items[i]);
        ASSERT_NE(nullptr, shadow);
        const Model* model = shadow->GetModel();
        EXPECT_NEAR(cases[i].alpha, model->GetColor().a, 1.0f / 255.0f);
        EXPECT_EQ(cases[i].visible, (model->GetFlags() & Model::kFlagVisible) != 0);
        EXPECT_NEAR(ground, model->matrix.m[11], 1e-4f);
    }

    // A still scene costs no allocation.
    TestSupport::ScopedAllocationCount allocations;
    for (int i = 0; i < 10; ++i)
        scene.Frame();
    EXPECT_EQ(0u, allocations.Count());
}

TEST(Shadow, ARecycledItemsNewShadowTakesItsKindsTexture)
{
    ItemScene scene;
    Item* kind0 = scene.SpawnResting(0, Vector3());
    Item* kind1 = scene.SpawnResting(1, Vector3(60.0f, 0.0f, 0.0f));
    Tansywell::ShadowManager* shadows = scene.items->GetShadowManager();
    ASSERT_EQ(2u, shadows->GetShadowCount());
    EXPECT_TRUE(shadows->GetShadow(0)->GetModel()->GetShaderUser()->IsEqual(*scene.data.shadowTextures[0]));
    scene.items->DestroyItem(kind0);
    scene.items->DestroyItem(kind1);
    scene.RunUntil([&] { return !scene.items->IsAnyItemActive(); });
    EXPECT_EQ(nullptr, shadows->GetShadow(0)->GetItem());
    EXPECT_EQ(0u, shadows->GetShadow(0)->GetModel()->GetFlags() & Model::kFlagVisible);

    Item* again = scene.Spawn(1, Vector3());
    ASSERT_EQ(kind1, again);
    scene.Frame();
    EXPECT_EQ(again, shadows->GetShadow(0)->GetItem());
    EXPECT_TRUE(shadows->GetShadow(0)->GetModel()->GetShaderUser()->IsEqual(*scene.data.shadowTextures[1]));
    EXPECT_EQ(2u, shadows->GetShadowCount());
}

} // namespace
