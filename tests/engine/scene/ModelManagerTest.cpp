#include <gtest/gtest.h>

#include <vector>

#include "SceneTestSupport.h"

namespace OrrelayEngine {
namespace {

using SceneTest::SceneFixture;

class ModelManagerTest : public SceneFixture
{
protected:
    // A small box at depth z in front of the camera, in the given group.
    Model* AddBox(float z, std::uint32_t group, float bias = 0.0f)
    {
        Model* source = models->CreateBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f), nullptr, nullptr, 0);
        Model* model = models->CreateCopy(source, nullptr, 0);
        delete source;
        model->ClearFlags(0x200 | 0x400);
        model->SetFlags(group);
        MatrixSetTranslation(model->matrix, Vector3(0.0f, 0.0f, z));
        model->depthBias = bias;
        return model;
    }

    std::vector<Model*> DrawOrder() const
    {
        std::vector<Model*> order;
        for (std::uint32_t i = 0; i < models->GetDrawCount(); ++i) {
            order.push_back(models->GetDrawn(i));
        }
        return order;
    }
};

TEST_F(ModelManagerTest, FirstGroupNearToFarThenSecondGroupFarToNear)
{
    Model* farSecond = AddBox(-30.0f, 0x400);
    Model* nearFirst = AddBox(-5.0f, 0x200);
    Model* farFirst = AddBox(-20.0f, 0x200);
    Model* nearSecond = AddBox(-8.0f, 0x400);
    Model* neither = AddBox(-10.0f, 0);
    // A bias of -15 brings the box at 20 in front of the one at 5.
    Model* biasedFirst = AddBox(-20.0f, 0x200, -15.5f);
    models->RenderAll();
    const std::vector<Model*> expected = {biasedFirst, nearFirst, neither, farFirst, farSecond, nearSecond};
    EXPECT_EQ(DrawOrder(), expected);
    EXPECT_NEAR(nearFirst->depth, 5.0f, 0.0001f);
    EXPECT_EQ(render.Device().GetBeginSceneCount(), 1u);
    EXPECT_EQ(render.Device().GetEndSceneCount(), 1u);
    EXPECT_EQ(render.Device().GetDrawCount(), 6u);
}

TEST_F(ModelManagerTest, EqualKeysKeepTheirRegistrationOrderInBothGroups)
{
    std::vector<Model*> first;
    std::vector<Model*> second;
    for (int i = 0; i < 20; ++i) {
        first.push_back(AddBox(-10.0f, i % 3 == 0 ? 0 : 0x200));
        second.push_back(AddBox(-10.0f, 0x400));
    }
    models->RenderAll();
    std::vector<Model*> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(DrawOrder(), expected);
}

TEST_F(ModelManagerTest, StatisticsCountVisibleCulledAndHiddenModels)
{
    AddBox(-10.0f, 0x200);
    Model* behind = AddBox(40.0f, 0x200);
    Model* hidden = AddBox(-10.0f, 0x400);
    hidden->ClearFlags(Model::kFlagVisible);
    models->RenderAll();
    const ModelManager::Statistics& statistics = models->GetStatistics();
    EXPECT_EQ(statistics.visibleModels, 2u);
    EXPECT_EQ(statistics.drawnModels, 1u);
    EXPECT_EQ(statistics.visibleTriangles, 24u);
    EXPECT_EQ(statistics.drawnTriangles, 12u);
    EXPECT_EQ(models->GetDrawCount(), 1u);
    EXPECT_EQ(behind->GetVisiblePrimitives(), 0u);

    // A lost device: nothing is updated, drawn or counted.
    render.driver->SimulateDeviceLoss(Platform::kGraphicsErrSurfaceLost);
    render.system->Refresh();
    ASSERT_FALSE(render.system->IsDeviceReady());
    MatrixSetTranslation(behind->matrix, Vector3(0, 0, -10));
    const std::uint32_t draws = render.Device().GetDrawCount();
    models->RenderAll();
    EXPECT_EQ(models->GetStatistics().visibleModels, 0u);
    EXPECT_EQ(behind->GetVisiblePrimitives(), 0u);
    EXPECT_EQ(render.Device().GetDrawCount(), draws);
}

TEST_F(ModelManagerTest, RenderStatesFollowTheFlagWord)
{
    using Platform::RenderState;
    struct Case
    {
        std::uint32_t set;
        std::uint32_t clear;
        std::uint32_t lighting;
        std::uint32_t depthTest;
        std::uint32_t depthWrite;
        std::uint32_t lastCull;
        std::uint32_t draws;
    };
    const Case cases[] = {
        {0, 0, 1, 1, 1, Platform::kCullClockwise, 1},
        {0x80000, 0x40 | 0x80, 0, 0, 0, Platform::kCullClockwise, 1},
        {0x400000, 0, 1, 1, 1, Platform::kCullCounterClockwise, 1},
        {0x4000, 0, 1, 1, 1, Platform::kCullClockwise, 2},
        {0, 0x2000, 1, 1, 1, Platform::kCullNone, 1},
    };
    for (const Case& c : cases) {
        Model* model = AddBox(-10.0f, 0x200);
        model->SetFlags(c.set);
        model->ClearFlags(c.clear);
        const std::uint32_t draws = render.Device().GetDrawCount();
        models->RenderAll();
        Platform::GraphicsDeviceNull& device = render.Device();
        EXPECT_EQ(device.GetDrawCount() - draws, c.draws) << std::hex << c.set;
        EXPECT_EQ(device.GetRenderState(RenderState::Lighting), c.lighting) << std::hex << c.set;
        EXPECT_EQ(device.GetRenderState(RenderState::NormalizeNormals), c.lighting) << std::hex << c.set;
        EXPECT_EQ(device.GetRenderState(RenderState::ZEnable) != 0, c.depthTest != 0) << std::hex << c.set;
        EXPECT_EQ(device.GetRenderState(RenderState::ZWriteEnable), c.depthWrite) << std::hex << c.set;
        EXPECT_EQ(device.GetRenderState(RenderState::CullMode), c.lastCull) << std::hex << c.set;
        models->DeleteModel(model);
    }
    // A stencil model is skipped while the device has no stencil in use.
    Model* stencil = AddBox(-10.0f, 0x200);
    stencil->SetFlags(Model::kFlagStencil);
    models->RenderAll();
    EXPECT_EQ(render.Device().GetRenderState(RenderState::StencilEnable), render.system->IsStencilInUse() ? 1u : 0u);
}

TEST_F(ModelManagerTest, OnlyRegisteredModelsAreDeleted)
{
    Model* box = models->CreateBox(Vector3(), Vector3(1, 1, 1), nullptr, nullptr, 0);
    models->DeleteModel(box);
    models->DeleteModel(nullptr);
    EXPECT_EQ(box->GetName(), "box");
    Model* copy = models->CreateCopy(box, nullptr, 0);
    EXPECT_EQ(models->GetModelCount(), 1u);
    delete box;
    models->DeleteModel(copy);
    EXPECT_EQ(models->GetModelCount(), 0u);
    EXPECT_EQ(models->CreateCopy(nullptr, nullptr, 0), nullptr);
}

} // namespace
} // namespace OrrelayEngine
