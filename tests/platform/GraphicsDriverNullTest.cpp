#include <gtest/gtest.h>

#include "platform/GraphicsDeviceNull.h"
#include "platform/GraphicsDriverNull.h"

using namespace Platform;

TEST(GraphicsDriverNull, SimulatedLossHoldsUntilEndedThenRestores)
{
    GraphicsDriverNull driver;
    ASSERT_EQ(kGraphicsOk, driver.OpenAdapter(0));
    std::unique_ptr<GraphicsDevice> device;
    ASSERT_EQ(kGraphicsOk, driver.CreateDevice(0, device));
    driver.SimulateDeviceLoss(kGraphicsErrWrongMode);
    EXPECT_EQ(kGraphicsErrWrongMode, driver.TestCooperativeLevel());
    EXPECT_EQ(kGraphicsErrSurfaceLost, device->BeginScene());
    EXPECT_EQ(kGraphicsErrSurfaceLost, driver.Present(false));
    EXPECT_EQ(kGraphicsErrWrongMode, driver.RestoreAllSurfaces());
    EXPECT_TRUE(driver.AreSurfacesLost());
    driver.EndDeviceLossSimulation();
    EXPECT_EQ(kGraphicsOk, driver.TestCooperativeLevel());
    EXPECT_TRUE(driver.AreSurfacesLost());
    EXPECT_EQ(kGraphicsOk, driver.RestoreAllSurfaces());
    EXPECT_EQ(kGraphicsOk, device->BeginScene());
}

TEST(GraphicsDriverNull, ReopeningTheAdapterEndsALoss)
{
    GraphicsDriverNull driver;
    ASSERT_EQ(kGraphicsOk, driver.OpenAdapter(0));
    driver.SimulateDeviceLoss(kGraphicsErrWrongMode);
    driver.CloseAdapter();
    ASSERT_EQ(kGraphicsOk, driver.OpenAdapter(0));
    EXPECT_EQ(kGraphicsOk, driver.TestCooperativeLevel());
    EXPECT_FALSE(driver.AreSurfacesLost());
}

TEST(GraphicsDriverNull, StepsFailAsConfigured)
{
    GraphicsDriverNull driver;
    std::unique_ptr<GraphicsDevice> device;
    EXPECT_EQ(kGraphicsErrInvalidParams, driver.CreateDevice(0, device)) << "no adapter open";
    ASSERT_EQ(kGraphicsOk, driver.OpenAdapter(0));
    driver.SetDeviceCreationResult(0, kGraphicsErrOutOfVideoMemory);
    EXPECT_EQ(kGraphicsErrOutOfVideoMemory, driver.CreateDevice(0, device));
    EXPECT_EQ(nullptr, device);
    EXPECT_EQ(kGraphicsOk, driver.CreateDevice(1, device));
    EXPECT_EQ(driver.GetDevice(), device.get());
    device.reset();
    EXPECT_EQ(nullptr, driver.GetDevice());
    driver.SetStepResult(GraphicsDriverNull::Step::CreateScreenBuffers, kGraphicsErrOutOfMemory);
    EXPECT_EQ(kGraphicsErrOutOfMemory, driver.CreateScreenBuffers(640, 480, false));
}

TEST(GraphicsDeviceNull, CountsEveryStateItReceives)
{
    GraphicsDriverNull driver;
    ASSERT_EQ(kGraphicsOk, driver.OpenAdapter(0));
    std::unique_ptr<GraphicsDevice> device;
    ASSERT_EQ(kGraphicsOk, driver.CreateDevice(0, device));
    GraphicsDeviceNull& recorded = *driver.GetDevice();
    device->SetRenderState(RenderState::CullMode, kCullClockwise);
    device->SetRenderState(RenderState::CullMode, kCullClockwise);
    device->SetTextureStageState(3, StageState::AddressU, kAddressClamp);
    EXPECT_EQ(kGraphicsErrInvalidParams, device->SetTextureStageState(kMaxTextureStages, StageState::AddressU, 0));
    EXPECT_EQ(kGraphicsErrInvalidParams, device->LightEnable(kMaxLights, true));
    EXPECT_EQ(2u, recorded.GetRenderStateCount(RenderState::CullMode));
    EXPECT_EQ(kCullClockwise, recorded.GetRenderState(RenderState::CullMode));
    EXPECT_EQ(1u, recorded.GetStageStateCount(3, StageState::AddressU));
    EXPECT_EQ(3u, recorded.GetTotalCallCount());
    recorded.SetFailure(kGraphicsErrGeneric);
    EXPECT_EQ(kGraphicsErrGeneric, device->SetRenderState(RenderState::Lighting, 1));
}
