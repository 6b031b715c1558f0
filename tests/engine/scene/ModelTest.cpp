#include <gtest/gtest.h>

#include <cmath>

#include "SceneTestSupport.h"
#include "content/ModelFileWriter.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Skeleton.h"

namespace OrrelayEngine {
namespace {

using Content::ModelFileWriter;
using SceneTest::SceneFixture;

class ModelTest : public SceneFixture
{
protected:
    // Writes the model under data\models\ and loads it as a template.
    std::unique_ptr<Model> Load(const ModelFile& contents, std::uint32_t extraFlags = 0)
    {
        SaveFixture("data\\models\\piece.mlf", ModelFileWriter().Build(contents));
        return std::unique_ptr<Model>(models->LoadModelTemplate("models\\piece.mlf", nullptr, extraFlags));
    }

    static ModelFile MakeTriangle(std::uint32_t flags)
    {
        ModelFile model;
        model.version = ModelFile::kCurrentVersion;
        model.flags = flags;
        model.vertexCount = 3;
        model.indices = {0, 1, 2};
        for (std::uint32_t i = 0; i < 3; ++i) {
            ModelFile::Vertex vertex;
            vertex.u = 0.1f * static_cast<float>(i + 1);
            vertex.v = 0.2f * static_cast<float>(i + 1);
            vertex.normal = Vector3(0.0f, 0.0f, 1.0f);
            vertex.position = Vector3(static_cast<float>(i == 1), static_cast<float>(i == 2), -5.0f);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({Vector3(0, 0, -5), Vector3(1, 1, -5)});
        return model;
    }

    static ModelFile MakeKeyframeTriangle()
    {
        ModelFile model = MakeTriangle(Model::kFlagKeyframe | Model::kFlagTriangleList | Model::kFlagVisible);
        model.frameCount = 2;
        model.animationSpeed = 1.0f;
        for (std::uint32_t i = 0; i < 3; ++i) {
            ModelFile::Vertex moved = model.vertices[i];
            moved.position.z = -7.0f;
            moved.u += 1.0f;
            model.vertices.push_back(moved);
        }
        model.boxes.clear();
        model.boxes.push_back({Vector3(0, 0, -5), Vector3(1, 1, -5)});
        model.boxes.push_back({Vector3(0, 0, -9), Vector3(1, 1, -5)});
        return model;
    }
};

TEST_F(ModelTest, SortGroupsAndCullModesExcludeEachOther)
{
    std::unique_ptr<Model> model(models->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), nullptr, nullptr, 0));
    struct Step
    {
        bool set;
        std::uint32_t bits;
        std::uint32_t expectedGroupAndCull;
    };
    const std::uint32_t watched = 0x200 | 0x400 | 0x2000 | 0x4000 | 0x400000;
    const Step steps[] = {
        {true, 0x400, 0x400 | 0x2000},
        {true, 0x200, 0x200 | 0x2000},
        {false, 0x200, 0x400 | 0x2000},
        {false, 0x400, 0x200 | 0x2000},
        {false, 0x600, 0x2000},
        {true, 0x4000, 0x4000},
        {true, 0x400000, 0x400000},
        {true, 0x2000 | 0x400000, 0x2000},
        {false, 0x2000, 0},
    };
    for (const Step& step : steps) {
        if (step.set) {
            model->SetFlags(step.bits);
        } else {
            model->ClearFlags(step.bits);
        }
        EXPECT_EQ(model->GetFlags() & watched, step.expectedGroupAndCull)
            << (step.set ? "set " : "clear ") << std::hex << step.bits;
    }
}

TEST_F(ModelTest, BoxHasTwentyFourVerticesThirtySixIndicesAndItsCorners)
{
    std::unique_ptr<Model> box(models->CreateBox(Vector3(-1, -2, -3), Vector3(1, 2, 3), nullptr, nullptr, 0x20));
    EXPECT_EQ(box->GetName(), "box");
    EXPECT_EQ(box->GetFlags(), Model::kBoxFlags | 0x20u);
    EXPECT_FALSE(box->IsStrip());
    EXPECT_EQ(box->GetVertexBuffer()->GetVertexCount(), 24u);
    EXPECT_TRUE(box->GetVertexBuffer()->HasColor());
    EXPECT_EQ(box->GetIndexBuffer()->GetUsedCount(), 36u);
    EXPECT_EQ(box->GetPrimitiveCount(), 12u);
    EXPECT_FLOAT_EQ(box->box.localMin.y, -2.0f);
    EXPECT_FLOAT_EQ(box->box.localMax.z, 3.0f);
    EXPECT_EQ(box->GetCamera(), camera);
    // Every face's two triangles turn the same way as its outward normal.
    const auto* vertices = box->GetVertexBuffer()->LockColoredVertices(0, 24);
    for (std::uint32_t t = 0; t < 12; ++t) {
        const ColoredVertex& a = vertices[box->GetIndexBuffer()->GetIndex(t * 3)];
        const ColoredVertex& b = vertices[box->GetIndexBuffer()->GetIndex(t * 3 + 1)];
        const ColoredVertex& c = vertices[box->GetIndexBuffer()->GetIndex(t * 3 + 2)];
        const Vector3 turn =
            (Vector3(b.x, b.y, b.z) - Vector3(a.x, a.y, a.z)).Cross(Vector3(c.x, c.y, c.z) - Vector3(a.x, a.y, a.z));
        EXPECT_GT(turn.Dot(Vector3(a.nx, a.ny, a.nz)), 0.0f) << "triangle " << t;
    }
    box->GetVertexBuffer()->Unlock();
    box->SetColor(Color(1.0f, 0.0f, 0.0f, 0.5f));
    EXPECT_NEAR(box->GetColor().a, 0.5f, 0.003f);
    EXPECT_NEAR(box->GetColor().g, 0.0f, 0.003f);
}

TEST_F(ModelTest, ADeferredShaderIsOnlyRecordedUntilTheDeferralEnds)
{
    std::unique_ptr<Model> box(models->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), nullptr, nullptr, 0));
    ShaderUser* const before = box->GetShaderUser();
    const std::uint32_t users = shaders->GetShaderUserCount();
    ShaderDescriptor red;
    red.SetColor1(Color(1.0f, 0.0f, 0.0f, 1.0f));
    ShaderDescriptor blue;
    blue.SetColor1(Color(0.0f, 0.0f, 1.0f, 1.0f));

    box->SetShaderDeferred(true);
    box->SetShader(red);
    box->SetShader(blue);
    EXPECT_EQ(box->GetShaderUser(), before);
    EXPECT_EQ(shaders->GetShaderUserCount(), users);
    ASSERT_NE(box->GetPendingShader(), nullptr);

    Model* copy = models->CreateCopy(box.get(), nullptr, 0);
    EXPECT_TRUE(copy->IsShaderDeferred());
    ASSERT_NE(copy->GetPendingShader(), nullptr);
    EXPECT_FLOAT_EQ(copy->GetPendingShader()->GetColor1().b, 1.0f);
    models->DeleteModel(copy);

    // The last descriptor recorded wins, and the old user goes.
    box->SetShaderDeferred(false);
    EXPECT_EQ(box->GetPendingShader(), nullptr);
    EXPECT_FLOAT_EQ(box->GetShaderUser()->GetColor1().b, 1.0f);
    EXPECT_EQ(shaders->GetShaderUserCount(), users);
    box->SetShader(red);
    EXPECT_FLOAT_EQ(box->GetShaderUser()->GetColor1().r, 1.0f);
}

