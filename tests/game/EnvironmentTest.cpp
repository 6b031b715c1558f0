#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "game/GameLogicData.h"
#include "game/logic/Cell.h"
#include "game/logic/Environment.h"
#include "tests/game/PresentationHarness.h"

namespace {

using Tansywell::Environment;

// A level resource set without scenery.
struct NoScenery
{
    explicit NoScenery(PresentationTests::PresentationHarness& p)
        : data(p.h.engine, GameTests::GameDataTestEngine::MakeLanguage(), nullptr, &p.level)
    {}
    Tansywell::GameLogicData data;
};

// Border directions by the size of the piece (10 + direction), per cell.
std::map<std::uint32_t, std::uint32_t> BorderMasks(const Environment& environment, const Tansywell::Board& board)
{
    std::map<std::uint32_t, std::uint32_t> masks;
    for (std::uint32_t i = 0; i < environment.GetBorderCount(); ++i) {
        const OrrelayEngine::Model* border = environment.GetModels()[i];
        const auto direction = static_cast<std::uint32_t>(std::lround(border->box.localMax.x - 10.0f));
        for (std::uint32_t c = 0; c < board.GetCellCount(); ++c) {
            if (board.GetCellAt(c)->GetModelMatrix() == border->matrix)
                masks[c] |= 1u << direction;
        }
    }
    return masks;
}

TEST(Environment, BordersStandOnlyWhereNoNeighbourIs)
{
    PresentationTests::PresentationHarness alone(1, 1);
    alone.h.Build();
    NoScenery none(alone);
    Environment single(alone.h.engine, &alone.level, &alone.h.game.data, &none.data, alone.h.board.get());
    EXPECT_EQ(6u, single.GetBorderCount());
    EXPECT_EQ(0x3Fu, BorderMasks(single, *alone.h.board)[0]);

    // (0, 0) and (0, 2) share the edge of directions 0 and 3.
    PresentationTests::PresentationHarness pair(1, 3);
    pair.h.Build();
    NoScenery none2(pair);
    Environment two(pair.h.engine, &pair.level, &pair.h.game.data, &none2.data, pair.h.board.get());
    EXPECT_EQ(10u, two.GetBorderCount());
    auto masks = BorderMasks(two, *pair.h.board);
    EXPECT_EQ(0x3Eu, masks[0]);
    EXPECT_EQ(0x37u, masks[1]);
}

TEST(Environment, LightsTheBoardFromAbove)
{
    PresentationTests::PresentationHarness p(3, 3);
    p.h.Build();
    NoScenery none(p);
    OrrelayEngine::LightManager* lights = p.h.engine->GetLightManager();
    const std::uint32_t before = lights->GetLightCount();
    {
        Environment environment(p.h.engine, &p.level, &p.h.game.data, &none.data, p.h.board.get());
        const OrrelayEngine::Color& ambient = lights->GetAmbientColor();
        EXPECT_FLOAT_EQ(0.21f, ambient.r);
        EXPECT_FLOAT_EQ(0.21f, ambient.a);
        ASSERT_EQ(1u, environment.GetLights().size());
        const OrrelayEngine::Light& light = *environment.GetLights()[0];
        EXPECT_EQ(static_cast<std::uint32_t>(OrrelayEngine::Light::kPoint), light.type);
        const OrrelayEngine::Vector3 centre = p.h.board->GetBoundingBox().centre;
        EXPECT_FLOAT_EQ(centre.z + 200.0f, light.position.z);
        EXPECT_FLOAT_EQ(centre.x, light.position.x);
        EXPECT_FLOAT_EQ(1.1f, light.attenuation0);
        EXPECT_EQ(0.0f, light.attenuation1);
        EXPECT_EQ(before + 1, lights->GetLightCount());
    }
    EXPECT_EQ(before, lights->GetLightCount());
}

} // namespace
