#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "SceneTestSupport.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

namespace OrrelayEngine {
namespace {

using SceneTest::SceneFixture;

class SpriteGroupTest : public SceneFixture
{
protected:
    const ColoredVertex* Vertices(SpriteGroup& group)
    {
        return reinterpret_cast<const ColoredVertex*>(group.GetModel()->GetVertexBuffer()->GetData());
    }
};

TEST_F(SpriteGroupTest, QuadIndicesAndCornersAreWrittenOnceForThePool)
{
    std::unique_ptr<SpriteGroup> group(sprites->CreateSpriteGroup(3, nullptr, nullptr));
    Model* model = group->GetModel();
    EXPECT_EQ(model->GetFlags(), SpriteGroup::kModelFlags);
    EXPECT_EQ(models->GetModelCount(), 1u);
    const std::uint32_t expected[] = {8, 9, 10, 10, 9, 11};
    for (std::uint32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(model->GetIndexBuffer()->GetIndex(12 + k), expected[k]);
    }
    const ColoredVertex* vertices = Vertices(*group);
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (std::uint32_t k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(vertices[4 + k].u, uv[k][0]);
        EXPECT_FLOAT_EQ(vertices[4 + k].v, uv[k][1]);
    }
    EXPECT_EQ(group->GetCamera(), camera);
    group.reset();
    EXPECT_EQ(models->GetModelCount(), 0u);
}

TEST_F(SpriteGroupTest, FreeIndicesAreReusedAndAFullPoolHandsOutNoSprite)
{
    std::unique_ptr<SpriteGroup> group(sprites->CreateSpriteGroup(4, nullptr, nullptr));
    const Color white(1, 1, 1, 1);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), 3u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), 2u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), 1u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), 0u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), SpriteGroup::kNoSprite);
    EXPECT_EQ(group->GetSprite(SpriteGroup::kNoSprite), nullptr);
    group->ReleaseSprite(3);
    group->ReleaseSprite(3);
    group->ReleaseSprite(SpriteGroup::kNoSprite);
    EXPECT_EQ(group->GetFreeCount(), 1u);
    EXPECT_EQ(group->AddSprite(Vector3(1, 2, 3), 2.0f, white), 3u);
    EXPECT_FLOAT_EQ(group->GetSprite(3)->position.y, 2.0f);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, white), SpriteGroup::kNoSprite);
}

TEST_F(SpriteGroupTest, BuildFacesTheCameraFarthestFirstAndDrawsOnlySpritesInUse)
{
    std::unique_ptr<SpriteGroup> group(sprites->CreateSpriteGroup(5, nullptr, nullptr));
    ASSERT_NEAR(camera->GetBackAxis().z, 1.0f, 0.0001f);
    const std::uint32_t nearSprite = group->AddSprite(Vector3(0, 0, -2), 1.0f, Color(1, 0, 0, 1));
    const std::uint32_t farSprite = group->AddSprite(Vector3(4, 0, -10), 0.5f, Color(0, 1, 0, 1));
    group->groupColor = Color(1, 1, 1, 0.5f);
    group->Build();
    EXPECT_EQ(group->GetDrawnCount(), 2u);
    EXPECT_EQ(group->GetDrawn(0), group->GetSprite(farSprite));
    EXPECT_EQ(group->GetDrawn(1), group->GetSprite(nearSprite));
    EXPECT_EQ(group->GetModel()->GetIndexBuffer()->GetUsedCount(), 12u);
    const ColoredVertex* v = Vertices(*group);
    // The far sprite's corners: -R-U, -R+U, R-U, R+U times its size.
    EXPECT_FLOAT_EQ(v[0].x, 3.5f);
    EXPECT_FLOAT_EQ(v[0].y, -0.5f);
    EXPECT_FLOAT_EQ(v[1].y, 0.5f);
    EXPECT_FLOAT_EQ(v[2].x, 4.5f);
    EXPECT_FLOAT_EQ(v[3].z, -10.0f);
    const VertexBuffer* buffer = group->GetModel()->GetVertexBuffer();
    EXPECT_EQ(v[0].color, buffer->PackColor(0, 1, 0, 0.5f));
    EXPECT_EQ(v[4].color, buffer->PackColor(1, 0, 0, 0.5f));
    EXPECT_FLOAT_EQ(group->centre.x, 2.0f);
    EXPECT_FLOAT_EQ(group->centre.z, -6.0f);

    // Without sorting: index order, which puts the far sprite (index 3) first
    // only because AddSprite handed out 4 then 3.
    group->sortByDepth = 0;
    group->GetSprite(farSprite)->position = Vector3(0, 0, -1);
    group->Build();
    EXPECT_EQ(group->GetDrawn(0), group->GetSprite(farSprite));

    // Nothing in use: nothing drawn, the centre kept.
    group->ReleaseSprite(nearSprite);
    group->ReleaseSprite(farSprite);
    group->Build();
    EXPECT_EQ(group->GetModel()->GetIndexBuffer()->GetUsedCount(), 0u);
    EXPECT_FLOAT_EQ(group->centre.z, -1.5f);
}