TEST_F(ModelTest, StripsDrawTwoLessThanTheirIndicesAndNothingBelowThree)
{
    struct Case
    {
        std::uint32_t flags;
        std::uint32_t used;
        std::uint32_t triangles;
    };
    const Case cases[] = {{0x1, 7, 5}, {0x1, 3, 1}, {0x1, 2, 0}, {0x1, 0, 0}, {0x9, 7, 2}, {0x9, 9, 3}, {0x9, 2, 0}};
    for (const Case& c : cases) {
        Model* model = models->CreateSelfMade(c.flags, 9, 9, 1, nullptr, nullptr);
        model->GetIndexBuffer()->SetUsedCount(c.used);
        EXPECT_EQ(model->CountPrimitives(), c.triangles) << c.flags << " " << c.used;
        models->DeleteModel(model);
    }
    // The strip follows the list flag however the flag changes.
    Model* changed = models->CreateSelfMade(0x1, 9, 9, 1, nullptr, nullptr);
    changed->SetFlags(Model::kFlagTriangleList);
    EXPECT_FALSE(changed->IsStrip());
    EXPECT_EQ(changed->CountPrimitives(), 3u);
    changed->ClearFlags(Model::kFlagTriangleList);
    EXPECT_TRUE(changed->IsStrip());
    Model* listCopy = models->CreateCopy(changed, nullptr, Model::kFlagTriangleList);
    EXPECT_FALSE(listCopy->IsStrip());
    EXPECT_EQ(listCopy->GetPrimitiveCount(), 3u);
    models->DeleteModel(listCopy);
    models->DeleteModel(changed);

    Model* zero = models->CreateSelfMade(0, 3, 3, 1, nullptr, nullptr);
    EXPECT_EQ(zero->GetFlags(), Model::kFlagVertexBufferKind1);
    EXPECT_EQ(zero->GetName(), "self_made");
    EXPECT_FLOAT_EQ(zero->box.localMax.x, 0.0001f);
    EXPECT_EQ(models->GetModelCount(), 1u);
}

