#include <gtest/gtest.h>

#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "engine/render/Light_D3D7.h"
#include "support/AllocationCounter.h"
#include "tests/engine/render/RenderSystemTestSupport.h"

namespace OrrelayEngine {
namespace {

class LightFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        render_.Start();
        lights_ = std::make_unique<LightManager>(&render_.log, render_.system.get());
    }

    void TearDown() override
    {
        lights_.reset();
        render_.system.reset();
    }

    RenderTest::NullRenderSystem render_;
    std::unique_ptr<LightManager> lights_;
};

TEST_F(LightFixture, EachLightTakesTheLowestFreeDeviceIndex)
{
    Light* first = lights_->CreateLight();
    Light* second = lights_->CreateLight();
    EXPECT_EQ(first, lights_->GetLight(0));
    EXPECT_EQ(0u, first->GetDeviceIndex());
    EXPECT_EQ(second, lights_->GetLight(1));
    EXPECT_EQ(1u, second->GetDeviceIndex());

    lights_->DeleteLight(first);
    Light* third = lights_->CreateLight();
    EXPECT_EQ(third, lights_->GetLight(0)) << "the freed id";
    EXPECT_EQ(0u, third->GetDeviceIndex()) << "the freed device index";
    Light* fourth = lights_->CreateLight();
    EXPECT_EQ(2u, fourth->GetDeviceIndex());

    lights_->DeleteLight(nullptr);
    Light stranger(nullptr, 0);
    lights_->DeleteLight(&stranger);
    EXPECT_EQ(3u, lights_->GetLightCount());
}

TEST_F(LightFixture, AnUntouchedLightIsAWhitePointLightAtTheOrigin)
{
    lights_->CreateLight();
    lights_->ApplyAll();
    lights_->ApplyAll();
    const Platform::GraphicsDeviceNull& device = render_.Device();
    ASSERT_TRUE(device.IsLightEnabled(0));
    EXPECT_EQ(2u, device.GetLightCount(0)) << "sent every frame, changed or not";
    const Platform::LightDescription& sent = device.GetLight(0);
    EXPECT_EQ(Platform::LightType::Point, sent.type);
    EXPECT_EQ(0.0f, sent.position[0]);
    EXPECT_EQ(0.0f, sent.position[2]);
    EXPECT_FLOAT_EQ(1.8446743e19f, sent.range);
    EXPECT_EQ(1.0f, sent.attenuation0);
    EXPECT_EQ(0.0f, sent.attenuation1);
    EXPECT_EQ(0.0f, sent.attenuation2);
    EXPECT_EQ(1.0f, sent.diffuse.r);
    EXPECT_EQ(1.0f, sent.specular.b);
    EXPECT_EQ(1.0f, sent.ambient.g);
}

TEST_F(LightFixture, EveryTypeSendsItsOwnFields)
{
    Light* sun = lights_->CreateLight();
    sun->type = Light::kDirectional;
    sun->direction = Vector3(0.0f, -1.0f, 0.0f);
    sun->position = Vector3(9.0f, 9.0f, 9.0f);
    Light* lamp = lights_->CreateLight();
    lamp->type = Light::kSpot;
    lamp->position = Vector3(1.0f, 2.0f, 3.0f);
    lamp->direction = Vector3(0.0f, 0.0f, 1.0f);
    lamp->attenuation1 = 0.5f;
    lamp->innerConeAngle = 0.3f;
    lamp->outerConeAngle = 0.6f;
    Light* odd = lights_->CreateLight();
    odd->type = 7;
    lights_->ApplyAll();

    const Platform::GraphicsDeviceNull& device = render_.Device();
    const Platform::LightDescription& directional = device.GetLight(0);
    EXPECT_EQ(Platform::LightType::Directional, directional.type);
    EXPECT_EQ(-1.0f, directional.direction[1]);
    EXPECT_EQ(0.0f, directional.position[0]) << "a directional light has no position";

    const Platform::LightDescription& spot = device.GetLight(1);
    EXPECT_EQ(Platform::LightType::Spot, spot.type);
    EXPECT_EQ(3.0f, spot.position[2]);
    EXPECT_EQ(1.0f, spot.direction[2]);
    EXPECT_EQ(0.5f, spot.attenuation1);
    EXPECT_FLOAT_EQ(0.3f, spot.theta);
    EXPECT_FLOAT_EQ(0.6f, spot.phi);
    EXPECT_EQ(1.0f, spot.falloff);

    EXPECT_FALSE(device.IsLightEnabled(2)) << "a type the device does not know stays off";
    EXPECT_EQ(0u, device.GetLightCount(2));
}

TEST_F(LightFixture, ADisabledLightIsSwitchedOffEveryFrameWithoutARecord)
{
    Light* light = lights_->CreateLight();
    light->enabled = 0;
    lights_->ApplyAll();
    lights_->ApplyAll();
    const Platform::GraphicsDeviceNull& device = render_.Device();
    EXPECT_FALSE(device.IsLightEnabled(0));
    EXPECT_EQ(0u, device.GetLightCount(0));
    EXPECT_EQ(2u, device.GetLightEnableCount(0));

    light->enabled = 1;
    lights_->ApplyAll();
    EXPECT_TRUE(device.IsLightEnabled(0));
    EXPECT_EQ(1u, device.GetLightCount(0));
    lights_->DeleteLight(light);
    EXPECT_FALSE(device.IsLightEnabled(0)) << "a deleted light goes off on the device";
}

TEST_F(LightFixture, AmbientAndLightingPassTheStateCache)
{
    Platform::GraphicsDeviceNull& device = render_.Device();
    lights_->SetAmbientColor(Color(0.2f, 0.4f, 0.6f, 1.0f));
    const std::uint32_t ambientBefore = device.GetRenderStateCount(Platform::RenderState::Ambient);
    lights_->ApplyAll();
    lights_->ApplyAll();
    EXPECT_EQ(ambientBefore + 1, device.GetRenderStateCount(Platform::RenderState::Ambient));
    EXPECT_EQ(0xFF336699u, device.GetRenderState(Platform::RenderState::Ambient));

    const std::uint32_t lightingBefore = device.GetRenderStateCount(Platform::RenderState::Lighting);
    lights_->SetLighting(true);
    lights_->SetLighting(true);
    EXPECT_EQ(lightingBefore + 1, device.GetRenderStateCount(Platform::RenderState::Lighting));
    EXPECT_EQ(1u, device.GetRenderState(Platform::RenderState::Lighting));
}

TEST_F(LightFixture, ApplyingEveryFrameAllocatesNothing)
{
    Light* sun = lights_->CreateLight();
    sun->type = Light::kDirectional;
    Light* lamp = lights_->CreateLight();
    lamp->type = Light::kSpot;
    lamp->outerConeAngle = 0.5f;
    lights_->CreateLight();
    const auto frame = [&](int number) {
        const float step = static_cast<float>(number);
        lights_->SetAmbientColor(Color(0.1f * static_cast<float>(number % 3), 0.2f, 0.2f, 1.0f));
        lamp->position = Vector3(step, 1.0f, 0.0f);
        sun->enabled = static_cast<std::uint8_t>(number % 2);
        lights_->ApplyAll();
    };
    for (int number = 0; number < 3; ++number) {
        frame(number);
    }
    TestSupport::ScopedAllocationCount allocations;
    for (int number = 0; number < 50; ++number) {
        frame(number);
    }
    EXPECT_EQ(allocations.Count(), 0u);
}

} // namespace
} // namespace OrrelayEngine