TEST_F(SpriteGroupTest, ASpriteAtNoNumberDoesNotUnsortTheOthers)
{
    std::unique_ptr<SpriteGroup> group(sprites->CreateSpriteGroup(4, nullptr, nullptr));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Handed out 3, 2, 1, 0: in index order the depths are 3, 1, none, 2.
    const float depths[] = {2.0f, nan, 1.0f, 3.0f};
    for (float depth : depths) {
        group->AddSprite(Vector3(0, 0, -depth), 1.0f, Color(1, 1, 1, 1));
    }
    group->Build();
    ASSERT_EQ(group->GetDrawnCount(), 4u);
    float previous = std::numeric_limits<float>::infinity();
    for (std::uint32_t j = 0; j < 4; ++j) {
        const float depth = group->GetDrawn(j)->depth;
        EXPECT_LE(depth, previous) << "position " << j;
        previous = depth;
    }
    EXPECT_EQ(group->GetDrawn(0), group->GetSprite(0));
    EXPECT_EQ(group->GetDrawn(1), group->GetSprite(3));
    EXPECT_EQ(group->GetDrawn(2), group->GetSprite(1));
}

TEST_F(SpriteGroupTest, TinyAnglesStayUnrotatedAndHiddenGroupsAreNotRebuilt)
{
    std::unique_ptr<SpriteGroup> group(sprites->CreateSpriteGroup(1, nullptr, nullptr));
    const std::uint32_t index = group->AddSprite(Vector3(0, 0, -5), 1.0f, Color(1, 1, 1, 1));
    group->GetSprite(index)->angle = 0.00005f;
    group->Build();
    EXPECT_FLOAT_EQ(Vertices(*group)[0].x, -1.0f);
    EXPECT_FLOAT_EQ(Vertices(*group)[0].y, -1.0f);
    // A quarter turn about the back axis takes -R-U to R-U.
    group->GetSprite(index)->angle = 1.5707964f;
    group->Build();
    EXPECT_NEAR(Vertices(*group)[0].x, 1.0f, 0.0001f);
    EXPECT_NEAR(Vertices(*group)[0].y, -1.0f, 0.0001f);

    group->SetVisible(false);
    EXPECT_FALSE(group->IsVisible());
    group->GetSprite(index)->position = Vector3(50, 0, -5);
    group->Build();
    EXPECT_NEAR(Vertices(*group)[0].x, 1.0f, 0.0001f);
}

TEST_F(SpriteGroupTest, CopiesHaveAModelAndAFreeStackOfTheirOwn)
{
    SpriteGroup* source = sprites->CreateRegisteredSpriteGroup(3, nullptr, nullptr);
    source->AddSprite(Vector3(1, 0, 0), 1.0f, Color(1, 1, 1, 1));
    source->sortByDepth = 0;
    SpriteGroup* empty = sprites->CreateCopy(source, false);
    SpriteGroup* full = sprites->CreateCopy(source, true);
    EXPECT_EQ(sprites->GetGroupCount(), 3u);
    EXPECT_NE(empty->GetModel(), source->GetModel());
    EXPECT_EQ(empty->sortByDepth, 0u);
    EXPECT_EQ(empty->GetFreeCount(), 3u);
    EXPECT_EQ(empty->AddSprite(Vector3(), 1.0f, Color()), 2u);
    EXPECT_EQ(full->GetFreeCount(), 2u);
    EXPECT_EQ(full->GetSprite(2)->free, 0u);
    EXPECT_FLOAT_EQ(full->GetSprite(2)->position.x, 1.0f);
    sprites->UpdateAll();
    EXPECT_EQ(full->GetDrawnCount(), 1u);

    std::unique_ptr<SpriteGroup> loose(sprites->CreateSpriteGroup(1, nullptr, nullptr));
    sprites->DeleteSpriteGroup(loose.get());
    EXPECT_EQ(loose->GetSpriteCount(), 1u);
    sprites->DeleteSpriteGroup(empty);
    EXPECT_EQ(sprites->GetGroupCount(), 2u);
}

} // namespace
} // namespace OrrelayEngine