TEST_F(ModelTest, FileVerticesAreMappedFieldByFieldIntoEitherLayout)
{
    for (std::uint32_t color : {0u, 0x20u}) {
        SCOPED_TRACE(color);
        ModelFile contents = MakeTriangle(Model::kFlagStatic | Model::kFlagTriangleList | Model::kFlag32BitIndices);
        std::unique_ptr<Model> model = Load(contents, color);
        ASSERT_EQ(model->GetName(), "models\\piece.mlf");
        VertexBuffer* buffer = model->GetVertexBuffer();
        ASSERT_EQ(buffer->GetVertexCount(), 3u);
        EXPECT_EQ(buffer->HasColor(), color != 0);
        // 32-bit file indices in a buffer that keeps 16-bit ones.
        EXPECT_EQ(model->GetIndexBuffer()->GetIndexSize(), 2u);
        EXPECT_EQ(model->GetIndexBuffer()->GetIndex(2), 2u);
        const float* v = reinterpret_cast<const float*>(buffer->GetData() + 2 * buffer->GetStride());
        EXPECT_FLOAT_EQ(v[0], 0.0f);
        EXPECT_FLOAT_EQ(v[1], 1.0f);
        EXPECT_FLOAT_EQ(v[2], -5.0f);
        EXPECT_FLOAT_EQ(v[5], 1.0f);
        const float* uv = v + (color != 0 ? 7 : 6);
        EXPECT_FLOAT_EQ(uv[0], 0.3f);
        EXPECT_NEAR(uv[1], 0.6f, 0.00001f);
        if (color != 0) {
            EXPECT_NEAR(model->GetColor().r, 1.0f, 0.001f);
        }
    }
}

TEST_F(ModelTest, IndicesAboveSixteenBitsKeepTheirValue)
{
    // Few indices, but into a large vertex list: the buffer must still hold 32-bit indices.
    ModelFile contents = MakeTriangle(Model::kFlagStatic | Model::kFlagTriangleList | Model::kFlag32BitIndices);
    constexpr std::uint32_t kVertexCount = 70000;
    contents.vertexCount = kVertexCount;
    contents.vertices.resize(kVertexCount, contents.vertices[2]);
    contents.indices = {0, 1, kVertexCount - 1};
    std::unique_ptr<Model> model = Load(contents);
    IndexBuffer* indices = model->GetIndexBuffer();
    EXPECT_EQ(indices->GetIndexSize(), 4u);
    EXPECT_EQ(indices->GetUsedCount(), 3u);
    EXPECT_EQ(indices->GetIndex(2), kVertexCount - 1);
}

TEST_F(ModelTest, UnreadableFilesBecomeANamedBoxAndAnError)
{
    ModelFile bad = MakeTriangle(Model::kFlagStatic | Model::kFlagTriangleList);
    bad.indices = {0, 1, 9};
    SaveFixture("data\\models\\bad.mlf", ModelFileWriter().Build(bad));
    const char* names[] = {"models\\bad.mlf", "models\\missing.mlf"};
    for (const char* name : names) {
        std::unique_ptr<Model> model(models->LoadModelTemplate(name, nullptr, 0x400));
        EXPECT_EQ(model->GetName(), name);
        EXPECT_EQ(model->GetVertexBuffer()->GetVertexCount(), 24u);
        EXPECT_FLOAT_EQ(model->box.localMin.x, -1.0f);
        EXPECT_FLOAT_EQ(model->box.localMax.z, 1.0f);
        EXPECT_NE(model->GetFlags() & 0x400, 0u);
        EXPECT_EQ(model->GetFlags() & 0x200, 0u);
    }
    EXPECT_EQ(CountLogged(MessageManager::kError, "index 9 outside 3 vertices"), 1u);
    EXPECT_EQ(CountLogged(MessageManager::kError, "missing.mlf"), 1u);
    // The registered loader keeps its box too.
    Model* registered = models->LoadModel("models\\missing.mlf", nullptr, 0);
    EXPECT_EQ(models->GetModelCount(), 1u);
    models->DeleteModel(registered);
    EXPECT_EQ(models->GetModelCount(), 0u);
}

TEST_F(ModelTest, KeyframeModelBlendsVerticesAndBoxAndSkipsAStillFrame)
{
    std::unique_ptr<Model> model = Load(MakeKeyframeTriangle());
    AnimationControl* animation = model->GetAnimationControl();
    EXPECT_FLOAT_EQ(animation->speed, 1.0f);
    ASSERT_EQ(model->GetFrameBoxes().size(), 2u);
    animation->Play();
    animation->position = 0.25f;
    animation->speed = 0.0f;
    model->Update(false);
    const float* v = reinterpret_cast<const float*>(model->GetVertexBuffer()->GetData());
    EXPECT_NEAR(v[2], -5.5f, 0.0001f);
    EXPECT_NEAR(v[6], 0.35f, 0.0001f);
    // Box centres -5 and -7, half depths 0 and 2, a quarter of the way.
    EXPECT_NEAR(model->box.localMin.z, -6.0f, 0.0001f);
    EXPECT_NEAR(model->box.localMax.z, -5.0f, 0.0001f);
    EXPECT_EQ(model->GetVertexRebuildCount(), 1u);
    model->Update(false);
    EXPECT_EQ(model->GetVertexRebuildCount(), 1u);
    animation->position = 0.25005f;
    model->Update(false);
    EXPECT_EQ(model->GetVertexRebuildCount(), 1u);
    animation->position = 0.5f;
    model->Update(false);
    EXPECT_EQ(model->GetVertexRebuildCount(), 2u);
    model->animateVertices = 0;
    animation->position = 0.75f;
    model->Update(false);
    EXPECT_EQ(model->GetVertexRebuildCount(), 2u);

    // A range past the model's two frames names frames it has no data for:
    // vertices and box stay as they were.
    model->animateVertices = 1;
    ASSERT_TRUE(animation->AddAnimation(7, 0, 9));
    animation->SetAnimation(7);
    animation->position = 5.5f;
    model->Update(false);
    EXPECT_EQ(animation->currentFrame, 5u);
    EXPECT_EQ(model->GetVertexRebuildCount(), 2u);
    EXPECT_NEAR(model->box.localMax.z, -5.0f, 0.0001f);

    // A copy reads the same frames, not a copy of them, and outlives the source.
    Model* copy = models->CreateCopy(model.get(), nullptr, 0);
    EXPECT_EQ(model->GetFrameBoxes().data(), copy->GetFrameBoxes().data());
    model.reset();
    copy->GetAnimationControl()->position = 0.25f;
    copy->Update(false);
    EXPECT_NEAR(reinterpret_cast<const float*>(copy->GetVertexBuffer()->GetData())[2], -5.5f, 0.0001f);
}

TEST_F(ModelTest, BoxFromVerticesIsWalkedOnlyAfterTheVerticesChange)
{
    const std::uint32_t flags =
        Model::kFlagStatic | Model::kFlagBoxFromVertices | Model::kFlagTriangleList | Model::kFlagVisible;
    std::unique_ptr<Model> model = Load(MakeTriangle(flags));
    model->Update(false);
    model->Update(false);
    EXPECT_EQ(model->GetVertexBoxCount(), 1u);
    EXPECT_NEAR(model->box.localMax.x, 1.0f, 0.0001f);

    // Moving the model moves the box without a walk.
    model->matrix.Translate(Vector3(10.0f, 0.0f, 0.0f));
    model->Update(false);
    EXPECT_EQ(model->GetVertexBoxCount(), 1u);
    EXPECT_NEAR(model->box.worldMax.x, 11.0f, 0.0001f);

    // A write through a lock is seen, also one still locked while updated.
    PlainVertex* vertices = model->GetVertexBuffer()->LockVertices(0, 3);
    vertices[1].x = 4.0f;
    model->GetVertexBuffer()->Unlock();
    model->Update(false);
    EXPECT_NEAR(model->box.localMax.x, 4.0f, 0.0001f);
    vertices = model->GetVertexBuffer()->LockVertices(0, 3);
    model->Update(false);
    vertices[1].x = 6.0f;
    model->GetVertexBuffer()->Unlock();
    model->Update(false);
    EXPECT_NEAR(model->box.localMax.x, 6.0f, 0.0001f);
    EXPECT_NEAR(model->box.worldMax.x, 16.0f, 0.0001f);
    const std::uint32_t walks = model->GetVertexBoxCount();
    model->Update(false);
    EXPECT_EQ(model->GetVertexBoxCount(), walks);

    // A copy walks its own vertices once, then keeps its box.
    Model copy(*model, nullptr, 0);
    copy.Update(false);
    copy.Update(false);
    EXPECT_EQ(copy.GetVertexBoxCount(), 1u);
    EXPECT_NEAR(copy.box.worldMax.x, 16.0f, 0.0001f);
}

TEST_F(ModelTest, SkinnedModelFollowsItsBonesAndCopiesKeepTheirOwnData)
{
    ModelFile contents;
    contents.version = ModelFile::kCurrentVersion;
    contents.flags = Model::kFlagSkinned | Model::kFlagTriangleList | Model::kFlagVisible;
    contents.frameCount = 2;
    ModelFile::Bone bone;
    bone.boxMin = Vector3(-1, -1, -1);
    bone.boxMax = Vector3(1, 1, 1);
    contents.bones = {bone, bone};
    contents.bones[1].boundsExcluded = 1;
    for (std::uint32_t f = 0; f < 2; ++f) {
        for (std::uint32_t b = 0; b < 2; ++b) {
            ModelFile::BoneFrame frame;
            frame.position = Vector3(f == 0 ? 0.0f : 10.0f, b == 0 ? 0.0f : 100.0f, 0.0f);
            frame.scale = Vector3(1, 1, 1);
            contents.boneFrames.push_back(frame);
        }
    }
    contents.vertexCount = 3;
    contents.indices = {0, 1, 2};
    for (std::uint32_t i = 0; i < 3; ++i) {
        ModelFile::Vertex uv;
        uv.u = 0.5f;
        contents.vertices.push_back(uv);
        ModelFile::SkinnedVertex skinned;
        skinned.influenceCount = 2;
        skinned.influences[0] = {0, 0.75f, Vector3(0, 0, 1), Vector3(static_cast<float>(i), 0, 0)};
        skinned.influences[1] = {1, 0.25f, Vector3(0, 0, 1), Vector3(static_cast<float>(i), 0, 0)};
        contents.skinnedVertices.push_back(skinned);
    }
    contents.boxes.push_back({Vector3(-1, -1, -1), Vector3(1, 1, 1)});
    std::unique_ptr<Model> model = Load(contents);
    ASSERT_NE(model->GetSkeleton(), nullptr);
    AnimationControl* animation = model->GetAnimationControl();
    animation->position = 0.5f;
    model->Update(false);
    const float* v =
        reinterpret_cast<const float*>(model->GetVertexBuffer()->GetData() + model->GetVertexBuffer()->GetStride());
    // Bone 0 at x 5, bone 1 at (5, 100): 0.75 and 0.25 of vertex 1 at x 1.
    EXPECT_NEAR(v[0], 6.0f, 0.0001f);
    EXPECT_NEAR(v[1], 25.0f, 0.0001f);
    EXPECT_NEAR(v[5], 1.0f, 0.0001f);
    // Only bone 0 counts for the box.
    EXPECT_NEAR(model->box.localMin.x, 4.0f, 0.0001f);
    EXPECT_NEAR(model->box.localMax.y, 1.0f, 0.0001f);

    Model* copy = models->CreateCopy(model.get(), nullptr, 0x20);
    EXPECT_NE(copy->GetVertexBuffer(), model->GetVertexBuffer());
    EXPECT_NE(copy->GetSkeleton(), model->GetSkeleton());
    EXPECT_NE(copy->GetFlags() & 0x20u, 0u);
    copy->GetAnimationControl()->position = 0.0f;
    copy->Update(false);
    EXPECT_NEAR(
        reinterpret_cast<const float*>(copy->GetVertexBuffer()->GetData() + copy->GetVertexBuffer()->GetStride())[0],
        1.0f, 0.0001f);
    EXPECT_NEAR(v[0], 6.0f, 0.0001f);

    // With every bone excluded the file's box stands, never an inside-out one.
    contents.bones[0].boundsExcluded = 1;
    std::unique_ptr<Model> unbounded = Load(contents);
    unbounded->Update(false);
    EXPECT_FLOAT_EQ(unbounded->box.localMin.x, -1.0f);
    EXPECT_FLOAT_EQ(unbounded->box.localMax.x, 1.0f);
}

TEST_F(ModelTest, RayPickingFindsTheNearestTriangleThroughTheWorldMatrix)
{
    std::unique_ptr<Model> box(models->CreateBox(Vector3(-1, -1, -1), Vector3(1, 1, 1), nullptr, nullptr, 0));
    MatrixSetTranslation(box->matrix, Vector3(0, 0, -10));
    box->Update(false);
    float distance = 0.0f;
    EXPECT_TRUE(box->IntersectRay(Vector3(0, 0, 0), Vector3(0, 0, -20), &distance));
    EXPECT_NEAR(distance, 9.0f, 0.0001f);
    EXPECT_TRUE(box->IntersectRay(Vector3(0.5f, 0.5f, 0), Vector3(0, 0, -20), nullptr));
    EXPECT_FALSE(box->IntersectRay(Vector3(3, 0, 0), Vector3(0, 0, -20), &distance));
    // The segment stops short of the box.
    EXPECT_FALSE(box->IntersectRay(Vector3(0, 0, 0), Vector3(0, 0, -5), &distance));
}

} // namespace
} // namespace OrrelayEngine
